#include "engine/Sprite.h"

CSprite::CSprite(const CSprite& other) { *this = other; }
CSprite& CSprite::operator=(const CSprite&) { return *this; }
CSprite::~CSprite() {}
bool CSprite::Load(CResourceManager*, const std::string&) { return false; }
void CSprite::SetGroup(int) {}
void CSprite::SetFrame(int) {}
void CSprite::ResetTime() {}
void CSprite::Advance(int) {}
void CSprite::Draw(bool) const {}
void CSprite::ReleaseOwnedTexture() {}
