#pragma once

#include <cstdint>
#include <string>

#include "article.h"

namespace qob {

// The signed 32-bit key number stored in a book's header. The RC4 key is its
// decimal text.
using BookKey = std::int32_t;

// "-" for negative values, no leading zeros, "0" for zero.
std::string KeyText(BookKey key);

enum class ReadOutcome { Ok, CannotOpen, NotABook };

struct LoadedBook {
    ReadOutcome outcome = ReadOutcome::Ok;
    ArticleList articles;   // complete articles read, in file order
    BookKey key = 0;
    // A field failed (truncated file, bad length, count larger than what is
    // stored): `articles` holds what was read before it.
    bool damaged = false;
    std::int32_t announcedCount = 0;  // the header's count, as stored
};

// Paths are in the file system's encoding (UTF-8 on Linux).
LoadedBook ReadBook(const std::string& path);

enum class WriteOutcome { Ok, CannotCreate };

// Replaces the file at `path` whole, with a freshly drawn key, or leaves it
// exactly as it was and returns CannotCreate.
WriteOutcome WriteBook(const std::string& path, const ArticleList& articles);

// The same with a given key; for tests and tools that need stable bytes.
WriteOutcome WriteBookWithKey(const std::string& path, const ArticleList& articles, BookKey key);

// A fresh key from 100000000 to 999999999, seeded from the clock.
BookKey DrawBookKey();

}  // namespace qob
