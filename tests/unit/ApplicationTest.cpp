// The frame's stacks and message dispatch, run without a window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "engine/Music.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "platform/EventSource.h"
#include "tests/unit/TestAudio.h"
#include "platform/Events.h"
#include "ui/DialogScreen.h"

namespace
{
using Log = std::vector<std::string>;

// Records every call the frame makes, in order.
template <class Base>
class CRecording : public Base
{
public:
    CRecording(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}
    ~CRecording() override { Record("Deleted"); }

    void Update(float dt) override { Record("Update(" + std::to_string(static_cast<int>(dt)) + ")"); }
    void Render() override { Record("Render"); }
    void Activate() override
    {
        Base::Activate();
        Record("Activate");
    }
    void OnKeyDown(int key) override
    {
        Record("Key(" + std::to_string(key) + ")");
        Base::OnKeyDown(key);
    }
    void OnChar(uint16_t c, int) override { Record("Char(" + std::to_string(c) + ")"); }
    void OnLButtonDown(int x, int y, uint32_t) override
    {
        Record("LDown(" + std::to_string(x) + "," + std::to_string(y) + ")");
    }
    void OnLButtonUp(int, int, uint32_t) override { Record("LUp"); }
    void OnDialogClosed(int result, std::unique_ptr<CScreen> dialog) override
    {
        Record("DialogClosed(" + std::to_string(result) + "," + NameOf(dialog.get()) + ")");
    }
    void OnScreenClosed(std::unique_ptr<CScreen> closed) override
    {
        Record("ScreenClosed(" + NameOf(closed.get()) + ")");
    }
    void OnCloseRequest() override { Record("CloseRequest"); }
    void OnControl(CControl*) override {}

    const std::string& Name() const { return m_name; }

private:
    void Record(const std::string& what) { m_log.push_back(m_name + "." + what); }
    static std::string NameOf(CScreen* screen)
    {
        auto* named = dynamic_cast<CRecording*>(screen);
        if (named)
            return named->m_name;
        auto* other = dynamic_cast<CRecording<CDialogScreen>*>(screen);
        if (other)
            return other->Name();
        auto* plain = dynamic_cast<CRecording<CScreen>*>(screen);
        return plain ? plain->Name() : "?";
    }

    std::string m_name;
    Log& m_log;
};

using CTestScreen = CRecording<CScreen>;
using CTestDialog = CRecording<CDialogScreen>;

NPlatform::SEvent Message(NPlatform::EEventType type)
{
    NPlatform::SEvent event;
    event.type = type;
    return event;
}

NPlatform::SEvent KeyDown(int key)
{
    NPlatform::SEvent event = Message(NPlatform::EEventType::KeyDown);
    event.key = key;
    return event;
}

class ApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NPlatform::ClearPostedEvents();
        m_app = CApplication::Create();
        NPlatform::SEvent active = Message(NPlatform::EEventType::Activate);
        active.active = true;
        m_app->HandleEvent(active);
    }
    void TearDown() override
    {
        CApplication::Destroy();
        NPlatform::ClearPostedEvents();
    }

    // A screen or dialog made for the test, pushed and shown at once; the frame owns it.
    CTestScreen* ShowScreen(const std::string& name)
    {
        auto screen = std::make_unique<CTestScreen>(name, m_log);
        CTestScreen* shown = screen.get();
        m_app->PushScreen(std::move(screen));
        m_app->ApplyStackChanges();
        return shown;
    }
    CTestDialog* ShowDialog(const std::string& name)
    {
        auto dialog = std::make_unique<CTestDialog>(name, m_log);
        CTestDialog* shown = dialog.get();
        m_app->PushDialog(std::move(dialog));
        m_app->ApplyStackChanges();
        return shown;
    }

    CApplication* m_app = nullptr;
    Log m_log;
};

