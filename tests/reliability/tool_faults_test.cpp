// The qob tool against targets it must not replace, unusual paths, a kill
// in the middle of a write, and books that lie about their contents.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "book_file.h"
#include "exports.h"
#include "fault_support.h"
#include "qob_test_support.h"

namespace qob::test {
namespace {

namespace fs = std::filesystem;
using reliability::Le32;

// Placeholders in the argument tables.
const std::string kBook = "BOOK";
const std::string kSource = "SOURCE";
const std::string kOut = "OUT";

struct WritingCommand {
    const char* name;
    std::vector<std::string> args;
};

void PrintTo(const WritingCommand& command, std::ostream* out) { *out << command.name; }

const WritingCommand kFileWriters[] = {
    {"Pack", {"pack", kSource, kOut}},
    {"ExportRux", {"export", "rux", kBook, kOut}},
    {"ExportCustom", {"export", "custom", kBook, kOut}},
};

[[noreturn]] void ExecQobQuietly(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(QOB_TOOL_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int quiet = ::open("/dev/null", O_WRONLY);
    ::dup2(quiet, STDOUT_FILENO);
    ::dup2(quiet, STDERR_FILENO);
    ::execv(QOB_TOOL_PATH, argv.data());
    ::_exit(127);
}

class ToolFixture {
protected:
    TempDir temp;
    fs::path book = temp.Path() / "book.qob";
    fs::path source = temp.Path() / "source";
    fs::path outputs = temp.Path() / "outputs";
    fs::path out = outputs / "target";

    // A book and a directory of text files that make the same one article.
    void MakeInputs(const std::string& content) {
        WriteTestBook(book.string(), MakeList({{"t", content}}));
        fs::create_directories(source);
        WriteBytes(source / "0001.txt", "t\n" + content);
        fs::create_directories(outputs);
    }

    std::vector<std::string> Resolve(std::vector<std::string> args) const {
        for (std::string& arg : args) {
            if (arg == kBook) arg = book.string();
            if (arg == kSource) arg = source.string();
            if (arg == kOut) arg = out.string();
        }
        return args;
    }
};

class FileWriterTest : public ToolFixture, public testing::TestWithParam<WritingCommand> {};

INSTANTIATE_TEST_SUITE_P(Commands, FileWriterTest, testing::ValuesIn(kFileWriters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FileWriterTest, ReadOnlyTargetKeepsItsBytes) {
    MakeInputs("content");
    for (mode_t readOnly : {0444, 0400, 0000}) {
        WriteBytes(out, "old bytes");
        ::chmod(out.c_str(), readOnly);
        const QobRun run = RunQob(Resolve(GetParam().args));
        EXPECT_EQ(run.status, 1) << std::oct << readOnly;
        EXPECT_EQ(LineCount(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find("cannot write " + out.string()), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(out), "old bytes");
        EXPECT_EQ(EntryNames(outputs), std::vector<std::string>{"target"});
        ::chmod(out.c_str(), 0600);
    }
}

// The old book under the target's name survives a kill and still reads
// whole; nothing the killed command left passes for a book.
TEST_P(FileWriterTest, KilledMidWriteLeavesTheOldFileWhole) {
    MakeInputs(std::string(48 << 20, 'x'));
    WriteTestBook(out.string(), MakeList({{"old", "book"}}));
    const std::string oldBytes = ReadBytes(out);
    const std::vector<std::string> args = Resolve(GetParam().args);

    ASSERT_TRUE(reliability::KillMidWrite(outputs, 4 << 20, [&] { ExecQobQuietly(args); }))
        << "the command was not caught in the middle of its write";

    EXPECT_EQ(ReadBytes(out), oldBytes);
    const QobRun info = RunQob({"info", out.string()});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "articles: 1\nkey: " + std::to_string(kTestKey) + "\n");
    for (const std::string& name : reliability::Leftovers(outputs, "target")) {
        EXPECT_TRUE(reliability::IsHiddenTemporary(name)) << name;
    }
}

// unpack killed halfway: the text files it finished are whole, and the
// one it was writing is not there under its name.
TEST(ToolKilled, UnpackLeavesOnlyWholeTextFiles) {
    TempDir temp;
    const fs::path book = temp.Path() / "book.qob";
    const fs::path dir = temp.Path() / "unpacked";
    const std::string content(16 << 20, 'x');
    WriteTestBook(book.string(), MakeList({{"a", content}, {"b", content}, {"c", content}}));

    ASSERT_TRUE(reliability::KillMidWrite(dir, 4 << 20, [&] { ExecQobQuietly({"unpack", book.string(), dir.string()}); }))
        << "unpack was not caught in the middle of a write";

    const std::vector<std::string> titles = {"a", "b", "c"};
    for (const std::string& name : EntryNames(dir)) {
        if (reliability::IsHiddenTemporary(name)) continue;
        ASSERT_EQ(name.size(), 8u) << name;
        const std::size_t number = std::stoul(name.substr(0, 4));
        ASSERT_TRUE(number >= 1 && number <= titles.size()) << name;
        EXPECT_EQ(ReadBytes(dir / name), titles[number - 1] + "\n" + content) << name << " is not whole";
    }
}

// Every writing command, unpack included, with targets and sources whose
// names hold spaces and Chinese characters.
TEST(ToolPaths, SpacesAndChineseCharactersWork) {
    TempDir temp;
    const fs::path dir = temp.Path() / "我的 书";
    fs::create_directories(dir);
    const fs::path book = dir / "第一 本.qob";
    const ArticleList articles = MakeList({{kBiaoTi, kZhongWen + "\r\n" + kDiErHang}});
    WriteTestBook(book.string(), articles);
    const fs::path unpacked = dir / "拆开 的";
    const fs::path packed = dir / "重新 打包.qob";
    const fs::path rux = dir / "导出 rux.rux";
    const fs::path custom = dir / "导出 自定义.txt";

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"unpack", book.string(), unpacked.string()},
          std::vector<std::string>{"pack", unpacked.string(), packed.string()},
          std::vector<std::string>{"export", "rux", book.string(), rux.string()},
          std::vector<std::string>{"export", "custom", book.string(), custom.string()}}) {
        const QobRun run = RunQob(args);
        EXPECT_EQ(run.status, 0) << args[0] << ": " << run.err;
    }
    EXPECT_EQ(ReadBook(packed.string()).articles, articles);
    const fs::path expected = temp.Path() / "expected";
    ASSERT_EQ(WriteRux(expected.string(), articles), WriteOutcome::Ok);
    EXPECT_EQ(ReadBytes(rux), ReadBytes(expected));
    ASSERT_EQ(WriteCustomText(expected.string(), articles), WriteOutcome::Ok);
    EXPECT_EQ(ReadBytes(custom), ReadBytes(expected));
}

std::string Header(std::int32_t count) { return "qob" + Le32(count) + Le32(kTestKey); }

std::string BookOf(const ArticleList& articles) {
    TempDir temp;
    WriteTestBook(temp / "book", articles);
    return ReadBytes(temp / "book");
}

std::string InfoLines(std::size_t articles, const std::string& damage = "") {
    return "articles: " + std::to_string(articles) + "\nkey: " + std::to_string(kTestKey) + "\n" + damage;
}

struct BadBookCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> args;
    int status;
    std::string out;
};

