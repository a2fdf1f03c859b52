#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "book_file.h"
#include "book_test_support.h"

namespace qob {
namespace {

using test::BookBytes;
using test::EncipheredField;
using test::Le32;
using test::MakeList;
using test::TempDir;
using test::WriteBytes;

constexpr BookKey kKey = 555555555;
const std::string kKeyText = "555555555";
const std::vector<Article> kTwo = {{"first", "one"}, {"second", "two"}};

std::string Header(std::int32_t count) { return "qob" + Le32(count) + Le32(kKey); }
std::string Stored(const Article& article) {
    return EncipheredField(kKeyText, article.title) + EncipheredField(kKeyText, article.content);
}
std::string Cut(const std::string& bytes, std::size_t dropped) { return bytes.substr(0, bytes.size() - dropped); }

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::int32_t announced;
    std::size_t complete;  // leading articles of kTwo that must come back
};

const DamagedCase kDamaged[] = {
    {"count one larger than stored", BookBytes(3, kKey, kTwo), 3, 2},
    {"largest count in a tiny file", BookBytes(INT_MAX, kKey, kTwo), INT_MAX, 2},
    {"largest title length", Header(2) + Le32(INT_MAX) + "xyz", 2, 0},
    {"largest content length", Header(2) + Stored(kTwo[0]) + EncipheredField(kKeyText, "second") + Le32(INT_MAX),
     2, 1},
    {"negative title length", Header(2) + Stored(kTwo[0]) + Le32(-1) + Stored(kTwo[1]), 2, 1},
    {"negative content length drops the whole article", Header(2) + EncipheredField(kKeyText, "first") + Le32(-8),
     2, 0},
    {"lowest length", Header(1) + Le32(INT_MIN), 1, 0},
    {"cut inside a title length", Header(2) + Stored(kTwo[0]) + std::string("\x06\x00", 2), 2, 1},
    {"cut inside title bytes", Cut(Header(1) + EncipheredField(kKeyText, "first"), 1), 1, 0},
    {"cut inside a content length", Header(2) + Stored(kTwo[0]) + EncipheredField(kKeyText, "second") + "\x03", 2, 1},
    {"cut one byte short of the end", Cut(BookBytes(2, kKey, kTwo), 1), 2, 1},
    {"length one past the end", Header(1) + EncipheredField(kKeyText, "t") + Le32(4) + "abc", 1, 0},
};

// A damaged book gives the whole articles before the first bad field and
// says so; it never reads on from the wrong place.
TEST(DamagedBook, ReturnsTheCompleteArticlesBeforeTheDamage) {
    TempDir dir;
    for (const auto& c : kDamaged) {
        WriteBytes(dir.Path("damaged.qob"), c.bytes);
        const LoadedBook book = ReadBook(dir.Path("damaged.qob"));
        EXPECT_EQ(book.outcome, ReadOutcome::Ok) << c.name;
        EXPECT_TRUE(book.damaged) << c.name;
        EXPECT_EQ(book.announcedCount, c.announced) << c.name;
        EXPECT_EQ(book.key, kKey) << c.name;
        EXPECT_EQ(book.articles, MakeList({kTwo.begin(), kTwo.begin() + static_cast<long>(c.complete)}))
            << c.name;
    }
}

TEST(DamagedBook, LengthThatEndsExactlyAtTheFileEndIsWhole) {
    TempDir dir;
    WriteBytes(dir.Path("book.qob"), BookBytes(2, kKey, kTwo));
    const LoadedBook book = ReadBook(dir.Path("book.qob"));
    EXPECT_FALSE(book.damaged);
    EXPECT_EQ(book.articles, MakeList(kTwo));
}

// Huge counts and lengths in a tiny file must not be trusted for
// allocation. A child process reads each file and reports its peak memory.
TEST(DamagedBook, HugeNumbersInATinyFileNeedLittleMemory) {
    constexpr long kPeakLimitKiB = 128 * 1024;  // the numbers claim gigabytes
    TempDir dir;
    const std::string files[] = {
        Header(INT_MAX),
        Header(INT_MAX) + Le32(INT_MAX) + "tiny",
        Header(INT_MAX) + Stored(kTwo[0]) + Le32(0) + Le32(INT_MAX - 1) + "tiny",
    };
    for (const auto& bytes : files) {
        WriteBytes(dir.Path("huge.qob"), bytes);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const LoadedBook book = ReadBook(dir.Path("huge.qob"));
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            _exit(book.damaged && usage.ru_maxrss < kPeakLimitKiB ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
}

}  // namespace
}  // namespace qob
