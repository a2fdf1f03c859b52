// The pure part of the association: registry entries, directories, the
// desktop entry's Exec value and the mimeapps.list update.
#include "association.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace qob::association;

TEST(RegistryEntries, FourEntriesInOrderWithTheCommandQuoted) {
    const std::vector<RegistryEntry> expected = {
        {".qob", "qob.vark"},
        {"qob.vark\\shell\\open", "\xB4\xF2\xBF\xAA"},  // 打开 in code page 936
        {"qob.vark\\shell\\open\\command", "\"C:\\Program Files\\qob\\qob.exe\" \"%1\""},
        {"qob.vark\\DefaultIcon", "C:\\Program Files\\qob\\qob.exe,0"},
    };
    EXPECT_EQ(RegistryEntries("C:\\Program Files\\qob\\qob.exe"), expected);
    EXPECT_EQ(RegistryEntries("C:/Program Files/qob/qob.exe"), expected);
}

// The registry layer is this loop with a writer that sets one key.
TEST(WriteUntilFirstFailure, StopsAtTheFirstFailingEntry) {
    const std::vector<RegistryEntry> entries = RegistryEntries("C:\\qob.exe");
    for (std::size_t failing = 0; failing <= entries.size(); ++failing) {
        std::vector<std::string> attempted;
        const std::size_t written = WriteUntilFirstFailure(entries, [&](const RegistryEntry& entry) {
            attempted.push_back(entry.key);
            return attempted.size() != failing + 1;
        });
        EXPECT_EQ(written, failing) << "failing entry " << failing;
        const std::size_t tries = std::min(failing + 1, entries.size());
        ASSERT_EQ(attempted.size(), tries) << "failing entry " << failing;
        for (std::size_t i = 0; i < tries; ++i) EXPECT_EQ(attempted[i], entries[i].key);
    }
}

struct DirsCase {
    const char* name;
    const char* dataHome;
    const char* configHome;
    const char* home;
    std::optional<XdgDirs> expected;
};

void PrintTo(const DirsCase& c, std::ostream* out) { *out << c.name; }

const DirsCase kDirsCases[] = {
    {"both set", "/d", "/c", "/home/u", XdgDirs{"/d", "/c"}},
    {"defaults under home", nullptr, nullptr, "/home/u", XdgDirs{"/home/u/.local/share", "/home/u/.config"}},
    {"empty values are unset", "", "", "/home/u", XdgDirs{"/home/u/.local/share", "/home/u/.config"}},
    {"relative values are ignored", "data", "./c", "/home/u", XdgDirs{"/home/u/.local/share", "/home/u/.config"}},
    {"no home needed when both set", "/d", "/c", nullptr, XdgDirs{"/d", "/c"}},
    {"no home and one unset", "/d", nullptr, nullptr, std::nullopt},
    {"relative home", nullptr, nullptr, "home", std::nullopt},
};

class XdgDirsTest : public testing::TestWithParam<DirsCase> {};

TEST_P(XdgDirsTest, FollowTheBaseDirectoryRules) {
    const DirsCase& c = GetParam();
    const std::optional<XdgDirs> dirs = XdgDirsFrom(c.dataHome, c.configHome, c.home);
    ASSERT_EQ(dirs.has_value(), c.expected.has_value());
    if (!dirs) return;
    EXPECT_EQ(dirs->dataHome, c.expected->dataHome);
    EXPECT_EQ(dirs->configHome, c.expected->configHome);
}

INSTANTIATE_TEST_SUITE_P(Environment, XdgDirsTest, testing::ValuesIn(kDirsCases));

struct ExecCase {
    const char* name;
    const char* path;
    const char* exec;
};

void PrintTo(const ExecCase& c, std::ostream* out) { *out << c.name; }

