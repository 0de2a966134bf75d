#include "ui/Screen.h"

#include "engine/GLHeaders.h"
#include "engine/Input.h"
#include "engine/Sprite.h"
#include "platform/Events.h"
#include "platform/Gamepad.h"
#include "platform/Keyboard.h"
#include "platform/Mouse.h"
#include "ui/Control.h"
#include "ui/Frame.h"

#include <algorithm>
#include <cmath>

namespace
{
CSprite* g_pointer = nullptr;
bool g_keyboard_in_use = false;

// The ring: a dark line under a golden one, a few pixels off the control.
constexpr float kRingGap = 4.0f;
constexpr float kRingDark[3] = {0.17f, 0.13f, 0.25f};
constexpr float kRingGold[3] = {0.96f, 0.77f, 0.19f};

void Centre(const CControl* control, float& x, float& y)
{
    float left, top, width, height;
    control->GetFocusArea(left, top, width, height);
    x = left + width / 2.0f;
    y = top + height / 2.0f;
}
} // namespace

CScreen::CScreen() = default;

CScreen::~CScreen() = default;

void CScreen::Update(float dt)
{
    if (m_dragging)
    {
        // The cursor may leave the window faster than the window follows it.
        IFrame* app = IFrame::Instance();
        if (app)
        {
            int left = 0, top = 0, right = 0, bottom = 0;
            app->GetWindowRect(left, top, right, bottom);
            int x = 0, y = 0;
            NPlatform::GetCursorDesktop(x, y);
            if (x < left || x > right || y < top || y > bottom)
                m_dragging = false;
        }
    }
    for (CControl* control : m_controls)
        control->Update(dt);
}

void CScreen::Render()
{
    for (CControl* control : m_controls)
        control->Render();
    DrawFocusRing();
}

void CScreen::Activate()
{
    m_dragging = false;
    for (CControl* control : m_controls)
        control->Reset();
    // A screen shown again starts on its default control; the ring shows at
    // once while the player steers with keys.
    SetFocus(g_keyboard_in_use ? m_default_focus : nullptr);
}

void CScreen::OnKeyDown(int virtualKey)
{
    for (CControl* control : m_controls)
        control->OnKeyDown(virtualKey);
}

void CScreen::OnChar(uint16_t character, int repeat)
{
    for (CControl* control : m_controls)
        control->OnChar(character, repeat);
}

void CScreen::OnMouseMove(int x, int y, uint32_t keyFlags)
{
    IFrame* app = IFrame::Instance();
    if (m_dragging && m_movable && app)
    {
        int left = 0, top = 0, right = 0, bottom = 0;
        app->GetWindowRect(left, top, right, bottom);
        int cx = 0, cy = 0;
        NPlatform::GetCursorDesktop(cx, cy);
        app->MoveWindow(left + cx - m_anchor_x, top + cy - m_anchor_y);
        m_anchor_x = cx;
        m_anchor_y = cy;
    }
    for (CControl* control : m_controls)
    {
        if (control->OnMouseMove(x, y, keyFlags))
            m_dragging = false;
    }
}

void CScreen::OnLButtonUp(int x, int y, uint32_t keyFlags)
{
    m_dragging = false;
    for (CControl* control : m_controls)
    {
        if (control->OnLButtonUp(x, y, keyFlags))
            m_dragging = false;
    }
}

void CScreen::OnLButtonDown(int x, int y, uint32_t keyFlags)
{
    // The mouse takes over: Enter has its old meaning again until a focus key.
    g_keyboard_in_use = false;
    m_focus_shown = false;
    m_dragging = true;
    NPlatform::GetCursorDesktop(m_anchor_x, m_anchor_y);
    for (CControl* control : m_controls)
    {
        if (control->OnLButtonDown(x, y, keyFlags))
            m_dragging = false;
    }
}

void CScreen::OnRButtonUp(int x, int y, uint32_t keyFlags)
{
    m_dragging = false;
    for (CControl* control : m_controls)
        control->OnRButtonUp(x, y, keyFlags);
}

void CScreen::OnControl(CControl*)
{
    m_dragging = false;
}

