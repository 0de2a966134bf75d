#include "engine/Cipher.h"

#include "engine/Random.h"

#include <ctime>

namespace
{
// Long texts rotate by at most this much.
constexpr int kMaxRotation = 100;

bool KeyUsable(const char* key, int keyLength)
{
    return key != nullptr && keyLength > 0;
}
} // namespace

bool CCipher::Encode(const uint8_t* plain, int n, std::vector<uint8_t>& out, const char* key, int keyLength)
{
    out.clear();
    if (plain == nullptr || n < 1 || !KeyUsable(key, keyLength))
        return false;
    NRandom::Seed(static_cast<uint32_t>(std::time(nullptr)));
    int rotation = NRandom::Rand() % (n <= kMaxRotation ? n : kMaxRotation);
    return EncodeWithRotation(plain, n, rotation, out, key, keyLength);
}

bool CCipher::EncodeWithRotation(const uint8_t* plain, int n, int rotation, std::vector<uint8_t>& out,
                                 const char* key, int keyLength)
{
    out.clear();
    if (plain == nullptr || n < 1 || !KeyUsable(key, keyLength) || rotation < 0 || rotation >= n ||
        rotation > 255)
        return false;
    out.resize(static_cast<size_t>(n) + 1);
    out[0] = static_cast<uint8_t>(rotation);
    for (int i = 0; i < n - rotation; ++i)
        out[1 + i] = plain[rotation + i];
    for (int i = 0; i < rotation; ++i)
        out[n - rotation + 1 + i] = plain[i];
    for (int i = 1; i <= n; ++i)
    {
        uint8_t prev = out[i - 1];
        uint8_t b = out[i] ^ prev;
        b ^= static_cast<uint8_t>(key[i % keyLength]);
        out[i] = static_cast<uint8_t>(b + prev);
    }
    return true;
}

bool CCipher::Decode(const uint8_t* cipher, int n, std::vector<uint8_t>& out, const char* key, int keyLength)
{
    out.clear();
    if (cipher == nullptr || n < 2 || !KeyUsable(key, keyLength))
        return false;
    // A rotation by the whole text length is the identity and decodes as such;
    // only a rotation byte not below the file's length is damage.
    int rotation = cipher[0];
    if (rotation >= n)
        return false;
    int m = n - rotation;
    out.resize(static_cast<size_t>(n) - 1);
    for (int i = 1; i < n; ++i)
    {
        uint8_t t = static_cast<uint8_t>(cipher[i] - cipher[i - 1]);
        t ^= cipher[i - 1];
        uint8_t p = t ^ static_cast<uint8_t>(key[i % keyLength]);
        if (i < m)
            out[rotation + i - 1] = p;
        else
            out[i - m] = p;
    }
    return true;
}
