#include "interface/ContinueDlg.h"

#include "engine/AppSettings.h"
#include "ui/Frame.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceManager.h"
#include "engine/Texture.h"
#include "interface/InterfaceResources.h"
#include "interface/WindowArt.h"

#include <algorithm>
#include <cstdio>

namespace NInterface
{
namespace
{
std::unique_ptr<CSimpleButton> MakeButton(CScreen* owner, const CKeyValueFile& layout, const char* name)
{
    auto button = std::make_unique<CSimpleButton>(owner, GetInterfacePicture(name));
    button->LoadLayout(layout, name);
    owner->AddControl(button.get());
    return button;
}
} // namespace

CContinueDlg::CContinueDlg(int level, int score) : m_level(level), m_score(score)
{
    CKeyValueFile layout;
    layout.LoadResource(GetResourceManager(), kLayoutFile);
    m_continuesaved_btn = MakeButton(this, layout, "m_continuesaved_btn");
    m_startnew_btn = MakeButton(this, layout, "m_startnew_btn");
    m_cancel_btn = MakeButton(this, layout, "m_cancel_btn");
    SetFocusOrder({m_continuesaved_btn.get(), m_startnew_btn.get(), m_cancel_btn.get()}, m_continuesaved_btn.get());
}

CContinueDlg::~CContinueDlg() = default;

void CContinueDlg::Choose(int choice, int result)
{
    m_choice = choice;
    SetResult(result);
    if (IFrame* app = IFrame::Instance())
        app->CloseTop(false);
}

void CContinueDlg::OnControl(CControl* sender)
{
    if (sender == m_continuesaved_btn.get())
        Choose(kContinue, 0);
    else if (sender == m_startnew_btn.get())
        Choose(kNewGame, 0);
    else if (sender == m_cancel_btn.get())
        Choose(kCancel, 1);
}

void CContinueDlg::Render()
{
    // The fade steps per drawn frame: 40 frames to full.
    if (m_fade < 1.0f)
        m_fade += kFadeStep;
    // The menu behind darkens with the fade-in.
    SetDimming(true);
    const bool gl = NGL::IsContextAvailable();
    if (gl)
    {
        glPushMatrix();
        DrawDimmer(0.0f, 0.0f, 0.0f, std::min(m_fade, 0.5f));
        if (const CTexture* back = GetInterfacePicture("m_continue_dlg_back"))
        {
            glColor4f(1.0f, 1.0f, 1.0f, m_fade);
            glEnable(GL_TEXTURE_2D);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            back->Bind();
            const float x0 = m_x, y0 = m_y, x1 = m_x + static_cast<float>(m_width),
                        y1 = m_y + static_cast<float>(m_height);
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(0.0f, 1.0f);
            glVertex2f(x0, y0);
            glTexCoord2f(0.0f, 0.0f);
            glVertex2f(x0, y1);
            glTexCoord2f(1.0f, 1.0f);
            glVertex2f(x1, y0);
            glTexCoord2f(1.0f, 0.0f);
            glVertex2f(x1, y1);
            glEnd();
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        }
        if (CInterfaceResources* resources = GetInterfaceResources())
        {
            char text[48];
            std::snprintf(text, sizeof(text), "LEVEL : %d", m_level);
            resources->GetFont().DrawTextOutlined(text, 25.0f, m_x + 162.0f, 275.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
            std::snprintf(text, sizeof(text), "SCORE : %d", m_score);
            resources->GetFont().DrawTextOutlined(text, 25.0f, m_x + 164.0f, 305.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        }
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }
    CDialogScreen::Render();
    if (gl)
        glPopMatrix();
    GetAppSettings().m_music.Update();
    DrawPointer();
}
} // namespace NInterface
