#include "console.h"

#include <ostream>

namespace qob::cli {

int Fail(Console& console, std::string_view message) {
    console.err << "qob: " << message << '\n';
    return kFailure;
}

void Warn(Console& console, std::string_view message) {
    console.err << "qob: warning: " << message << '\n';
}

bool LoadBookOrReport(const std::string& path, LoadedBook& book, Console& console) {
    book = ReadBook(path);
    switch (book.outcome) {
    case ReadOutcome::Ok:
        return true;
    case ReadOutcome::CannotOpen:
        Fail(console, "cannot open " + path);
        return false;
    case ReadOutcome::NotABook:
        Fail(console, path + " is not a qob book");
        return false;
    }
    return false;
}

int FinishWithBook(const std::string& path, const LoadedBook& book, Console& console) {
    if (!book.damaged) return kSuccess;
    return Fail(console, path + " is damaged: read " + std::to_string(book.articles.Count()) +
                             " of " + std::to_string(book.announcedCount) + " articles");
}

}  // namespace qob::cli
