// Where a new game is chosen: classic or advanced, and the starting level on a
// slider with a live preview of that level's field. Levels beyond the best one
// reached in the chosen kind of game are locked. The main menu makes it once
// and keeps it, so the choice survives between uses.
#pragma once

#include "interface/InterfaceInsect.h"
#include "ui/LayoutScreen.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/TrackBar.h"

#include <memory>

namespace NGame
{
class CField;
}

namespace NInterface
{
class CCustomLevelWnd : public CLayoutScreen
{
public:
    static constexpr const char* kLayoutFile = "mui/custom_wnd.txt";
    static constexpr float kLabelWidth = 220.0f;
    static constexpr int kLastLevel = 99;
    static constexpr float kTrackLength = 495.0f; // 5 pixels per level

    CCustomLevelWnd(float layoutWidth, float layoutHeight);
    ~CCustomLevelWnd() override;

    void Update(float dt) override;
    void Render() override;
    void Activate() override;
    void OnKeyDown(int virtualKey) override;
    void OnControl(CControl* sender) override;

    bool IsStartRequested() const { return m_start_requested; }
    // 0 classic, 1 advanced.
    int GetGameType() const;
    // 0-based level under the slider.
    int GetLevel() const;
    // Whether the level under the slider is beyond the best one reached; also
    // enables or disables the start button to match. Run by every Render.
    bool ApplyLock();

    const NGame::CField& GetPreview() const { return *m_preview; }
    CSimpleButton* GetCloseButton() const { return m_close_btn.get(); }
    CSimpleButton* GetOkButton() const { return m_ok_btn.get(); }
    CSimpleCheckBox* GetClassicBox() const { return m_cb_classic.get(); }
    CSimpleCheckBox* GetAdvancedBox() const { return m_cb_advanced.get(); }
    CTrackBar* GetLevelTrackBar() const { return m_level_track_bar.get(); }

private:
    void Close(bool start);
    void FollowSlider();
    void SetView() const;

    bool m_start_requested = false;
    std::unique_ptr<CSimpleButton> m_close_btn;
    std::unique_ptr<CSimpleButton> m_ok_btn;
    std::unique_ptr<CSimpleCheckBox> m_cb_classic;
    std::unique_ptr<CSimpleCheckBox> m_cb_advanced;
    std::unique_ptr<CTrackBar> m_level_track_bar;
    CInterfaceInsect::Swarm m_insects;
    std::unique_ptr<NGame::CField> m_preview;
};
} // namespace NInterface
