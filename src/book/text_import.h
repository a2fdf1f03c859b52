#pragma once

#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "article.h"

namespace qob {

// Which lines of a plain-text file begin a new article. Lines are given as
// UTF-8, trimmed of white space at both ends.
class HeadingRule {
public:
    // Chapter headings such as "第一章 …", "第12回 …", "第3节", "卷一 …",
    // "Chapter 3" or "CHAPTER IV", on a line of at most 40 characters.
    static HeadingRule Chapters();
    // An ECMAScript regular expression searched for in the line; nothing
    // when `pattern` is not a valid one.
    static std::optional<HeadingRule> FromPattern(const std::string& pattern);

    bool IsHeading(std::string_view line) const;

private:
    HeadingRule(std::shared_ptr<const std::regex> pattern, std::size_t longestLine,
                std::vector<std::string_view> openings);

    std::shared_ptr<const std::regex> pattern_;
    std::size_t longestLine_;  // in characters
    // What a heading can begin with, so most lines never meet the pattern;
    // empty when anything can.
    std::vector<std::string_view> openings_;
};

enum class TextEncoding { Utf8, Gb18030 };

enum class ImportOutcome {
    Ok,
    NotText,  // it holds NUL bytes: a binary file, or UTF-16
};

struct ImportedText {
    ImportOutcome outcome = ImportOutcome::Ok;
    TextEncoding encoding = TextEncoding::Utf8;
    ArticleList articles;
};

// The title of the text that stands before the first heading (UTF-8).
inline constexpr std::string_view kForewordTitle = "前言";

// Splits the bytes of a plain-text file into articles. The file is UTF-8
// when it is valid UTF-8 or starts with the UTF-8 byte order mark, and
// GB18030 otherwise. Each heading line, trimmed, becomes an article's
// title, the lines up to the next heading its content, without the blank
// lines at its two ends; text before the first heading becomes an article
// titled kForewordTitle unless it is blank. A file without any heading
// becomes one article titled `untitledTitle` (UTF-8, usually the file's
// name), and a blank file no article at all. The articles are GB18030 with
// "\r\n" line breaks.
ImportedText ImportPlainText(std::string_view fileBytes, std::string_view untitledTitle, const HeadingRule& rule);

}  // namespace qob
