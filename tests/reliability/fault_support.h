#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Ways to make the program's files and processes fail on purpose. Plain
// C++, so that both the GoogleTest and the Qt Test suites can use it.
namespace qob::reliability {

// A 32-bit little-endian number as file bytes.
std::string Le32(std::int32_t number);

// A book with one article whose title claims `claimed` bytes. The file is
// `fileSize` bytes long (at least the 15 bytes up to the claim), the rest
// a hole: a large file costs no disk.
void WriteBookClaiming(const std::filesystem::path& path, std::int32_t claimed, std::uintmax_t fileSize);

// Runs `work` in a child process; true when it returned true. A child that
// dies, of a signal or a watchdog alarm, counts as false.
bool SucceedsInChild(const std::function<bool()>& work);

struct MeasuredRun {
    int status = -1;      // the exit status, or minus the signal that ended it
    long peakKiB = -1;    // its largest resident memory
};

// Runs `program` with `args` (its output discarded) and measures its peak
// resident memory, apart from the memory of this process.
MeasuredRun RunMeasured(const std::string& program, const std::vector<std::string>& args);

// Runs `work` in a child process and kills it with SIGKILL as soon as a
// temporary file (a name ending in ".tmp") in `dir` holds `bytes` bytes.
// True when the child died that way, in the middle of its write.
bool KillMidWrite(const std::filesystem::path& dir, std::uintmax_t bytes, const std::function<void()>& work);

// The names in `dir` other than `kept`: what a killed writer left behind.
std::vector<std::string> Leftovers(const std::filesystem::path& dir, const std::string& kept);

// A leftover must never pass for a book or a text file: hidden, and named
// so that no "*.qob" or "*.txt" pattern matches it.
bool IsHiddenTemporary(const std::string& name);

}  // namespace qob::reliability
