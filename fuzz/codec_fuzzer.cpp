// The text codec on arbitrary bytes. Besides not crashing:
// - book bytes always show as valid UTF-8;
// - valid GB18030 comes back byte for byte after showing and storing;
// - what was shown shows the same after storing it again;
// - valid UTF-8 that is stored and shown again keeps every character, but
//   for private-use ones that GB18030 has no code for;
// - line breaks: a stored text has no bare "\n", and storing then showing
//   is the same as showing.
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codec.h"
#include "fuzz_check.h"

namespace {

using CodePoints = std::vector<char32_t>;

// Strict UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
std::optional<CodePoints> DecodeUtf8(std::string_view text) {
    CodePoints points;
    for (std::size_t n = 0; n < text.size();) {
        const auto lead = static_cast<unsigned char>(text[n]);
        const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5                   ? 4
                                                                           : 0;
        if (length == 0 || n + static_cast<std::size_t>(length) > text.size()) return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[n + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            point = point << 6 | (next & 0x3F);
        }
        constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < kShortest[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) {
            return std::nullopt;
        }
        points.push_back(point);
        n += static_cast<std::size_t>(length);
    }
    return points;
}

// The system's converter as the judge of validity, without the codec's
// own handling of bad bytes.
bool IsValidGb18030(std::string_view bytes) {
    static const iconv_t judge = iconv_open("UTF-8", "GB18030");
    FUZZ_CHECK(judge != reinterpret_cast<iconv_t>(-1));
    iconv(judge, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::string out(4 * bytes.size() + 4, '\0');
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    return iconv(judge, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
}

// Four-byte codes that the system's tables decode to the same characters as
// two-byte codes; storing those characters gives the two-byte codes.
const std::pair<std::string_view, std::string_view> kAliases[] = {
    {"\x95\x32\x90\x31", "\xFE\x51"}, {"\x95\x32\x90\x33", "\xFE\x52"}, {"\x95\x32\x97\x30", "\xFE\x53"},
    {"\x95\x36\xB9\x37", "\xFE\x6C"}, {"\x96\x30\xBA\x35", "\xFE\x76"}, {"\x96\x35\xB6\x30", "\xFE\x91"},
};

// Valid GB18030 walked code by code, with the aliases replaced.
std::string WithoutAliases(std::string_view bytes) {
    std::string out;
    for (std::size_t n = 0; n < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[n]);
        const bool fourBytes = lead >= 0x81 && n + 1 < bytes.size() && bytes[n + 1] >= '0' && bytes[n + 1] <= '9';
        const std::size_t length = lead < 0x81 || lead == 0xFF ? 1 : fourBytes ? 4 : 2;
        std::string_view code = bytes.substr(n, length);
        for (const auto& [alias, canonical] : kAliases) {
            if (code == alias) code = canonical;
        }
        out += code;
        n += length;
    }
    return out;
}

bool IsPrivateUse(char32_t point) { return point >= 0xE000 && point <= 0xF8FF; }

void CheckShowing(std::string_view bytes) {
    const std::string shown = qob::Gb18030ToUtf8(bytes);
    FUZZ_CHECK(DecodeUtf8(shown).has_value());
    FUZZ_CHECK(qob::Gb18030ToUtf8(qob::Utf8ToGb18030(shown)) == shown);
    if (IsValidGb18030(bytes)) FUZZ_CHECK(qob::Utf8ToGb18030(shown) == WithoutAliases(bytes));
}

void CheckStoring(std::string_view text) {
    const std::string stored = qob::Utf8ToGb18030(text);
    const auto typed = DecodeUtf8(text);
    if (!typed) return;
    const auto back = DecodeUtf8(qob::Gb18030ToUtf8(stored));
    FUZZ_CHECK(back && back->size() == typed->size());
    for (std::size_t n = 0; n < typed->size(); ++n) {
        FUZZ_CHECK((*back)[n] == (*typed)[n] || ((*back)[n] == U'?' && IsPrivateUse((*typed)[n])));
    }
}

void CheckLineBreaks(std::string_view text) {
    const std::string stored = qob::LfToCrlf(text);
    for (std::size_t n = stored.find('\n'); n != std::string::npos; n = stored.find('\n', n + 1)) {
        FUZZ_CHECK(n > 0 && stored[n - 1] == '\r');
    }
    FUZZ_CHECK(qob::CrlfToLf(stored) == qob::CrlfToLf(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckShowing(bytes);
    CheckStoring(bytes);
    CheckLineBreaks(bytes);
    return 0;
}
