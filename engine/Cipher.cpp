#include "engine/Cipher.h"

bool CCipher::Encode(const uint8_t*, int, std::vector<uint8_t>& out, const char*, int)
{
    out.clear();
    return false;
}

bool CCipher::Decode(const uint8_t*, int, std::vector<uint8_t>& out, const char*, int)
{
    out.clear();
    return false;
}

bool CCipher::EncodeWithRotation(const uint8_t*, int, int, std::vector<uint8_t>& out, const char*, int)
{
    out.clear();
    return false;
}
