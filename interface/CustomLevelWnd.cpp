#include "interface/CustomLevelWnd.h"

#include "engine/AppSettings.h"
#include "ui/Frame.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceManager.h"
#include "engine/Texture.h"
#include "game/Field.h"
#include "game/GameResources.h"
#include "interface/InterfaceResources.h"
#include "interface/WindowArt.h"
#include "platform/Events.h"

namespace NInterface
{
namespace
{
int LevelCount(int gameType)
{
    NGame::CGameResources* resources = NGame::GetGameResources();
    return resources ? resources->GetLevelCount(gameType) : 1;
}
} // namespace

CCustomLevelWnd::CCustomLevelWnd(float layoutWidth, float layoutHeight)
    : CLayoutScreen(layoutWidth, layoutHeight)
{
    CKeyValueFile layout;
    layout.LoadResource(GetResourceManager(), kLayoutFile);
    IFrame* app = IFrame::Instance();
    SetMovable(!(app && app->IsFullScreen()));

    m_close_btn = std::make_unique<CSimpleButton>(this, GetInterfacePicture("m_cancel_btn"));
    m_close_btn->LoadLayout(layout, "m_close_btn");
    AddControl(m_close_btn.get());
    m_ok_btn = std::make_unique<CSimpleButton>(this, GetInterfacePicture("m_start_btn"));
    m_ok_btn->LoadLayout(layout, "m_ok_btn");
    AddControl(m_ok_btn.get());
    m_cb_classic = std::make_unique<CSimpleCheckBox>(this, GetInterfacePicture("m_check_box2"), kLabelWidth);
    m_cb_classic->LoadLayout(layout, "m_cb_classic");
    AddControl(m_cb_classic.get());
    m_cb_classic->SetChecked(false);
    m_cb_advanced = std::make_unique<CSimpleCheckBox>(this, GetInterfacePicture("m_check_box2"), kLabelWidth);
    m_cb_advanced->LoadLayout(layout, "m_cb_advanced");
    AddControl(m_cb_advanced.get());
    m_cb_advanced->SetChecked(true);
    m_level_track_bar = std::make_unique<CTrackBar>(this, GetInterfacePicture("m_music_track_bar"));
    m_level_track_bar->LoadLayout(layout, "m_level_track_bar");
    AddControl(m_level_track_bar.get());
    m_level_track_bar->SetRange(0.0f, static_cast<float>(kLastLevel));
    m_level_track_bar->SetLength(kTrackLength);
    m_level_track_bar->SetValue(0.0f);
    SetFocusOrder({m_cb_classic.get(), m_cb_advanced.get(), m_level_track_bar.get(), m_ok_btn.get(), m_close_btn.get()},
                  m_ok_btn.get());

    CInterfaceInsect::CreateSwarm(m_insects);
    m_preview = std::make_unique<NGame::CField>(NGame::CGameResources::GetLevelDirectory(NGame::CGameResources::kDuel),
                                                LevelCount(NGame::CGameResources::kDuel), 1);
}

CCustomLevelWnd::~CCustomLevelWnd() = default;

int CCustomLevelWnd::GetGameType() const
{
    return m_cb_classic->IsChecked() ? NGame::CGameResources::kClassic : NGame::CGameResources::kDuel;
}

int CCustomLevelWnd::GetLevel() const
{
    return static_cast<int>(m_level_track_bar->GetValue());
}

bool CCustomLevelWnd::ApplyLock()
{
    const CAppSettings& settings = GetAppSettings();
    const int level = GetLevel();
    const bool open = (m_cb_advanced->IsChecked() && level < settings.m_adv_level) ||
                      (m_cb_classic->IsChecked() && level < settings.m_classic_level);
    m_ok_btn->SetDisabled(!open);
    return !open;
}

void CCustomLevelWnd::FollowSlider()
{
    const int level = GetLevel();
    if (level != m_preview->GetLevelNumber())
        m_preview->GoToLevel(level);
}

void CCustomLevelWnd::Close(bool start)
{
    m_start_requested = start;
    if (IFrame* app = IFrame::Instance())
        app->CloseTop(false);
}

void CCustomLevelWnd::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    using NGame::CGameResources;
    if (sender == m_close_btn.get())
    {
        Close(false);
    }
    else if (sender == m_ok_btn.get())
    {
        Close(true);
    }
    else if (sender == m_cb_classic.get())
    {
        // The pair acts as radio buttons: a press on the ticked box keeps it ticked.
        m_cb_classic->SetChecked(true);
        m_cb_advanced->SetChecked(false);
        m_preview->SetLevelCount(LevelCount(CGameResources::kClassic));
        m_preview->ReloadLevel(CGameResources::GetLevelDirectory(CGameResources::kClassic), 0);
    }
    else if (sender == m_cb_advanced.get())
    {
        m_cb_advanced->SetChecked(true);
        m_cb_classic->SetChecked(false);
        m_preview->SetLevelCount(LevelCount(CGameResources::kDuel));
        m_preview->ReloadLevel(CGameResources::GetLevelDirectory(CGameResources::kDuel), 1);
    }
    else if (sender == m_level_track_bar.get())
    {
        FollowSlider();
    }
}

void CCustomLevelWnd::OnKeyDown(int virtualKey)
{
    if (HandleFocusKey(virtualKey))
        return;
    if (virtualKey == NPlatform::kVkEscape)
        OnControl(m_close_btn.get());
    CScreen::OnKeyDown(virtualKey);
}

void CCustomLevelWnd::Activate()
{
    IFrame* app = IFrame::Instance();
    SetMovable(!(app && app->IsFullScreen()));
    SetView();
    CScreen::Activate();
}

void CCustomLevelWnd::SetView() const
{
    SetupWindowView(m_layout_width, m_layout_height);
}

void CCustomLevelWnd::Update(float dt)
{
    CScreen::Update(dt);
    UpdatePointer(dt);
    // The preview follows the thumb while it is dragged, not only at the release.
    FollowSlider();
    CInterfaceInsect::UpdateSwarm(m_insects, dt);
}

void CCustomLevelWnd::Render()
{
    const bool gl = NGL::IsContextAvailable();
    if (gl)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        DrawWindowBackground(GetInterfacePicture("m_cust_lev_wnd"));
        if (CInterfaceResources* resources = GetInterfaceResources())
            resources->GetFont().DrawNumberOutlined(static_cast<int>(m_level_track_bar->GetValue() + 1.0f), 40.0f,
                                                    324.0f, 401.0f, 10.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        glPushMatrix();
        glTranslatef(173.0f, 188.0f, 0.0f);
        glScalef(0.262f, 0.262f, 0.2625f);
        m_preview->DrawPreview();
        glPopMatrix();
    }
    if (ApplyLock() && gl)
    {
        if (CInterfaceResources* resources = GetInterfaceResources())
            if (CTexture* lock = resources->GetLocked())
            {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                glEnable(GL_TEXTURE_2D);
                glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
                lock->Bind();
                lock->Draw(120.0f, 210.0f, 0.0f);
            }
    }
    CScreen::Render();
    CInterfaceInsect::DrawSwarm(m_insects);
    if (gl)
        glPopMatrix();
    GetAppSettings().m_music.Update();
    DrawPointer();
}
} // namespace NInterface
