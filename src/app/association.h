#pragma once

#include <string>

// Registers this executable as the handler of ".qob" files for the current
// user. Runs at every start; a failure is silent and stops at the first
// entry that could not be written.
void RegisterFileAssociation(const std::string& programPath);
