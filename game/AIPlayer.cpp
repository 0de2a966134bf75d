#include "game/AIPlayer.h"

#include "game/Field.h"
#include "game/GameResources.h"

namespace NGame
{
CAIPlayer::CAIPlayer(int row, int col, CField* field, int difficulty)
    : CPlayer(row, col, field), m_search(row, col, CComputerSearch::StrengthForDifficulty(difficulty))
{
}

void CAIPlayer::OnClick(int, int) {}

void CAIPlayer::Update()
{
    if (!m_field)
        return;
    if (m_state == kMayMove && !m_field->IsFull())
    {
        // The turn is only given with the field idle; a busy field just waits a frame.
        if (m_field->IsIdle())
        {
            MakeMove();
            ++m_moves_made;
        }
    }
    else if (m_state == kMoved && m_field->IsIdle() && !m_field->IsFull())
    {
        m_state = kWaiting;
    }
}

float CAIPlayer::ZoneRatio() const
{
    return m_search.ZoneRatio(m_field->GetBoard());
}

std::pair<int, int64_t> CAIPlayer::SearchBestColour()
{
    return m_search.SearchBestColour(m_field->GetBoard());
}

int CAIPlayer::FallbackColour() const
{
    return m_search.FallbackColour(m_field->GetBoard());
}

int CAIPlayer::ChooseColour()
{
    return m_field ? m_search.ChooseColour(m_field->GetBoard()) : -1;
}

bool CAIPlayer::MakeMove()
{
    const int colour = ChooseColour();
    if (!m_field->Fill(m_start_row, m_start_col, colour))
        return false;
    PlayGameSound(CGameResources::kSoundStartPaint);
    m_state = kMoved;
    m_field->GetCollectedCoins().clear();
    return true;
}
} // namespace NGame
