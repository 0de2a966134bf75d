// The top-7 window: one table per page (classic, advanced) with buttons to leaf
// between them and to close. The table is borrowed from the main menu.
#pragma once

#include "engine/Vector4.h"
#include "interface/InterfaceInsect.h"
#include "ui/LayoutScreen.h"

#include <memory>

class CSimpleButton;

namespace NGame
{
class CTopTable;
}

namespace NInterface
{
using NGame::CTopTable;

class CTopWnd : public CLayoutScreen
{
  public:
    static constexpr const char* kLayoutFile = "mui/top_wnd.txt";
    static constexpr float kTitleBaseLine = 155.0f;
    static constexpr float kTitleScale = 1.4f;
    static constexpr float kTitleSpaceWidth = 800.0f; // the title is centred on the 800-wide space

    CTopWnd(float layoutWidth, float layoutHeight, CTopTable* table);
    ~CTopWnd() override;

    void Update(float dt) override;
    void Render() override;
    void OnKeyDown(int virtualKey) override;
    void OnControl(CControl* sender) override;

    // The table shown; kept within the tables there are.
    void SetPage(int page);
    int GetPage() const { return m_page; }
    const char* GetTitle() const;

    CSimpleButton* GetCloseButton() const { return m_close_btn.get(); }
    CSimpleButton* GetNextButton() const { return m_next_btn.get(); }
    CSimpleButton* GetPrevButton() const { return m_prev_btn.get(); }
    const CVector4& GetRowPosition(int place) const { return m_rows[place]; }
    float GetScoreOffset() const { return m_score_space; }
    float GetNumberOffset() const { return m_num_space; }
    float GetFontSize() const { return m_font_size; }
    const CInterfaceInsect::Swarm& GetInsects() const { return m_insects; }

  private:
    int GetLastPage() const;
    void ShowPageButtons();

    CTopTable* m_table;
    int m_page = 0;
    std::unique_ptr<CSimpleButton> m_close_btn;
    std::unique_ptr<CSimpleButton> m_next_btn;
    std::unique_ptr<CSimpleButton> m_prev_btn;
    CVector4 m_rows[7];
    float m_score_space = 400.0f;
    float m_num_space = 30.0f;
    float m_font_size = 10.0f;
    CInterfaceInsect::Swarm m_insects;
};
} // namespace NInterface
