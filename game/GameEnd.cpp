// The end of a game: the hand-over of the score to the top-7 table.
#include "game/Game.h"

#include "game/Field.h"
#include "game/GameOwner.h"
#include "game/GameResources.h"
#include "game/TopTable.h"

namespace NGame
{
bool CGame::AsksForName() const
{
    // The table keeps the classic and the advanced game only.
    return m_top_table && m_game_type != CGameResources::kMoving &&
           m_top_table->Qualifies(m_game_type, m_total_score);
}

void CGame::EndGame()
{
    if (m_name_dialog)
        return;
    if (AsksForName())
    {
        m_name_dialog = m_owner ? m_owner->OpenNameEntry(*this) : nullptr;
        if (m_name_dialog)
            return;
        RecordResult();
    }
    m_field->VanishLevel();
}

bool CGame::RecordResult()
{
    if (!m_game_over || m_score_recorded || !AsksForName())
        return false;
    std::string name;
    if (m_name_dialog && m_owner)
        name = m_owner->GetEnteredName(*m_name_dialog);
    if (name.empty())
        name = CTopTable::kDefaultName;
    m_score_recorded = true;
    if (m_owner)
        m_owner->OnGameFinished(*this);
    m_top_table->Add(m_game_type, m_total_score, name);
    return true;
}

void CGame::OnDialogClosed(int, std::unique_ptr<CScreen> dialog)
{
    if (!dialog || dialog.get() != m_name_dialog)
        return;
    RecordResult();
    m_name_dialog = nullptr;
    if (m_owner)
        m_owner->OnNameEntryClosed(std::move(dialog));
    m_field->VanishLevel();
}
} // namespace NGame
