#include "rc4.h"

namespace qob {

Rc4::Rc4(std::string_view key) {
    for (std::uint32_t n = 0; n < 256; ++n) s_[n] = n;
    if (key.empty()) return;  // RC4 needs a key; ours never is empty
    std::uint32_t j = 0;
    for (std::uint32_t n = 0; n < 256; ++n) {
        const std::uint32_t x = s_[n];
        j = (j + x + static_cast<std::uint8_t>(key[n % key.size()])) & 0xff;
        s_[n] = s_[j];
        s_[j] = x;
    }
}

void Rc4::Apply(std::uint8_t* data, std::size_t size) { Run<true>(data, size); }

void Rc4::Generate(std::uint8_t* out, std::size_t size) { Run<false>(out, size); }

// The state is copied into locals so that i, j and the table pointer stay in
// registers for the whole loop. A plain byte loop measures faster with GCC
// than gathering keystream bytes into words.
template <bool kXor>
void Rc4::Run(std::uint8_t* data, std::size_t size) {
    std::uint32_t* const s = s_;
    std::uint32_t i = i_;
    std::uint32_t j = j_;
    for (std::size_t n = 0; n < size; ++n) {
        i = (i + 1) & 0xff;
        const std::uint32_t x = s[i];
        j = (j + x) & 0xff;
        const std::uint32_t y = s[j];
        s[i] = y;
        s[j] = x;
        const auto byte = static_cast<std::uint8_t>(s[(x + y) & 0xff]);
        data[n] = kXor ? static_cast<std::uint8_t>(data[n] ^ byte) : byte;
    }
    i_ = i;
    j_ = j;
}

}  // namespace qob
