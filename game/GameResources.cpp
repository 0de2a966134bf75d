#include "game/GameResources.h"

#include "engine/KeyValueFile.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/XmlNode.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>

namespace NGame
{
namespace
{
CGameResources* g_resources = nullptr;
std::unique_ptr<CGameResources> g_instance;

// The game's pictures in the order they are loaded: a texture (sprite kSpriteCount)
// or a sprite, by registry name and file.
struct SResourceFile
{
    const char* name;
    const char* file;
    int sprite; // CGameResources::ESprite, or -1 for a texture
};
const SResourceFile kResourceFiles[] = {
    {"m_game_font_tex", "mui/font.tga", -1},
    {"game_bg1", "dat/game_bg.jpg", -1},
    {"skin01", "dat/skin01.spr", CGameResources::kSpriteFlower},
    {"m_particles", "dat/particles.spr", CGameResources::kSpriteParticle},
    {"m_gameplay_hint", "dat/hints/gameplay.spr", CGameResources::kSpriteGameplayHint},
    {"m_half_hint", "dat/hints/half.spr", CGameResources::kSpriteHalfHint},
    {"m_skin_hint", "dat/hints/skin01.spr", CGameResources::kSpriteSkinHint},
    {"m_coin_hint", "dat/hints/bonus.spr", CGameResources::kSpriteCoinHint},
    {"m_bonus", "dat/bonus.spr", CGameResources::kSpriteCoin},
    {"insects", "dat/insects.spr", CGameResources::kSpriteInsect},
    {"marker", "dat/marker.spr", CGameResources::kSpriteMarker},
    {"m_main_menu_btn", "dat/maun_menu_btn.tga", -1},
    {"m_bonus_single_repaint", "dat/bonus_btn/single_repaint.tga", -1},
    {"m_bonus_zone_repaint", "dat/bonus_btn/zone_repaint.tga", -1},
    {"m_bonus_free_randomize", "dat/bonus_btn/free_randomize.tga", -1},
    {"m_bonus_forward3", "dat/bonus_btn/forward3.tga", -1},
    {"m_bonus_forward6", "dat/bonus_btn/forward6.tga", -1},
    {"m_bonus_self_repaint", "dat/bonus_btn/self_repaint.tga", -1},
    {"m_bonus_skip_move", "dat/bonus_btn/skip_move.tga", -1},
    {"m_bonus_backward3", "dat/bonus_btn/backward3.tga", -1},
    {"m_bonus_backward6", "dat/bonus_btn/backward6.tga", -1},
    {"m_bonus_apponent_randomize", "dat/bonus_btn/apponent_randomize.tga", -1},
    {"m_bonus_life", "dat/bonus_btn/life.tga", -1},
    {"m_hints_checkbox", "dat/hints_checkbox.tga", -1},
};
} // namespace

const char* const CGameResources::kGameDataFile = "dat/game.txt";
const char* const CGameResources::kHintsFile = "dat/hints/hints.xml";

const char* const CGameResources::kPriceKeys[kPriceCount] = {
    "m_bonus_price_single_repaint",     "m_bonus_price_zone_repaint", "m_bonus_price_free_randomize",
    "m_bonus_price_forward3",           "m_bonus_price_forward6",     "m_bonus_price_self_repaint",
    "m_bonus_price_skip_move",          "m_bonus_price_backward3",    "m_bonus_price_backward6",
    "m_bonus_price_apponent_randomize", "m_bonus_price_life",
};

const char* const CGameResources::kSoundFiles[kSoundCount] = {
    "wav/start_paint.wav", "wav/wrong_paint.wav", "wav/lev_complete.wav", "wav/life_lost.wav",
    "wav/game_over.wav",   "wav/bonus.wav",       "wav/btn_click.wav",
};

CGameResources* GetGameResources()
{
    return g_resources;
}

void SetGameResources(CGameResources* resources)
{
    g_resources = resources;
}

CGameResources& CGameResources::Instance()
{
    // Resources set from outside (a test's own) are the instance while set.
    if (g_resources && g_resources != g_instance.get())
        return *g_resources;
    if (!g_instance)
    {
        g_instance = std::make_unique<CGameResources>();
        g_instance->ReadGameData();
        g_instance->LoadGameResources();
        SetGameResources(g_instance.get());
    }
    return *g_instance;
}

void CGameResources::Release()
{
    if (g_resources == g_instance.get())
        SetGameResources(nullptr);
    g_instance.reset();
}

CGameResources::CGameResources() = default;

CGameResources::~CGameResources()
{
    FreeSounds();
    // The group "game" lives exactly as long as the game resources.
    if (m_group)
        CResourceGroup::DeleteGroup("game");
    if (g_resources == this)
        g_resources = nullptr;
}

void CGameResources::ReadGameData()
{
    CKeyValueFile file;
    file.LoadResource(GetResourceManager(), kGameDataFile, true);
    ParseGameData(file.BuildText());

    CResourceManager* manager = GetResourceManager();
    CFileBuffer hints = manager ? manager->Load(kHintsFile) : CResourceManager::LoadLooseFile(kHintsFile);
    const auto& bytes = hints.GetBytes();
    ParseHints(std::string(bytes.begin(), bytes.end()));
}

void CGameResources::ParseHints(const std::string& text)
{
    m_hints.clear();
    CXmlNode document;
    document.Parse(text);
    for (const CXmlNode* node : document.GetChildren())
    {
        SHintRecord record;
        record.x = node->GetFloat("posx", 0.0f);
        record.y = node->GetFloat("posy", 0.0f);
        record.checkX = record.x + node->GetFloat("posxcb", 0.0f);
        record.checkY = record.y + node->GetFloat("posycb", 0.0f);
        m_hints.push_back(record);
    }
}

void CGameResources::ParseGameData(const std::string& text)
{
    CKeyValueFile file;
    file.Parse(text, true);
    m_levels_classic = file.GetInt("m_levels_classic", 0);
    m_levels_duel = file.GetInt("m_levels_duel", 0);
    m_levels_moving = file.GetInt("m_levels_moving", 0);
    for (int i = 0; i < kPriceCount; ++i)
        m_prices[i] = file.GetInt(kPriceKeys[i], 0);
}

void CGameResources::LoadGameResources()
{
    m_group = CResourceGroup::CreateGroup("game", GetResourceManager());
    if (!m_group)
        return;
    for (const SResourceFile& entry : kResourceFiles)
    {
        if (entry.sprite >= 0)
            m_sprites[entry.sprite] = m_group->AddSprite(entry.file, entry.name);
        else
            m_group->AddTexture(entry.file, entry.name, false, false);
    }
    m_background = m_group->GetTexture("game_bg1");
    LoadFont();
    LoadSounds();
}

namespace
{
std::string HintPictureName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "dat/hints/hint%02d.tga", index);
    return name;
}
} // namespace