// Not kept: a closed dialog or screen nobody asked back goes now.
void CScreen::OnDialogClosed(int, std::unique_ptr<CScreen>) {}

void CScreen::OnScreenClosed(std::unique_ptr<CScreen>) {}

void CScreen::OnCloseRequest() {}

void CScreen::OnPadButton(int button)
{
    using NPlatform::EPadButton;
    switch (static_cast<EPadButton>(button))
    {
    case EPadButton::Up: OnKeyDown(NPlatform::kVkUp); break;
    case EPadButton::Down: OnKeyDown(NPlatform::kVkDown); break;
    case EPadButton::Left: OnKeyDown(NPlatform::kVkLeft); break;
    case EPadButton::Right: OnKeyDown(NPlatform::kVkRight); break;
    case EPadButton::A: OnKeyDown(NPlatform::kVkSpace); break;
    case EPadButton::B: OnKeyDown(NPlatform::kVkEscape); break;
    case EPadButton::LeftShoulder: StepFocus(-1); break;
    case EPadButton::RightShoulder: StepFocus(1); break;
    default: break;
    }
}

void CScreen::StepFocus(int step)
{
    if (m_focus_order.empty())
        return;
    g_keyboard_in_use = true;
    if (GetFocus() == nullptr)
    {
        SetFocus(m_focus >= 0 ? m_focus_order[m_focus] : m_default_focus);
        if (GetFocus() == nullptr)
            SetFocus(m_focus_order.front());
        return;
    }
    const int next = NextInOrder(step);
    if (next >= 0)
        m_focus = next;
}

void CScreen::AddControl(CControl* control)
{
    m_controls.push_back(control);
}

void CScreen::SetFocusOrder(std::vector<CControl*> order, CControl* defaultControl)
{
    m_focus_order = std::move(order);
    m_default_focus = defaultControl;
    m_focus = -1;
    m_focus_shown = false;
}

CControl* CScreen::GetFocus() const
{
    return m_focus_shown && m_focus >= 0 ? m_focus_order[m_focus] : nullptr;
}

void CScreen::SetFocus(CControl* control)
{
    auto it = std::find(m_focus_order.begin(), m_focus_order.end(), control);
    if (control == nullptr || it == m_focus_order.end())
    {
        m_focus_shown = false;
        return;
    }
    m_focus = static_cast<int>(it - m_focus_order.begin());
    m_focus_shown = true;
    // A default that cannot take the focus now (a disabled Start) hands it on.
    if (!control->IsFocusable())
    {
        const int next = NextInOrder(1);
        if (next < 0)
            m_focus_shown = false;
        else
            m_focus = next;
    }
}

bool CScreen::IsKeyboardInUse()
{
    return g_keyboard_in_use;
}

void CScreen::SetKeyboardInUse(bool inUse)
{
    g_keyboard_in_use = inUse;
}

bool CScreen::HandleFocusKey(int virtualKey)
{
    return HandleFocusKey(virtualKey, NPlatform::IsShiftHeld());
}

bool CScreen::HandleFocusKey(int virtualKey, bool shiftHeld)
{
    using namespace NPlatform;
    const bool moves = virtualKey == kVkTab || virtualKey == kVkUp || virtualKey == kVkDown ||
                       virtualKey == kVkLeft || virtualKey == kVkRight;
    if (m_focus_order.empty() || !(moves || virtualKey == kVkSpace || virtualKey == kVkReturn))
        return false;
    CControl* focused = GetFocus();
    if (focused == nullptr)
    {
        if (virtualKey == kVkReturn)
            return false;
        g_keyboard_in_use = true;
        SetFocus(m_focus >= 0 ? m_focus_order[m_focus] : m_default_focus);
        if (GetFocus() == nullptr)
            SetFocus(m_default_focus);
        // A default that keeps such keys (the name box) gets this one too.
        if (CControl* shown = GetFocus())
            shown->TakeFocusKey(virtualKey);
        return GetFocus() != nullptr;
    }
    g_keyboard_in_use = true;
    if (focused->TakeFocusKey(virtualKey))
        return true;
    if (virtualKey == kVkReturn)
        return focused->Press();
    if (virtualKey == kVkSpace)
    {
        focused->Press();
        return true;
    }
    int next = -1;
    switch (virtualKey)
    {
    case kVkTab: next = NextInOrder(shiftHeld ? -1 : 1); break;
    case kVkUp: next = NearestToward(0, -1); break;
    case kVkDown: next = NearestToward(0, 1); break;
    case kVkLeft: next = NearestToward(-1, 0); break;
    default: next = NearestToward(1, 0); break;
    }
    if (next >= 0)
        m_focus = next;
    return true;
}

