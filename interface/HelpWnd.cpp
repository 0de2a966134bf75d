#include "interface/HelpWnd.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceManager.h"
#include "engine/XmlNode.h"
#include "interface/WindowArt.h"
#include "platform/Events.h"
#include "ui/Frame.h"
#include "ui/SimpleButton.h"

#include <algorithm>

namespace NInterface
{
CHelpWnd::CHelpWnd(float layoutWidth, float layoutHeight)
    : CLayoutScreen(layoutWidth, layoutHeight)
{
    CKeyValueFile layout;
    LoadWindowLayout(layout, kLayoutFile);
    const IFrame* app = IFrame::Instance();
    SetMovable(app == nullptr || !app->IsFullScreen());

    CXmlNode document;
    if (document.Load(GetResourceManager(), kHelpFile))
        LoadPages(document);

    m_close_btn = AddLayoutButton(this, layout, "m_close_btn", "m_back_btn");
    m_next_btn = AddLayoutButton(this, layout, "m_next_btn", "m_help_next_btn");
    m_prev_btn = AddLayoutButton(this, layout, "m_prev_btn", "m_help_prev_btn");
    SetFocusOrder({m_prev_btn.get(), m_close_btn.get(), m_next_btn.get()}, m_close_btn.get());
    EnablePageButtons();

    CInterfaceInsect::CreateSwarm(m_insects);
}

CHelpWnd::~CHelpWnd() = default;

void CHelpWnd::LoadPages(const CXmlNode& document)
{
    m_blocks.clear();
    const std::vector<CXmlNode*> pages = document.GetChildren();
    for (size_t i = 0; i < pages.size(); ++i)
        for (const CXmlNode* element : pages[i]->GetChildren())
            m_blocks.push_back(std::make_unique<CHelpBlock>(*element, static_cast<int>(i) + 1));
    m_page_count = static_cast<int>(pages.size());
    m_page = 1;
    if (m_next_btn != nullptr)
        EnablePageButtons();
}

void CHelpWnd::EnablePageButtons()
{
    m_prev_btn->SetDisabled(m_page <= 1);
    m_next_btn->SetDisabled(m_page >= m_page_count);
}

void CHelpWnd::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    if (sender == m_close_btn.get())
    {
        if (IFrame* app = IFrame::Instance())
            app->CloseTop(false);
    }
    else if (sender == m_next_btn.get())
        m_page = std::min(m_page + 1, std::max(m_page_count, 1));
    else if (sender == m_prev_btn.get())
        m_page = std::max(m_page - 1, 1);
    EnablePageButtons();
}

void CHelpWnd::OnKeyDown(int virtualKey)
{
    if (HandleFocusKey(virtualKey))
        return;
    if (virtualKey == NPlatform::kVkEscape)
        OnControl(m_close_btn.get());
    CScreen::OnKeyDown(virtualKey);
}

void CHelpWnd::Update(float dt)
{
    CScreen::Update(dt);
    UpdatePointer(dt);
    CInterfaceInsect::UpdateSwarm(m_insects, dt);
    for (auto& block : m_blocks)
        if (block->GetPage() == m_page)
            block->Update(dt);
    GetAppSettings().m_music.Update();
}

void CHelpWnd::Render()
{
    const bool gl = BeginWindowFrame(m_layout_width, m_layout_height, GetInterfacePicture("m_help_window_back"));
    EnablePageButtons();
    CScreen::Render();
    for (const auto& block : m_blocks)
        if (block->GetPage() == m_page)
            block->Draw();
    CInterfaceInsect::DrawSwarm(m_insects);
    EndWindowFrame(gl);
    DrawPointer();
}
} // namespace NInterface
