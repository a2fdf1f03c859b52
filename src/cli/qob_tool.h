#pragma once

#include <string>
#include <vector>

#include "console.h"

namespace qob::cli {

// Runs the qob tool on its arguments (the program name excluded) and gives
// the exit status: kSuccess, kFailure or kUsageError.
int RunQob(const std::vector<std::string>& args, Console console);

}  // namespace qob::cli
