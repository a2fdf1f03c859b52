#include "exports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book_file.h"
#include "book_test_support.h"

namespace qob {
namespace {

using test::Le32;
using test::MakeList;
using test::ReadBytes;
using test::TempDir;

const std::string kNul(1, '\0');
// "[第" and "篇]" in GB18030.
const std::string kOpen = "[\xB5\xDA";
const std::string kClose = "\xC6\xAA]";
const std::string kChinese = "\xD6\xD0\xCE\xC4";

std::string Plain(const std::string& text) { return Le32(static_cast<std::int32_t>(text.size())) + text; }
std::string Heading(int number, const std::string& title) {
    return kOpen + std::to_string(number) + kClose + title + "\r\n" + kNul;
}
std::string Body(const std::string& content) { return content + "\r\n" + kNul; }

// Appending, because GCC 12 warns wrongly on "literal" + std::string&&.
std::string Title(int number) {
    std::string title = "t";
    title += std::to_string(number);
    return title;
}

std::vector<Article> Numbered(int count) {
    std::vector<Article> articles;
    for (int n = 1; n <= count; ++n) articles.push_back({Title(n), "c"});
    return articles;
}

struct ExportCase {
    const char* name;
    std::vector<Article> articles;
    std::string rux;
    std::string custom;
};

std::vector<ExportCase> Cases() {
    std::string tenRux = "rux" + Le32(10);
    std::string tenCustom;
    for (int n = 1; n <= 10; ++n) {
        tenRux += Plain(Title(n)) + Plain("c");
        tenCustom += Heading(n, Title(n)) + Body("c");
    }
    return {
        {"empty book", {}, "rux" + Le32(0), ""},
        {"empty texts", {{"", ""}}, "rux" + Le32(1) + std::string(8, '\0'),
         kOpen + "1" + kClose + "\r\n" + kNul + "\r\n" + kNul},
        {"content ending in a line break", {{kChinese, "line\r\n"}},
         "rux" + Le32(1) + Plain(kChinese) + Plain("line\r\n"), Heading(1, kChinese) + "line\r\n\r\n" + kNul},
        {"tenth heading", Numbered(10), tenRux, tenCustom},
        {"bytes kept as they are", {{"\x80\xFF", "a\rb\nc"}}, "rux" + Le32(1) + Plain("\x80\xFF") + Plain("a\rb\nc"),
         Heading(1, "\x80\xFF") + Body("a\rb\nc")},
    };
}

TEST(Exports, WriteBothLayoutsByteForByte) {
    TempDir dir;
    for (const auto& c : Cases()) {
        const ArticleList list = MakeList(c.articles);
        ASSERT_EQ(WriteRux(dir.Path("book.rux"), list), WriteOutcome::Ok) << c.name;
        EXPECT_EQ(ReadBytes(dir.Path("book.rux")), c.rux) << c.name;
        ASSERT_EQ(WriteCustomText(dir.Path("book.txt"), list), WriteOutcome::Ok) << c.name;
        EXPECT_EQ(ReadBytes(dir.Path("book.txt")), c.custom) << c.name;
    }
}

TEST(Exports, TenthHeadingHasNoLeadingZero) {
    TempDir dir;
    ASSERT_EQ(WriteCustomText(dir.Path("book.txt"), MakeList(Numbered(10))), WriteOutcome::Ok);
    const std::string bytes = ReadBytes(dir.Path("book.txt"));
    EXPECT_NE(bytes.find(kOpen + "10" + kClose + "t10\r\n" + kNul), std::string::npos);
    EXPECT_EQ(bytes.find(kOpen + "01"), std::string::npos);
}

// The plain layout is the book layout without key and cipher.
TEST(Exports, RuxMatchesTheBookLayoutWithoutKey) {
    TempDir dir;
    const ArticleList list = MakeList({{kChinese, "a\r\nb"}, {"", std::string(300, 'z')}});
    ASSERT_EQ(WriteRux(dir.Path("book.rux"), list), WriteOutcome::Ok);
    ASSERT_EQ(WriteBook(dir.Path("book.qob"), list), WriteOutcome::Ok);
    const std::string rux = ReadBytes(dir.Path("book.rux"));
    const std::string qob = ReadBytes(dir.Path("book.qob"));
    ASSERT_EQ(rux.size() + 4, qob.size());
    EXPECT_EQ(rux.substr(3, 4), qob.substr(3, 4));
    std::size_t r = 7;
    std::size_t q = 11;
    for (const Article& article : list) {
        for (const Text* text : {&article.title, &article.content}) {
            EXPECT_EQ(rux.substr(r, 4), qob.substr(q, 4));
            EXPECT_EQ(rux.substr(r + 4, text->size()), *text);
            r += 4 + text->size();
            q += 4 + text->size();
        }
    }
}

}  // namespace
}  // namespace qob
