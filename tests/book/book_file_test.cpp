#include "book_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "book_test_support.h"

namespace qob {
namespace {

using test::BookBytes;
using test::Le32;
using test::MakeList;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr BookKey kKey = 123456789;
// "中文" and "第一章" in GB18030.
const std::string kChinese = "\xD6\xD0\xCE\xC4";
const std::string kChapter = "\xB5\xDA\xD2\xBB\xD5\xC2";

struct LayoutCase {
    const char* name;
    std::vector<Article> articles;
};

const LayoutCase kLayouts[] = {
    {"empty book", {}},
    {"empty texts", {{"", ""}}},
    {"equal titles", {{"same", "one"}, {"same", "two"}}},
    {"line breaks and double-byte text", {{kChapter, "a\r\nb\r\n"}, {"\r\n", kChinese + "\r\n" + kChinese}}},
    {"bytes that are not valid text", {{"\x80\xFF", std::string("\x81\x30", 2)}}},
    {"texts longer than a keystream block", {{std::string(200, 't'), std::string(70000, 'c')}}},
};

// Each field restarts RC4, so equal titles have equal bytes; the expected
// files are built with a fresh cipher per field.
TEST(WriteBook, WritesTheLayoutByteForByte) {
    TempDir dir;
    for (const auto& c : kLayouts) {
        const std::string path = dir.Path("book.qob");
        ASSERT_EQ(WriteBookWithKey(path, MakeList(c.articles), kKey), WriteOutcome::Ok) << c.name;
        EXPECT_EQ(ReadBytes(path), BookBytes(static_cast<std::int32_t>(c.articles.size()), kKey, c.articles))
            << c.name;
    }
}

TEST(WriteBook, EmptyBookIsElevenBytesAndEmptyArticleEightZeros) {
    TempDir dir;
    const std::string path = dir.Path("book.qob");
    ASSERT_EQ(WriteBookWithKey(path, {}, kKey), WriteOutcome::Ok);
    EXPECT_EQ(ReadBytes(path), "qob" + Le32(0) + Le32(kKey));
    ASSERT_EQ(WriteBookWithKey(path, MakeList({{"", ""}}), kKey), WriteOutcome::Ok);
    EXPECT_EQ(ReadBytes(path), "qob" + Le32(1) + Le32(kKey) + std::string(8, '\0'));
}

TEST(ReadBook, ReadsBackWhatWasWritten) {
    TempDir dir;
    for (const auto& c : kLayouts) {
        const std::string path = dir.Path("book.qob");
        ASSERT_EQ(WriteBook(path, MakeList(c.articles)), WriteOutcome::Ok) << c.name;
        const LoadedBook book = ReadBook(path);
        EXPECT_EQ(book.outcome, ReadOutcome::Ok) << c.name;
        EXPECT_FALSE(book.damaged) << c.name;
        EXPECT_EQ(book.articles, MakeList(c.articles)) << c.name;
    }
}

TEST(WriteBook, SameListTwiceGivesDifferentKeysAndBytes) {
    TempDir dir;
    const ArticleList list = MakeList({{"title", "content"}});
    ASSERT_EQ(WriteBook(dir.Path("a.qob"), list), WriteOutcome::Ok);
    ASSERT_EQ(WriteBook(dir.Path("b.qob"), list), WriteOutcome::Ok);
    const std::string a = ReadBytes(dir.Path("a.qob"));
    const std::string b = ReadBytes(dir.Path("b.qob"));
    EXPECT_EQ(a.substr(0, 7), b.substr(0, 7));
    EXPECT_NE(a.substr(7, 4), b.substr(7, 4));
    EXPECT_NE(a.substr(11), b.substr(11));
    EXPECT_EQ(ReadBook(dir.Path("a.qob")).articles, list);
    EXPECT_EQ(ReadBook(dir.Path("b.qob")).articles, list);
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    ReadOutcome outcome;
    std::int32_t count = 0;
    BookKey key = 0;
    bool damaged = false;
};

// Files of other programs and damaged headers; every number of the header
// that the file cuts short keeps the bytes that are there as low bytes.
const HeaderCase kHeaders[] = {
    {"empty file", "", ReadOutcome::NotABook},
    {"two bytes", "qo", ReadOutcome::NotABook},
    {"upper-case magic", "QOB" + Le32(0) + Le32(kKey), ReadOutcome::NotABook},
    {"one letter upper case", "qoB" + Le32(0) + Le32(kKey), ReadOutcome::NotABook},
    {"third byte differs", "qoc" + Le32(0) + Le32(kKey), ReadOutcome::NotABook},
    {"magic only", "qob", ReadOutcome::Ok},
    {"count cut to one byte", "qob\x02", ReadOutcome::Ok, 2, 0, true},
    {"count cut to three bytes", "qob\x01\x02\x03", ReadOutcome::Ok, 0x030201, 0, true},
    {"key cut to two bytes", "qob" + Le32(0) + "\x39\x30", ReadOutcome::Ok, 0, 12345},
    {"count of -1", "qob" + Le32(-1) + Le32(kKey) + std::string(8, '\0'), ReadOutcome::Ok, -1, kKey},
    {"lowest count", "qob" + Le32(INT_MIN) + Le32(kKey), ReadOutcome::Ok, INT_MIN, kKey},
    {"count of 0 with bytes after it", "qob" + Le32(0) + Le32(kKey) + "trailing", ReadOutcome::Ok, 0, kKey},
};

TEST(ReadBook, HandlesHeadersOfEveryLength) {
    TempDir dir;
    for (const auto& c : kHeaders) {
        const std::string path = dir.Path("file");
        WriteBytes(path, c.bytes);
        const LoadedBook book = ReadBook(path);
        EXPECT_EQ(book.outcome, c.outcome) << c.name;
        if (c.outcome != ReadOutcome::Ok) continue;
        EXPECT_EQ(book.announcedCount, c.count) << c.name;
        EXPECT_EQ(book.key, c.key) << c.name;
        EXPECT_EQ(book.damaged, c.damaged) << c.name;
        EXPECT_TRUE(book.articles.Empty()) << c.name;
    }
}

// Keys from files written elsewhere: any 32-bit value is a key, and its
// decimal text, sign included, is the cipher key.
TEST(ReadBook, ReadsBooksWithAnyKey) {
    TempDir dir;
    const std::vector<Article> articles = {{kChapter, "text\r\n"}, {"", kChinese}};
    for (BookKey key : {0, -1, -5, INT_MIN, INT_MAX, 100000000, 999999999}) {
        const std::string path = dir.Path("foreign.qob");
        WriteBytes(path, BookBytes(2, key, articles));
        const LoadedBook book = ReadBook(path);
        EXPECT_EQ(book.outcome, ReadOutcome::Ok) << key;
        EXPECT_EQ(book.key, key);
        EXPECT_EQ(book.articles, MakeList(articles)) << key;
    }
}

TEST(ReadBook, IgnoresBytesAfterTheLastArticle) {
    TempDir dir;
    const std::vector<Article> articles = {{"t", "c"}};
    WriteBytes(dir.Path("book.qob"), BookBytes(1, kKey, articles) + "more bytes" + Le32(5));
    const LoadedBook book = ReadBook(dir.Path("book.qob"));
    EXPECT_FALSE(book.damaged);
    EXPECT_EQ(book.articles, MakeList(articles));
}

TEST(ReadBook, CutsDecipheredTextAtTheFirstNul) {
    struct Case {
        std::string stored, read;
    };
    const Case cases[] = {
        {std::string("ab\0cd", 5), "ab"},
        {std::string("\0rest", 5), ""},
        {std::string("end\0", 4), "end"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteBytes(dir.Path("book.qob"), BookBytes(1, kKey, {{c.stored, c.stored}}));
        const LoadedBook book = ReadBook(dir.Path("book.qob"));
        ASSERT_EQ(book.articles.Count(), 1u);
        EXPECT_EQ(book.articles.At(0).title, c.read);
        EXPECT_EQ(book.articles.At(0).content, c.read);
        EXPECT_FALSE(book.damaged);
    }
}

TEST(ReadBook, CannotOpenWhatIsNotAReadableFile) {
    TempDir dir;
    for (const std::string& path : {std::string(), dir.Path("missing.qob"), dir.Path()}) {
        EXPECT_EQ(ReadBook(path).outcome, ReadOutcome::CannotOpen) << '"' << path << '"';
    }
}

TEST(KeyText, IsTheSignedDecimalText) {
    struct Case {
        BookKey key;
        const char* text;
    };
    const Case cases[] = {{0, "0"}, {7, "7"}, {-5, "-5"}, {100000000, "100000000"},
                          {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const auto& c : cases) EXPECT_EQ(KeyText(c.key), c.text);
}

TEST(DrawBookKey, DrawsNineDigitKeysThatVary) {
    std::set<BookKey> seen;
    for (int n = 0; n < 1000; ++n) {
        const BookKey key = DrawBookKey();
        ASSERT_GE(key, 100000000);
        ASSERT_LE(key, 999999999);
        seen.insert(key);
    }
    EXPECT_GT(seen.size(), 990u);
}

}  // namespace
}  // namespace qob
