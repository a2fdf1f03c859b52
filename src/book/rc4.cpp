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
// registers for the whole loop. Two bytes per round, written after both are
// known, measure fastest with GCC (faster than OpenSSL's assembly here).
template <bool kXor>
void Rc4::Run(std::uint8_t* data, std::size_t size) {
    std::uint32_t* const s = s_;
    std::uint32_t i = i_;
    std::uint32_t j = j_;
    auto next = [s, &i, &j]() -> std::uint8_t {
        i = (i + 1) & 0xff;
        const std::uint32_t x = s[i];
        j = (j + x) & 0xff;
        const std::uint32_t y = s[j];
        s[j] = x;
        s[i] = y;
        return static_cast<std::uint8_t>(s[(x + y) & 0xff]);
    };
    auto put = [data](std::size_t at, std::uint8_t byte) {
        data[at] = kXor ? static_cast<std::uint8_t>(data[at] ^ byte) : byte;
    };
    std::size_t n = 0;
    for (; n + 2 <= size; n += 2) {
        const std::uint8_t first = next();
        const std::uint8_t second = next();
        put(n, first);
        put(n + 1, second);
    }
    if (n < size) put(n, next());
    i_ = i;
    j_ = j;
}

}  // namespace qob
