#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qob {

// The published RC4 stream cipher (ARCFOUR).
class Rc4 {
public:
    explicit Rc4(std::string_view key);
    // XORs `size` bytes of `data` with the next keystream bytes.
    void Apply(std::uint8_t* data, std::size_t size);
    // Writes the next `size` keystream bytes to `out`.
    void Generate(std::uint8_t* out, std::size_t size);

private:
    template <bool kXor>
    void Run(std::uint8_t* data, std::size_t size);

    // 32-bit words: byte-sized state costs partial-register stalls.
    std::uint32_t s_[256];
    std::uint32_t i_ = 0;
    std::uint32_t j_ = 0;
};

}  // namespace qob
