#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "rc4.h"

namespace qob {

// Every field of a book restarts RC4 from the same key, so all fields share
// one keystream. It is generated once, lazily, as far as the longest field
// so far, up to a cap; a longer field goes on from the RC4 state at the cap
// instead of caching more, so one huge article does not double the memory.
class SharedKeystream {
public:
    static constexpr std::size_t kDefaultCap = std::size_t{16} << 20;

    explicit SharedKeystream(std::string_view key, std::size_t cap = kDefaultCap);

    // Enciphers or deciphers one field, front to back, in pieces of any size.
    class Field {
    public:
        // XORs the next `size` bytes of the field from `in` into `out`;
        // `out` may equal `in`, other overlaps are not allowed.
        void Xor(std::uint8_t* out, const std::uint8_t* in, std::size_t size);

    private:
        friend class SharedKeystream;
        Field(const std::uint8_t* cached, std::size_t cachedSize, const Rc4* past);

        const std::uint8_t* cached_;
        std::size_t cachedSize_;
        std::size_t position_ = 0;
        std::optional<Rc4> past_;  // only for a field longer than the cache
    };

    // The keystream for a field of `size` bytes, starting at its first byte.
    Field Begin(std::size_t size);

    std::size_t CachedSize() const { return size_; }

private:
    void Extend(std::size_t size);

    std::size_t cap_;
    Rc4 generator_;  // always at the end of the cached bytes
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace qob
