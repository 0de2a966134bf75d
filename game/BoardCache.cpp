#include "game/BoardCache.h"

#include <algorithm>
#include <cstring>

namespace NGame
{
namespace
{
bool g_enabled = true;

bool SameQuad(const CSpriteBatch::SVertex* a, const CSpriteBatch::SVertex* b)
{
    // Bit for bit: equal quads give equal pixels.
    return std::memcmp(a, b, sizeof(CSpriteBatch::SVertex) * 4) == 0;
}
} // namespace

void CBoardCache::SetEnabled(bool enabled)
{
    g_enabled = enabled;
}

bool CBoardCache::IsEnabled()
{
    return g_enabled;
}

size_t CBoardCache::GetHeldCount() const
{
    return static_cast<size_t>(std::count(m_held.begin(), m_held.end(), uint8_t{1}));
}

bool CBoardCache::Plan(const std::vector<CSpriteBatch::SVertex>& vertices, const std::vector<int>& keys,
                       const std::vector<uint8_t>& atRest, bool copyFits)
{
    const size_t count = std::min({vertices.size() / 4, keys.size(), atRest.size()});
    const uint32_t previous = m_frame;
    const uint32_t now = ++m_frame;
    bool take = !copyFits;
    size_t changing = 0, gained = 0;
    std::vector<uint8_t> still(count, 0);
    for (size_t i = 0; i < count; ++i)
    {
        const size_t key = static_cast<size_t>(std::max(keys[i], 0));
        if (key >= m_cells.size())
            m_cells.resize(key + 1);
        SCell& cell = m_cells[key];
        const bool same =
            previous != 0 && cell.seen == previous && SameQuad(cell.quad.data(), &vertices[i * 4]);
        if (!same)
            ++changing;
        if (cell.held && !same)
            take = true;
        still[i] = same && atRest[i];
        if (still[i] && !cell.held)
            ++gained;
        std::copy_n(&vertices[i * 4], 4, cell.quad.begin());
        cell.seen = now;
    }
    // A held flower no longer drawn lying (hovered, raised, gone) leaves a hole.
    for (const SCell& cell : m_cells)
        take = take || (cell.held && cell.seen != now);
    // Flowers come to rest one after another at the end of a move: take them
    // in when the board is quiet, or when enough are waiting to pay for it.
    if (!take && gained > 0 && (changing == 0 || gained * 4 >= count))
        take = true;

    if (take)
    {
        ++m_takes;
        for (SCell& cell : m_cells)
            cell.held = false;
    }
    m_held.assign(count, 0);
    for (size_t i = 0; i < count; ++i)
    {
        SCell& cell = m_cells[static_cast<size_t>(std::max(keys[i], 0))];
        if (take)
            cell.held = still[i] != 0;
        m_held[i] = cell.held ? 1 : 0;
    }
    return take;
}
} // namespace NGame
