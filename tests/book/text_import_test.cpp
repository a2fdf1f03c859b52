#include "text_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec.h"

namespace qob {
namespace {

// Articles as UTF-8 with "\n" line breaks, for readable expectations.
struct Shown {
    std::string title;
    std::string content;

    friend bool operator==(const Shown&, const Shown&) = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    return out << '[' << shown.title << "] " << shown.content;
}

std::vector<Shown> ShownArticles(const ImportedText& imported) {
    std::vector<Shown> shown;
    for (const Article& article : imported.articles) {
        shown.push_back({Gb18030ToUtf8(article.title), CrlfToLf(Gb18030ToUtf8(article.content))});
    }
    return shown;
}

std::vector<Shown> Import(const std::string& bytes, const HeadingRule& rule = HeadingRule::Chapters()) {
    const ImportedText imported = ImportPlainText(bytes, "novel", rule);
    EXPECT_EQ(imported.outcome, ImportOutcome::Ok);
    return ShownArticles(imported);
}

const std::string kNovel =
    "第一章 风起\n"
    "　　天色渐晚。\n"
    "\n"
    "　　细雨。\n"
    "第二章 云涌\n"
    "　　远方。\n";

const std::vector<Shown> kNovelArticles = {
    {"第一章 风起", "　　天色渐晚。\n\n　　细雨。"},
    {"第二章 云涌", "　　远方。"},
};

TEST(TextImport, ReadsUtf8AndGb18030Alike) {
    struct EncodingCase {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    };
    const EncodingCase cases[] = {
        {"UTF-8", kNovel, TextEncoding::Utf8},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + kNovel, TextEncoding::Utf8},
        {"GB18030", Utf8ToGb18030(kNovel), TextEncoding::Gb18030},
        {"GB18030 with its byte order mark", "\x84\x31\x95\x33" + Utf8ToGb18030(kNovel), TextEncoding::Gb18030},
        {"Windows line breaks", LfToCrlf(kNovel), TextEncoding::Utf8},
        {"old Mac line breaks", [] {
             std::string text = kNovel;
             for (char& c : text) c = c == '\n' ? '\r' : c;
             return text;
         }(), TextEncoding::Utf8},
    };
    for (const EncodingCase& c : cases) {
        const ImportedText imported = ImportPlainText(c.bytes, "novel", HeadingRule::Chapters());
        EXPECT_EQ(imported.encoding, c.encoding) << c.name;
        EXPECT_EQ(ShownArticles(imported), kNovelArticles) << c.name;
    }
}

TEST(TextImport, StoresGb18030WithWindowsLineBreaks) {
    const ImportedText imported = ImportPlainText("第1章\n甲\n乙\n", "novel", HeadingRule::Chapters());
    ASSERT_EQ(imported.articles.Count(), 1u);
    EXPECT_EQ(imported.articles.At(0).title, "\xB5\xDA" "1\xD5\xC2");  // 第1章
    EXPECT_EQ(imported.articles.At(0).content, "\xBC\xD7\r\n\xD2\xD2");  // 甲\r\n乙
}

TEST(TextImport, RecognisesChapterHeadings) {
    struct HeadingCase {
        const char* line;
        bool heading;
    };
    const HeadingCase cases[] = {
        {"第一章 风起", true},
        {"第十二回 大闹天宫", true},
        {"第12回 重逢", true},
        {"第１２章", true},
        {"第3节", true},
        {"第二百零三章：归来", true},
        {"第 5 章 空格", true},
        {"第一卷 江湖", true},
        {"第三部", true},
        {"卷一 初入江湖", true},
        {"Chapter 3", true},
        {"CHAPTER IV", true},
        {"chapter 12: The End", true},
        {"第一", false},
        {"第章", false},
        {"第一次见面时他说的话", false},
        {"他翻到第一章", false},
        {"Chapters 3", false},
        {"Chapter", false},
        {"Chapter 3rd", false},
        {"卷帘大将", false},
        // A line of more than 40 characters is prose, however it begins.
        {"第一章 这一行很长很长很长很长很长很长很长很长很长很长很长很长很长很长很长很长很长很长", false},
    };
    const HeadingRule rule = HeadingRule::Chapters();
    for (const HeadingCase& c : cases) EXPECT_EQ(rule.IsHeading(c.line), c.heading) << c.line;
}

TEST(TextImport, HeadingsAreTrimmedAndMayBeIndented) {
    EXPECT_EQ(Import("  第一章 起 \t\n正文\n　　第二章 承　\n"),
              (std::vector<Shown>{{"第一章 起", "正文"}, {"第二章 承", ""}}));
}

TEST(TextImport, TextBeforeTheFirstHeadingIsAForeword) {
    struct ForewordCase {
        const char* name;
        std::string text;
        std::vector<Shown> articles;
    };
    const ForewordCase cases[] = {
        {"text before", "作者的话\n\n第一章 开始\n正文\n",
         {{std::string(kForewordTitle), "作者的话"}, {"第一章 开始", "正文"}}},
        {"only blank lines before", "\n  \n　\r\n第一章 开始\n正文", {{"第一章 开始", "正文"}}},
        {"heading first", "第一章 开始\n正文", {{"第一章 开始", "正文"}}},
    };
    for (const ForewordCase& c : cases) EXPECT_EQ(Import(c.text), c.articles) << c.name;
}

TEST(TextImport, TextWithoutHeadingsIsOneArticleNamedAfterTheFile) {
    EXPECT_EQ(Import("\n\n　　只有一段。\n\n第二段。\n\n"),
              (std::vector<Shown>{{"novel", "　　只有一段。\n\n第二段。"}}));
}

TEST(TextImport, BlankFilesGiveNoArticles) {
    for (const std::string text : {"", "\n", " \r\n\t\n", "\xEF\xBB\xBF", "　\n"}) {
        EXPECT_TRUE(Import(text).empty()) << text;
    }
}

TEST(TextImport, RefusesFilesThatAreNotText) {
    for (const std::string& bytes : {std::string("a\0b", 3), std::string("\xFF\xFE" "a\0", 4),
                                    std::string("\xFE\xFF\x4E\x2D")}) {
        EXPECT_EQ(ImportPlainText(bytes, "novel", HeadingRule::Chapters()).outcome, ImportOutcome::NotText);
    }
}

TEST(TextImport, InvalidUtf8IsReadAsGb18030) {
    // "\xC0\xAF" is an overlong UTF-8 slash, but a GB18030 character.
    const ImportedText imported = ImportPlainText("\xC0\xAF", "novel", HeadingRule::Chapters());
    EXPECT_EQ(imported.encoding, TextEncoding::Gb18030);
    ASSERT_EQ(imported.articles.Count(), 1u);
    EXPECT_EQ(imported.articles.At(0).content, "\xC0\xAF");
}

TEST(TextImport, AGivenPatternReplacesTheChapterHeadings) {
    const std::optional<HeadingRule> rule = HeadingRule::FromPattern("^== .* ==$");
    ASSERT_TRUE(rule);
    EXPECT_EQ(Import("第一章 不是标题\n== 一 ==\n甲\n== 二 ==\n乙", *rule),
              (std::vector<Shown>{{std::string(kForewordTitle), "第一章 不是标题"}, {"== 一 ==", "甲"}, {"== 二 ==", "乙"}}));
}

TEST(TextImport, APatternIsSearchedInTheTrimmedLine) {
    const std::optional<HeadingRule> rule = HeadingRule::FromPattern("节");
    ASSERT_TRUE(rule);
    EXPECT_EQ(Import("　小节一\n甲\n", *rule), (std::vector<Shown>{{"小节一", "甲"}}));
}

TEST(TextImport, BlankLinesAreNeverHeadings) {
    const std::optional<HeadingRule> rule = HeadingRule::FromPattern("^\\s*$");
    ASSERT_TRUE(rule);
    EXPECT_EQ(Import("甲\n\n乙\n", *rule), (std::vector<Shown>{{"novel", "甲\n\n乙"}}));
}

TEST(TextImport, InvalidPatternsAreRefused) {
    for (const std::string pattern : {"(", "[a-", "*x", "a{2,1}"}) {
        EXPECT_FALSE(HeadingRule::FromPattern(pattern)) << pattern;
    }
}

TEST(TextImport, LongLinesAreNotTriedAgainstAPattern) {
    // A backtracking pattern over a very long line must not exhaust the stack.
    const std::optional<HeadingRule> rule = HeadingRule::FromPattern("^(a|b)*c$");
    ASSERT_TRUE(rule);
    const std::string longLine(200000, 'a');
    EXPECT_EQ(Import(longLine + "\n", *rule).size(), 1u);
}

}  // namespace
}  // namespace qob
