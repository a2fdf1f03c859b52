// Placeholder until the reader and writer land.
#include "book_file.h"
namespace qob {
std::string KeyText(BookKey key) { return std::to_string(key); }
LoadedBook ReadBook(const std::string&) { LoadedBook b; b.outcome = ReadOutcome::CannotOpen; return b; }
WriteOutcome WriteBook(const std::string&, const ArticleList&) { return WriteOutcome::CannotCreate; }
WriteOutcome WriteBookWithKey(const std::string&, const ArticleList&, BookKey) { return WriteOutcome::CannotCreate; }
BookKey DrawBookKey() { return 100000000; }
}
