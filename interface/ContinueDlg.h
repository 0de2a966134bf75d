// Asked over the main menu when a game is held: continue it, start a new one
// or cancel. The menu reads the choice after the dialog has closed.
#pragma once

#include "ui/DialogScreen.h"
#include "ui/SimpleButton.h"

#include <memory>

namespace NInterface
{
class CContinueDlg : public CDialogScreen
{
public:
    enum EChoice
    {
        kCancel = 0,
        kContinue = 1,
        kNewGame = 2,
    };
    static constexpr const char* kLayoutFile = "mui/continue_dlg.txt";
    static constexpr float kFadeStep = 0.025f;

    // level is shown as given (the menu passes the 1-based level).
    CContinueDlg(int level, int score);
    ~CContinueDlg() override;

    void Render() override;
    void OnControl(CControl* sender) override;

    int GetChoice() const { return m_choice; }
    int GetLevel() const { return m_level; }
    int GetScore() const { return m_score; }
    float GetFade() const { return m_fade; }
    CSimpleButton* GetContinueButton() const { return m_continuesaved_btn.get(); }
    CSimpleButton* GetNewGameButton() const { return m_startnew_btn.get(); }
    CSimpleButton* GetCancelButton() const { return m_cancel_btn.get(); }

private:
    void Choose(int choice, int result);

    int m_choice = kCancel;
    int m_level;
    int m_score;
    float m_fade = 0.0f;
    std::unique_ptr<CSimpleButton> m_continuesaved_btn;
    std::unique_ptr<CSimpleButton> m_startnew_btn;
    std::unique_ptr<CSimpleButton> m_cancel_btn;
};
} // namespace NInterface
