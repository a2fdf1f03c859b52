#include "fault_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace qob::reliability {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporarySuffix = ".tmp";
// A writer that is never seen mid-write fails the test instead of hanging it.
constexpr auto kWatchLimit = std::chrono::seconds(60);
constexpr auto kWatchInterval = std::chrono::microseconds(200);

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool TemporaryFileHolds(const fs::path& dir, std::uintmax_t bytes) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (EndsWith(name, kTemporarySuffix) && entry.file_size(error) >= bytes && !error) return true;
    }
    return false;
}

}  // namespace

std::string Le32(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
            static_cast<char>(bits >> 24)};
}

void WriteBookClaiming(const fs::path& path, std::int32_t claimed, std::uintmax_t fileSize) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "qob" << Le32(1) << Le32(123456789) << Le32(claimed);
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
    if (fileSize > fs::file_size(path)) fs::resize_file(path, fileSize);
}

bool SucceedsInChild(const std::function<bool()>& work) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) ::_exit(work() ? 0 : 1);
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

MeasuredRun RunMeasured(const std::string& program, const std::vector<std::string>& args) {
    int report[2];
    if (::pipe(report) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(report[1], STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(QOB_PEAK_MEMORY_PATH), const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(QOB_PEAK_MEMORY_PATH, argv.data());
        ::_exit(127);
    }
    ::close(report[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    ::close(report[0]);
    ::waitpid(child, nullptr, 0);
    MeasuredRun run;
    if (std::sscanf(text.c_str(), "%d %ld", &run.status, &run.peakKiB) != 2) return {};
    return run;
}

bool KillMidWrite(const fs::path& dir, std::uintmax_t bytes, const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        work();
        ::_exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + kWatchLimit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (TemporaryFileHolds(dir, bytes) || std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL &&
                   std::chrono::steady_clock::now() <= deadline;
        }
        std::this_thread::sleep_for(kWatchInterval);
    }
    return false;  // it finished before it could be caught writing
}

std::vector<std::string> Leftovers(const fs::path& dir, const std::string& kept) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name != kept) names.push_back(name);
    }
    return names;
}

bool IsHiddenTemporary(const std::string& name) { return name.front() == '.' && EndsWith(name, kTemporarySuffix); }

}  // namespace qob::reliability
