#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace qob {

// Reads a regular file front to back through a buffer small enough to stay
// in the CPU cache, and knows how many bytes remain, so that a length read
// from a damaged file can be checked before anything is allocated for it.
// The file is seen as it was when opened: a file that grows meanwhile is
// read up to its old size, one that shrinks simply ends early.
class FileSource {
public:
    FileSource() = default;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    ~FileSource();

    // False when the path is not a regular file that can be read.
    bool Open(const std::string& path);

    std::uint64_t Remaining() const { return remaining_; }

    // The next bytes of the file, at most `size` of them, inside the buffer
    // (the caller may change them there) and valid until the next call.
    // Empty at the end of the file or after a read error.
    std::span<std::uint8_t> Borrow(std::size_t size);

    // Reads up to `size` bytes; fewer only at the end or on a read error.
    std::size_t Read(void* out, std::size_t size);

private:
    void Refill();

    static constexpr std::size_t kBufferSize = 64 * 1024;

    int fd_ = -1;
    std::uint64_t remaining_ = 0;  // including what is in the buffer
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
};

// The whole of a regular file, or nothing when the path is not a regular
// file that can be read (a FIFO or a device would never end, or never start)
// or there is not memory enough for it.
std::optional<std::string> ReadRegularFile(const std::string& path);

}  // namespace qob
