#include "engine/Cipher.h"

#include "engine/Random.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace
{
const char* kKey = "zup";

std::vector<uint8_t> Text(size_t n)
{
    std::vector<uint8_t> text(n);
    for (size_t i = 0; i < n; ++i)
        text[i] = static_cast<uint8_t>((i * 131 + 7) ^ (i >> 3));
    return text;
}
} // namespace

TEST(Cipher, EnciphersToTheFixedByteLayout)
{
    // Worked by hand from the format: rotation byte, rotated text, chained with the key.
    std::vector<uint8_t> out;
    const uint8_t ab[] = {'a', 'b'};
    ASSERT_TRUE(CCipher::EncodeWithRotation(ab, 2, 1, out, kKey, 3));
    EXPECT_EQ(out, (std::vector<uint8_t>{0x01, 0x17, 0x1D}));

    // The chaining addition wraps modulo 256.
    const uint8_t wrap[] = {0x10, 0xF0};
    ASSERT_TRUE(CCipher::EncodeWithRotation(wrap, 2, 0, out, kKey, 3));
    EXPECT_EQ(out, (std::vector<uint8_t>{0x00, 0x65, 0x4A}));

    CCipher cipher;
    std::vector<uint8_t> plain;
    ASSERT_TRUE(cipher.Decode(std::vector<uint8_t>{0x01, 0x17, 0x1D}.data(), 3, plain, kKey, 3));
    EXPECT_EQ(plain, (std::vector<uint8_t>{'a', 'b'}));
}

TEST(Cipher, RoundTripsEveryLengthAndRotation)
{
    CCipher cipher;
    std::vector<uint8_t> enciphered, plain;
    const char* key = "stashfile!#&";
    for (int n = 1; n <= 260; ++n)
    {
        std::vector<uint8_t> text = Text(static_cast<size_t>(n));
        for (int r = 0; r < std::min(n, 100); ++r)
        {
            ASSERT_TRUE(CCipher::EncodeWithRotation(text.data(), n, r, enciphered, key, 12));
            ASSERT_EQ(enciphered.size(), static_cast<size_t>(n) + 1);
            ASSERT_TRUE(cipher.Decode(enciphered.data(), n + 1, plain, key, 12));
            ASSERT_EQ(plain, text) << "n=" << n << " r=" << r;
        }
    }
    for (int n = 261; n <= 4000; n += 37)
    {
        std::vector<uint8_t> text = Text(static_cast<size_t>(n));
        ASSERT_TRUE(cipher.Encode(text.data(), n, enciphered, "rvzuqt&!&2871", 13));
        ASSERT_TRUE(cipher.Decode(enciphered.data(), n + 1, plain, "rvzuqt&!&2871", 13));
        ASSERT_EQ(plain, text) << "n=" << n;
    }
}

TEST(Cipher, RotationStaysWithinTextAndHundred)
{
    CCipher cipher;
    std::vector<uint8_t> out;
    std::vector<uint8_t> shortText = Text(5), longText = Text(500);
    for (int i = 0; i < 20; ++i)
    {
        ASSERT_TRUE(cipher.Encode(shortText.data(), 5, out, kKey, 3));
        EXPECT_LT(out[0], 5);
        ASSERT_TRUE(cipher.Encode(longText.data(), 500, out, kKey, 3));
        EXPECT_LT(out[0], 100);
    }
}

TEST(Cipher, EncodeSeedsTheProgramGeneratorFromTheClock)
{
    NRandom::Seed(1);
    CCipher cipher;
    std::vector<uint8_t> out;
    std::vector<uint8_t> text = Text(10);
    uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    ASSERT_TRUE(cipher.Encode(text.data(), 10, out, kKey, 3));
    uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    // Seeded with the seconds, then one number drawn for the rotation.
    uint32_t state = NRandom::GetState();
    EXPECT_TRUE(state == before * 214013u + 2531011u || state == after * 214013u + 2531011u);
    NRandom::Seed(1);
}

TEST(Cipher, WrongKeyGivesGarbageOfTheSameLength)
{
    CCipher cipher;
    std::string text = "m_sound 1\nm_hints 0\n";
    std::vector<uint8_t> out, plain;
    ASSERT_TRUE(cipher.Encode(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()),
                              out, "zup", 3));
    ASSERT_TRUE(cipher.Decode(out.data(), static_cast<int>(out.size()), plain, "stashfile!#&", 12));
    EXPECT_EQ(plain.size(), text.size());
    EXPECT_NE(std::string(plain.begin(), plain.end()), text);
}

TEST(Cipher, RejectsInputItCannotHandle)
{
    CCipher cipher;
    std::vector<uint8_t> out = {1, 2, 3};
    const uint8_t one[] = {0};
    EXPECT_FALSE(cipher.Encode(one, 0, out, kKey, 3)); // empty text
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(cipher.Encode(one, 1, out, kKey, 0)); // empty key
    EXPECT_FALSE(cipher.Encode(one, 1, out, nullptr, 3));
    EXPECT_FALSE(cipher.Decode(one, 0, out, kKey, 3));
    EXPECT_FALSE(cipher.Decode(one, 1, out, kKey, 3)); // shorter than 2 bytes
    const uint8_t badRotation[] = {3, 1, 2};           // rotation not below the file length 3
    EXPECT_FALSE(cipher.Decode(badRotation, 3, out, kKey, 3));
    const uint8_t hugeRotation[] = {250, 1, 2};
    EXPECT_FALSE(cipher.Decode(hugeRotation, 3, out, kKey, 3));
    const uint8_t ok[] = {1, 1, 2};
    EXPECT_TRUE(cipher.Decode(ok, 3, out, kKey, 3));
    EXPECT_FALSE(CCipher::EncodeWithRotation(one, 1, 1, out, kKey, 3));
}

TEST(Cipher, RotationByTheWholeTextLengthDecodesUnrotated)
{
    // Chained by hand with rotation byte 4 for a 4-byte text: a full turn.
    const uint8_t plain[] = {'a', 'b', 'c', 'd'};
    uint8_t enciphered[5] = {4};
    for (int i = 1; i <= 4; ++i)
    {
        uint8_t prev = enciphered[i - 1];
        uint8_t b = static_cast<uint8_t>(plain[i - 1] ^ prev ^ static_cast<uint8_t>(kKey[i % 3]));
        enciphered[i] = static_cast<uint8_t>(b + prev);
    }
    CCipher cipher;
    std::vector<uint8_t> out;
    ASSERT_TRUE(cipher.Decode(enciphered, 5, out, kKey, 3));
    EXPECT_EQ(std::string(out.begin(), out.end()), "abcd");
}
