#include "codec.h"

#include <gtest/gtest.h>

#include <string>

namespace qob {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

struct CodecCase {
    const char* name;
    std::string gb18030;
    std::string utf8;
};

// Pairs that convert into each other both ways.
const CodecCase kPairs[] = {
    {"empty", "", ""},
    {"ASCII with line breaks", "a\r\nb", "a\r\nb"},
    {"NUL byte", std::string("a\0b", 3), std::string("a\0b", 3)},
    {"two-byte Chinese", "\xB5\xDA\xD2\xBB\xD5\xC2", "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0"},  // 第一章
    {"euro sign", "\xA2\xE3", "\xE2\x82\xAC"},
    {"four-byte BMP character", "\x81\x30\x81\x30", "\xC2\x80"},               // U+0080
    {"four-byte supplementary character", "\x90\x30\x81\x30", "\xF0\x90\x80\x80"},  // U+10000
    {"last code point", "\xE3\x32\x9A\x35", "\xF4\x8F\xBF\xBF"},                   // U+10FFFF
};

TEST(Codec, ConvertsValidTextBothWays) {
    for (const auto& c : kPairs) {
        EXPECT_EQ(Gb18030ToUtf8(c.gb18030), c.utf8) << c.name;
        EXPECT_EQ(Utf8ToGb18030(c.utf8), c.gb18030) << c.name;
    }
}

// Every bad byte becomes one replacement and the rest still converts.
TEST(Codec, ReplacesInvalidBookBytes) {
    const CodecCase cases[] = {
        {"single 0x80", "\x80", kReplacement},
        {"single 0xFF between letters", "a\xFF" "b", "a" + kReplacement + "b"},
        {"lead byte at the end", "ok\xD6", "ok" + kReplacement},
        {"lead byte before a byte that cannot follow it", "\xD6 x", kReplacement + " x"},
        {"cut four-byte sequence", "\x81\x30", kReplacement + "0"},
        {"three bytes of a four-byte sequence", "\x81\x30\x81", kReplacement + "0" + kReplacement},
        {"run of bad bytes", "\xFF\xFF\xFF", kReplacement + kReplacement + kReplacement},
    };
    for (const auto& c : cases) EXPECT_EQ(Gb18030ToUtf8(c.gb18030), c.utf8) << c.name;
}

TEST(Codec, ReplacesInvalidUtf8WithQuestionMarks) {
    const CodecCase cases[] = {
        {"cut sequence at the end, one mark per byte", "a??", "a\xE4\xB8"},
        {"lone continuation byte", "?b", "\x80" "b"},
        {"byte never used in UTF-8", "x?y", "x\xFFy"},
        {"encoded surrogate", "???", "\xED\xA0\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToGb18030(c.utf8), c.gb18030) << c.name;
}

TEST(Codec, ConvertsLongTexts) {
    std::string gb;
    std::string utf8;
    for (int n = 0; n < 100000; ++n) {
        gb += "\xD6\xD0" "a";
        utf8 += "\xE4\xB8\xAD" "a";
    }
    EXPECT_EQ(Gb18030ToUtf8(gb), utf8);
    EXPECT_EQ(Utf8ToGb18030(utf8), gb);
}

TEST(Codec, TranslatesLineBreaks) {
    struct Case {
        std::string crlf, lf;
    };
    const Case pairs[] = {
        {"", ""}, {"\r\n", "\n"}, {"a\r\nb\r\n", "a\nb\n"}, {"\r\n\r\n", "\n\n"}, {"no break", "no break"},
    };
    for (const auto& c : pairs) {
        EXPECT_EQ(CrlfToLf(c.crlf), c.lf) << c.crlf;
        EXPECT_EQ(LfToCrlf(c.lf), c.crlf) << c.lf;
    }
    const Case oneWay[] = {
        {"a\rb", "a\rb"}, {"\r", "\r"}, {"\r\r\n", "\r\n"}, {"a\n", "a\n"},
    };
    for (const auto& c : oneWay) EXPECT_EQ(CrlfToLf(c.crlf), c.lf) << "lone CR kept";
    EXPECT_EQ(LfToCrlf("a\r\nb\nc"), "a\r\nb\r\nc") << "existing CRLF stays one";
    EXPECT_EQ(LfToCrlf("\r\r\n\n"), "\r\r\n\r\n");
    EXPECT_EQ(LfToCrlf("\r"), "\r");
}

}  // namespace
}  // namespace qob
