// The end of a game: the hand-over of the score to the top-7 table.
#include "game/Game.h"

#include "game/Field.h"
#include "game/GameResources.h"
#include "ui/Frame.h"

#if __has_include("interface/EnterNameDlg.h") && __has_include("interface/TopTable.h")
#include "interface/EnterNameDlg.h"
#include "interface/TopTable.h"
#define ZONVEL_HAS_TOP_TABLE 1
#endif

namespace NGame
{
bool CGame::AsksForName() const
{
#ifdef ZONVEL_HAS_TOP_TABLE
    // The table keeps the classic and the advanced game only.
    return m_top_table && m_game_type != CGameResources::kMoving &&
           m_top_table->Qualifies(m_game_type, m_total_score);
#else
    return false;
#endif
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
#ifdef ZONVEL_HAS_TOP_TABLE
    auto dialog = std::make_unique<NInterface::CEnterNameDlg>();
    dialog->SetVirtualSize(800, 600);
    dialog->SetDimming(false);
    dialog->SetPanelPosition(144, 172);
    dialog->SetPanelSize(512, 256);
    m_name_dialog = std::move(dialog);
    if (IFrame* app = IFrame::Instance())
        app->PushDialog(m_name_dialog.get());
#endif
}

void CGame::OnDialogClosed(int, CScreen* dialog)
{
    if (!dialog || dialog != m_name_dialog.get())
        return;
#ifdef ZONVEL_HAS_TOP_TABLE
    std::string name = static_cast<NInterface::CEnterNameDlg*>(dialog)->GetName();
    if (name.empty())
        name = "Nemo";
    m_top_table->Add(m_game_type, m_total_score, name);
#endif
    m_name_dialog.reset();
    m_field->VanishLevel();
    m_score_recorded = true;
}
} // namespace NGame
