// Named registries of textures and sprites ("main" for the menus, "game" for
// the game). A group owns everything added to it and deletes it with itself.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CResourceManager;
class CSprite;
class CTexture;

class CResourceGroup
{
  public:
    // Replaces (deletes) an existing group of the same name.
    static CResourceGroup* CreateGroup(const std::string& name, CResourceManager* resourceManager);
    static CResourceGroup* GetGroup(const std::string& name);
    static void DeleteGroup(const std::string& name);
    static void DeleteAllGroups();
    // For the frame: around destroying and after creating the GL context.
    static void ReleaseAllGroups();
    static void ReloadAllGroups();

    CResourceGroup(const std::string& name, CResourceManager* resourceManager);
    CResourceGroup(const CResourceGroup&) = delete;
    CResourceGroup& operator=(const CResourceGroup&) = delete;
    ~CResourceGroup();

    // Registered even when the load fails (the texture is then empty).
    CTexture* AddTexture(const std::string& fileName, const std::string& name, bool wrap, bool mipmaps);
    CTexture* AddTextureWithAlpha(const std::string& colourFileName, const std::string& alphaFileName,
                                  const std::string& name, bool wrap, bool mipmaps);
    // First one registered under the name; null if none.
    CTexture* GetTexture(const std::string& name) const;
    // Deletes every texture registered under the name.
    void RemoveTexture(const std::string& name);

    CSprite* AddSprite(const std::string& fileName, const std::string& name);
    CSprite* GetSprite(const std::string& name) const;
    void RemoveSprite(CSprite* sprite);

    void ReleaseAll();
    void ReloadAll();

    const std::string& GetName() const { return m_name; }
    CResourceManager* GetResourceManager() const { return m_resource_manager; }
    size_t GetTextureCount() const { return m_textures.size(); }
    size_t GetSpriteCount() const { return m_sprites.size(); }

  private:
    struct STextureRecord
    {
        std::unique_ptr<CTexture> texture;
        std::string name;
        std::string file_name;
        std::string alpha_file_name; // empty if none
        bool wrap = false;
        bool mipmaps = false;
    };
    struct SSpriteRecord
    {
        std::unique_ptr<CSprite> sprite;
        std::string name;
        std::string file_name;
    };

    std::string m_name;
    CResourceManager* m_resource_manager = nullptr;
    std::vector<STextureRecord> m_textures;
    std::vector<SSpriteRecord> m_sprites;
};
