#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "book_file.h"
#include "book_test_support.h"
#include "exports.h"

namespace qob {
namespace {

using test::MakeList;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

using Writer = WriteOutcome (*)(const std::string&, const ArticleList&);

struct NamedWriter {
    const char* name;
    Writer write;
};

// Every file the program writes goes through the same safe writer; each
// writer is checked so that none of them bypasses it.
void PrintTo(const NamedWriter& writer, std::ostream* out) { *out << writer.name; }

const NamedWriter kWriters[] = {
    {"WriteBook", &WriteBook},
    {"WriteRux", &WriteRux},
    {"WriteCustomText", &WriteCustomText},
};

const std::string kOldBytes = "the old book, which must survive";

mode_t Permissions(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class SafeWrite : public ::testing::TestWithParam<NamedWriter> {
protected:
    WriteOutcome Write(const std::string& path, const ArticleList& articles = MakeList({{"t", "c"}})) {
        return GetParam().write(path, articles);
    }

    TempDir dir_;
};

INSTANTIATE_TEST_SUITE_P(AllWriters, SafeWrite, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs the writer in a child whose file-size limit makes writes fail part
// way, as a full disk would.
WriteOutcome WriteWithSizeLimit(Writer write, const std::string& path, const ArticleList& articles,
                                rlim_t limit) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        _exit(write(path, articles) == WriteOutcome::Ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "status " << status;
    return WEXITSTATUS(status) == 0 ? WriteOutcome::Ok : WriteOutcome::CannotCreate;
}

TEST_P(SafeWrite, FailedWritesLeaveTheOldFileIntact) {
    struct Case {
        const char* name;
        std::size_t contentSize;
        rlim_t limit;
    };
    const Case cases[] = {
        {"fails in the last flush", 100, 20},
        {"fails after whole buffers went out", 3 << 20, (3 << 20) / 2},
        {"fails on the last byte", 1000, 1000},
    };
    const std::string path = dir_.Path("book");
    for (const auto& c : cases) {
        WriteBytes(path, kOldBytes);
        ::chmod(path.c_str(), 0640);
        const auto articles = MakeList({{"title", std::string(c.contentSize, 'x')}});
        EXPECT_EQ(WriteWithSizeLimit(GetParam().write, path, articles, c.limit), WriteOutcome::CannotCreate)
            << c.name;
        EXPECT_EQ(ReadBytes(path), kOldBytes) << c.name;
        EXPECT_EQ(Permissions(path), 0640u) << c.name;
        EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"book"}) << c.name << ": temporary file left";
    }
}

TEST_P(SafeWrite, RefusesTargetsItMustNotReplace) {
    std::filesystem::create_directory(dir_.Path("folder"));
    WriteBytes(dir_.Path("folder/inside"), "x");
    for (mode_t readOnly : {0444, 0400, 0000, 0555}) {
        const std::string path = dir_.Path("read-only");
        WriteBytes(path, kOldBytes);
        ::chmod(path.c_str(), readOnly);
        EXPECT_EQ(Write(path), WriteOutcome::CannotCreate) << std::oct << readOnly;
        EXPECT_EQ(ReadBytes(path), kOldBytes);
        EXPECT_EQ(Permissions(path), readOnly);
        ::chmod(path.c_str(), 0600);
    }
    EXPECT_EQ(Write(dir_.Path("folder")), WriteOutcome::CannotCreate);
    EXPECT_TRUE(std::filesystem::is_directory(dir_.Path("folder")));
    EXPECT_EQ(Write(dir_.Path("folder/")), WriteOutcome::CannotCreate);
    EXPECT_EQ(Write(dir_.Path("missing/book.qob")), WriteOutcome::CannotCreate);
    EXPECT_EQ(Write(""), WriteOutcome::CannotCreate);
    ASSERT_EQ(::mkfifo(dir_.Path("fifo").c_str(), 0666), 0);
    EXPECT_EQ(Write(dir_.Path("fifo")), WriteOutcome::CannotCreate);
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"fifo", "folder", "read-only"}));
    EXPECT_EQ(ReadBytes(dir_.Path("folder/inside")), "x");
}

TEST_P(SafeWrite, ReplacesTheWholeFileAndKeepsItsPermissions) {
    const std::string path = dir_.Path("book");
    for (mode_t mode : {0600, 0640, 0664, 0200, 0755}) {
        WriteBytes(path, std::string(100000, 'o'));
        ::chmod(path.c_str(), mode);
        ASSERT_EQ(Write(path, {}), WriteOutcome::Ok) << std::oct << mode;
        EXPECT_LT(ReadBytes(path).size(), 12u) << "nothing of the longer old file may remain";
        EXPECT_EQ(Permissions(path), mode);
        EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"book"});
        ::chmod(path.c_str(), 0600);
    }
}

TEST_P(SafeWrite, NewFileFollowsTheUmask) {
    for (mode_t mask : {022, 077, 002}) {
        const mode_t previous = ::umask(mask);
        const std::string path = dir_.Path("new" + std::to_string(mask));
        EXPECT_EQ(Write(path), WriteOutcome::Ok);
        ::umask(previous);
        EXPECT_EQ(Permissions(path), 0666u & ~mask);
    }
}

TEST_P(SafeWrite, SymlinkedTargetStaysALink) {
    std::filesystem::create_directory(dir_.Path("real"));
    WriteBytes(dir_.Path("real/book"), kOldBytes);
    std::filesystem::create_symlink("real/book", dir_.Path("relative"));
    std::filesystem::create_symlink(dir_.Path("relative"), dir_.Path("chain"));
    std::filesystem::create_symlink("real/new", dir_.Path("dangling"));
    for (const char* link : {"relative", "chain", "dangling"}) {
        const std::string before = ReadBytes(dir_.Path(link));
        ASSERT_EQ(Write(dir_.Path(link), MakeList({{link, "c"}})), WriteOutcome::Ok) << link;
        EXPECT_TRUE(std::filesystem::is_symlink(dir_.Path(link))) << link;
        const std::string after = ReadBytes(dir_.Path(link));
        EXPECT_FALSE(after.empty()) << link;
        EXPECT_NE(after, before) << link;
    }
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"chain", "dangling", "real", "relative"}));
    EXPECT_EQ(TempDir::EntriesOf(dir_.Path("real")), (std::vector<std::string>{"book", "new"}));
}

}  // namespace
}  // namespace qob