TEST_F(ApplicationTest, PushesWaitForTheNextUpdateThenActivateInTheOrderAsked)
{
    auto menu = std::make_unique<CTestScreen>("menu", m_log);
    auto game = std::make_unique<CTestScreen>("game", m_log);
    CScreen* shownGame = game.get();
    m_app->PushScreen(std::move(menu));
    m_app->PushScreen(std::move(game));
    EXPECT_EQ(m_app->GetCurrentScreen(), nullptr) << "no screen changes the stacks under the frame";
    EXPECT_TRUE(m_log.empty());
    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_app->GetCurrentScreen(), shownGame);
    EXPECT_EQ(m_log, (Log{"menu.Activate", "game.Activate", "game.Update(16)"}));
}

TEST_F(ApplicationTest, DeferredCloseHappensAtNextUpdateAndHandsTheScreenBelowTheClosedOne)
{
    CTestScreen* menu = ShowScreen("menu");
    CTestScreen* game = ShowScreen("game");
    m_log.clear();

    m_app->CloseTop(false);
    EXPECT_EQ(m_app->GetCurrentScreen(), game) << "a deferred close leaves the screen live until the next frame";

    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_app->GetCurrentScreen(), menu);
    // Not kept by the screen below, the closed one goes right after its report.
    EXPECT_EQ(m_log, (Log{"menu.ScreenClosed(game)", "game.Deleted", "menu.Activate", "menu.Update(16)"}));
}

TEST_F(ApplicationTest, ImmediateCloseOfScreenReportsAtOnce)
{
    ShowScreen("menu");
    ShowScreen("help");
    m_log.clear();
    m_app->CloseTop(true);
    EXPECT_EQ(m_log, (Log{"menu.ScreenClosed(help)", "help.Deleted", "menu.Activate"}));
}

// The held game's way: the screen below keeps what closed and shows it again.
class CKeeperScreen : public CTestScreen
{
  public:
    using CTestScreen::CTestScreen;
    void OnScreenClosed(std::unique_ptr<CScreen> closed) override { m_kept = std::move(closed); }
    std::unique_ptr<CScreen> m_kept;
};

TEST_F(ApplicationTest, AClosedScreenKeptByTheOneBelowLivesOnAndCanBeShownAgain)
{
    auto keeper = std::make_unique<CKeeperScreen>("menu", m_log);
    CKeeperScreen* menu = keeper.get();
    m_app->PushScreen(std::move(keeper));
    CTestScreen* game = ShowScreen("game");
    m_app->CloseTop(true);
    ASSERT_EQ(menu->m_kept.get(), game);
    m_log.clear();
    m_app->PushScreen(std::move(menu->m_kept));
    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_app->GetCurrentScreen(), game);
    EXPECT_EQ(m_log, (Log{"game.Activate", "game.Update(16)"}));
    EXPECT_TRUE(m_app->Holds(game));
    m_log.clear();
    m_app->CloseAll();
    EXPECT_EQ(m_log, (Log{"game.Deleted", "menu.Deleted"})) << "top first";
    EXPECT_FALSE(m_app->Holds(menu)) << "one who kept a pointer must learn it is gone";
}

// The menu answers a closed window by pushing the next screen (a new game
// after the custom level window, the top window after a game): that screen
// is activated once, by its push, and the menu, no longer current, not at all.
class CHubScreen : public CTestScreen
{
  public:
    CHubScreen(Log& log, CApplication* app, std::unique_ptr<CScreen> next)
        : CTestScreen("menu", log), m_app(app), m_next(std::move(next))
    {
    }
    void OnScreenClosed(std::unique_ptr<CScreen> closed) override
    {
        CTestScreen::OnScreenClosed(std::move(closed));
        m_app->PushScreen(std::move(m_next));
    }

  private:
    CApplication* m_app;
    std::unique_ptr<CScreen> m_next;
};

