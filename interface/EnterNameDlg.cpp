#include "interface/EnterNameDlg.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/Texture.h"
#include "game/TopTable.h"
#include "interface/WindowArt.h"
#include "ui/Frame.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleEdit.h"

#include <algorithm>

namespace NInterface
{
CEnterNameDlg::CEnterNameDlg()
{
    CKeyValueFile layout;
    LoadWindowLayout(layout, kLayoutFile);

    m_ok_btn = AddLayoutButton(this, layout, "m_ok_btn", "m_ok_btn");

    m_name_box = std::make_unique<CSimpleEdit>(this, GetInterfaceFont(), kNameFontSize,
                                               GetInterfacePicture("m_enter_name_editbox"));
    m_name_box->SetPosition(layout.GetFloat("m_enter_name_box.x", 0.0f),
                            layout.GetFloat("m_enter_name_box.y", 0.0f), 0.0f);
    m_name_box->SetMaxLength(kMaxNameLength);
    m_name_box->SetFocus(true);
    m_name_box->SetFilter(&NGame::CTopTable::IsStorableName);
    AddControl(m_name_box.get());
    // The focus starts on the name box, so typing, the caret keys and Enter
    // (which takes the name) work as before; Down or Tab reach OK.
    SetFocusOrder({m_name_box.get(), m_ok_btn.get()}, m_name_box.get());
}

CEnterNameDlg::~CEnterNameDlg() = default;

std::string CEnterNameDlg::GetName() const
{
    return m_name_box->GetText();
}

void CEnterNameDlg::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    if (sender == m_ok_btn.get())
    {
        SetResult(0);
        if (IFrame* app = IFrame::Instance())
            app->CloseTop(false);
    }
}

void CEnterNameDlg::Render()
{
    // The panel fades in with the frames drawn, not with time.
    if (m_fade < 1.0f)
        m_fade += kFadeStep;
    const bool gl = NGL::IsContextAvailable();
    if (gl)
        glPushMatrix();
    SetDimming(true);
    DrawDimmer(0.0f, 0.0f, 0.0f, std::min(m_fade, kMaxDim));

    const CTexture* panel = GetInterfacePicture("m_enter_name_dlg_back");
    if (gl && panel != nullptr)
    {
        const float x = m_x, y = m_y;
        const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
        glColor4f(1.0f, 1.0f, 1.0f, m_fade);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        panel->Bind();
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(x, y);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(x, y + h);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(x + w, y);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(x + w, y + h);
        glEnd();
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }

    CDialogScreen::Render();
    if (gl)
        glPopMatrix();
    GetAppSettings().m_music.Update();
    DrawPointer();
}
} // namespace NInterface
