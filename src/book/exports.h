#pragma once

#include <string>

#include "article.h"
#include "book_file.h"

namespace qob {

// The plain "rux" layout: the book layout without key and cipher.
WriteOutcome WriteRux(const std::string& path, const ArticleList& articles);

// Numbered headings and bodies, each piece ending in "\r\n" and one NUL byte.
WriteOutcome WriteCustomText(const std::string& path, const ArticleList& articles);

}  // namespace qob
