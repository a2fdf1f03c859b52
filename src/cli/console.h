#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "book_file.h"

namespace qob::cli {

enum ExitStatus : int { kSuccess = 0, kFailure = 1, kUsageError = 2 };

// Where a command writes its results and its one-line complaints.
struct Console {
    std::ostream& out;
    std::ostream& err;
};

// Writes "qob: MESSAGE" on the error stream and returns kFailure.
int Fail(Console& console, std::string_view message);
void Warn(Console& console, std::string_view message);

// Reads the book at `path`. When it cannot be used at all, says why and
// returns false; a damaged book is still returned for what could be read.
bool LoadBookOrReport(const std::string& path, LoadedBook& book, Console& console);

// Ends a command that has written out what it read: a damaged book still
// fails, once its readable part has been handled.
int FinishWithBook(const std::string& path, const LoadedBook& book, Console& console);

}  // namespace qob::cli
