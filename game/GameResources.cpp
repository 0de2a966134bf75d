#include "game/GameResources.h"

#include "engine/KeyValueFile.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"

#include <algorithm>
#include <memory>

namespace NGame
{
namespace
{
CGameResources* g_resources = nullptr;
std::unique_ptr<CGameResources> g_instance;

struct SSpriteFile
{
    CGameResources::ESprite sprite;
    const char* name;
    const char* file;
};
// In the order the game loads them.
const SSpriteFile kSpriteFiles[] = {
    {CGameResources::kSpriteFlower, "skin01", "dat/skin01.spr"},
    {CGameResources::kSpriteParticle, "m_particles", "dat/particles.spr"},
    {CGameResources::kSpriteGameplayHint, "m_gameplay_hint", "dat/hints/gameplay.spr"},
    {CGameResources::kSpriteHalfHint, "m_half_hint", "dat/hints/half.spr"},
    {CGameResources::kSpriteSkinHint, "m_skin_hint", "dat/hints/skin01.spr"},
    {CGameResources::kSpriteCoinHint, "m_coin_hint", "dat/hints/bonus.spr"},
    {CGameResources::kSpriteCoin, "m_bonus", "dat/bonus.spr"},
    {CGameResources::kSpriteInsect, "insects", "dat/insects.spr"},
    {CGameResources::kSpriteMarker, "marker", "dat/marker.spr"},
};
} // namespace

const char* const CGameResources::kGameDataFile = "dat/game.txt";

const char* const CGameResources::kPriceKeys[kPriceCount] = {
    "m_bonus_price_single_repaint", "m_bonus_price_zone_repaint", "m_bonus_price_free_randomize",
    "m_bonus_price_forward3",       "m_bonus_price_forward6",     "m_bonus_price_self_repaint",
    "m_bonus_price_skip_move",      "m_bonus_price_backward3",    "m_bonus_price_backward6",
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
    if (g_resources == this)
        g_resources = nullptr;
}

void CGameResources::ReadGameData()
{
    CKeyValueFile file;
    file.LoadResource(GetResourceManager(), kGameDataFile, true);
    ParseGameData(file.BuildText());
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
    CResourceGroup* group = CResourceGroup::CreateGroup("game", GetResourceManager());
    if (!group)
        return;
    m_background = group->AddTexture("dat/game_bg.jpg", "game_bg1", false, false);
    for (const SSpriteFile& entry : kSpriteFiles)
        m_sprites[entry.sprite] = group->AddSprite(entry.file, entry.name);
    LoadSounds();
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
