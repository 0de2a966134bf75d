#include "engine/ResourceGroup.h"

#include "engine/Sprite.h"
#include "engine/Texture.h"

#include <algorithm>
#include <map>

namespace
{
std::map<std::string, std::unique_ptr<CResourceGroup>>& Groups()
{
    static std::map<std::string, std::unique_ptr<CResourceGroup>> groups;
    return groups;
}
} // namespace

CResourceGroup* CResourceGroup::CreateGroup(const std::string& name, CResourceManager* resourceManager)
{
    auto& groups = Groups();
    groups.erase(name);
    auto group = std::make_unique<CResourceGroup>(name, resourceManager);
    CResourceGroup* result = group.get();
    groups[name] = std::move(group);
    return result;
}

CResourceGroup* CResourceGroup::GetGroup(const std::string& name)
{
    auto& groups = Groups();
    auto it = groups.find(name);
    return it == groups.end() ? nullptr : it->second.get();
}

void CResourceGroup::DeleteGroup(const std::string& name)
{
    Groups().erase(name);
}

void CResourceGroup::DeleteAllGroups()
{
    Groups().clear();
}

void CResourceGroup::ReleaseAllGroups()
{
    for (auto& [name, group] : Groups())
        group->ReleaseAll();
}

void CResourceGroup::ReloadAllGroups()
{
    for (auto& [name, group] : Groups())
        group->ReloadAll();
}

CResourceGroup::CResourceGroup(const std::string& name, CResourceManager* resourceManager)
    : m_name(name), m_resource_manager(resourceManager)
{
}

CResourceGroup::~CResourceGroup() = default;

CTexture* CResourceGroup::AddTexture(const std::string& fileName, const std::string& name, bool wrap,
                                     bool mipmaps)
{
    STextureRecord record;
    record.texture = std::make_unique<CTexture>();
    record.name = name;
    record.file_name = fileName;
    record.wrap = wrap;
    record.mipmaps = mipmaps;
    record.texture->LoadFromResource(m_resource_manager, fileName, wrap, mipmaps);
    CTexture* texture = record.texture.get();
    m_textures.push_back(std::move(record));
    return texture;
}

CTexture* CResourceGroup::AddTextureWithAlpha(const std::string& colourFileName,
                                              const std::string& alphaFileName, const std::string& name,
                                              bool wrap, bool mipmaps)
{
    STextureRecord record;
    record.texture = std::make_unique<CTexture>();
    record.name = name;
    record.file_name = colourFileName;
    record.alpha_file_name = alphaFileName;
    record.wrap = wrap;
    record.mipmaps = mipmaps;
    record.texture->LoadWithAlpha(m_resource_manager, colourFileName, alphaFileName, wrap, mipmaps);
    CTexture* texture = record.texture.get();
    m_textures.push_back(std::move(record));
    return texture;
}

CTexture* CResourceGroup::GetTexture(const std::string& name) const
{
    for (const auto& record : m_textures)
        if (record.name == name)
            return record.texture.get();
    return nullptr;
}

void CResourceGroup::RemoveTexture(const std::string& name)
{
    std::erase_if(m_textures, [&name](const STextureRecord& record) { return record.name == name; });
}

CSprite* CResourceGroup::AddSprite(const std::string& fileName, const std::string& name)
{
    SSpriteRecord record;
    record.sprite = std::make_unique<CSprite>();
    record.name = name;
    record.file_name = fileName;
    record.sprite->Load(m_resource_manager, fileName);
    CSprite* sprite = record.sprite.get();
    m_sprites.push_back(std::move(record));
    return sprite;
}

CSprite* CResourceGroup::GetSprite(const std::string& name) const
{
    for (const auto& record : m_sprites)
        if (record.name == name)
            return record.sprite.get();
    return nullptr;
}

void CResourceGroup::RemoveSprite(CSprite* sprite)
{
    auto it = std::find_if(m_sprites.begin(), m_sprites.end(),
                           [sprite](const SSpriteRecord& record) { return record.sprite.get() == sprite; });
    if (it != m_sprites.end())
        m_sprites.erase(it);
}

void CResourceGroup::ReleaseAll()
{
    for (auto& record : m_textures)
        record.texture->Release();
    for (auto& record : m_sprites)
        if (CTexture* texture = record.sprite->GetTexture())
            texture->Release();
}

void CResourceGroup::ReloadAll()
{
    for (auto& record : m_textures)
    {
        if (record.alpha_file_name.empty())
            record.texture->LoadFromResource(m_resource_manager, record.file_name, record.wrap,
                                             record.mipmaps);
        else
            record.texture->LoadWithAlpha(m_resource_manager, record.file_name, record.alpha_file_name,
                                          record.wrap, record.mipmaps);
    }
    for (auto& record : m_sprites)
        record.sprite->Load(m_resource_manager, record.file_name);
}