int CScreen::NextInOrder(int step) const
{
    const int count = static_cast<int>(m_focus_order.size());
    for (int i = 1; i <= count; ++i)
    {
        const int index = ((m_focus + step * i) % count + count) % count;
        if (m_focus_order[index]->IsFocusable())
            return index;
    }
    return -1;
}

int CScreen::NearestToward(int dx, int dy) const
{
    if (m_focus < 0)
        return -1;
    float fx, fy;
    Centre(m_focus_order[m_focus], fx, fy);
    int best = -1;
    float bestScore = 0.0f;
    for (int i = 0; i < static_cast<int>(m_focus_order.size()); ++i)
    {
        const CControl* control = m_focus_order[i];
        if (i == m_focus || !control->IsFocusable())
            continue;
        float cx, cy;
        Centre(control, cx, cy);
        // Distance along the arrow must be positive; straying sideways costs double.
        const float along = (cx - fx) * static_cast<float>(dx) + (cy - fy) * static_cast<float>(dy);
        const float aside = std::fabs((cx - fx) * static_cast<float>(dy) - (cy - fy) * static_cast<float>(dx));
        if (along <= 0.5f)
            continue;
        const float score = along + 2.0f * aside;
        if (best < 0 || score < bestScore)
        {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

void CScreen::DrawFocusRing() const
{
    const CControl* focused = GetFocus();
    if (focused == nullptr || !NGL::IsContextAvailable())
        return;
    float x, y, w, h;
    focused->GetFocusArea(x, y, w, h);
    x -= kRingGap, y -= kRingGap, w += 2 * kRingGap, h += 2 * kRingGap;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const float width : {5.0f, 2.5f})
    {
        const float* colour = width > 3.0f ? kRingDark : kRingGold;
        glColor4f(colour[0], colour[1], colour[2], 1.0f);
        glLineWidth(width);
        glBegin(GL_LINE_LOOP);
        glVertex3f(x, y, 1.0f);
        glVertex3f(x + w, y, 1.0f);
        glVertex3f(x + w, y + h, 1.0f);
        glVertex3f(x, y + h, 1.0f);
        glEnd();
    }
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

void CScreen::SetPointerSprite(CSprite* sprite)
{
    g_pointer = sprite;
}

CSprite* CScreen::GetPointerSprite()
{
    return g_pointer;
}

void CScreen::DrawPointer()
{
    IFrame* app = IFrame::Instance();
    if (!g_pointer || !app)
        return;
    CInput& input = app->GetInput();
    input.Poll();
    int x = 0, y = 0;
    input.GetCursorPosition(x, y);
    g_pointer->SetPosition(static_cast<float>(x), static_cast<float>(y), g_pointer->GetZ());
    g_pointer->Draw(true);
}

void CScreen::UpdatePointer(float dt)
{
    if (g_pointer)
        g_pointer->Advance(static_cast<int>(dt));
}

void CScreen::ScaleToLayout(int x, int y, int layoutWidth, int layoutHeight, int& lx, int& ly)
{
    lx = x;
    ly = y;
    IFrame* app = IFrame::Instance();
    if (!app || app->GetLogicalWidth() <= 0 || app->GetLogicalHeight() <= 0 || layoutWidth <= 0 ||
        layoutHeight <= 0)
        return;
    float sx = static_cast<float>(app->GetLogicalWidth()) / static_cast<float>(layoutWidth);
    float sy = static_cast<float>(app->GetLogicalHeight()) / static_cast<float>(layoutHeight);
    lx = static_cast<int>(static_cast<float>(x) / sx);
    ly = static_cast<int>(static_cast<float>(y) / sy);
}
