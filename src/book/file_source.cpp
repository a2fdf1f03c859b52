#include "file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qob {

namespace {

// Reads until `size` bytes, the end of the file or an error.
std::size_t ReadFully(int fd, std::uint8_t* out, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, out + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

}  // namespace

FileSource::~FileSource() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileSource::Open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    remaining_ = static_cast<std::uint64_t>(info.st_size);
    buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    return true;
}

std::size_t FileSource::Read(void* out, std::size_t size) {
    auto* target = static_cast<std::uint8_t*>(out);
    size = static_cast<std::size_t>(std::min<std::uint64_t>(size, remaining_));
    const std::size_t done = TakeBuffered(target, size);
    if (done == size) return done;
    // The buffer is empty now; large pieces go straight into the caller's memory.
    if (size - done >= kBufferSize) return done + ReadDirect(target + done, size - done);
    if (!Refill()) return done;
    return done + TakeBuffered(target + done, size - done);
}

std::size_t FileSource::TakeBuffered(std::uint8_t* out, std::size_t size) {
    const std::size_t piece = std::min(size, bufferEnd_ - bufferStart_);
    std::memcpy(out, buffer_.get() + bufferStart_, piece);
    bufferStart_ += piece;
    remaining_ -= piece;
    return piece;
}

std::size_t FileSource::ReadDirect(std::uint8_t* out, std::size_t size) {
    const std::size_t got = ReadFully(fd_, out, size);
    remaining_ = got < size ? 0 : remaining_ - got;
    return got;
}

bool FileSource::Refill() {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, remaining_));
    bufferStart_ = 0;
    bufferEnd_ = ReadFully(fd_, buffer_.get(), wanted);
    if (bufferEnd_ < wanted) remaining_ = bufferEnd_;  // the file ended early or failed
    return bufferEnd_ > 0;
}

}  // namespace qob
