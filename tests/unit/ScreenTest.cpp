// Default screen and dialog behaviour: event fan-out to controls, dragging,
// dialog keys and panel coordinates. No window: the client size is the layout size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "platform/EventSource.h"
#include "platform/Events.h"
#include "ui/Control.h"
#include "ui/DialogScreen.h"
#include "FakeFrame.h"
#include "ui/LayoutScreen.h"

namespace
{
using Log = std::vector<std::string>;

class CFakeControl : public CControl
{
public:
    CFakeControl(std::string name, Log& log, bool hit = false) : m_name(std::move(name)), m_log(log), m_hit(hit) {}
    bool OnMouseMove(int x, int y, uint32_t) override { return Record("Move", x, y); }
    bool OnLButtonUp(int x, int y, uint32_t) override { return Record("Up", x, y); }
    bool OnRButtonUp(int x, int y, uint32_t) override { return Record("RUp", x, y); }
    bool OnLButtonDown(int x, int y, uint32_t) override { return Record("Down", x, y); }
    void OnKeyDown(int key) override { m_log.push_back(m_name + ".Key" + std::to_string(key)); }
    void Reset() override { m_log.push_back(m_name + ".Reset"); }

private:
    bool Record(const std::string& what, int x, int y)
    {
        m_log.push_back(m_name + "." + what + "(" + std::to_string(x) + "," + std::to_string(y) + ")");
        return m_hit;
    }
    std::string m_name;
    Log& m_log;
    bool m_hit;
};

class CDialog : public CDialogScreen
{
public:
    void OnControl(CControl*) override {}
};

class CFixedCursor : public NPlatform::IEventSource
{
public:
    bool Poll(NPlatform::SEvent&) override { return false; }
    void GetCursorDesktop(int& x, int& y) override
    {
        x = m_x;
        y = m_y;
    }
    uint32_t GetHeldFlags() override { return 0; }
    int m_x = 0;
    int m_y = 0;
};

class ScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NPlatform::ClearPostedEvents();
        CApplication::Create();
        NPlatform::SetEventSource(&m_cursor);
    }
    void TearDown() override
    {
        NPlatform::SetEventSource(nullptr);
        CApplication::Destroy();
        NPlatform::ClearPostedEvents();
    }
    CFixedCursor m_cursor;
    Log m_log;
};

TEST_F(ScreenTest, EveryControlSeesEveryEventInInsertionOrder)
{
    CScreen screen;
    CFakeControl a("a", m_log, true), b("b", m_log);
    screen.AddControl(&a);
    screen.AddControl(&b);
    screen.OnLButtonDown(10, 20, 0);
    screen.OnKeyDown('X');
    screen.OnRButtonUp(1, 2, 0);
    screen.Activate();
    EXPECT_EQ(m_log, (Log{"a.Down(10,20)", "b.Down(10,20)", "a.Key88", "b.Key88", "a.RUp(1,2)", "b.RUp(1,2)",
                          "a.Reset", "b.Reset"}));
}

TEST_F(ScreenTest, PressOnBackgroundDragsAndPressOnControlDoesNot)
{
    CScreen screen;
    screen.SetMovable(true);
    CFakeControl background("bg", m_log, false);
    screen.AddControl(&background);
    screen.OnLButtonDown(5, 5, 0);
    EXPECT_TRUE(screen.IsDragging());
    screen.OnLButtonUp(5, 5, 0);
    EXPECT_FALSE(screen.IsDragging());

    CFakeControl button("btn", m_log, true);
    screen.AddControl(&button);
    screen.OnLButtonDown(5, 5, 0);
    EXPECT_FALSE(screen.IsDragging()) << "a press on a button never moves the window";

    screen.OnLButtonDown(5, 5, 0);
    screen.OnMouseMove(6, 6, 0);
    EXPECT_FALSE(screen.IsDragging()) << "moving over a control ends the drag";
}

TEST_F(ScreenTest, DragEndsOnActivateControlRightButtonAndLeavingTheWindow)
{
    CScreen screen;
    screen.SetMovable(true);
    screen.OnLButtonDown(5, 5, 0);
    screen.Activate();
    EXPECT_FALSE(screen.IsDragging());
    screen.OnLButtonDown(5, 5, 0);
    screen.OnControl(nullptr);
    EXPECT_FALSE(screen.IsDragging());
    screen.OnLButtonDown(5, 5, 0);
    screen.OnRButtonUp(5, 5, 0);
    EXPECT_FALSE(screen.IsDragging());

    // No window: its rectangle is the point (0, 0), which includes its bounds.
    screen.OnLButtonDown(0, 0, 0);
    screen.Update(16.0f);
    EXPECT_TRUE(screen.IsDragging());
    m_cursor.m_x = 1;
    screen.Update(16.0f);
    EXPECT_FALSE(screen.IsDragging());
}

TEST_F(ScreenTest, DialogKeysCloseWithResultAndStillReachControls)
{
    auto shown = std::make_unique<CDialog>();
    CDialog& dialog = *shown;
    CFakeControl box("box", m_log);
    dialog.AddControl(&box);
    CApplication* app = CApplication::Instance();
    app->PushScreen(std::make_unique<CScreen>());
    app->PushDialog(std::move(shown));
    app->ApplyStackChanges();

    dialog.OnKeyDown(NPlatform::kVkReturn);
    EXPECT_EQ(dialog.GetResult(), 0);
    dialog.OnKeyDown(NPlatform::kVkEscape);
    EXPECT_EQ(dialog.GetResult(), 1);
    EXPECT_EQ(m_log, (Log{"box.Reset", "box.Key13", "box.Key27"}));
    EXPECT_EQ(app->GetTopDialog(), &dialog) << "closing waits for the next frame";
    app->CloseAll();
}

TEST_F(ScreenTest, DialogMouseArrivesRelativeToThePanelExceptRightButton)
{
    CDialog dialog;
    dialog.SetVirtualSize(800, 600);
    dialog.SetPanelPosition(200, 150);
    CFakeControl box("box", m_log);
    dialog.AddControl(&box);
    dialog.OnLButtonDown(250, 200, 0);
    dialog.OnMouseMove(199, 149, 0);
    dialog.OnLButtonUp(250, 200, 0);
    dialog.OnRButtonUp(250, 200, 0);
    EXPECT_EQ(m_log, (Log{"box.Down(50,50)", "box.Move(-1,-1)", "box.Up(50,50)", "box.RUp(250,200)"}));
}
TEST(LayoutScreenTest, MouseArrivesInTheLayoutSpaceWhateverItsSize)
{
    // The frame has already mapped the window onto the 800 x 600 logical
    // screen (whatever the window's size); a layout of another size scales.
    CFakeFrame frame(1600, 900);
    Log log;
    CLayoutScreen screen(1600.0f, 1200.0f); // twice the logical size
    CFakeControl box("box", log);
    screen.AddControl(&box);
    screen.OnLButtonDown(800, 600, 0);
    screen.OnMouseMove(3, 2, 0);
    screen.OnLButtonUp(400, 300, 0);
    EXPECT_EQ(log, (Log{"box.Down(1600,1200)", "box.Move(6,4)", "box.Up(800,600)"}));

    Log same;
    CLayoutScreen logical(800.0f, 600.0f);
    CFakeControl plain("plain", same);
    logical.AddControl(&plain);
    logical.OnLButtonDown(401, 301, 0);
    EXPECT_EQ(same, (Log{"plain.Down(401,301)"})) << "the logical screen's own layout takes points as they are";
}
} // namespace
