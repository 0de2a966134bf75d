// Keyed byte-chaining scramble of the per-user files (settings, saved game,
// top table). The byte layout is fixed: files written by one build must read in another.
#pragma once

#include <cstdint>
#include <vector>

class CCipher
{
  public:
    virtual ~CCipher() = default;

    // Enciphers n >= 1 bytes into n + 1 bytes; seeds the program-wide random
    // generator from the clock to choose the rotation. False (out empty) for
    // an empty text or an empty key.
    bool Encode(const uint8_t* plain, int n, std::vector<uint8_t>& out, const char* key, int keyLength);

    // Deciphers n bytes into n - 1. False (out empty) when n < 2, the rotation
    // byte is n or more, or the key is empty: such a file is treated as missing.
    bool Decode(const uint8_t* cipher, int n, std::vector<uint8_t>& out, const char* key, int keyLength);

    // Encode with a given rotation (0 <= rotation < n), without touching the
    // random generator.
    static bool EncodeWithRotation(const uint8_t* plain, int n, int rotation, std::vector<uint8_t>& out,
                                   const char* key, int keyLength);
};
