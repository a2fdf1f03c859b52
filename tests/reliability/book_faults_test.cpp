// The book and export writers when the process dies mid-save or the path is
// unusual, and books that claim far more than they hold.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "book_file.h"
#include "exports.h"
#include "fault_support.h"
#include "qob_test_support.h"

namespace qob::test {
namespace {

namespace fs = std::filesystem;
using reliability::IsHiddenTemporary;
using reliability::KillMidWrite;
using reliability::Leftovers;

using Writer = WriteOutcome (*)(const std::string&, const ArticleList&);

struct NamedWriter {
    const char* name;
    Writer write;
    bool isBook;
};

void PrintTo(const NamedWriter& writer, std::ostream* out) { *out << writer.name; }

const NamedWriter kWriters[] = {
    {"WriteBook", &WriteBook, true},
    {"WriteRux", &WriteRux, false},
    {"WriteCustomText", &WriteCustomText, false},
};

constexpr std::uintmax_t kCaughtWriting = 4 << 20;

// Large enough that the write is still under way when it is caught.
ArticleList LargeBook() {
    ArticleList book;
    for (char title : {'a', 'b', 'c'}) book.Append({std::string(1, title), std::string(32 << 20, title)});
    return book;
}

class WriterTest : public testing::TestWithParam<NamedWriter> {
protected:
    WriteOutcome Write(const fs::path& path, const ArticleList& articles) const {
        return GetParam().write(path.string(), articles);
    }

    void ExpectReadsBack(const fs::path& path, const ArticleList& articles) const {
        if (!GetParam().isBook) return;
        const LoadedBook book = ReadBook(path.string());
        EXPECT_EQ(book.outcome, ReadOutcome::Ok) << path;
        EXPECT_FALSE(book.damaged) << path;
        EXPECT_EQ(book.articles, articles) << path;
    }

    TempDir temp;
};

INSTANTIATE_TEST_SUITE_P(AllWriters, WriterTest, testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

// A save killed halfway leaves the old file whole under its name; what it
// leaves beside it can never be taken for a book, and the next save works.
TEST_P(WriterTest, SaveKilledMidWriteLeavesTheOldFileWhole) {
    const fs::path target = temp.Path() / "book.qob";
    const ArticleList old = MakeList({{"old", "book"}, {kZhongWen, kDiErHang}});
    ASSERT_EQ(Write(target, old), WriteOutcome::Ok);
    const std::string oldBytes = ReadBytes(target);

    ASSERT_TRUE(KillMidWrite(temp.Path(), kCaughtWriting, [&] { Write(target, LargeBook()); }))
        << "the save was not caught in the middle";

    EXPECT_EQ(ReadBytes(target), oldBytes);
    ExpectReadsBack(target, old);
    for (const std::string& name : Leftovers(temp.Path(), "book.qob")) {
        EXPECT_TRUE(IsHiddenTemporary(name)) << name;
    }
    const ArticleList next = MakeList({{"next", "save"}});
    EXPECT_EQ(Write(target, next), WriteOutcome::Ok);
    ExpectReadsBack(target, next);
}

TEST_P(WriterTest, PathsWithSpacesAndChineseCharacters) {
    const ArticleList articles = MakeList({{kBiaoTi, kZhongWen + "\r\n" + kFourByteChar}});
    const fs::path plain = temp.Path() / "plain";
    ASSERT_EQ(Write(plain, articles), WriteOutcome::Ok);
    for (const char* name : {"with space.qob", " leading and trailing .qob", "中文书名.qob", "书 目录/第一 章.qob",
                             "目录/子目录/book"}) {
        const fs::path path = temp.Path() / name;
        fs::create_directories(path.parent_path());
        ASSERT_EQ(Write(path, articles), WriteOutcome::Ok) << name;
        EXPECT_EQ(ReadBytes(path).size(), ReadBytes(plain).size()) << name;
        ExpectReadsBack(path, articles);
    }
    for (const auto& entry : fs::recursive_directory_iterator(temp.Path())) {
        EXPECT_FALSE(IsHiddenTemporary(entry.path().filename().string())) << entry.path() << " stayed";
    }
}

// What is not a regular file is refused at once: opening a FIFO must not
// wait for a writer that never comes.
TEST(NotARegularFile, IsRefusedWithoutWaiting) {
    constexpr unsigned kHangSeconds = 20;
    TempDir temp;
    const std::string fifo = temp / "fifo.qob";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    for (const std::string& path : {fifo, temp.Path().string(), std::string("/dev/null")}) {
        EXPECT_TRUE(reliability::SucceedsInChild([&] {
            ::alarm(kHangSeconds);
            return ReadBook(path).outcome == ReadOutcome::CannotOpen;
        })) << path << ": not refused, or still waiting after " << kHangSeconds << " s";
    }
}

}  // namespace
}  // namespace qob::test
