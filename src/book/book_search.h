#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "article.h"

namespace qob {

enum class BookField { Title, Content };

// One place where the needle was found. Offsets are bytes of the field's
// text; the snippet is the part of the match's line shown around it, cut on
// character boundaries.
struct SearchHit {
    std::size_t article = 0;
    BookField field = BookField::Content;
    std::size_t offset = 0;
    std::size_t length = 0;
    std::size_t snippetBegin = 0;
    std::size_t snippetEnd = 0;

    friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

struct SearchResult {
    std::vector<SearchHit> hits;
    // More hits exist than the cap let through.
    bool capped = false;
};

inline constexpr std::size_t kSearchHitCap = 10000;

// Finds `needle` (book bytes) in every title and content of `book`, in book
// order, the title of an article before its content. ASCII letters match
// either case; every other byte must match exactly, and a match starts only
// where a character starts, never on the second byte of a double-byte or
// the inner bytes of a four-byte GB18030 character. Hits do not overlap.
// An empty needle, or one holding a line break, finds nothing.
SearchResult SearchBook(const ArticleList& book, std::string_view needle, std::size_t cap = kSearchHitCap);

// Whether `hit` still points at `needle` in `book` (the book may have been
// edited since the search).
bool HitStillHolds(const ArticleList& book, const SearchHit& hit, std::string_view needle);

const Text& FieldText(const Article& article, BookField field);

}  // namespace qob
