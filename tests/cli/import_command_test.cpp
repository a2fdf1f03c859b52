// qob import: a plain-text file into a book, end to end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "qob_test_support.h"

namespace qob::test {
namespace {

// UTF-8 spellings of the GB18030 texts below.
const std::string kNovel = "序\n第一章 开始\n中文\n第二行\n";
const std::string kXu = "\xD0\xF2";  // 序

class ImportTest : public testing::Test {
protected:
    TempDir temp;
    std::string text = temp / "novel.txt";
    std::string book = temp / "novel.qob";

    QobRun Import(const std::string& bytes, std::vector<std::string> extra = {}) {
        WriteBytes(text, bytes);
        std::vector<std::string> args{"import", text, book};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunQob(args);
    }
};

TEST_F(ImportTest, WritesOneArticlePerChapterAndSaysHowItReadTheFile) {
    const QobRun run = Import(kNovel);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "articles: 2\nencoding: UTF-8\n");
    EXPECT_EQ(run.err, "");
    const LoadedBook loaded = ReadBook(book);
    ASSERT_EQ(loaded.outcome, ReadOutcome::Ok);
    EXPECT_EQ(loaded.articles, MakeList({{"\xC7\xB0\xD1\xD4", kXu},  // 前言
                                         {kDiYiZhang + " \xBF\xAA\xCA\xBC", kZhongWen + "\r\n" + kDiErHang}}));
}

TEST_F(ImportTest, ReadsGb18030Too) {
    const QobRun run = Import(kDiYiZhang + "\r\n" + kZhongWen + "\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "articles: 1\nencoding: GB18030\n");
    EXPECT_EQ(ReadBook(book).articles, MakeList({{kDiYiZhang, kZhongWen}}));
}

TEST_F(ImportTest, AHeadingPatternReplacesTheChapterHeadings) {
    for (const std::vector<std::string>& option :
         {std::vector<std::string>{"--heading", "^序$"}, std::vector<std::string>{"--heading=^序$"}}) {
        const QobRun run = Import(kNovel, option);
        ASSERT_EQ(run.status, 0) << run.err;
        const ArticleList articles = ReadBook(book).articles;
        ASSERT_EQ(articles.Count(), 1u) << option[0];
        EXPECT_EQ(articles.At(0).title, kXu);
    }
}

struct RefusalCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> extra;
    int status;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class ImportRefusalTest : public ImportTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(ImportRefusalTest, WritesNoBook) {
    const RefusalCase& c = GetParam();
    const QobRun run = Import(c.bytes, c.extra);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(book));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportRefusalTest,
    testing::Values(RefusalCase{"EmptyFile", "", {}, 1, "holds no text; no book was written"},
                    RefusalCase{"BlankFile", "\n \n", {}, 1, "holds no text"},
                    RefusalCase{"NulBytes", std::string("a\0b", 3), {}, 1, "is not UTF-8 or GB18030 text"},
                    RefusalCase{"BadPattern", kNovel, {"--heading", "("}, 2, "not a valid ECMAScript regular"},
                    RefusalCase{"PatternMissing", kNovel, {"--heading"}, 2, "option '--heading' needs a value"},
                    RefusalCase{"UnknownOption", kNovel, {"--title", "x"}, 2, "unknown option '--title'"},
                    RefusalCase{"TooManyOperands", kNovel, {"extra"}, 2, "import: too many operands"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// A FIFO would block the read forever and a device like /dev/zero never ends.
TEST_F(ImportTest, MissingTextFileOrOneThatIsNotRegularIsAFailure) {
    const std::string fifo = temp / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {temp / "missing.txt", temp.Path().string(), fifo, std::string("/dev/zero")}) {
        const QobRun run = RunQob({"import", path, book});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_NE(run.err, "") << path;
        EXPECT_FALSE(std::filesystem::exists(book));
    }
}

TEST_F(ImportTest, OtherCommandsTakeNoHeadingOption) {
    const QobRun run = RunQob({"info", "--heading", "x", book});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown option '--heading'"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace qob::test
