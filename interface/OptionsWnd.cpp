#include "interface/OptionsWnd.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/SoundManager.h"
#include "interface/WindowArt.h"
#include "platform/Events.h"
#include "ui/Frame.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/TrackBar.h"

namespace NInterface
{
namespace
{
std::unique_ptr<CSimpleCheckBox> MakeCheckBox(CScreen* owner, const CKeyValueFile& layout, const char* name,
                                              float labelWidth, bool checked)
{
    auto box = std::make_unique<CSimpleCheckBox>(owner, GetInterfacePicture("m_check_box"), labelWidth);
    box->LoadLayout(layout, name);
    box->SetChecked(checked);
    owner->AddControl(box.get());
    return box;
}
} // namespace

COptionsWnd::COptionsWnd(float layoutWidth, float layoutHeight)
    : CLayoutScreen(layoutWidth, layoutHeight)
{
    CKeyValueFile layout;
    LoadWindowLayout(layout, kLayoutFile);
    const IFrame* app = IFrame::Instance();
    const bool fullScreen = app != nullptr && app->IsFullScreen();
    m_full_screen_seen = fullScreen;
    SetMovable(!fullScreen);
    const CAppSettings& settings = GetAppSettings();

    // The order of creation is the order in which the controls hear events.
    m_close_btn = AddLayoutButton(this, layout, "m_close_btn", "m_back_btn");

    m_musik_volume_track_bar = std::make_unique<CTrackBar>(this, GetInterfacePicture("m_music_track_bar"));
    m_musik_volume_track_bar->LoadLayout(layout, "m_musik_volume_track_bar");
    AddControl(m_musik_volume_track_bar.get());
    m_musik_volume_track_bar->SetRange(0.0f, static_cast<float>(CSoundManager::kMaxMusicVolume));
    m_musik_volume_track_bar->SetLength(kVolumeTravel);
    m_musik_volume_track_bar->SetValue(static_cast<float>(settings.m_music_volume));

    m_sound_cb = MakeCheckBox(this, layout, "m_sound_cb", kSoundLabel, settings.m_sound);
    m_hints_cb = MakeCheckBox(this, layout, "m_hints_cb", kHintsLabel, settings.m_hints);
    m_dragons_cb = MakeCheckBox(this, layout, "m_dragons_cb", kDragonsLabel, settings.m_show_dragons);
    m_fs_cb = MakeCheckBox(this, layout, "m_fs_cb", kFullScreenLabel, fullScreen);
    m_symbols_cb = MakeCheckBox(this, layout, "m_symbols_cb", kSymbolsLabel, settings.m_flower_symbols);
    m_outline_cb = MakeCheckBox(this, layout, "m_outline_cb", kOutlineLabel, settings.m_outline_zones);
    m_musik_volume_track_bar->SetKeyStep(kVolumeKeyStep);
    SetFocusOrder({m_musik_volume_track_bar.get(), m_sound_cb.get(), m_hints_cb.get(), m_dragons_cb.get(), m_fs_cb.get(),
                   m_symbols_cb.get(), m_outline_cb.get(), m_close_btn.get()},
                  m_close_btn.get());

    CInterfaceInsect::CreateSwarm(m_insects);
}

COptionsWnd::~COptionsWnd() = default;

void COptionsWnd::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    CAppSettings& settings = GetAppSettings();
    if (sender == m_close_btn.get())
    {
        if (IFrame* app = IFrame::Instance())
            app->CloseTop(false);
    }
    else if (sender == m_musik_volume_track_bar.get())
    {
        settings.m_music_volume = static_cast<int>(m_musik_volume_track_bar->GetValue());
    }
    else if (sender == m_sound_cb.get())
    {
        settings.m_sound = m_sound_cb->IsChecked();
        if (CSoundManager* sound = GetSoundManager())
            sound->SetSoundEnabled(settings.m_sound);
    }
    else if (sender == m_hints_cb.get())
    {
        settings.m_hints = m_hints_cb->IsChecked();
    }
    else if (sender == m_dragons_cb.get())
    {
        settings.m_show_dragons = m_dragons_cb->IsChecked();
    }
    else if (sender == m_symbols_cb.get())
    {
        settings.m_flower_symbols = m_symbols_cb->IsChecked();
    }
    else if (sender == m_outline_cb.get())
    {
        settings.m_outline_zones = m_outline_cb->IsChecked();
    }
    // Every option is on disk as soon as it changed, so a crash keeps it.
    if (sender != m_close_btn.get())
        settings.SaveNow();
}

void COptionsWnd::OnKeyDown(int virtualKey)
{
    if (HandleFocusKey(virtualKey))
        return;
    if (virtualKey == NPlatform::kVkEscape)
        OnControl(m_close_btn.get());
    CScreen::OnKeyDown(virtualKey);
}

void COptionsWnd::Update(float dt)
{
    CScreen::Update(dt);
    UpdatePointer(dt);
    FollowFullScreenBox();
    CInterfaceInsect::UpdateSwarm(m_insects, dt);
}

void COptionsWnd::FollowFullScreenBox()
{
    IFrame* app = IFrame::Instance();
    if (app == nullptr)
        return;
    if (app->IsFullScreen() != m_full_screen_seen)
    {
        m_full_screen_seen = app->IsFullScreen();
        m_fs_cb->SetChecked(m_full_screen_seen);
        SetMovable(!m_full_screen_seen);
        return;
    }
    if (m_fs_cb->IsChecked() && !app->IsFullScreen())
    {
        if (app->SetFullScreen(static_cast<int>(m_layout_width), static_cast<int>(m_layout_height)))
        {
            m_full_screen_seen = true;
            SetMovable(false);
            SetupWindowView(m_layout_width, m_layout_height);
            GetAppSettings().SaveNow();
        }
    }
    else if (!m_fs_cb->IsChecked() && app->IsFullScreen())
    {
        app->LeaveFullScreen();
        m_full_screen_seen = false;
        SetMovable(true);
        SetupWindowView(m_layout_width, m_layout_height);
        GetAppSettings().SaveNow();
    }
}

void COptionsWnd::ApplyVolume()
{
    CAppSettings& settings = GetAppSettings();
    settings.m_music_volume = static_cast<int>(m_musik_volume_track_bar->GetValue());
    if (CSoundManager* sound = GetSoundManager())
        sound->SetMusicVolume(settings.m_music_volume);
}

void COptionsWnd::Render()
{
    const bool gl = BeginWindowFrame(m_layout_width, m_layout_height, GetInterfacePicture("m_options_window_back"));
    CScreen::Render();
    CInterfaceInsect::DrawSwarm(m_insects);
    EndWindowFrame(gl);
    ApplyVolume();
    DrawPointer();
}
} // namespace NInterface
