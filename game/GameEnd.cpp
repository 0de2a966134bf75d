// The end of a game: the hand-over of the score to the top-7 table.
#include "game/Game.h"

#include "game/Field.h"
#include "game/GameOwner.h"
#include "game/GameResources.h"
#include "interface/EnterNameDlg.h"
#include "interface/TopTable.h"
#include "ui/Frame.h"

namespace NGame
{
namespace
{
constexpr int kDialogX = 144;
constexpr int kDialogY = 172;
constexpr int kDialogWidth = 512;
constexpr int kDialogHeight = 256;
} // namespace

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
    if (!AsksForName())
    {
        m_field->VanishLevel();
        return;
    }
    auto dialog = std::make_unique<NInterface::CEnterNameDlg>();
    dialog->SetVirtualSize(800, 600);
    dialog->SetDimming(false);
    dialog->SetPanelPosition(kDialogX, kDialogY);
    dialog->SetPanelSize(kDialogWidth, kDialogHeight);
    m_name_dialog = std::move(dialog);
    if (IFrame* app = IFrame::Instance())
        app->PushDialog(m_name_dialog.get());
}

bool CGame::RecordResult()
{
    if (!m_game_over || m_score_recorded || !AsksForName())
        return false;
    std::string name;
    if (m_name_dialog)
        name = static_cast<NInterface::CEnterNameDlg*>(m_name_dialog.get())->GetName();
    if (name.empty())
        name = NInterface::CTopTable::kDefaultName;
    m_score_recorded = true;
    if (m_owner)
        m_owner->OnGameFinished(*this);
    m_top_table->Add(m_game_type, m_total_score, name);
    return true;
}

void CGame::OnDialogClosed(int, CScreen* dialog)
{
    if (!dialog || dialog != m_name_dialog.get())
        return;
    RecordResult();
    m_name_dialog.reset();
    m_field->VanishLevel();
}
} // namespace NGame