// Written as they appear in the file: \\" is the string-escaped \" that the
// arguments parser turns into a quote.
const ExecCase kExecCases[] = {
    {"plain", "/usr/bin/qob-editor", R"("/usr/bin/qob-editor" %f)"},
    {"spaces", "/opt/My Books/qob editor", R"("/opt/My Books/qob editor" %f)"},
    {"double quote", "/opt/a\"b/qob", R"("/opt/a\\"b/qob" %f)"},
    {"backtick and dollar", "/opt/`x`/$HOME/qob", R"("/opt/\\`x\\`/\\$HOME/qob" %f)"},
    {"backslash", "/opt/a\\b/qob", R"("/opt/a\\\\b/qob" %f)"},
    {"percent is not a field code", "/opt/100%f/qob", R"("/opt/100%%f/qob" %f)"},
    {"single quote is plain", "/opt/it's/qob", R"("/opt/it's/qob" %f)"},
    {"control characters", "/opt/a\tb\nc\rd/qob", R"("/opt/a\tb\nc\rd/qob" %f)"},
    {"chinese", "/home/用户/电子书/qob-editor", R"("/home/用户/电子书/qob-editor" %f)"},
};

class DesktopExecTest : public testing::TestWithParam<ExecCase> {};

TEST_P(DesktopExecTest, QuotesAndEscapesThePath) {
    EXPECT_EQ(DesktopExecValue(GetParam().path), GetParam().exec);
}

INSTANTIATE_TEST_SUITE_P(Paths, DesktopExecTest, testing::ValuesIn(kExecCases));

TEST(DesktopEntry, NamesTheProgramTheTypeAndTheIcon) {
    const std::string entry = DesktopEntry("/opt/My Books/qob");
    EXPECT_TRUE(entry.starts_with("[Desktop Entry]\n"));
    for (const char* line : {"\nType=Application\n", "\nName=QOB电子书编辑器\n", "\nExec=\"/opt/My Books/qob\" %f\n",
                             "\nMimeType=application/x-qob;\n", "\nIcon=qob-editor\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    EXPECT_EQ(entry.find("@EXEC@"), std::string::npos);
}

TEST(MimePackage, DeclaresTheTypeWithItsGlobAndComment) {
    for (const char* part : {"<mime-type type=\"application/x-qob\">", "<glob pattern=\"*.qob\"/>",
                             "<comment>qob电子书</comment>", "<icon name=\"qob-editor\"/>"})
        EXPECT_NE(kMimePackage.find(part), std::string_view::npos) << part;
}

struct MimeAppsCase {
    const char* name;
    const char* before;
    const char* after;
};

void PrintTo(const MimeAppsCase& c, std::ostream* out) { *out << c.name; }

const MimeAppsCase kMimeAppsCases[] = {
    {"missing file", "", "[Default Applications]\napplication/x-qob=qob-editor.desktop\n"},
    {"other groups only", "[Added Associations]\ntext/plain=gedit.desktop;\n",
     "[Added Associations]\ntext/plain=gedit.desktop;\n"
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\n"},
    {"no final newline", "[Added Associations]\ntext/plain=a.desktop",
     "[Added Associations]\ntext/plain=a.desktop\n[Default Applications]\napplication/x-qob=qob-editor.desktop\n"},
    {"group without our line", "[Default Applications]\ntext/plain=a.desktop\n",
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\ntext/plain=a.desktop\n"},
    {"group header last without newline", "[Default Applications]",
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\n"},
    {"another handler replaced in place",
     "# mine\n[Default Applications]\ntext/plain=a.desktop\napplication/x-qob=other.desktop;\nimage/png=b.desktop\n",
     "# mine\n[Default Applications]\ntext/plain=a.desktop\napplication/x-qob=qob-editor.desktop\nimage/png=b.desktop\n"},
    {"spaces around the key", "[Default Applications]\n  application/x-qob = other.desktop\n",
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\n"},
    {"line ending kept", "[Default Applications]\r\napplication/x-qob=other.desktop\r\nx/y=z\r\n",
     "[Default Applications]\r\napplication/x-qob=qob-editor.desktop\r\nx/y=z\r\n"},
    {"already ours", "[Default Applications]\napplication/x-qob=qob-editor.desktop\n",
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\n"},
    {"same key in another group untouched",
     "[Added Associations]\napplication/x-qob=other.desktop;\n[Default Applications]\nx/y=z\n[Removed Associations]\n",
     "[Added Associations]\napplication/x-qob=other.desktop;\n[Default Applications]\n"
     "application/x-qob=qob-editor.desktop\nx/y=z\n[Removed Associations]\n"},
    {"commented line is not the key", "[Default Applications]\n#application/x-qob=old.desktop\n",
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\n#application/x-qob=old.desktop\n"},
    {"longer type is another key", "[Default Applications]\napplication/x-qobx=a.desktop\n",
     "[Default Applications]\napplication/x-qob=qob-editor.desktop\napplication/x-qobx=a.desktop\n"},
};

class MimeAppsTest : public testing::TestWithParam<MimeAppsCase> {};

TEST_P(MimeAppsTest, UpdatesOnlyOurLine) {
    const std::string after = WithDefaultHandler(GetParam().before);
    EXPECT_EQ(after, GetParam().after);
    EXPECT_EQ(WithDefaultHandler(after), after) << "a second update must change nothing";
}

INSTANTIATE_TEST_SUITE_P(Lists, MimeAppsTest, testing::ValuesIn(kMimeAppsCases));

TEST(FreedesktopEntries, InOrderUnderTheUserDirectories) {
    const std::vector<FileEntry> entries = FreedesktopEntries("/usr/bin/qob-editor", {"/d", "/c"});
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].path, "/d/mime/packages/x-qob.xml");
    EXPECT_EQ(entries[1].path, "/d/applications/qob-editor.desktop");
    EXPECT_EQ(entries[2].path, "/c/mimeapps.list");
    EXPECT_EQ(entries[3].path, "/d/icons/hicolor/scalable/apps/qob-editor.svg");
    EXPECT_EQ(entries[0].refresh, Refresh::MimeDatabase);
    EXPECT_EQ(entries[1].refresh, Refresh::DesktopDatabase);
    EXPECT_EQ(entries[1].contentFor("old"), DesktopEntry("/usr/bin/qob-editor"));
}

TEST(FreedesktopEntries, NoneForAPathThatIsNotAbsolute) {
    for (const char* path : {"", "qob-editor", "./qob-editor"})
        EXPECT_TRUE(FreedesktopEntries(path, {"/d", "/c"}).empty()) << path;
}

}  // namespace
