#pragma once

#include <sys/types.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace qob {

// Replaces a file without ever destroying it: the bytes go to a new file
// beside the target, and only when every write, the flush to disk and the
// close have succeeded is it renamed over the target, with the target's
// permission bits. Anything less leaves the target exactly as it was and
// removes the new file. A symlinked target stays a link; the file it points
// to is replaced.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::string& target);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    ~SafeFileWriter();

    // False when the target cannot be replaced (a directory, a missing
    // directory, a read-only file) or the new file cannot be made.
    bool IsOpen() const { return fd_ >= 0; }

    void Append(const void* data, std::size_t size) {
        AppendThrough(static_cast<const std::uint8_t*>(data), size,
                      [](std::uint8_t* out, const std::uint8_t* in, std::size_t n) {
                          std::memcpy(out, in, n);
                      });
    }

    // Copies `size` bytes into the write buffer through
    // `transform(out, in, n)`, piece by piece, so that an enciphered copy
    // never needs more than the buffer.
    template <class Transform>
    void AppendThrough(const std::uint8_t* data, std::size_t size, Transform&& transform) {
        while (size > 0 && healthy_) {
            if (used_ == kBufferSize) Flush();
            const std::size_t piece = std::min(size, kBufferSize - used_);
            transform(buffer_.get() + used_, data, piece);
            used_ += piece;
            data += piece;
            size -= piece;
        }
    }

    // True when the target now holds exactly the appended bytes. Failed
    // writes are remembered and reported here.
    bool Commit();

private:
    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

    bool PrepareTarget(const std::string& target);
    bool CreateTemporary();
    void Flush();
    bool Finish();
    void Discard();

    std::string target_;
    std::string temporary_;
    bool replacesExisting_ = false;
    mode_t permissions_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;

    int fd_ = -1;
    bool healthy_ = false;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
};

}  // namespace qob
