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

// Runs `work` in a child process and gives its peak resident memory in
// KiB, or -1 when `work` returned false or the child did not end normally.
long PeakKiBOfChild(const std::function<bool()>& work);

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
