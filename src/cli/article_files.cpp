#include "article_files.h"

#include <algorithm>

#include "codec.h"

namespace qob::cli {

namespace {

constexpr std::size_t kMinimumNameDigits = 4;

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the UTF-8 sequence that starts with `lead`, with the smallest
// code point it may encode (to refuse overlong forms); 0 for a bad lead.
struct SequenceShape {
    std::size_t length;
    char32_t smallest;
};

SequenceShape ShapeOf(unsigned char lead) {
    if (lead < 0x80) return {1, 0};
    if ((lead & 0xE0) == 0xC0) return {2, 0x80};
    if ((lead & 0xF0) == 0xE0) return {3, 0x800};
    if ((lead & 0xF8) == 0xF0) return {4, 0x10000};
    return {0, 0};
}

}  // namespace

std::string ForTerminal(std::string_view bookBytes) {
    return CrlfToLf(Gb18030ToUtf8(bookBytes));
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

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const SequenceShape shape = ShapeOf(lead);
        if (shape.length == 0 || i + shape.length > text.size()) return false;
        char32_t code = shape.length == 1 ? lead : lead & (0x7F >> shape.length);
        for (std::size_t k = 1; k < shape.length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (!IsContinuationByte(next)) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < shape.smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += shape.length;
    }
    return true;
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
