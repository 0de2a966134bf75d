// The options window: music volume, sounds, hints, dragons, full screen and
// the colour-blind help (symbols on flowers, zone outlines).
// Every change acts at once and lands in the settings, which are saved at exit.
#pragma once

#include "interface/InterfaceInsect.h"
#include "ui/LayoutScreen.h"

#include <memory>

class CSimpleButton;
class CSimpleCheckBox;
class CTrackBar;

namespace NInterface
{
class COptionsWnd : public CLayoutScreen
{
  public:
    static constexpr const char* kLayoutFile = "mui/options_wnd.txt";
    static constexpr float kVolumeTravel = 204.0f;
    static constexpr float kVolumeKeyStep = 4.0f; // a sixteenth of the range per key
    static constexpr float kFullScreenLabel = 165.0f;
    static constexpr float kSoundLabel = 110.0f;
    static constexpr float kHintsLabel = 80.0f;
    static constexpr float kDragonsLabel = 165.0f;
    static constexpr float kSymbolsLabel = 240.0f;
    static constexpr float kOutlineLabel = 200.0f;

    COptionsWnd(float layoutWidth, float layoutHeight);
    ~COptionsWnd() override;

    void Update(float dt) override;
    void Render() override;
    void OnKeyDown(int virtualKey) override;
    void OnControl(CControl* sender) override;

    CSimpleButton* GetCloseButton() const { return m_close_btn.get(); }
    CTrackBar* GetVolumeBar() const { return m_musik_volume_track_bar.get(); }
    CSimpleCheckBox* GetSoundBox() const { return m_sound_cb.get(); }
    CSimpleCheckBox* GetHintsBox() const { return m_hints_cb.get(); }
    CSimpleCheckBox* GetDragonsBox() const { return m_dragons_cb.get(); }
    CSimpleCheckBox* GetFullScreenBox() const { return m_fs_cb.get(); }
    CSimpleCheckBox* GetSymbolsBox() const { return m_symbols_cb.get(); }
    CSimpleCheckBox* GetOutlineBox() const { return m_outline_cb.get(); }
    const CInterfaceInsect::Swarm& GetInsects() const { return m_insects; }

  private:
    // Full screen follows its box; a refused switch is tried again next frame.
    // A switch made elsewhere (F11, Alt+Enter) moves the box instead.
    void FollowFullScreenBox();
    // The music follows the thumb while it is being dragged.
    void ApplyVolume();

    std::unique_ptr<CSimpleButton> m_close_btn;
    std::unique_ptr<CTrackBar> m_musik_volume_track_bar;
    std::unique_ptr<CSimpleCheckBox> m_sound_cb;
    std::unique_ptr<CSimpleCheckBox> m_hints_cb;
    std::unique_ptr<CSimpleCheckBox> m_dragons_cb;
    std::unique_ptr<CSimpleCheckBox> m_fs_cb;
    std::unique_ptr<CSimpleCheckBox> m_symbols_cb;
    std::unique_ptr<CSimpleCheckBox> m_outline_cb;
    bool m_full_screen_seen = false; // the window's state when the box last agreed with it
    CInterfaceInsect::Swarm m_insects;
};
} // namespace NInterface
