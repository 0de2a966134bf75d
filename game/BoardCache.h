// The board's still flowers, drawn once over the background into a copy of
// the picture and shown from it while they stay still, so a quiet board costs
// one opaque quad instead of a thousand blended flowers. A flower stays in the
// copy only while its quad is exactly the one copied: the first change of one
// has the copy taken again without it, so the picture never differs from the
// board drawn whole. The decision needs no window; the copy needs a context.
#pragma once

#include "engine/FrameCopy.h"
#include "engine/SpriteBatch.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace NGame
{
class CBoardCache
{
  public:
    // On unless a test or a measurement turns it off, for every field.
    static void SetEnabled(bool enabled);
    static bool IsEnabled();

    // One frame's decision. `vertices` hold the lying flowers' quads (four
    // vertices each) in drawing order; keys[i] names quad i's cell, atRest[i]
    // says whether that cell has no animation pending. True when the copy
    // must be taken anew, holding the quads IsHeld then names; false when the
    // copy shown as it is holds them.
    bool Plan(const std::vector<CSpriteBatch::SVertex>& vertices, const std::vector<int>& keys,
              const std::vector<uint8_t>& atRest, bool copyFits);
    bool IsHeld(size_t quad) const { return quad < m_held.size() && m_held[quad] != 0; }
    size_t GetHeldCount() const;
    // How many times the copy was to be taken: each costs a whole board's drawing.
    int GetTakeCount() const { return m_takes; }

    CFrameCopy& GetCopy() { return m_copy; }

  private:
    using SQuad = std::array<CSpriteBatch::SVertex, 4>;
    struct SCell
    {
        SQuad quad{};
        uint32_t seen = 0; // the frame that last drew it lying
        bool held = false;
    };

    std::vector<SCell> m_cells;  // by key
    std::vector<uint8_t> m_held; // by quad of the frame's batch
    uint32_t m_frame = 0;
    int m_takes = 0;
    CFrameCopy m_copy;
};
} // namespace NGame
