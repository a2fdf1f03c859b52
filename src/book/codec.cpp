#include "codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace qob {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kGb18030Replacement = "?";

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (Usable()) iconv_close(cd_);
    }

    // How many bytes at the start of `rest` make the one character that
    // could not be converted.
    using CharacterLength = std::size_t (*)(std::string_view rest);

    // A character that cannot be converted, or an incomplete sequence at
    // the end, becomes `replacement` and the conversion goes on after it.
    std::string Convert(std::string_view input, std::string_view replacement, CharacterLength skipped);

private:
    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Without the system's converter every byte counts as unconvertible,
    // so texts still show, as replacements, instead of failing.
    std::size_t Step(char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
        if (Usable()) return iconv(cd_, in, inLeft, out, outLeft);
        errno = EILSEQ;
        return static_cast<std::size_t>(-1);
    }

    iconv_t cd_;
};

void MakeRoom(std::string& out, std::size_t used, std::size_t needed) {
    if (out.size() - used < needed) out.resize(std::max(out.size() * 2, used + needed));
}

std::string Converter::Convert(std::string_view input, std::string_view replacement, CharacterLength skipped) {
    std::string out(input.size() + input.size() / 2 + 16, '\0');
    std::size_t used = 0;
    char* in = const_cast<char*>(input.data());  // iconv does not write through it
    std::size_t inLeft = input.size();
    if (Usable()) iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = Step(&in, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - out.data());
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            MakeRoom(out, used, out.size());
            continue;
        }
        MakeRoom(out, used, replacement.size());
        out.replace(used, replacement.size(), replacement);
        used += replacement.size();
        const std::size_t skip = std::min(skipped(std::string_view(in, inLeft)), inLeft);
        in += skip;
        inLeft -= skip;
    }
    out.resize(used);
    return out;
}

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

// A bad byte in a book text is one character; the next may be good.
std::size_t OneByte(std::string_view) { return 1; }

// A well-formed character that GB18030 has no code for (a few private-use
// ones) is skipped whole, so that it becomes one mark, not one per byte.
std::size_t Utf8CharacterLength(std::string_view rest) {
    const std::size_t length = ShapeOf(static_cast<unsigned char>(rest.front())).length;
    return length > 1 && IsValidUtf8(rest.substr(0, length)) ? length : 1;
}

}  // namespace

std::string Gb18030ToUtf8(std::string_view bytes) {
    thread_local Converter converter("UTF-8", "GB18030");
    return converter.Convert(bytes, kUtf8Replacement, OneByte);
}

std::string Utf8ToGb18030(std::string_view utf8) {
    thread_local Converter converter("GB18030", "UTF-8");
    return converter.Convert(utf8, kGb18030Replacement, Utf8CharacterLength);
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

std::string CrlfToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (!(text[n] == '\r' && n + 1 < text.size() && text[n + 1] == '\n')) out += text[n];
    }
    return out;
}

// A "\n" that already follows a "\r" stays as it is.
std::string LfToCrlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (text[n] == '\n' && (n == 0 || text[n - 1] != '\r')) out += '\r';
        out += text[n];
    }
    return out;
}

}  // namespace qob
