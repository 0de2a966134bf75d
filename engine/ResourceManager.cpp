#include "engine/ResourceManager.h"

namespace
{
CResourceManager* g_resource_manager = nullptr;
}

CResourceManager* GetResourceManager() { return g_resource_manager; }
void SetResourceManager(CResourceManager* resourceManager) { g_resource_manager = resourceManager; }

CFileBuffer CResourceManager::Load(const std::string&) const { return {}; }
bool CResourceManager::OpenPack(const std::string&) { return false; }
bool CResourceManager::AddMemoryEntry(const std::string&, std::vector<uint8_t>, bool) { return false; }
bool CResourceManager::SavePack(const std::string&) const { return false; }
std::vector<std::string> CResourceManager::GetEntryNames() const { return {}; }
std::string CResourceManager::NormaliseName(const std::string& name) { return name; }
CFileBuffer CResourceManager::LoadLooseFile(const std::string&) { return {}; }
void CResourceManager::Scramble(uint8_t*, size_t, const std::string&) {}
