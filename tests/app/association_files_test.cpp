// The association's files on disk, under temporary XDG directories.
#include "association.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace qob::association;

constexpr const char* kProgram = "/opt/My \"Books\"/qob-editor";

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "qob-association-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::string_view content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// Every file below `root` (temporaries included), relative to it.
std::vector<std::string> FilesUnder(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (!item.is_directory()) files.push_back(fs::relative(item.path(), root).string());
    std::sort(files.begin(), files.end());
    return files;
}

class AssociationFiles : public testing::Test {
protected:
    XdgDirs Dirs() const { return {(temp_.Path() / "data").string(), (temp_.Path() / "config").string()}; }
    fs::path Data(const char* relative) const { return temp_.Path() / "data" / relative; }
    fs::path Config(const char* relative) const { return temp_.Path() / "config" / relative; }
    FilesOutcome Write(const char* program = kProgram) const {
        return WriteFreedesktopFiles(FreedesktopEntries(program, Dirs()));
    }

    TempDir temp_;
};

const std::vector<std::string> kAllFiles = {
    "config/mimeapps.list",
    "data/applications/qob-editor.desktop",
    "data/icons/hicolor/scalable/apps/qob-editor.svg",
    "data/mime/packages/x-qob.xml",
};

TEST_F(AssociationFiles, FirstRunWritesEveryFileAndAsksForBothRefreshes) {
    const FilesOutcome outcome = Write();
    EXPECT_EQ(outcome.done, 4u);
    EXPECT_EQ(outcome.refreshes, (std::vector<Refresh>{Refresh::MimeDatabase, Refresh::DesktopDatabase}));
    EXPECT_EQ(FilesUnder(temp_.Path()), kAllFiles);
    EXPECT_EQ(ReadFile(Data("mime/packages/x-qob.xml")), kMimePackage);
    EXPECT_EQ(ReadFile(Data("icons/hicolor/scalable/apps/qob-editor.svg")), kIcon);
    const std::string entry = ReadFile(Data("applications/qob-editor.desktop"));
    EXPECT_NE(entry.find("\nExec=\"/opt/My \\\\\"Books\\\\\"/qob-editor\" %f\n"), std::string::npos) << entry;
    EXPECT_EQ(ReadFile(Config("mimeapps.list")), "[Default Applications]\napplication/x-qob=qob-editor.desktop\n");
    EXPECT_EQ(fs::status(Data("applications/qob-editor.desktop")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(AssociationFiles, SecondRunRewritesNothing) {
    Write();
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    for (const std::string& file : kAllFiles) fs::last_write_time(temp_.Path() / file, past);

    const FilesOutcome outcome = Write();
    EXPECT_EQ(outcome.done, 4u);
    EXPECT_TRUE(outcome.refreshes.empty());
    for (const std::string& file : kAllFiles) EXPECT_EQ(fs::last_write_time(temp_.Path() / file), past) << file;
}

TEST_F(AssociationFiles, AMovedProgramRewritesOnlyTheDesktopEntry) {
    Write();
    const FilesOutcome outcome = Write("/usr/local/bin/qob-editor");
    EXPECT_EQ(outcome.done, 4u);
    EXPECT_EQ(outcome.refreshes, std::vector<Refresh>{Refresh::DesktopDatabase});
    EXPECT_NE(ReadFile(Data("applications/qob-editor.desktop")).find("\nExec=\"/usr/local/bin/qob-editor\" %f\n"),
              std::string::npos);
    EXPECT_EQ(FilesUnder(temp_.Path()), kAllFiles) << "no temporary file may be left";
}

// A step that cannot be done stops the registration there: later files are
// neither written nor created.
struct FailureCase {
    const char* name;
    const char* blocker;  // made a file where a directory is needed, or the reverse
    bool blockerIsDirectory;
    std::size_t done;
    std::vector<std::string> files;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

const FailureCase kFailureCases[] = {
    {"mime packages is a file", "data/mime/packages", false, 0, {"data/mime/packages"}},
    {"mime is a file", "data/mime", false, 0, {"data/mime"}},
    {"package is a directory", "data/mime/packages/x-qob.xml", true, 0, {}},
    {"applications is a file", "data/applications", false, 1, {"data/applications", "data/mime/packages/x-qob.xml"}},
    {"mimeapps.list is a directory", "config/mimeapps.list", true, 2,
     {"data/applications/qob-editor.desktop", "data/mime/packages/x-qob.xml"}},
    {"config is a file", "config", false, 2,
     {"config", "data/applications/qob-editor.desktop", "data/mime/packages/x-qob.xml"}},
    {"icons is a file", "data/icons", false, 3,
     {"config/mimeapps.list", "data/applications/qob-editor.desktop", "data/icons", "data/mime/packages/x-qob.xml"}},
};

class AssociationFailure : public AssociationFiles, public testing::WithParamInterface<FailureCase> {};

TEST_P(AssociationFailure, StopsAtTheFailingStep) {
    const FailureCase& c = GetParam();
    const fs::path blocker = temp_.Path() / c.blocker;
    if (c.blockerIsDirectory)
        fs::create_directories(blocker);
    else
        WriteFile(blocker, "in the way");

    EXPECT_EQ(Write().done, c.done);
    EXPECT_EQ(FilesUnder(temp_.Path()), c.files);
    if (!c.blockerIsDirectory) {
        EXPECT_EQ(ReadFile(blocker), "in the way");
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, AssociationFailure, testing::ValuesIn(kFailureCases));

TEST_F(AssociationFiles, KeepsTheUsersOtherDefaultsAndTheirFileMode) {
    const std::string mine = "[Default Applications]\ntext/plain=gedit.desktop\n\n[Added Associations]\nx/y=z;\n";
    WriteFile(Config("mimeapps.list"), mine);
    fs::permissions(Config("mimeapps.list"), fs::perms::owner_read | fs::perms::owner_write);

    Write();
    EXPECT_EQ(ReadFile(Config("mimeapps.list")),
              "[Default Applications]\napplication/x-qob=qob-editor.desktop\ntext/plain=gedit.desktop\n"
              "\n[Added Associations]\nx/y=z;\n");
    EXPECT_EQ(fs::status(Config("mimeapps.list")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(AssociationFiles, WritesThroughASymbolicLinkAndKeepsIt) {
    WriteFile(temp_.Path() / "dotfiles/mimeapps.list", "[Added Associations]\n");
    fs::create_directories(Config(""));
    fs::create_symlink(temp_.Path() / "dotfiles/mimeapps.list", Config("mimeapps.list"));

    Write();
    EXPECT_TRUE(fs::is_symlink(Config("mimeapps.list")));
    EXPECT_EQ(ReadFile(temp_.Path() / "dotfiles/mimeapps.list"),
              "[Added Associations]\n[Default Applications]\napplication/x-qob=qob-editor.desktop\n");
}

TEST_F(AssociationFiles, ADanglingLinkIsLeftAloneAndStopsThere) {
    fs::create_directories(Config(""));
    fs::create_symlink(temp_.Path() / "nowhere/mimeapps.list", Config("mimeapps.list"));

    EXPECT_EQ(Write().done, 2u);
    EXPECT_TRUE(fs::is_symlink(Config("mimeapps.list")));
    EXPECT_FALSE(fs::exists(Data("icons")));
}

// Sets environment variables for one test and puts them back.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(AssociationFiles, RegisterUsesTheXdgDirectoriesOfTheEnvironment) {
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", Dirs().dataHome);
    environment.Set("XDG_CONFIG_HOME", Dirs().configHome);
    environment.Set("PATH", (temp_.Path() / "no-tools").string());  // nothing to refresh with

    RegisterFileAssociation(kProgram);
    EXPECT_EQ(FilesUnder(temp_.Path()), kAllFiles);
}

bool WaitFor(const fs::path& path) {
    for (int tries = 0; tries < 500 && !fs::exists(path); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path);
}

// The tool blocks on a FIFO that the test opens only after RunDetached has
// returned, so a RunDetached that waited would never return.
TEST(RunDetached, ReturnsBeforeTheToolEndsAndLeavesNoChild) {
    TempDir temp;
    const fs::path fifo = temp.Path() / "go";
    const fs::path done = temp.Path() / "done";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    ASSERT_TRUE(RunDetached({"/bin/sh", "-c", "read line < \"$0\"; : > \"$1\"", fifo.string(), done.string()}));
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_FALSE(fs::exists(done));

    const int writer = open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, "go\n", 3), 3);
    close(writer);
    EXPECT_TRUE(WaitFor(done));
}

}  // namespace
