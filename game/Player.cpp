#include "game/Player.h"

#include "game/Field.h"
#include "game/GameResources.h"

#include <algorithm>

namespace NGame
{
namespace
{
std::vector<CPlayer*>& Registry()
{
    static std::vector<CPlayer*> registry;
    return registry;
}
} // namespace

CPlayer::CPlayer(int row, int col, CField* field) : m_start_col(col), m_start_row(row), m_field(field)
{
    Registry().push_back(this);
    if (m_field)
        m_field->RegisterStart(row, col);
}

CPlayer::~CPlayer()
{
    auto& registry = Registry();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
    if (m_field)
        m_field->UnregisterStart(m_start_row, m_start_col);
}

const std::vector<CPlayer*>& CPlayer::GetRegistry()
{
    return Registry();
}

int CPlayer::CoinValue(int kind)
{
    static constexpr int kValues[5] = {1, 5, 10, 25, 100};
    return kind >= 0 && kind < 5 ? kValues[kind] : 0;
}

void CPlayer::AddMoney(int cents)
{
    const long long sum = static_cast<long long>(m_money) + cents;
    m_money = static_cast<int>(std::clamp<long long>(sum, 0, kMaxMoney));
}

void CPlayer::SetLives(int lives)
{
    m_lives = std::clamp(lives, 0, kMaxLives);
}

bool CPlayer::TrySpend(int cents)
{
    if (m_money < cents)
        return false;
    m_money -= cents;
    return true;
}

int CPlayer::GetZoneColour() const
{
    return m_field ? m_field->ColourAt(m_start_row, m_start_col) : CField::kOutside;
}

bool CPlayer::MayPick(int colour) const
{
    return m_field->IsColourAllowed(colour);
}

bool CPlayer::HasColourToPick() const
{
    bool present[CField::kColourCount] = {};
    for (int r = 0; r < m_field->GetRows(); ++r)
        for (int c = 0; c < m_field->RowLength(r); ++c)
        {
            const int colour = m_field->ColourAt(r, c);
            if (colour >= 0 && colour < CField::kColourCount)
                present[colour] = true;
        }
    for (int colour = 0; colour < CField::kColourCount; ++colour)
        if (present[colour] && MayPick(colour))
            return true;
    return false;
}

void CPlayer::Update()
{
    if (!m_field)
        return;
    if (m_state == kMoved && m_field->IsIdle())
        m_state = kWaiting;
    else if (m_state == kMayMove && m_field->IsIdle() && !m_field->IsFull() && !HasColourToPick())
        m_state = kWaiting; // nothing to click: pass rather than wait for ever
}

void CPlayer::OnClick(int x, int y)
{
    m_click_accepted = true;
    if (!m_field || m_state != kMayMove || !m_field->IsIdle() || m_field->IsFull())
        return;
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const int row = m_field->RowAt(fy), col = m_field->ColumnAt(fx, fy);
    const int colour = m_field->ColourAt(row, col);
    if (!m_field->IsColourAllowed(colour))
    {
        if (m_field->IsInside(row, col))
        {
            PlayGameSound(CGameResources::kSoundWrongPaint);
            m_click_accepted = false;
        }
        return;
    }
    if (!m_field->Fill(m_start_row, m_start_col, colour))
        return;
    m_state = kMoved;
    auto& coins = m_field->GetCollectedCoins();
    for (const SCollectedCoin& coin : coins)
        AddMoney(CoinValue(coin.kind));
    PlayGameSound(CGameResources::kSoundStartPaint);
    coins.clear();
}
} // namespace NGame
