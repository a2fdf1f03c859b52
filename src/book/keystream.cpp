#include "keystream.h"

#include <algorithm>
#include <cstring>

namespace qob {

namespace {

// Fixed-size blocks let the compiler vectorise without a cost model that
// allows runtime trip counts; the tail is at most one block.
constexpr std::size_t kXorBlock = 64;

void XorBytes(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* __restrict key,
              std::size_t size) {
    std::size_t done = 0;
    for (; done + kXorBlock <= size; done += kXorBlock) {
        std::uint8_t block[kXorBlock];
        std::memcpy(block, in + done, kXorBlock);
        for (std::size_t n = 0; n < kXorBlock; ++n) block[n] ^= key[done + n];
        std::memcpy(out + done, block, kXorBlock);
    }
    for (; done < size; ++done) out[done] = in[done] ^ key[done];
}

}  // namespace

SharedKeystream::SharedKeystream(std::string_view key, std::size_t cap)
    : cap_(cap), generator_(key) {}

SharedKeystream::Field SharedKeystream::Begin(std::size_t size) {
    Extend(std::min(size, cap_));
    return Field(bytes_.get(), size_, size > size_ ? &generator_ : nullptr);
}

void SharedKeystream::Extend(std::size_t size) {
    if (size <= size_) return;
    if (size > capacity_) {
        // Grow geometrically so that slowly lengthening fields stay linear,
        // but never past the cap.
        const std::size_t capacity = std::min(std::max(size, capacity_ * 2), cap_);
        auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
        if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
        bytes_ = std::move(bytes);
        capacity_ = capacity;
    }
    generator_.Generate(bytes_.get() + size_, size - size_);
    size_ = size;
}

SharedKeystream::Field::Field(const std::uint8_t* cached, std::size_t cachedSize, const Rc4* past)
    : cached_(cached), cachedSize_(cachedSize) {
    if (past != nullptr) past_.emplace(*past);
}

void SharedKeystream::Field::Xor(std::uint8_t* out, const std::uint8_t* in, std::size_t size) {
    if (position_ < cachedSize_) {
        const std::size_t fromCache = std::min(size, cachedSize_ - position_);
        XorBytes(out, in, cached_ + position_, fromCache);
        position_ += fromCache;
        out += fromCache;
        in += fromCache;
        size -= fromCache;
    }
    if (size == 0) return;
    if (out != in) std::memmove(out, in, size);
    past_->Apply(out, size);
    position_ += size;
}

}  // namespace qob
