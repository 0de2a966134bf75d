#include "engine/Texture.h"

CTexture::~CTexture() { Release(); }
bool CTexture::LoadFromResource(CResourceManager*, const std::string&, bool, bool) { return false; }
bool CTexture::LoadWithAlpha(CResourceManager*, const std::string&, const std::string&, bool, bool) { return false; }
bool CTexture::LoadTarga(const uint8_t*, int, bool, bool) { return false; }
bool CTexture::LoadJpeg(const uint8_t*, int, bool, bool) { return false; }
bool CTexture::LoadDds(const uint8_t*, int, bool) { return false; }
void CTexture::LoadImage(const NImageDecoder::SImage&, bool, bool) {}
void CTexture::Release() {}
void CTexture::Draw(float, float, float) const {}
void CTexture::Bind() const {}
