#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a raw command line (one text, bytes in the system code page) into
// its arguments, the program's own name excluded. Windows builds get the
// raw line from the system; on Linux the arguments arrive already split.
std::vector<std::string> SplitCommandLine(std::string_view line);
