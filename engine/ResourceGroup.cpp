#include "engine/ResourceGroup.h"

#include "engine/Sprite.h"
#include "engine/Texture.h"

CResourceGroup* CResourceGroup::CreateGroup(const std::string&, CResourceManager*) { return nullptr; }
CResourceGroup* CResourceGroup::GetGroup(const std::string&) { return nullptr; }
void CResourceGroup::DeleteGroup(const std::string&) {}
void CResourceGroup::DeleteAllGroups() {}
void CResourceGroup::ReleaseAllGroups() {}
void CResourceGroup::ReloadAllGroups() {}
CResourceGroup::CResourceGroup(const std::string& name, CResourceManager* rm) : m_name(name), m_resource_manager(rm) {}
CResourceGroup::~CResourceGroup() = default;
CTexture* CResourceGroup::AddTexture(const std::string&, const std::string&, bool, bool) { return nullptr; }
CTexture* CResourceGroup::AddTextureWithAlpha(const std::string&, const std::string&, const std::string&, bool, bool) { return nullptr; }
CTexture* CResourceGroup::GetTexture(const std::string&) const { return nullptr; }
CSprite* CResourceGroup::AddSprite(const std::string&, const std::string&) { return nullptr; }
CSprite* CResourceGroup::GetSprite(const std::string&) const { return nullptr; }
void CResourceGroup::RemoveSprite(CSprite*) {}
void CResourceGroup::ReleaseAll() {}
void CResourceGroup::ReloadAll() {}
