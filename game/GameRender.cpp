// The face of the game screen: what is drawn each frame and in which order.
// Only the end-of-level messages change anything here: their fade steps per drawn frame.
#include "game/Game.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/Input.h"
#include "engine/Sprite.h"
#include "game/Bonus.h"
#include "game/FX.h"
#include "game/Field.h"
#include "game/FieldOverlay.h"
#include "game/GameResources.h"
#include "game/HintPanel.h"
#include "game/Player.h"
#include "ui/Hint.h"
#include "ui/Control.h"
#include "ui/Frame.h"
#include "ui/SimpleButton.h"
#include "ui/View.h"

#include <algorithm>
#include <cstdio>

namespace NGame
{
namespace
{
constexpr int kLayoutWidth = 800;
constexpr int kLayoutHeight = 600;
constexpr int kZoneMark = kMarkZone;
constexpr int kGrownMark = kMarkGrown;
constexpr float kPreviewGrowth = 1.2f;

// Sprites without their own blending (flowers, coins, insects) rely on it
// here; text and blended sprites switch it off behind themselves.
void UseBlending()
{
    if (!NGL::IsContextAvailable())
        return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void DrawCentred(const CBitmapText& font, const char* text, float size, float y, float alpha)
{
    const float x = kLayoutWidth / 2.0f - font.MeasureText(text, size) / 2.0f;
    font.DrawTextOutlined(text, size, x, y, 0.0f, 1.0f, 1.0f, 1.0f, alpha);
}
} // namespace

void CGame::GetPreviewCursor(int& x, int& y)
{
    IFrame* app = IFrame::Instance();
    if (app && app->GetInput().IsOpen())
        app->GetInput().Poll();
    // The toolkit's cursor (logical pixels, as the pointer is drawn, so the
    // preview sits under it), which tests and tools may replace.
    CControl::GetCursor(x, y);
}

void CGame::Render()
{
    const bool gl = NGL::IsContextAvailable();
    if (gl)
    {
        CView view;
        view.SetLogicalSize(kLayoutWidth, kLayoutHeight);
        view.SetOrtho(CView::LogicalViewport(), false);
        glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    // The background is opaque: blending it would only cost every pixel a read.
    if (gl)
        glDisable(GL_BLEND);
    m_field->DrawBackground();
    UseBlending();
    DrawHeadUpDisplay();
    UseBlending();
    m_field->Draw();
    UseBlending();
    DrawMovePreview();
    // Over the preview's redrawn cells too.
    DrawColourHelp();
    UseBlending();
    for (const auto& bonus : m_bonuses)
        bonus->Draw();
    for (const auto& panel : m_hint_panels)
        panel->Draw();
    UseBlending();
    CFX::Instance()->Draw();
    DrawMessages();
    if (gl)
        glPopMatrix();

    m_main_menu_button->SetVisible(m_hint_panels.empty());
    CScreen::Render();
    DrawTooltip();
    DrawPointer();
}

void CGame::DrawHeadUpDisplay() const
{
    const CGameResources* font = GetGameResources();
    if (!font || m_sides.empty())
        return;
    const CPlayer& player = *m_sides[0];
    const int playerZone = m_field->ZoneSize(player.GetStartRow(), player.GetStartColumn());
    if (m_sides.size() >= 2)
    {
        const CPlayer& computer = *m_sides[1];
        font->DrawNumberOutlined(playerZone, 24.0f, 80.0f, 40.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        font->DrawNumberOutlined(m_field->ZoneSize(computer.GetStartRow(), computer.GetStartColumn()), 24.0f,
                                 718.0f, 40.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        font->DrawNumberOutlined(m_total_score, 24.0f, 81.0f, 550.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        char money[32];
        std::snprintf(money, sizeof money, "$%d,%02d", player.GetMoney() / 100, player.GetMoney() % 100);
        font->DrawTextOutlined(money, 22.0f, 67.0f, 90.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f);
    }
    else
    {
        font->DrawNumber(playerZone, 22.0f, 10.0f, 25.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        font->DrawNumber(m_total_score, 22.0f, 10.0f, 55.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    }
    font->DrawNumberOutlined(player.GetLives(), 24.0f, 72.0f, 500.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    font->DrawNumberOutlined(m_field->GetLevelNumber() + 1, 24.0f, 717.0f, 550.0f, 0.0f, 1.0f, 1.0f, 1.0f,
                             1.0f);
}

void CGame::DrawColourHelp() const
{
    const CAppSettings& settings = GetAppSettings();
    if (settings.m_outline_zones)
        for (size_t i = 0; i < m_sides.size(); ++i)
            DrawZoneBorder(ZoneBorder(*m_field, m_sides[i]->GetStartRow(), m_sides[i]->GetStartColumn()), i == 0);
    if (settings.m_flower_symbols)
        DrawFlowerSymbols(*m_field);
}

void CGame::DrawMovePreview()
{
    if (!m_field->IsIdle() || m_current_side != 0 || m_sides.empty())
        return;
    int row = m_cell_cursor.GetRow(), col = m_cell_cursor.GetColumn();
    if (!m_cell_cursor.IsShown())
    {
        int x = 0, y = 0;
        GetPreviewCursor(x, y);
        const float fx = static_cast<float>(x), fy = static_cast<float>(y);
        row = m_field->RowAt(fy);
        col = m_field->ColumnAt(fx, fy);
    }
    if (!m_field->IsInside(row, col))
        return;
    const int colour = m_field->ColourAt(row, col);
    if (m_field->IsColourAllowed(colour))
    {
        const CHexGrid& grid = m_field->GetGrid();
        const CPlayer& player = *m_sides[0];
        const int start = grid.Index(player.GetStartRow(), player.GetStartColumn());
        m_field->Snapshot(m_preview_zone);
        m_preview_grown = m_preview_zone;
        if (m_preview_zone[start] >= 0)
        {
            grid.Flood(m_preview_zone, start, kZoneMark);
            grid.Flood(m_preview_grown, start, colour);
            grid.Flood(m_preview_grown, start, kGrownMark);
        }
        // The cells the colour would add by contact, rimmed on top of the field.
        for (int index = 0; index < grid.GetCellCount(); ++index)
            if (m_preview_grown[index] == kGrownMark && m_preview_zone[index] != kZoneMark)
            {
                const int r = grid.RowOf(index), c = grid.ColumnOf(index);
                m_field->DrawCellOutline(r, c, true);
                m_field->DrawCell(r, c);
            }
        m_field->GrowCell(row, col, kPreviewGrowth);
    }
    const CVector4 centre = m_field->CellCentre(row, col);
    const float size = m_field->GetCellWidth() * kPreviewGrowth;
    m_marker->SetPosition(centre.x, centre.y, 0.0f);
    m_marker->SetSize(size, size);
    m_marker->Draw(true);
}

void CGame::DrawMessages()
{
    const bool shown = m_game_over || IsLevelJudged();
    if (!shown)
        return;
    if (m_field->IsIdle())
        m_message_alpha = std::min(1.0f, m_message_alpha + kMessageFadeStep);
    else
        m_message_alpha = std::max(0.0f, m_message_alpha - kMessageFadeStep);
    const CGameResources* font = GetGameResources();
    if (!font)
        return;
    const float a = m_message_alpha;
    if (m_game_over)
    {
        char score[48];
        std::snprintf(score, sizeof score, "Your score : %d", m_total_score);
        DrawCentred(*font, "GAME OVER", 50.0f, 300.0f, a);
        DrawCentred(*font, score, 30.0f, 350.0f, a);
        DrawCentred(*font, "click to continue", 25.0f, 450.0f, a);
        return;
    }
    if (m_life_lost)
    {
        DrawCentred(*font, "LEVEL NOT COMPLETED", 40.0f, 300.0f, a);
        DrawCentred(*font, "you lost one life", 30.0f, 345.0f, a);
    }
    else
        DrawCentred(*font, "LEVEL COMPLETED", 40.0f, 300.0f, a);
    DrawCentred(*font, "click to continue", 30.0f, 450.0f, a);
}

void CGame::DrawTooltip() const
{
    if (!m_hint_panels.empty())
        return;
    for (int i = 0; i < kBonusCount; ++i)
        if (m_bonus_buttons[i]->IsCursorOver() || GetFocus() == m_bonus_buttons[i].get())
        {
            CHint::Draw(kTooltips[i], 50.0f, 530.0f, 15.0f, false, true);
            return;
        }
}
} // namespace NGame