// Books no writer of ours makes: every command gives what can be read and
// the right status, at once.
TEST(ToolBadBooks, GiveWhatCanBeReadAndTheRightStatus) {
    const std::string kReplacement = "\xEF\xBF\xBD";
    const BadBookCase cases[] = {
        {"only the magic", "qob", {"info", kBook}, 0, "articles: 0\nkey: 0\n"},
        {"count cut short", "qob\x02", {"info", kBook}, 1, "articles: 0\nkey: 0\ndamaged: yes (header says 2)\n"},
        {"count -1", Header(-1) + "junk", {"info", kBook}, 0, InfoLines(0)},
        {"count 2147483647, nothing stored", Header(INT_MAX), {"info", kBook}, 1,
         InfoLines(0, "damaged: yes (header says 2147483647)\n")},
        {"count 2147483647, one article stored", Header(INT_MAX) + BookOf(MakeList({{"a", "b"}})).substr(11),
         {"list", kBook}, 1, "1\ta\n"},
        {"a gigabyte title claimed", Header(1) + Le32(1 << 30) + "tiny", {"info", kBook}, 1,
         InfoLines(0, "damaged: yes (header says 1)\n")},
        {"empty title", BookOf(MakeList({{"", "c"}})), {"list", kBook}, 0, "1\t\n"},
        {"NUL inside the title and the content", BookOf(MakeList({{std::string("ab\0cd", 5), std::string("x\0y", 3)}})),
         {"show", kBook, "1"}, 0, "x"},
        {"NUL inside the title, listed", BookOf(MakeList({{std::string("ab\0cd", 5), "c"}})), {"list", kBook}, 0,
         "1\tab\n"},
        {"bytes that are not GB18030", BookOf(MakeList({{"a\x81\x20" "b\xFF", "c"}})), {"list", kBook}, 0,
         "1\ta" + kReplacement + " b" + kReplacement + "\n"},
    };
    TempDir temp;
    const std::string book = temp / "bad.qob";
    for (const auto& c : cases) {
        WriteBytes(book, c.bytes);
        std::vector<std::string> args = c.args;
        for (std::string& arg : args) {
            if (arg == kBook) arg = book;
        }
        const QobRun run = RunQob(args);
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.name;
    }
}

