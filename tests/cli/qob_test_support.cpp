#include "qob_test_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>

namespace qob::test {

namespace fs = std::filesystem;

namespace {

std::string ReadAllFrom(int fd) {
    std::string bytes;
    ::lseek(fd, 0, SEEK_SET);
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<std::size_t>(n));
    return bytes;
}

int CaptureFile() {
    char name[] = "/tmp/qob-capture-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) throw std::runtime_error("cannot create a capture file");
    ::unlink(name);
    return fd;
}

[[noreturn]] void ExecQob(const std::vector<std::string>& args, const RunOptions& options, int outFd,
                          int errFd) {
    if (!options.stdoutPath.empty()) outFd = ::open(options.stdoutPath.c_str(), O_WRONLY);
    ::dup2(outFd, STDOUT_FILENO);
    ::dup2(errFd, STDERR_FILENO);
    if (options.fileSizeLimit) {
        // Ignored, the signal turns an oversized write into a plain error.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(QOB_TOOL_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(QOB_TOOL_PATH, argv.data());
    ::_exit(127);
}

}  // namespace

QobRun RunQob(const std::vector<std::string>& args, const RunOptions& options) {
    const int outFd = CaptureFile();
    const int errFd = CaptureFile();
    const pid_t child = ::fork();
    if (child == 0) ExecQob(args, options, outFd, errFd);
    int wait = 0;
    ::waitpid(child, &wait, 0);
    QobRun run;
    run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -WTERMSIG(wait);
    run.out = ReadAllFrom(outFd);
    run.err = ReadAllFrom(errFd);
    ::close(outFd);
    ::close(errFd);
    return run;
}

TempDir::TempDir() {
    char name[] = "/tmp/qob-cli-test-XXXXXX";
    if (!::mkdtemp(name)) throw std::runtime_error("cannot create a temporary directory");
    path_ = name;
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

ArticleList MakeList(const std::vector<Article>& articles) {
    ArticleList list;
    for (const Article& article : articles) list.Append(article);
    return list;
}

void WriteTestBook(const std::string& path, const ArticleList& articles, BookKey key) {
    ASSERT_EQ(WriteBookWithKey(path, articles, key), WriteOutcome::Ok) << path;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> EntryNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace qob::test
