#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "article.h"
#include "book_file.h"

namespace qob {

// The layout shared by books and RUX exports: the magic, the article count,
// for a book its key, then per article the title and the content as counted
// fields (a 32-bit little-endian length, then the bytes), enciphered under
// the key when there is one. A list whose count or a text length does not
// fit in 32 bits is refused: its wrapped length would lose the rest of the
// book.
WriteOutcome WriteCountedLayout(const std::string& path, std::string_view magic,
                                const ArticleList& articles, std::optional<BookKey> key);

}  // namespace qob
