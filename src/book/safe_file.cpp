#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <optional>
#include <random>

namespace qob {

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 100;
// Room for our prefix and suffix within the file system's name limit.
constexpr std::size_t kNameStemLimit = 100;

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> ReadLink(const std::string& path) {
    std::string link(PATH_MAX, '\0');
    const ssize_t size = ::readlink(path.c_str(), link.data(), link.size());
    if (size <= 0 || static_cast<std::size_t>(size) == link.size()) return std::nullopt;
    link.resize(static_cast<std::size_t>(size));
    return link;
}

// Follows symlinks to the file they name, so that the rename replaces that
// file and the link stays a link.
std::optional<std::string> ResolveLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        const auto link = ReadLink(path);
        if (!link) return std::nullopt;
        path = link->front() == '/' ? *link : DirectoryOf(path) + "/" + *link;
    }
    return std::nullopt;
}

// The rename is on disk only once the directory is: without this a crash
// right after a save could bring back the old book. The new file is in
// place either way, so a failure here is not a failed save.
void SyncDirectoryOf(const std::string& path) {
    const int directory = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) return;
    ::fsync(directory);
    ::close(directory);
}

std::string RandomSuffix() {
    thread_local std::mt19937 engine{std::random_device{}()};
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, engine(), 16).ptr;
    return std::string(digits, end);
}

// Keeps the owner where we may (root, or our own file in one of our groups);
// elsewhere the new file is ours, as with any editor that saves by renaming.
void KeepOwner(int fd, uid_t owner, gid_t group) {
    const int kept = ::fchown(fd, owner, group);
    static_cast<void>(kept);
}

}  // namespace

SafeFileWriter::SafeFileWriter(const std::string& target) {
    if (!PrepareTarget(target)) return;
    buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    if (CreateTemporary()) {
        healthy_ = true;
    } else {
        Discard();
    }
}

SafeFileWriter::~SafeFileWriter() { Discard(); }

bool SafeFileWriter::PrepareTarget(const std::string& target) {
    const auto resolved = ResolveLinks(target);
    if (!resolved || NameOf(*resolved).empty()) return false;
    target_ = *resolved;
    struct stat info {};
    if (::stat(target_.c_str(), &info) != 0) return errno == ENOENT;
    // Permission bits block nothing for root, so a file without any write
    // bit counts as read-only for everyone.
    if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0 ||
        ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
        return false;
    }
    replacesExisting_ = true;
    permissions_ = info.st_mode & 0777;
    owner_ = info.st_uid;
    group_ = info.st_gid;
    return true;
}

bool SafeFileWriter::CreateTemporary() {
    const std::string stem =
        DirectoryOf(target_) + "/." + NameOf(target_).substr(0, kNameStemLimit) + ".";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = stem + RandomSuffix() + ".tmp";
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = std::move(candidate);
            break;
        }
        if (errno != EEXIST) return false;
    }
    if (fd_ < 0 || !replacesExisting_) return fd_ >= 0;
    // Before any byte is written, so that a private book never sits in a
    // file that others may read.
    KeepOwner(fd_, owner_, group_);
    return ::fchmod(fd_, permissions_) == 0;
}

void SafeFileWriter::Flush() {
    std::size_t written = 0;
    while (healthy_ && written < used_) {
        const ssize_t n = ::write(fd_, buffer_.get() + written, used_ - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            healthy_ = false;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    used_ = 0;
}

bool SafeFileWriter::Commit() {
    if (!IsOpen()) return false;
    Flush();
    if (!Finish() || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    SyncDirectoryOf(target_);
    return true;
}

bool SafeFileWriter::Finish() {
    const bool synced = healthy_ && ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    healthy_ = false;
    return synced && closed;
}

void SafeFileWriter::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    healthy_ = false;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace qob