CTexture* CGameResources::AcquireHintPicture(int index)
{
    if (index < 0 || index >= static_cast<int>(m_hints.size()))
        return nullptr;
    SHintRecord& record = m_hints[static_cast<size_t>(index)];
    if (record.users++ == 0 && m_group)
    {
        const std::string name = HintPictureName(index);
        record.texture = m_group->AddTexture(name, name, false, false);
    }
    return record.texture;
}

void CGameResources::ReleaseHintPicture(int index)
{
    if (index < 0 || index >= static_cast<int>(m_hints.size()))
        return;
    SHintRecord& record = m_hints[static_cast<size_t>(index)];
    if (record.users == 0 || --record.users > 0)
        return;
    if (m_group && record.texture)
        m_group->RemoveTexture(HintPictureName(index));
    record.texture = nullptr;
}

void CGameResources::LoadFont()
{
    // The font's glyphs are measured from the same picture the texture shows.
    const char* const fontFile = "mui/font.tga";
    CResourceManager* manager = GetResourceManager();
    CFileBuffer buffer = manager ? manager->Load(fontFile) : CResourceManager::LoadLooseFile(fontFile);
    if (!buffer.IsEmpty() && buffer.GetSize() <= static_cast<size_t>(INT_MAX))
        LoadFromImage(buffer.GetBytes().data(), static_cast<int>(buffer.GetSize()),
                      m_group->GetTexture("m_game_font_tex"));
}

CTexture* CGameResources::GetTexture(const std::string& name) const
{
    return m_group ? m_group->GetTexture(name) : nullptr;
}

int CGameResources::GetLevelsClassic() const
{
    return std::max(1, m_levels_classic);
}

int CGameResources::GetLevelsDuel() const
{
    return std::max(1, m_levels_duel);
}

int CGameResources::GetLevelsMoving() const
{
    return std::max(1, m_levels_moving);
}

int CGameResources::GetLevelCount(int gameType) const
{
    switch (gameType)
    {
    case kDuel:
        return GetLevelsDuel();
    case kMoving:
        return GetLevelsMoving();
    default:
        return GetLevelsClassic();
    }
}

const char* CGameResources::GetLevelDirectory(int gameType)
{
    switch (gameType)
    {
    case kDuel:
        return "dat/levels_duel";
    case kMoving:
        return "dat/levels_moving";
    default:
        return "dat/levels_classic";
    }
}

int CGameResources::GetPrice(int price) const
{
    return price >= 0 && price < kPriceCount ? m_prices[price] : 0;
}

const CSprite* CGameResources::GetFlowerSprite(int) const
{
    // All three cell kinds use the same flower sheet.
    return m_sprites[kSpriteFlower];
}

void PlayGameSound(CGameResources::ESound sound)
{
    if (g_resources)
        g_resources->PlaySound(sound);
}
} // namespace NGame
