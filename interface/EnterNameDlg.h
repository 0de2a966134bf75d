// The small dialog that asks for the player's name when a result enters the
// top-7 table. Every way of closing it (OK, Enter, Esc) keeps the typed name;
// the box refuses whatever the table file could not carry.
#pragma once

#include "ui/DialogScreen.h"

#include <memory>
#include <string>

class CSimpleButton;
class CSimpleEdit;

namespace NInterface
{
class CEnterNameDlg : public CDialogScreen
{
  public:
    static constexpr const char* kLayoutFile = "mui/entername_dlg.txt";
    static constexpr int kMaxNameLength = 15;
    static constexpr float kNameFontSize = 25.0f;
    static constexpr float kFadeStep = 0.025f; // per drawn frame: 40 frames to opaque
    static constexpr float kMaxDim = 0.5f;

    CEnterNameDlg();
    ~CEnterNameDlg() override;

    void Render() override;
    void OnControl(CControl* sender) override;

    // The text of the name box as typed (may be empty).
    std::string GetName() const;

    float GetFade() const { return m_fade; }
    CSimpleButton* GetOkButton() const { return m_ok_btn.get(); }
    CSimpleEdit* GetNameBox() const { return m_name_box.get(); }

  private:
    std::unique_ptr<CSimpleButton> m_ok_btn;
    std::unique_ptr<CSimpleEdit> m_name_box;
    float m_fade = 0.0f;
};
} // namespace NInterface
