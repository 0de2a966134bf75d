// The help book: pages of text and picture blocks read from mui/help.xml, leafed
// with next and previous. Only the current page's blocks run and draw.
#pragma once

#include "interface/HelpBlock.h"
#include "interface/InterfaceInsect.h"
#include "ui/LayoutScreen.h"

#include <memory>
#include <string>
#include <vector>

class CSimpleButton;
class CXmlNode;

namespace NInterface
{
class CHelpWnd : public CLayoutScreen
{
  public:
    static constexpr const char* kLayoutFile = "mui/help_wnd.txt";
    static constexpr const char* kHelpFile = "mui/help.xml";

    CHelpWnd(float layoutWidth, float layoutHeight);
    ~CHelpWnd() override;

    void Update(float dt) override;
    void Render() override;
    void OnKeyDown(int virtualKey) override;
    void OnControl(CControl* sender) override;

    // Replaces the pages with those of a parsed help document; page 1 follows.
    void LoadPages(const CXmlNode& document);

    int GetPage() const { return m_page; }
    int GetPageCount() const { return m_page_count; }
    const std::vector<std::unique_ptr<CHelpBlock>>& GetBlocks() const { return m_blocks; }
    CSimpleButton* GetCloseButton() const { return m_close_btn.get(); }
    CSimpleButton* GetNextButton() const { return m_next_btn.get(); }
    CSimpleButton* GetPrevButton() const { return m_prev_btn.get(); }

  private:
    // Previous is disabled on the first page, next on the last.
    void EnablePageButtons();

    std::unique_ptr<CSimpleButton> m_close_btn;
    std::unique_ptr<CSimpleButton> m_next_btn;
    std::unique_ptr<CSimpleButton> m_prev_btn;
    std::vector<std::unique_ptr<CHelpBlock>> m_blocks;
    int m_page_count = 0;
    int m_page = 1;
    CInterfaceInsect::Swarm m_insects;
};
} // namespace NInterface
