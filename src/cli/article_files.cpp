#include "article_files.h"

#include <algorithm>

#include "codec.h"

namespace qob::cli {

namespace {

constexpr std::size_t kMinimumNameDigits = 4;
constexpr std::size_t kPieceSize = 1 << 20;

}  // namespace

std::string ForTerminal(std::string_view bookBytes) {
    return CrlfToLf(Gb18030ToUtf8(bookBytes));
}

// Pieces end just after a "\n": that byte is never part of a double-byte
// character, and a "\r\n" is never split.
void ForTerminalInPieces(std::string_view bookBytes, const std::function<void(std::string_view)>& write) {
    while (!bookBytes.empty()) {
        const std::size_t lineEnd = bookBytes.find('\n', std::min(kPieceSize, bookBytes.size()) - 1);
        const std::size_t size = lineEnd == std::string_view::npos ? bookBytes.size() : lineEnd + 1;
        write(ForTerminal(bookBytes.substr(0, size)));
        bookBytes.remove_prefix(size);
    }
}

Text ForBook(std::string_view utf8) {
    return Utf8ToGb18030(LfToCrlf(utf8));
}

std::string OneLine(std::string_view utf8) {
    std::string line = CrlfToLf(utf8);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return line;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string ArticleFileText(const Article& article) {
    return ForTerminal(article.title) + '\n' + ForTerminal(article.content);
}

Article ArticleFromFileText(std::string_view fileText) {
    const std::string text = CrlfToLf(fileText);
    const std::size_t titleEnd = text.find('\n');
    if (titleEnd == std::string::npos) return {ForBook(text), {}};
    return {ForBook(std::string_view(text).substr(0, titleEnd)),
            ForBook(std::string_view(text).substr(titleEnd + 1))};
}

std::string ArticleFileName(std::size_t number, std::size_t count) {
    const std::size_t digits = std::max(kMinimumNameDigits, std::to_string(count).size());
    std::string name = std::to_string(number);
    name.insert(0, digits - std::min(digits, name.size()), '0');
    return name + ".txt";
}

}  // namespace qob::cli