TEST_F(ApplicationTest, ScreenPushedWhenTheScreenAboveClosesIsActivatedOnceByItsPush)
{
    for (bool immediate : {false, true})
    {
        SCOPED_TRACE(immediate ? "closed at once" : "closed at the next frame");
        auto next = std::make_unique<CTestScreen>("game", m_log);
        CScreen* game = next.get();
        m_app->PushScreen(std::make_unique<CHubScreen>(m_log, m_app, std::move(next)));
        ShowScreen("custom");
        m_log.clear();
        m_app->CloseTop(immediate);
        if (!immediate)
            m_app->Update(CApplication::kFrameStep);
        EXPECT_EQ(m_app->GetCurrentScreen(), game);
        Log expected{"menu.ScreenClosed(custom)", "custom.Deleted", "game.Activate"};
        if (!immediate)
            expected.push_back("game.Update(16)");
        EXPECT_EQ(m_log, expected);
        TearDown();
        SetUp();
        m_log.clear();
    }
}

TEST_F(ApplicationTest, LastScreenIsNeverClosed)
{
    CTestScreen* menu = ShowScreen("menu");
    m_app->CloseTop(true);
    m_app->CloseTop(false);
    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_app->GetScreenCount(), 1u);
    EXPECT_EQ(m_app->GetCurrentScreen(), menu);
}

TEST_F(ApplicationTest, PushingDialogActivatesDialogThenScreenBelow)
{
    ShowScreen("menu");
    m_log.clear();
    ShowDialog("dlg");
    EXPECT_EQ(m_log, (Log{"dlg.Activate", "menu.Activate"}));
}

TEST_F(ApplicationTest, DialogResultIsReportedNextFrameBeforeTheUpdate)
{
    ShowScreen("menu");
    CTestDialog* dialog = ShowDialog("dlg");
    m_log.clear();

    // Esc in a dialog: result 1, closed by the dialog itself (deferred).
    m_app->HandleEvent(KeyDown(NPlatform::kVkEscape));
    EXPECT_EQ(m_app->GetTopDialog(), dialog);
    EXPECT_EQ(dialog->GetResult(), 1);

    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_app->GetTopDialog(), nullptr);
    EXPECT_EQ(m_log, (Log{"dlg.Key(27)", "menu.DialogClosed(1,dlg)", "dlg.Deleted", "menu.Update(16)"}));

    // The report is made once.
    m_log.clear();
    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_log, (Log{"menu.Update(16)"}));
}

TEST_F(ApplicationTest, EnterClosesDialogWithResultZeroAndReportGoesToNextDialog)
{
    ShowScreen("menu");
    ShowDialog("first");
    ShowDialog("second");
    m_log.clear();

    m_app->HandleEvent(KeyDown(NPlatform::kVkReturn));
    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_log, (Log{"second.Key(13)", "first.DialogClosed(0,second)", "second.Deleted", "first.Update(16)"}));
}

TEST_F(ApplicationTest, InputAndUpdateGoToTopDialogOnlyButEverythingShownIsDrawn)
{
    ShowScreen("menu");
    ShowDialog("first");
    ShowDialog("second");
    m_log.clear();

    m_app->HandleEvent(KeyDown('A'));
    NPlatform::SEvent ch = Message(NPlatform::EEventType::Char);
    ch.character = 'a';
    m_app->HandleEvent(ch);
    m_app->Update(CApplication::kFrameStep);
    m_app->Render();
    EXPECT_EQ(m_log, (Log{"second.Key(65)", "second.Char(97)", "second.Update(16)", "menu.Render", "first.Render",
                          "second.Render"}));
}

TEST_F(ApplicationTest, ClosingScreenAndDialogInOneFrameLosesNeitherReport)
{
    ShowScreen("menu");
    ShowScreen("game");
    ShowDialog("dlg")->SetResult(5);
    m_log.clear();
    m_app->CloseTop(true);
    EXPECT_EQ(m_log, (Log{"game.DialogClosed(5,dlg)", "dlg.Deleted"})) << "handed to the screen it was over";
    m_app->CloseTop(false);
    m_log.clear();

    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_log, (Log{"menu.ScreenClosed(game)", "game.Deleted", "menu.Activate", "menu.Update(16)"}));
}

