// info, list, show and export: their output, and how they fail.
#include <filesystem>

#include <gtest/gtest.h>

#include "exports.h"
#include "qob_test_support.h"

namespace qob::test {
namespace {

namespace fs = std::filesystem;

// Placeholders in the argument tables, replaced by paths in the fixture.
const std::string kBook = "BOOK";
const std::string kOut = "OUT";

class BookFixture {
protected:
    TempDir temp;
    std::string book = temp / "book.qob";
    std::string out = temp / "out";

    std::vector<std::string> Resolve(std::vector<std::string> args) const {
        for (std::string& arg : args) {
            if (arg == kBook) arg = book;
            if (arg == kOut) arg = out;
        }
        return args;
    }
};

ArticleList ThreeArticles() {
    return MakeList({{kDiYiZhang, kZhongWen + "\r\n" + kDiErHang},
                     {"", ""},
                     {"Tab\there", "ends with a break\r\n"}});
}

struct OutputCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class OutputTest : public BookFixture, public testing::TestWithParam<OutputCase> {};

TEST_P(OutputTest, PrintsUtf8WithNewlines) {
    WriteTestBook(book, ThreeArticles());
    const QobRun run = RunQob(Resolve(GetParam().args));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OutputTest,
    testing::Values(OutputCase{"Info", {"info", kBook}, "articles: 3\nkey: 123456789\n"},
                    OutputCase{"List", {"list", kBook}, "1\t第一章\n2\t\n3\tTab\there\n"},
                    OutputCase{"ShowFirst", {"show", kBook, "1"}, "中文\n第二行"},
                    OutputCase{"ShowEmpty", {"show", kBook, "2"}, ""},
                    OutputCase{"ShowEndingInBreak", {"show", kBook, "3"}, "ends with a break\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InfoCase {
    const char* name;
    ArticleList articles;
    BookKey key;
    std::string out;
};

void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.name; }

class InfoTest : public BookFixture, public testing::TestWithParam<InfoCase> {};

TEST_P(InfoTest, PrintsCountAndKey) {
    WriteTestBook(book, GetParam().articles, GetParam().key);
    const QobRun run = RunQob({"info", book});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Keys, InfoTest,
                         testing::Values(InfoCase{"EmptyBook", {}, 100000000, "articles: 0\nkey: 100000000\n"},
                                         InfoCase{"NegativeKey", MakeList({{"t", "c"}}), -2147483647 - 1,
                                                  "articles: 1\nkey: -2147483648\n"},
                                         InfoCase{"ZeroKey", MakeList({{"t", "c"}}), 0, "articles: 1\nkey: 0\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

class ReadingTest : public BookFixture, public testing::Test {};

TEST_F(ReadingTest, ListShowsALineBreakInATitleAsASpace) {
    WriteTestBook(book, MakeList({{"two\r\nlines", ""}, {"next", ""}}));
    const QobRun run = RunQob({"list", book});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1\ttwo lines\n2\tnext\n");
}

// A content of several megabytes is converted in pieces: no character and no
// "\r\n" may be split where one piece ends and the next begins.
TEST_F(ReadingTest, ShowsALongContentWhole) {
    std::string content;
    std::string expected;
    for (int line = 0; content.size() < 3'000'000; ++line) {
        const std::string padding(static_cast<std::size_t>(line % 7), 'x');
        content += padding + kZhongWen + "\r\n";
        expected += padding + "中文\n";
    }
    content += kZhongWen;  // the last piece has no line break
    expected += "中文";
    WriteTestBook(book, MakeList({{"t", content}}));
    const QobRun run = RunQob({"show", book, "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == expected) << "output of " << run.out.size() << " bytes differs";
}

TEST_F(ReadingTest, ShowPastTheLastArticleFails) {
    WriteTestBook(book, ThreeArticles());
    const QobRun run = RunQob({"show", book, "4"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("there is no article 4"), std::string::npos) << run.err;
}

TEST_F(ReadingTest, ExportsRuxBytes) {
    WriteTestBook(book, MakeList({{kBiaoTi, "a\r\nb"}, {"", ""}}));
    const QobRun run = RunQob({"export", "rux", book, out});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string expected = std::string("rux\x02\0\0\0", 7) + std::string("\x04\0\0\0", 4) + kBiaoTi +
                                 std::string("\x04\0\0\0", 4) + "a\r\nb" + std::string(8, '\0');
    EXPECT_EQ(ReadBytes(out), expected);
}

TEST_F(ReadingTest, ExportsCustomTextBytes) {
    WriteTestBook(book, MakeList({{kBiaoTi, "a\r\n"}, {"", ""}}));
    const QobRun run = RunQob({"export", "custom", book, out});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string open = "[\xB5\xDA";
    const std::string close = "\xC6\xAA]";
    const std::string end("\r\n\0", 3);
    EXPECT_EQ(ReadBytes(out), open + "1" + close + kBiaoTi + end + "a\r\n" + end + open + "2" + close + end + end);
}

TEST_F(ReadingTest, OutputThatCannotBeWrittenFails) {
    WriteTestBook(book, ThreeArticles());
    RunOptions fullDisk;
    fullDisk.stdoutPath = "/dev/full";
    const QobRun run = RunQob({"list", book}, fullDisk);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
}

// Every command that reads a book, against the two ways a file can fail
// to be one; none may leave an output behind.
enum class BadBook { Missing, NotABook };

void PrintTo(BadBook fault, std::ostream* os) { *os << (fault == BadBook::Missing ? "Missing" : "NotABook"); }

std::string BadBookCaseName(const testing::TestParamInfo<std::tuple<std::vector<std::string>, BadBook>>& info) {
    const auto& [args, fault] = info.param;
    std::string name = args[0] == "export" ? args[0] + args[1] : args[0];
    return name + (fault == BadBook::Missing ? "Missing" : "NotABook");
}

class BadBookTest : public BookFixture,
                    public testing::TestWithParam<std::tuple<std::vector<std::string>, BadBook>> {};

TEST_P(BadBookTest, FailsWithOneLineAndWritesNothing) {
    const auto& [args, fault] = GetParam();
    if (fault == BadBook::NotABook) WriteBytes(book, std::string("QOB\x01\0\0\0\0\0\0\0", 11));
    const QobRun run = RunQob(Resolve(args));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    const std::string expected = fault == BadBook::Missing ? "cannot open " + book : book + " is not a qob book";
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BadBookTest,
    testing::Combine(testing::Values(std::vector<std::string>{"info", kBook}, std::vector<std::string>{"list", kBook},
                                     std::vector<std::string>{"show", kBook, "1"},
                                     std::vector<std::string>{"unpack", kBook, kOut},
                                     std::vector<std::string>{"export", "rux", kBook, kOut},
                                     std::vector<std::string>{"export", "custom", kBook, kOut}),
                     testing::Values(BadBook::Missing, BadBook::NotABook)),
    BadBookCaseName);

// A book cut inside its third article: every command hands out the two
// articles before the cut, then fails.
class DamagedBookTest : public BookFixture, public testing::Test {
protected:
    ArticleList whole = MakeList({{"one", "first"}, {"two", "second"}, {"three", "third"}});
    ArticleList readable = MakeList({{"one", "first"}, {"two", "second"}});

    void SetUp() override {
        WriteTestBook(book, whole);
        fs::resize_file(book, fs::file_size(book) - 2);
    }

    QobRun RunExpectingDamage(const std::vector<std::string>& args) {
        QobRun run = RunQob(Resolve(args));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(LineCount(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find(book + " is damaged: read 2 of 3 articles"), std::string::npos) << run.err;
        return run;
    }
};

TEST_F(DamagedBookTest, PrintsWhatCouldBeRead) {
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"info", kBook}, "articles: 2\nkey: 123456789\ndamaged: yes (header says 3)\n"},
        {{"list", kBook}, "1\tone\n2\ttwo\n"},
        {{"show", kBook, "2"}, "second"},
        {{"show", kBook, "3"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 2 ? " " + c.args[2] : ""));
        EXPECT_EQ(RunExpectingDamage(c.args).out, c.out);
    }
}

TEST_F(DamagedBookTest, ExportsWhatCouldBeRead) {
    const std::string expected = temp / "expected";
    const struct {
        const char* layout;
        WriteOutcome (*write)(const std::string&, const ArticleList&);
    } cases[] = {{"rux", WriteRux}, {"custom", WriteCustomText}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        RunExpectingDamage({"export", c.layout, kBook, kOut});
        ASSERT_EQ(c.write(expected, readable), WriteOutcome::Ok);
        EXPECT_EQ(ReadBytes(out), ReadBytes(expected));
    }
}

TEST_F(DamagedBookTest, UnpacksWhatCouldBeRead) {
    RunExpectingDamage({"unpack", kBook, kOut});
    EXPECT_EQ(EntryNames(out), (std::vector<std::string>{"0001.txt", "0002.txt"}));
    EXPECT_EQ(ReadBytes(fs::path(out) / "0002.txt"), "two\nsecond");
}

// Writing commands against targets that cannot take the file: the command
// fails, and an existing file keeps its old bytes.
enum class BadTarget { MissingDirectory, IsADirectory, WriteCutShort };

struct WritingCommand {
    const char* name;
    std::vector<std::string> args;
};

void PrintTo(const WritingCommand& c, std::ostream* os) { *os << c.name; }

const char* TargetName(BadTarget target) {
    switch (target) {
    case BadTarget::MissingDirectory: return "MissingDirectory";
    case BadTarget::IsADirectory: return "IsADirectory";
    case BadTarget::WriteCutShort: return "WriteCutShort";
    }
    return "";
}

void PrintTo(BadTarget target, std::ostream* os) { *os << TargetName(target); }

std::string TargetCaseName(const testing::TestParamInfo<std::tuple<WritingCommand, BadTarget>>& info) {
    return std::string(std::get<0>(info.param).name) + TargetName(std::get<1>(info.param));
}

class UnwritableTargetTest : public BookFixture,
                             public testing::TestWithParam<std::tuple<WritingCommand, BadTarget>> {};

TEST_P(UnwritableTargetTest, FailsAndKeepsTheOldFile) {
    const auto& [command, target] = GetParam();
    const std::string bigText(20000, 'x');
    WriteTestBook(book, MakeList({{"t", bigText}}));
    const fs::path source = temp / "source";
    fs::create_directory(source);
    WriteBytes(source / "0001.txt", "t\n" + bigText);

    const fs::path outDir = temp / "outputs";
    fs::create_directory(outDir);
    out = (outDir / "target").string();
    RunOptions options;
    switch (target) {
    case BadTarget::MissingDirectory: out = (outDir / "missing" / "target").string(); break;
    case BadTarget::IsADirectory: fs::create_directory(out); break;
    case BadTarget::WriteCutShort:
        WriteBytes(out, "old bytes");
        options.fileSizeLimit = 4096;
        break;
    }
    const std::vector<std::string> before = EntryNames(outDir);

    std::vector<std::string> args = Resolve(command.args);
    for (std::string& arg : args) {
        if (arg == "SOURCE") arg = source.string();
    }
    const QobRun run = RunQob(args, options);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("cannot write " + out), std::string::npos) << run.err;
    EXPECT_EQ(EntryNames(outDir), before);
    if (target == BadTarget::WriteCutShort) {
        EXPECT_EQ(ReadBytes(out), "old bytes");
    }
    if (target == BadTarget::IsADirectory) {
        EXPECT_TRUE(fs::is_directory(out));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UnwritableTargetTest,
    testing::Combine(testing::Values(WritingCommand{"Pack", {"pack", "SOURCE", kOut}},
                                     WritingCommand{"ExportRux", {"export", "rux", kBook, kOut}},
                                     WritingCommand{"ExportCustom", {"export", "custom", kBook, kOut}}),
                     testing::Values(BadTarget::MissingDirectory, BadTarget::IsADirectory,
                                     BadTarget::WriteCutShort)),
    TargetCaseName);

}  // namespace
}  // namespace qob::test
