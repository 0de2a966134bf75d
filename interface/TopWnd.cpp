#include "interface/TopWnd.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "game/TopTable.h"
#include "interface/WindowArt.h"
#include "platform/Events.h"
#include "ui/BitmapText.h"
#include "ui/Frame.h"
#include "ui/SimpleButton.h"

#include <algorithm>
#include <cstdio>

namespace NInterface
{
CTopWnd::CTopWnd(float layoutWidth, float layoutHeight, CTopTable* table)
    : CLayoutScreen(layoutWidth, layoutHeight), m_table(table)
{
    CKeyValueFile layout;
    LoadWindowLayout(layout, kLayoutFile);
    const IFrame* app = IFrame::Instance();
    SetMovable(app == nullptr || !app->IsFullScreen());

    m_close_btn = AddLayoutButton(this, layout, "m_close_btn", "m_back_btn");
    m_next_btn = AddLayoutButton(this, layout, "m_next_btn", "m_top_next_btn");
    m_prev_btn = AddLayoutButton(this, layout, "m_prev_btn", "m_top_prev_btn");
    SetFocusOrder({m_prev_btn.get(), m_next_btn.get(), m_close_btn.get()}, m_close_btn.get());

    m_score_space = layout.GetFloat("m_score_space", 400.0f);
    m_num_space = layout.GetFloat("m_num_space", 30.0f);
    m_font_size = layout.GetFloat("m_font_size", 10.0f);
    for (int i = 1; i <= CTopTable::kPlaces; ++i)
    {
        char key[32];
        std::snprintf(key, sizeof key, "string_pos_%02d.x", i);
        const float x = layout.GetFloat(key, 0.0f);
        std::snprintf(key, sizeof key, "string_pos_%02d.y", i);
        m_rows[i - 1] = CVector4(x, layout.GetFloat(key, 0.0f), 0.0f, 1.0f);
    }
    CInterfaceInsect::CreateSwarm(m_insects);
    ShowPageButtons();
}

CTopWnd::~CTopWnd() = default;

int CTopWnd::GetLastPage() const
{
    return m_table != nullptr ? std::max(m_table->GetTableCount() - 1, 0) : 0;
}

void CTopWnd::SetPage(int page)
{
    m_page = std::clamp(page, 0, GetLastPage());
    ShowPageButtons();
}

const char* CTopWnd::GetTitle() const
{
    return m_page == 1 ? "ADVANCED GAME" : "CLASSIC GAME";
}

void CTopWnd::ShowPageButtons()
{
    m_prev_btn->SetVisible(m_page != 0);
    m_next_btn->SetVisible(m_page != GetLastPage());
}

void CTopWnd::Update(float dt)
{
    CScreen::Update(dt);
    UpdatePointer(dt);
    CInterfaceInsect::UpdateSwarm(m_insects, dt);
}

void CTopWnd::Render()
{
    const bool gl = BeginWindowFrame(m_layout_width, m_layout_height, GetInterfacePicture("m_top_window_back"));
    ShowPageButtons();

    const CBitmapText* font = GetInterfaceFont();
    if (font != nullptr && m_table != nullptr && gl)
    {
        for (int r = 0; r < CTopTable::kPlaces; ++r)
        {
            const CVector4& p = m_rows[r];
            char text[32];
            std::snprintf(text, sizeof text, "%d.", r + 1);
            font->DrawTextOutlined(text, m_font_size, p.x - m_num_space, p.y, p.z, 1, 1, 1, 1);
            font->DrawTextOutlined(m_table->GetName(m_page, r).c_str(), m_font_size, p.x, p.y, p.z, 1, 1, 1,
                                   1);
            std::snprintf(text, sizeof text, "%d", m_table->GetPoints(m_page, r));
            font->DrawTextOutlined(text, m_font_size, p.x + m_score_space, p.y, p.z, 1, 1, 1, 1);
        }
        const float size = m_font_size * kTitleScale;
        const float left = (kTitleSpaceWidth - font->MeasureText(GetTitle(), size)) / 2.0f;
        font->DrawTextOutlined(GetTitle(), size, left, kTitleBaseLine, 0.0f, 1, 1, 1, 1);
    }

    CScreen::Render();
    CInterfaceInsect::DrawSwarm(m_insects);
    EndWindowFrame(gl);
    GetAppSettings().m_music.Update();
    DrawPointer();
}

void CTopWnd::OnKeyDown(int virtualKey)
{
    if (HandleFocusKey(virtualKey))
        return;
    if (virtualKey == NPlatform::kVkEscape)
        OnControl(m_close_btn.get());
    CScreen::OnKeyDown(virtualKey);
}

void CTopWnd::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    if (sender == m_close_btn.get())
    {
        if (IFrame* app = IFrame::Instance())
            app->CloseTop(false);
    }
    else if (sender == m_next_btn.get())
        SetPage(m_page + 1);
    else if (sender == m_prev_btn.get())
        SetPage(m_page - 1);
}
} // namespace NInterface
