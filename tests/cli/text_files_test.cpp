// unpack and pack: the text files, their names, and the round trip.
#include <filesystem>

#include <gtest/gtest.h>

#include "qob_test_support.h"

namespace qob::test {
namespace {

namespace fs = std::filesystem;

class TextFilesFixture {
protected:
    TempDir temp;
    std::string book = temp / "book.qob";
    std::string repacked = temp / "repacked.qob";
    fs::path dir = temp.Path() / "articles";

    ArticleList Repack() {
        const QobRun run = RunQob({"pack", dir.string(), repacked});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return ReadBook(repacked).articles;
    }
};

class UnpackTest : public TextFilesFixture, public testing::Test {};

TEST_F(UnpackTest, WritesOneUtf8FilePerArticle) {
    WriteTestBook(book, MakeList({{kDiYiZhang, kZhongWen + "\r\n" + kDiErHang},
                                  {"", ""},
                                  {"Tab\there", "ends with a break\r\n"}}));
    const QobRun run = RunQob({"unpack", book, dir.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(EntryNames(dir), (std::vector<std::string>{"0001.txt", "0002.txt", "0003.txt"}));
    EXPECT_EQ(ReadBytes(dir / "0001.txt"), "第一章\n中文\n第二行");
    EXPECT_EQ(ReadBytes(dir / "0002.txt"), "\n");
    EXPECT_EQ(ReadBytes(dir / "0003.txt"), "Tab\there\nends with a break\n");
}

TEST_F(UnpackTest, AcceptsAnExistingEmptyDirectory) {
    WriteTestBook(book, MakeList({{"t", "c"}}));
    fs::create_directory(dir);
    const QobRun run = RunQob({"unpack", book, dir.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(EntryNames(dir), std::vector<std::string>{"0001.txt"});
}

TEST_F(UnpackTest, EmptyBookGivesAnEmptyDirectory) {
    WriteTestBook(book, {});
    const QobRun run = RunQob({"unpack", book, dir.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_TRUE(fs::is_empty(dir));
}

enum class Occupant { FileInside, PlainFile, UnderAFile };

struct RefusedDirCase {
    const char* name;
    Occupant occupant;
    std::string message;
};

void PrintTo(const RefusedDirCase& c, std::ostream* os) { *os << c.name; }

class UnpackRefusesTest : public TextFilesFixture, public testing::TestWithParam<RefusedDirCase> {};

TEST_P(UnpackRefusesTest, LeavesWhatIsThere) {
    WriteTestBook(book, MakeList({{"t", "c"}}));
    fs::path target = dir;
    switch (GetParam().occupant) {
    case Occupant::FileInside:
        fs::create_directory(dir);
        WriteBytes(dir / "0001.txt", "mine");
        break;
    case Occupant::PlainFile: WriteBytes(dir, "mine"); break;
    case Occupant::UnderAFile:
        WriteBytes(dir, "mine");
        target = dir / "sub";
        break;
    }
    const QobRun run = RunQob({"unpack", book, target.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(target.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    const fs::path mine = GetParam().occupant == Occupant::FileInside ? dir / "0001.txt" : dir;
    EXPECT_EQ(ReadBytes(mine), "mine");
}

INSTANTIATE_TEST_SUITE_P(Targets, UnpackRefusesTest,
                         testing::Values(RefusedDirCase{"NotEmpty", Occupant::FileInside, " exists and is not empty"},
                                         RefusedDirCase{"PlainFile", Occupant::PlainFile, " is not a directory"},
                                         RefusedDirCase{"UnderAFile", Occupant::UnderAFile, "cannot create "}),
                         [](const auto& info) { return std::string(info.param.name); });

class TitleLineBreakTest : public TextFilesFixture, public testing::TestWithParam<std::string> {};

TEST_P(TitleLineBreakTest, IsRefusedNamingTheArticle) {
    WriteTestBook(book, MakeList({{"fine", ""}, {GetParam(), "c"}}));
    const QobRun run = RunQob({"unpack", book, dir.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("article 2: its title holds a line break"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir));
}

INSTANTIATE_TEST_SUITE_P(Breaks, TitleLineBreakTest, testing::Values("a\r\nb", "a\nb", "a\rb", "\r\n"));

class NotReversibleTest : public TextFilesFixture, public testing::TestWithParam<std::string> {};

TEST_P(NotReversibleTest, WarnsNamingTheArticleAndStillWrites) {
    WriteTestBook(book, MakeList({{"fine", "fine"}, {"t", GetParam()}}));
    const QobRun run = RunQob({"unpack", book, dir.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("warning: article 2 (0002.txt)"), std::string::npos) << run.err;
    EXPECT_EQ(EntryNames(dir), (std::vector<std::string>{"0001.txt", "0002.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Contents, NotReversibleTest,
                         testing::Values("\xFF\xFE not GB18030", "bare\nline feed", "truncated lead \xD6"));

TEST_F(UnpackTest, AWriteCutShortLeavesNoPartialFile) {
    WriteTestBook(book, MakeList({{"small", "c"}, {"big", std::string(20000, 'x')}, {"after", "c"}}));
    RunOptions smallDisk;
    smallDisk.fileSizeLimit = 4096;
    const QobRun run = RunQob({"unpack", book, dir.string()}, smallDisk);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write " + (dir / "0002.txt").string()), std::string::npos) << run.err;
    EXPECT_EQ(EntryNames(dir), std::vector<std::string>{"0001.txt"});
    EXPECT_EQ(ReadBytes(dir / "0001.txt"), "small\nc");
}

struct RoundTripCase {
    const char* name;
    ArticleList articles;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RoundTripTest : public TextFilesFixture, public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, PackAfterUnpackGivesTheSameBytes) {
    WriteTestBook(book, GetParam().articles);
    const QobRun run = RunQob({"unpack", book, dir.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Repack(), GetParam().articles);
}

INSTANTIATE_TEST_SUITE_P(
    Books, RoundTripTest,
    testing::Values(
        RoundTripCase{"ChineseWithCrlf", MakeList({{kDiYiZhang, kZhongWen + "\r\n" + kDiErHang + "\r\n\r\n" + kBiaoTi}})},
        RoundTripCase{"EmptyContent", MakeList({{kBiaoTi, ""}})},
        RoundTripCase{"EmptyTitle", MakeList({{"", kZhongWen}})},
        RoundTripCase{"EmptyTitleAndContent", MakeList({{"", ""}, {"", ""}})},
        RoundTripCase{"ContentEndingInALineBreak", MakeList({{"t", kZhongWen + "\r\n"}})},
        RoundTripCase{"ContentOfLineBreaksOnly", MakeList({{"t", "\r\n\r\n"}})},
        RoundTripCase{"ContentStartingWithALineBreak", MakeList({{"t", "\r\nafter"}})},
        RoundTripCase{"FourByteCharacters", MakeList({{kFourByteChar, kFourByteChar + "\r\n" + kFourByteChar}})},
        RoundTripCase{"TabsAndSpaces", MakeList({{" \t title ", "\t indented \r\n  "}})},
        RoundTripCase{"SameTitles", MakeList({{kBiaoTi, "1"}, {kBiaoTi, "2"}, {kBiaoTi, "3"}})}),
    [](const auto& info) { return std::string(info.param.name); });

class PackTest : public TextFilesFixture, public testing::Test {
protected:
    void SetUp() override { fs::create_directory(dir); }
};

TEST_F(PackTest, TakesTheTextFilesInNameOrder) {
    for (const char* name : {"b.txt", "10.txt", "a.txt", "2.txt"}) WriteBytes(dir / name, std::string(name) + "\n");
    WriteBytes(dir / "notes.md", "not an article\n");
    WriteBytes(dir / "upper.TXT", "not an article either\n");
    fs::create_directory(dir / "folder.txt");
    const ArticleList packed = Repack();
    std::vector<std::string> titles;
    for (const Article& article : packed) titles.push_back(article.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"10.txt", "2.txt", "a.txt", "b.txt"}));
}

TEST_F(PackTest, WarnsWhenThereIsNoTextFile) {
    WriteBytes(dir / "notes.md", "not an article\n");
    const QobRun run = RunQob({"pack", dir.string(), repacked});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("warning: " + dir.string() + " holds no .txt files"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBook(repacked).articles, ArticleList());
}

struct FileTextCase {
    const char* name;
    std::string fileText;
    Article article;
};

void PrintTo(const FileTextCase& c, std::ostream* os) { *os << c.name; }

class PackFileTextTest : public PackTest, public testing::WithParamInterface<FileTextCase> {};

TEST_P(PackFileTextTest, SplitsTitleFromContent) {
    WriteBytes(dir / "0001.txt", GetParam().fileText);
    EXPECT_EQ(Repack(), MakeList({GetParam().article}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PackFileTextTest,
    testing::Values(FileTextCase{"EmptyFile", "", {"", ""}},
                    FileTextCase{"TitleOnly", "title", {"title", ""}},
                    FileTextCase{"TitleAndBreak", "title\n", {"title", ""}},
                    FileTextCase{"NoFinalBreak", "t\nline", {"t", "line"}},
                    FileTextCase{"FinalBreakKept", "t\nline\n", {"t", "line\r\n"}},
                    FileTextCase{"WindowsBreaks", "t\r\none\r\ntwo\r\n", {"t", "one\r\ntwo\r\n"}},
                    FileTextCase{"Chinese", "第一章\n中文\n第二行", {kDiYiZhang, kZhongWen + "\r\n" + kDiErHang}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadFileCase {
    const char* name;
    std::string fileText;
    std::string message;
};

void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }

class PackRefusesFileTest : public PackTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(PackRefusesFileTest, NamesTheFileAndWritesNoBook) {
    WriteBytes(dir / "0001.txt", "fine\n");
    WriteBytes(dir / "0002.txt", GetParam().fileText);
    const QobRun run = RunQob({"pack", dir.string(), repacked});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find((dir / "0002.txt").string() + GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(repacked));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PackRefusesFileTest,
    testing::Values(BadFileCase{"Latin1", "caf\xE9\n", " is not UTF-8 text"},
                    BadFileCase{"OverlongSlash", "a\xC0\xAF", " is not UTF-8 text"},
                    BadFileCase{"Surrogate", "\xED\xA0\x80", " is not UTF-8 text"},
                    BadFileCase{"TruncatedSequence", "\xE4\xB8", " is not UTF-8 text"},
                    BadFileCase{"BeyondUnicode", "\xF4\x90\x80\x80", " is not UTF-8 text"},
                    BadFileCase{"NulByte", std::string("t\nbefore\0after", 14), " holds a NUL byte"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackDirectoryTest, RefusesAMissingDirectoryOrAFile) {
    TempDir temp;
    WriteBytes(temp / "plain", "text");
    const struct {
        std::string dir;
        std::string message;
    } cases[] = {{temp / "missing", "cannot open " + temp / "missing"}, {temp / "plain", temp / "plain" + " is not a directory"}};
    for (const auto& c : cases) {
        const QobRun run = RunQob({"pack", c.dir, temp / "book.qob"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(temp / "book.qob"));
    }
}

// Names must sort in book order, so the width grows with the count.
struct ManyCase {
    std::size_t count;
    std::string first;
    std::string last;
};

void PrintTo(const ManyCase& c, std::ostream* os) { *os << c.count << " articles"; }

class ManyArticlesTest : public TextFilesFixture, public testing::TestWithParam<ManyCase> {};

TEST_P(ManyArticlesTest, NamesFilesWideEnoughAndPacksThemBack) {
    ArticleList articles;
    for (std::size_t i = 1; i <= GetParam().count; ++i) articles.Append({std::to_string(i), ""});
    WriteTestBook(book, articles);
    const QobRun run = RunQob({"unpack", book, dir.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> names = EntryNames(dir);
    ASSERT_EQ(names.size(), GetParam().count);
    EXPECT_EQ(names.front(), GetParam().first);
    EXPECT_EQ(names.back(), GetParam().last);
    EXPECT_EQ(Repack(), articles);
}

INSTANTIATE_TEST_SUITE_P(Counts, ManyArticlesTest,
                         testing::Values(ManyCase{9999, "0001.txt", "9999.txt"},
                                         ManyCase{10000, "00001.txt", "10000.txt"}));

}  // namespace
}  // namespace qob::test
