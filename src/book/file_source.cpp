#include "file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace qob {

namespace {
constexpr std::size_t kReadPiece = 64 * 1024;
}  // namespace

FileSource::~FileSource() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileSource::Open(const std::string& path) {
    // Non-blocking, so that a FIFO is refused below instead of waiting for
    // a writer; for a regular file it changes nothing.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return false;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    remaining_ = static_cast<std::uint64_t>(info.st_size);
    buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    return true;
}

std::span<std::uint8_t> FileSource::Borrow(std::size_t size) {
    if (bufferStart_ == bufferEnd_) Refill();
    const std::size_t piece = std::min(size, bufferEnd_ - bufferStart_);
    const std::span<std::uint8_t> bytes(buffer_.get() + bufferStart_, piece);
    bufferStart_ += piece;
    remaining_ -= piece;
    return bytes;
}

std::size_t FileSource::Read(void* out, std::size_t size) {
    auto* target = static_cast<std::uint8_t*>(out);
    std::size_t done = 0;
    while (done < size) {
        const auto piece = Borrow(size - done);
        if (piece.empty()) break;
        std::memcpy(target + done, piece.data(), piece.size());
        done += piece.size();
    }
    return done;
}

void FileSource::Refill() {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, remaining_));
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::read(fd_, buffer_.get() + got, wanted - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bufferStart_ = 0;
    bufferEnd_ = got;
    if (got < wanted) remaining_ = got;  // the file ended early or failed
}

std::optional<std::string> ReadRegularFile(const std::string& path) {
    FileSource source;
    if (!source.Open(path)) return std::nullopt;
    try {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(source.Remaining()));
        while (true) {
            const auto piece = source.Borrow(kReadPiece);
            if (piece.empty()) break;
            bytes.append(reinterpret_cast<const char*>(piece.data()), piece.size());
        }
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace qob
