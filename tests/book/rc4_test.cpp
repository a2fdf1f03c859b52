#include "rc4.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qob {
namespace {

std::string Hex(const std::uint8_t* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t n = 0; n < size; ++n) {
        hex += kDigits[bytes[n] >> 4];
        hex += kDigits[bytes[n] & 0xf];
    }
    return hex;
}

std::vector<std::uint8_t> Keystream(std::string_view key, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    Rc4(key).Generate(bytes.data(), size);
    return bytes;
}

struct KeystreamVector {
    std::string key;
    std::size_t offset;
    std::string hex;  // 16 keystream bytes at `offset`
};

// RFC 6229, keys of 40 and 128 bits.
const std::string k40Bit = "\x01\x02\x03\x04\x05";
const std::string k128Bit = "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10";
const KeystreamVector kRfc6229[] = {
    {k40Bit, 0, "b2396305f03dc027ccc3524a0a1118a8"},
    {k40Bit, 16, "6982944f18fc82d589c403a47a0d0919"},
    {k40Bit, 240, "28cb1132c96ce286421dcaadb8b69eae"},
    {k40Bit, 256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
    {k40Bit, 4080, "068326a2118416d21f9d04b2cd1ca050"},
    {k128Bit, 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
    {k128Bit, 16, "5248c4959014126a6e8a84f11d1a9e1c"},
    {k128Bit, 240, "065902e4b620f6cc36c8589f66432f2b"},
    {k128Bit, 4080, "ff38265c1642c1abe8d3c2fe5e572bf8"},
};

TEST(Rc4, MatchesPublishedKeystream) {
    for (const auto& vector : kRfc6229) {
        const auto stream = Keystream(vector.key, vector.offset + 16);
        EXPECT_EQ(Hex(stream.data() + vector.offset, 16), vector.hex)
            << "key of " << vector.key.size() << " bytes, offset " << vector.offset;
    }
}

TEST(Rc4, EnciphersPublishedPlaintexts) {
    struct Case {
        std::string key, plain, cipherHex;
    };
    const Case cases[] = {
        {"Key", "Plaintext", "bbf316e8d940af0ad3"},
        {"Wiki", "pedia", "1021bf0420"},
        {"Secret", "Attack at dawn", "45a01f645fc35b383552544b9bf5"},
    };
    for (const auto& c : cases) {
        std::string bytes = c.plain;
        auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
        Rc4(c.key).Apply(data, bytes.size());
        EXPECT_EQ(Hex(data, bytes.size()), c.cipherHex) << c.key;
        Rc4(c.key).Apply(data, bytes.size());
        EXPECT_EQ(bytes, c.plain) << "deciphering is the same operation";
    }
}

// The book keystream is generated piece by piece and continued past its
// cache, so a stream made in pieces must equal the published one.
TEST(Rc4, ContinuesAcrossCallsOfAnySize) {
    for (std::size_t piece : {1, 3, 8, 15, 64, 1000}) {
        Rc4 cipher(k40Bit);
        std::vector<std::uint8_t> stream(4096);
        for (std::size_t done = 0; done < stream.size(); done += piece) {
            const std::size_t size = std::min(piece, stream.size() - done);
            if ((done / piece) % 2 == 0) {
                cipher.Generate(stream.data() + done, size);
            } else {
                cipher.Apply(stream.data() + done, size);  // over zero bytes
            }
        }
        EXPECT_EQ(Hex(stream.data() + 4080, 16), "068326a2118416d21f9d04b2cd1ca050") << piece;
    }
}

}  // namespace
}  // namespace qob