TEST_F(ApplicationTest, ChangesAskedInOneFrameAreAppliedInTheirOrder)
{
    ShowScreen("menu");
    m_log.clear();
    m_app->PushScreen(std::make_unique<CTestScreen>("help", m_log));
    m_app->CloseTop(false);
    m_app->PushDialog(std::make_unique<CTestDialog>("dlg", m_log));
    m_app->Update(CApplication::kFrameStep);
    EXPECT_EQ(m_log, (Log{"help.Activate", "menu.ScreenClosed(help)", "help.Deleted", "menu.Activate", "dlg.Activate",
                          "menu.Activate", "dlg.Update(16)"}));
}

TEST_F(ApplicationTest, AReleaseReachesOnlyTheScreenOnTopWhenItsPressCame)
{
    ShowScreen("menu");
    auto press = [this] { m_app->HandleEvent(Message(NPlatform::EEventType::LButtonDown)); };
    auto release = [this] { m_app->HandleEvent(Message(NPlatform::EEventType::LButtonUp)); };
    m_log.clear();

    press(); // an ordinary click
    release();
    press(); // opens a dialog, as the menu's Play button does
    m_app->PushDialog(std::make_unique<CTestDialog>("dlg", m_log));
    release(); // before the next frame shows the dialog
    m_app->Update(CApplication::kFrameStep);
    press(); // closes it (deferred, as every button does) and the game comes up under the held button
    m_app->CloseTop(false);
    m_app->Update(CApplication::kFrameStep);
    m_app->PushScreen(std::make_unique<CTestScreen>("game", m_log));
    m_app->Update(CApplication::kFrameStep);
    release();
    press(); // the next click is whole again
    release();
    Log buttons;
    for (const std::string& entry : m_log)
        if (entry.find(".LDown") != std::string::npos || entry.find(".LUp") != std::string::npos)
            buttons.push_back(entry);
    EXPECT_EQ(buttons, (Log{"menu.LDown(0,0)", "menu.LUp", "menu.LDown(0,0)", "dlg.LDown(0,0)", "game.LDown(0,0)",
                            "game.LUp"}));
}

TEST_F(ApplicationTest, AltF4ClosesTheDialogsAndAsksTheCurrentScreen)
{
    ShowScreen("menu");
    ShowDialog("dlg");
    m_log.clear();

    NPlatform::SEvent close = Message(NPlatform::EEventType::Close);
    close.f4Held = true;
    m_app->HandleEvent(close);
    EXPECT_EQ(m_app->GetDialogCount(), 0u);
    // Each dialog is handed to the one below it, as closed: a name typed in one is not lost.
    EXPECT_EQ(m_log, (Log{"menu.DialogClosed(0,dlg)", "dlg.Deleted", "menu.CloseRequest"}));
    NPlatform::SEvent next;
    EXPECT_FALSE(NPlatform::PollEvent(next)) << "Alt+F4 never quits by itself";
}

