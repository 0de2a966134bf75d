// Shared set-up for the rules tests: game resources with a flower sheet of
// 16 frames (the data set's dat/skin01.spr when it was generated), fields
// stepped frame by frame, and helpers to lay out colours by hand.
#pragma once

#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "game/Field.h"
#include "game/GameResources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace NGameTest
{
constexpr float kDt = 16.0f;

inline std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Installs game resources for the lifetime of the object.
class CTestResources
{
  public:
    explicit CTestResources(bool preferDataSet = true)
    {
        const std::filesystem::path dataSet = std::filesystem::path(ZONVEL_BUILD_DIR) / "dat" / "skin01.spr";
        if (preferDataSet && std::filesystem::exists(dataSet))
            m_flower.Load(nullptr, dataSet.string());
        // The board finishes a move at once; the flips that the turns wait
        // for take the frames of the sheet, and the tests count on 16.
        if (m_flower.GetFrameCount() < 16)
        {
            m_manager.AddMemoryEntry("test/skin.spr", Bytes("file_name test/none.tga\ngroups 8\nframes 16\n"),
                                     false);
            m_flower.Load(&m_manager, "test/skin.spr");
        }
        m_resources.SetSprite(NGame::CGameResources::kSpriteFlower, &m_flower);
        NGame::SetGameResources(&m_resources);
    }
    ~CTestResources() { NGame::SetGameResources(nullptr); }

    NGame::CGameResources& Resources() { return m_resources; }
    const CSprite& Flower() const { return m_flower; }

  private:
    CResourceManager m_manager;
    CSprite m_flower;
    NGame::CGameResources m_resources;
};

// Steps the field until it is idle (or the frame budget runs out); returns the frames used.
inline int RunUntilIdle(NGame::CField& field, int maxFrames = 20000)
{
    int frames = 0;
    while (!field.IsIdle() && frames < maxFrames)
    {
        field.Update(kDt);
        ++frames;
    }
    return frames;
}

// A field of the level, fully appeared, insects gone and no coins on it.
inline std::unique_ptr<NGame::CField> IdleField(int level, const std::string& dir = "test/no-levels")
{
    NRandom::Seed(1);
    auto field = std::make_unique<NGame::CField>(dir, 1, 0);
    field->GoToLevel(level);
    field->DeleteInsects();
    RunUntilIdle(*field);
    return field;
}

// Every playable cell of the field gets the colour.
inline void PaintAll(NGame::CField& field, int colour)
{
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
            field.SetCellColour(r, c, colour);
}

inline void Set(NGame::CField& field, int row, int col, int colour)
{
    field.SetCellColour(row, col, colour);
}

inline void MakeHole(NGame::CField& field, int row, int col)
{
    field.SetCellHole(row, col, true);
}

inline int CountColour(const NGame::CField& field, int colour)
{
    int n = 0;
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
            n += field.ColourAt(r, c) == colour;
    return n;
}
} // namespace NGameTest
