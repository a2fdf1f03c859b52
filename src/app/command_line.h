#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a raw command line (one text, bytes in the system code page) into
// its arguments, the program's own name excluded. Windows builds get the
// raw line from the system; on Linux the arguments arrive already split.
//
// Total: any bytes split into some list, in one pass. The text ends at its
// first NUL byte. A byte of 128 or more takes the next byte with it; one left
// with nothing after it at the end of the line is kept as the last byte of
// the last argument, so that nothing typed is lost.
std::vector<std::string> SplitCommandLine(std::string_view line);
