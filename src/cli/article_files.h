#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "article.h"

namespace qob::cli {

// Book bytes as the terminal and text files show them: UTF-8 with "\n".
std::string ForTerminal(std::string_view bookBytes);
// The same, handed to `write` piece by piece, so that a text of hundreds of
// megabytes never has a whole converted copy in memory.
void ForTerminalInPieces(std::string_view bookBytes, const std::function<void(std::string_view)>& write);
// The reverse, for text with "\n" line breaks: GB18030 with "\r\n".
Text ForBook(std::string_view utf8);

// Line breaks become spaces, so that one text stays on one output line.
std::string OneLine(std::string_view utf8);
bool HasLineBreak(std::string_view text);

// An article as one text file: the title on the first line, the content
// after it, byte for byte (no line break is added at the end).
std::string ArticleFileText(const Article& article);
Article ArticleFromFileText(std::string_view fileText);

// "0001.txt" for article 1; as many digits as the largest number needs,
// at least four, so that name order is book order.
std::string ArticleFileName(std::size_t number, std::size_t count);

}  // namespace qob::cli
