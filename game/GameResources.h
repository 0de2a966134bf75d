// The game's tuning values (level counts, bonus prices from dat/game.txt), its
// registered sprites and textures, its sound handles, and the game font (the
// object itself). Everything here may be absent:
// the rules then run with frameless sprites, silence and the defaults below.
#pragma once

#include "ui/BitmapText.h"

#include <string>
#include <vector>

class CResourceGroup;
class CSprite;
class CSound;
class CTexture;

namespace NGame
{
class CGameResources : public CBitmapText
{
  public:
    enum ESound
    {
        kSoundStartPaint,
        kSoundWrongPaint,
        kSoundLevelComplete,
        kSoundLifeLost,
        kSoundGameOver,
        kSoundBonus,
        kSoundButtonClick,
        kSoundCount
    };
    // In the order of the bonus purchase table.
    enum EPrice
    {
        kPriceSingleRepaint,
        kPriceZoneRepaint,
        kPriceFreeRandomize,
        kPriceForward3,
        kPriceForward6,
        kPriceSelfRepaint,
        kPriceSkipMove,
        kPriceBackward3,
        kPriceBackward6,
        kPriceApponentRandomize,
        kPriceLife,
        kPriceCount
    };
    enum ESprite
    {
        kSpriteFlower, // skin01
        kSpriteCoin,   // m_bonus
        kSpriteInsect, // insects
        kSpriteParticle,
        kSpriteMarker,
        kSpriteGameplayHint,
        kSpriteHalfHint,
        kSpriteSkinHint,
        kSpriteCoinHint,
        kSpriteCount
    };
    enum EGameType
    {
        kClassic = 0,
        kDuel = 1,
        kMoving = 2
    };

    // One in-game hint panel: where its picture and its check box go. The
    // picture is read while a panel shows it (see AcquireHintPicture) and
    // belongs to the resource group "game".
    struct SHintRecord
    {
        float x = 0.0f;
        float y = 0.0f;
        float checkX = 0.0f;
        float checkY = 0.0f;
        CTexture* texture = nullptr;
        int users = 0;
    };

    static const char* const kGameDataFile;
    static const char* const kHintsFile;
    static const char* const kPriceKeys[kPriceCount];
    static const char* const kSoundFiles[kSoundCount];

    // The program-wide instance, made on first use (reads dat/game.txt and
    // loads the resource group "game"), or the resources set with
    // SetGameResources while they are set; Release deletes the one made here.
    static CGameResources& Instance();
    static void Release();

    // Empty resources: level counts 1, prices 0, no sprites, no sounds.
    CGameResources();
    ~CGameResources() override;
    CGameResources(const CGameResources&) = delete;
    CGameResources& operator=(const CGameResources&) = delete;

    void ReadGameData();
    // The level counts and prices from the text of dat/game.txt.
    void ParseGameData(const std::string& text);
    void LoadGameResources();
    // The hint records from the text of dat/hints/hints.xml (no pictures yet).
    void ParseHints(const std::string& text);

    // Never below 1: a level set always has at least one level file.
    int GetLevelsClassic() const;
    int GetLevelsDuel() const;
    int GetLevelsMoving() const;
    int GetLevelCount(int gameType) const;
    static const char* GetLevelDirectory(int gameType);
    int GetPrice(int price) const;

    std::vector<SHintRecord>& GetHintRecords() { return m_hints; }
    // A panel's picture, read for its first panel and let go with its last:
    // the eleven pictures are large and most games show one or none.
    CTexture* AcquireHintPicture(int index);
    void ReleaseHintPicture(int index);
    // The wrong-colour hint; -1 without hint records.
    int GetLastHintIndex() const { return static_cast<int>(m_hints.size()) - 1; }

    const CSprite* GetSprite(ESprite sprite) const { return m_sprites[sprite]; }
    // Not owned; the sprite must outlive the cells and insects copied from it.
    void SetSprite(ESprite sprite, const CSprite* value) { m_sprites[sprite] = value; }
    const CSprite* GetFlowerSprite(int kind) const;
    CTexture* GetBackground() const { return m_background; }
    // A texture of the resource group "game" by registry name; null when absent.
    CTexture* GetTexture(const std::string& name) const;

    CSound* GetSound(ESound sound) const { return m_sounds[sound]; }
    // Silence when the sound did not load.
    void PlaySound(ESound sound) const;

  private:
    void LoadFont();
    void LoadSounds();
    void FreeSounds();

    int m_levels_classic = 1;
    int m_levels_moving = 1;
    int m_levels_duel = 1;
    int m_prices[kPriceCount] = {};
    std::vector<SHintRecord> m_hints;
    const CSprite* m_sprites[kSpriteCount] = {}; // owned by the resource group "game"
    CResourceGroup* m_group = nullptr;           // the group "game", owned by the group registry
    CTexture* m_background = nullptr;            // owned by the resource group "game"
    CSound* m_sounds[kSoundCount] = {};          // freed through the sound manager
};

// Null when no game resources exist (tests, tools); never creates them.
CGameResources* GetGameResources();
void SetGameResources(CGameResources* resources);
// Plays one of the game's sounds when there are resources and the sound loaded.
void PlayGameSound(CGameResources::ESound sound);
} // namespace NGame
