// The freedesktop side of the association: writes the files that differ
// and refreshes the desktop databases in the background.
#include "association.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace qob::association {

namespace {

constexpr mode_t kNewFileMode = 0644;

struct CurrentFile {
    bool exists = false;
    std::string content;
    mode_t mode = kNewFileMode;
};

enum class StepResult { Failed, Unchanged, Changed };

// Keeps a symbolic link (dotfile managers use them) by writing to its target.
std::optional<std::string> WriteTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> target(realpath(path.c_str(), nullptr), &std::free);
    if (!target) return std::nullopt;
    return std::string(target.get());
}

bool ReadAll(int fd, std::string& content) {
    char buffer[16384];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count == 0) return true;
        if (count < 0 && errno != EINTR) return false;
        if (count > 0) content.append(buffer, static_cast<std::size_t>(count));
    }
}

// None when the file exists but cannot be read: it must not be replaced.
std::optional<CurrentFile> ReadCurrent(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::optional<CurrentFile>(CurrentFile{}) : std::nullopt;
    CurrentFile current;
    struct stat info {};
    const bool read = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ReadAll(fd, current.content);
    close(fd);
    if (!read) return std::nullopt;
    current.exists = true;
    current.mode = info.st_mode & 07777;
    return current;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t count = write(fd, data.data(), data.size());
        if (count < 0 && errno != EINTR) return false;
        if (count > 0) data.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool MakeParentDirectories(const std::string& path) {
    std::error_code error;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::filesystem::create_directories(parent, error);
    return !error && std::filesystem::is_directory(parent, error);
}

// A hidden temporary in the same directory, renamed over the file, so that
// the file is always either the old or the new content.
bool ReplaceFile(const std::string& path, std::string_view content, mode_t mode) {
    const std::filesystem::path target(path);
    std::string temporary = target.parent_path() / ".";
    temporary += target.filename().string();
    temporary += ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool written = fchmod(fd, mode) == 0 && WriteAll(fd, content) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    written = written && rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) unlink(temporary.c_str());
    return written;
}

StepResult BringUpToDate(const FileEntry& entry) {
    const std::optional<std::string> target = WriteTarget(entry.path);
    if (!target) return StepResult::Failed;
    const std::optional<CurrentFile> current = ReadCurrent(*target);
    if (!current) return StepResult::Failed;
    const std::string wanted = entry.contentFor(current->content);
    if (current->exists && current->content == wanted) return StepResult::Unchanged;
    if (!MakeParentDirectories(*target) || !ReplaceFile(*target, wanted, current->mode)) return StepResult::Failed;
    return StepResult::Changed;
}

std::optional<std::string> FindOnPath(std::string_view tool) {
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "";
    while (!dirs.empty()) {
        const std::size_t colon = std::min(dirs.find(':'), dirs.size());
        const std::string_view dir = dirs.substr(0, colon);
        dirs.remove_prefix(std::min(colon + 1, dirs.size()));
        if (dir.empty() || dir.front() != '/') continue;
        const std::string candidate = std::string(dir) + '/' + std::string(tool);
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

std::vector<std::string> RefreshCommand(Refresh refresh, const XdgDirs& dirs) {
    switch (refresh) {
    case Refresh::MimeDatabase: return {"update-mime-database", dirs.dataHome + "/mime"};
    case Refresh::DesktopDatabase: return {"update-desktop-database", dirs.dataHome + "/applications"};
    case Refresh::Nothing: break;
    }
    return {};
}

void RefreshDatabase(Refresh refresh, const XdgDirs& dirs) {
    std::vector<std::string> command = RefreshCommand(refresh, dirs);
    if (command.empty()) return;
    const std::optional<std::string> tool = FindOnPath(command.front());
    if (!tool) return;
    command.front() = *tool;
    RunDetached(command);
}

// In the grandchild: only calls that are safe after fork() in a process
// that may have threads.
[[noreturn]] void ExecDetached(char* const* argv) {
    setsid();
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    close_range(STDERR_FILENO + 1, UINT_MAX, 0);
    execv(argv[0], argv);
    _exit(127);
}

}  // namespace

FilesOutcome WriteFreedesktopFiles(const std::vector<FileEntry>& entries) {
    FilesOutcome outcome;
    outcome.done = WriteUntilFirstFailure(entries, [&outcome](const FileEntry& entry) {
        const StepResult result = BringUpToDate(entry);
        if (result == StepResult::Changed && entry.refresh != Refresh::Nothing)
            outcome.refreshes.push_back(entry.refresh);
        return result != StepResult::Failed;
    });
    return outcome;
}

// Double fork: the intermediate child exits at once and is reaped here, the
// grandchild is adopted by init, so nothing waits for the tool to finish.
bool RunDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    std::vector<char*> arguments;
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        const pid_t grandchild = fork();
        if (grandchild == 0) ExecDetached(arguments.data());
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace qob::association

void RegisterFileAssociation(const std::string& programPath) {
    using namespace qob::association;
    const std::optional<XdgDirs> dirs =
        XdgDirsFrom(std::getenv("XDG_DATA_HOME"), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!dirs) return;
    for (const Refresh refresh : WriteFreedesktopFiles(FreedesktopEntries(programPath, *dirs)).refreshes)
        RefreshDatabase(refresh, *dirs);
}
