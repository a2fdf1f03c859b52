#include "keystream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "rc4.h"

namespace qob {
namespace {

constexpr std::string_view kKey = "123456789";
constexpr std::size_t kSmallCap = 100;

std::vector<std::uint8_t> FreshKeystream(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    Rc4(kKey).Generate(bytes.data(), size);
    return bytes;
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t n = 0; n < size; ++n) bytes[n] = static_cast<std::uint8_t>(n * 7 + 3);
    return bytes;
}

std::vector<std::uint8_t> XorWithFresh(const std::vector<std::uint8_t>& plain) {
    auto expected = FreshKeystream(plain.size());
    for (std::size_t n = 0; n < plain.size(); ++n) expected[n] ^= plain[n];
    return expected;
}

// Fields shorter, equal and longer than the cache, in an order that makes
// the cache grow, stop at its cap and be reused; each must be enciphered
// as if RC4 had restarted for it.
TEST(SharedKeystream, EveryFieldRestartsTheStream) {
    const std::size_t sizes[] = {0, 5, 64, 65, 3, kSmallCap, kSmallCap + 1, 7, 3 * kSmallCap + 17, 99};
    for (bool inPlace : {true, false}) {
        SharedKeystream keystream(kKey, kSmallCap);
        std::size_t longest = 0;
        for (std::size_t size : sizes) {
            const auto plain = Pattern(size);
            std::vector<std::uint8_t> out(size);
            auto field = keystream.Begin(size);
            if (inPlace) {
                out = plain;
                field.Xor(out.data(), out.data(), size);
            } else {
                field.Xor(out.data(), plain.data(), size);
            }
            EXPECT_EQ(out, XorWithFresh(plain)) << "field of " << size << (inPlace ? " in place" : "");
            longest = std::max(longest, size);
            EXPECT_EQ(keystream.CachedSize(), std::min(longest, kSmallCap));
        }
    }
}

// The writer hands a field over in buffer-sized pieces that need not line
// up with the cache's end.
TEST(SharedKeystream, FieldInPiecesEqualsFieldInOneGo) {
    const std::size_t size = 2 * kSmallCap + 50;
    const auto plain = Pattern(size);
    for (std::size_t piece : {1, 33, 64, 99, 100, 101, 250}) {
        SharedKeystream keystream(kKey, kSmallCap);
        keystream.Begin(10);  // a shorter field first, so the cache must grow
        auto field = keystream.Begin(size);
        std::vector<std::uint8_t> out(size);
        for (std::size_t done = 0; done < size; done += piece) {
            const std::size_t n = std::min(piece, size - done);
            field.Xor(out.data() + done, plain.data() + done, n);
        }
        EXPECT_EQ(out, XorWithFresh(plain)) << "pieces of " << piece;
    }
}

}  // namespace
}  // namespace qob