TEST_F(ApplicationTest, OtherCloseRequestsQuit)
{
    ShowScreen("menu");
    m_log.clear();
    m_app->PostClose();

    NPlatform::SEvent event;
    ASSERT_TRUE(NPlatform::PollEvent(event));
    EXPECT_EQ(event.type, NPlatform::EEventType::Close);
    EXPECT_FALSE(event.f4Held) << "the program's own close request is never Alt+F4";
    m_app->HandleEvent(event);
    ASSERT_TRUE(NPlatform::PollEvent(event));
    EXPECT_EQ(event.type, NPlatform::EEventType::Quit);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(ApplicationTest, InactiveWindowUpdatesNothingAndRestoreReactivates)
{
    ShowScreen("menu");
    NPlatform::SEvent inactive = Message(NPlatform::EEventType::Activate);
    inactive.active = false;
    m_app->HandleEvent(inactive);
    m_log.clear();
    m_app->Update(CApplication::kFrameStep);
    EXPECT_TRUE(m_log.empty());

    // A restore only matters after the window was minimised.
    m_app->HandleEvent(Message(NPlatform::EEventType::Restore));
    EXPECT_TRUE(m_log.empty());
    m_app->HandleEvent(Message(NPlatform::EEventType::Minimize));
    EXPECT_TRUE(m_app->IsMinimized());
    m_app->Render();
    EXPECT_TRUE(m_log.empty()) << "nothing is drawn while minimised";
    m_app->HandleEvent(Message(NPlatform::EEventType::Restore));
    EXPECT_FALSE(m_app->IsMinimized());
    EXPECT_EQ(m_log, (Log{"menu.Activate"}));
}

TEST_F(ApplicationTest, MinimiseRequestIgnoredByTheDesktopKeepsThePictureMoving)
{
    // Without a window manager, or under a tiling one, the request does
    // nothing: no event comes, and the game must go on drawing.
    ShowScreen("menu");
    m_app->Minimize();
    EXPECT_FALSE(m_app->IsMinimized());
    m_log.clear();
    m_app->Frame(nullptr);
    EXPECT_EQ(m_log, (Log{"menu.Update(16)", "menu.Render"}));

    // Minimised by the desktop itself (its own button or key), restored later.
    m_app->HandleEvent(Message(NPlatform::EEventType::Minimize));
    m_log.clear();
    m_app->Render();
    EXPECT_TRUE(m_log.empty());
    m_app->HandleEvent(Message(NPlatform::EEventType::Restore));
    m_app->Render();
    EXPECT_EQ(m_log, (Log{"menu.Activate", "menu.Render"}));
}

TEST_F(ApplicationTest, InactiveWindowIsDrawnOnlyWhenItsPictureWasLost)
{
    ShowScreen("menu");
    m_app->Frame(nullptr);
    NPlatform::SEvent inactive = Message(NPlatform::EEventType::Activate);
    inactive.active = false;
    m_app->HandleEvent(inactive);
    m_app->Frame(nullptr); // the last picture of the active window
    m_log.clear();
    int counted = m_app->GetFrameCount();
    m_app->Frame(nullptr);
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(m_app->GetFrameCount(), counted + 1);
    m_app->HandleEvent(Message(NPlatform::EEventType::Expose));
    m_app->Frame(nullptr);
    EXPECT_EQ(m_log, (Log{"menu.Render"}));
}

TEST_F(ApplicationTest, FullScreenReportsTheRealOutcome)
{
    EXPECT_FALSE(m_app->SetFullScreen(640, 480));
    // No window to switch: the failure is reported and nothing pretends otherwise.
    EXPECT_FALSE(m_app->SetFullScreen(800, 600));
    EXPECT_FALSE(m_app->IsFullScreen());
}

TEST_F(ApplicationTest, MouseCoordinatesAreScaledIntoTheLayoutSpace)
{
    // The dummy video driver gives no GL window, but the frame keeps the size.
    m_app->SetLogicalSize(800, 600);
    m_app->CreateMainWindow("test", 0, 0, 1600, 1200);
    EXPECT_EQ(m_app->GetWindowWidth(), 1600);

    ShowScreen("menu");
    NPlatform::SEvent press = Message(NPlatform::EEventType::LButtonDown);
    press.x = 800;
    press.y = 600;
    m_app->HandleEvent(press);
    EXPECT_EQ(m_log.back(), "menu.LDown(400,300)");

    int lx = 0, ly = 0;
    CScreen::ScaleToLayout(400, 300, 800, 600, lx, ly);
    EXPECT_EQ(lx, 400);
    EXPECT_EQ(ly, 300);

    CTestDialog dialog("dlg", m_log);
    dialog.SetVirtualSize(800, 600);
    dialog.SetPanelPosition(200, 150);
    int px = 0, py = 0;
    dialog.ToPanel(400, 300, px, py);
    EXPECT_EQ(px, 200);
    EXPECT_EQ(py, 150);
}

TEST_F(ApplicationTest, AResizedWindowShowsTheLogicalScreenCentredAndTakesClicksThere)
{
    m_app->SetLogicalSize(800, 600);
    m_app->CreateMainWindow("test", 0, 0, 800, 600);
    ShowScreen("menu");

    NPlatform::SEvent resized = Message(NPlatform::EEventType::Resize);
    resized.x = 1280;
    resized.y = 720;
    m_app->HandleEvent(resized);
    EXPECT_EQ(m_app->GetWindowWidth(), 1280);
    EXPECT_EQ(m_app->GetWindowHeight(), 720);
    const SViewport& viewport = m_app->GetScreenMapping().GetViewport();
    EXPECT_EQ(viewport.x, 160);
    EXPECT_EQ(viewport.width, 960);

    NPlatform::SEvent press = Message(NPlatform::EEventType::LButtonDown);
    press.x = 160;
    press.y = 0;
    m_app->HandleEvent(press);
    EXPECT_EQ(m_log.back(), "menu.LDown(0,0)");
    press.x = 100; // in the left margin: left of everything on the screen
    m_app->HandleEvent(press);
    EXPECT_EQ(m_log.back(), "menu.LDown(-50,0)");

    // The settings keep the size the player gave the window.
    int left = 0, top = 0, width = 0, height = 0;
    m_app->GetWindowedRect(left, top, width, height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);
}

TEST_F(ApplicationTest, TheFullScreenKeyReachesNoScreen)
{
    ShowScreen("menu");
    m_log.clear();
    m_app->HandleEvent(Message(NPlatform::EEventType::ToggleFullScreen));
    EXPECT_TRUE(m_log.empty());
    // No window to cover the desktop with: it stays a window.
    EXPECT_FALSE(m_app->IsFullScreen());
}
// Focus changes as the desktop reports them, one per poll.
class CFocusScript : public NPlatform::IEventSource
{
public:
    bool Poll(NPlatform::SEvent& event) override
    {
        if (m_pending.empty())
            return false;
        event = Message(NPlatform::EEventType::Activate);
        event.active = m_pending.front();
        m_pending.erase(m_pending.begin());
        return true;
    }
    void GetCursorDesktop(int& x, int& y) override { x = y = 0; }
    uint32_t GetHeldFlags() override { return 0; }
    std::vector<bool> m_pending;
};

TEST_F(ApplicationTest, LosingFocusStopsMusicAndRegainingItPlaysTheNextTrack)
{
    CResourceManager resources;
    resources.AddMemoryEntry("music/one.xm", NTestAudio::MakeModule(), false);
    resources.AddMemoryEntry("music/two.xm", NTestAudio::MakeModule(), false);
    SetResourceManager(&resources);
    CSoundManager sound;
    SetSoundManager(&sound);
    // The globals must not outlive this test's objects, even when an assertion ends it early.
    struct SReset
    {
        ~SReset()
        {
            NPlatform::SetEventSource(nullptr);
            SetSoundManager(nullptr);
            SetResourceManager(nullptr);
        }
    } reset;
    ASSERT_TRUE(sound.IsDeviceOpen());
    CFocusScript focus;
    NPlatform::SetEventSource(&focus);
    ShowScreen("menu");

    NAudio::Music music;
    music.SetPlaylist({"music/one.xm", "music/two.xm"});
    music.Play(0);
    ASSERT_TRUE(music.IsPlaying());
    auto frameAfter = [&](bool active) {
        focus.m_pending.push_back(active);
        NPlatform::SEvent event;
        while (NPlatform::PollEvent(event))
            m_app->HandleEvent(event);
        m_app->Frame(&music);
    };
    m_app->Frame(&music);
    frameAfter(false);
    EXPECT_FALSE(music.IsPlaying());
    frameAfter(true);
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(music.GetCurrentIndex(), 1) << "the next track, not the one cut off";

    // Music that was stopped on purpose stays stopped.
    music.Stop();
    frameAfter(false);
    frameAfter(true);
    EXPECT_FALSE(music.IsPlaying());

    NPlatform::SetEventSource(nullptr);
    SetSoundManager(nullptr);
    SetResourceManager(nullptr);
    m_app->CloseAll();
}
} // namespace
