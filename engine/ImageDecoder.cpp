#include "engine/ImageDecoder.h"

namespace NImageDecoder
{
bool DecodeTarga(const uint8_t*, int, SImage&) { return false; }
bool DecodeJpeg(const uint8_t*, int, SImage&) { return false; }
bool DecodeDds(const uint8_t*, int, SDdsImage&) { return false; }
bool CombineAlpha(const SImage&, const SImage&, SImage&) { return false; }
} // namespace NImageDecoder