TEST(ToolBadBooks, HugeTitleIsListedWhole) {
    TempDir temp;
    const std::string title(4 << 20, 'T');
    WriteTestBook(temp / "huge.qob", MakeList({{title, "c"}, {"", ""}}));
    const QobRun run = RunQob({"list", temp / "huge.qob"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1\t" + title + "\n2\t\n");
}

// A length that claims a gigabyte is checked against what the file holds
// before anything is allocated, also when a hole makes the file look large:
// the book reads as damaged and empty, and every reading command refuses it
// in little memory.
TEST(ClaimedGigabyte, IsRefusedInLittleMemory) {
    constexpr long kPeakLimitKiB = 64 * 1024;
    constexpr std::int32_t kGigabyte = 1 << 30;
    const struct {
        const char* name;
        std::int32_t claimed;
        std::uintmax_t fileSize;
    } cases[] = {
        {"a gigabyte claimed, a few bytes held", kGigabyte, 64},
        {"a gigabyte claimed in a sparse half-gigabyte file", kGigabyte, std::uintmax_t{1} << 29},
        {"one byte more than a sparse gigabyte file holds", kGigabyte, std::uintmax_t{kGigabyte} + 14},
        {"the largest length in a sparse gigabyte file", INT_MAX, std::uintmax_t{1} << 30},
    };
    TempDir temp;
    const std::string book = temp / "huge.qob";
    const std::string out = temp / "out";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reliability::WriteBookClaiming(book, c.claimed, c.fileSize);
        const LoadedBook loaded = ReadBook(book);
        EXPECT_TRUE(loaded.outcome == ReadOutcome::Ok && loaded.damaged && loaded.articles.Empty());
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"info", book}, std::vector<std::string>{"list", book},
              std::vector<std::string>{"show", book, "1"}, std::vector<std::string>{"export", "rux", book, out},
              std::vector<std::string>{"unpack", book, temp / "unpacked"}}) {
            const reliability::MeasuredRun run = reliability::RunMeasured(QOB_TOOL_PATH, args);
            EXPECT_EQ(run.status, 1) << args[0];
            EXPECT_GT(run.peakKiB, 0) << args[0];
            EXPECT_LT(run.peakKiB, kPeakLimitKiB) << args[0];
        }
    }
}

}  // namespace
}  // namespace qob::test
