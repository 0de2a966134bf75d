// The menu's windows in the real window with the generated data set: the top-7
// table, the name entry, the options and the help book, each pushed on its own
// and driven by scripted mouse and keyboard input.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Application.h"
#include "engine/AppSettings.h"
#include "engine/KeyValueFile.h"
#include "interface/EnterNameDlg.h"
#include "interface/HelpWnd.h"
#include "interface/OptionsWnd.h"
#include "game/TopTable.h"
#include "interface/TopWnd.h"
#include "platform/DataFolder.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/SimpleEdit.h"
#include "ui/TrackBar.h"

namespace
{
using NE2e::CHarness;
using NE2e::CMenuArt;
using NE2e::SImage;
using namespace NInterface;

#define REQUIRE_DATA_AND_DISPLAY()                                                                           \
    if (!CHarness::HasDisplay())                                                                             \
        GTEST_SKIP() << "needs an X display (run through test.sh)";                                          \
    if (!CMenuArt::IsDataSetBuilt())                                                                         \
    GTEST_SKIP() << "the data set has not been generated"

// A window of the layout's own size, so client pixels are layout units.
void SaveWindowedSettings()
{
    CAppSettings& settings = GetAppSettings();
    settings.m_data_folder = NPlatform::GetDataFolder();
    settings.m_full_screen = false;
    settings.m_window_width = 800;
    settings.m_window_height = 600;
    settings.m_window_x = 0;
    settings.m_window_y = 0;
    settings.m_minimised = false;
    settings.m_sound = true;
    settings.m_hints = true;
    settings.m_show_dragons = true;
    settings.m_music_volume = 40;
    ASSERT_TRUE(settings.Save());
}

// The middle of a button, in client pixels.
int MidX(const CSimpleButton* b)
{
    return static_cast<int>(b->GetPosition().x + b->GetWidth() / 2);
}
int MidY(const CSimpleButton* b)
{
    return static_cast<int>(b->GetPosition().y + b->GetHeight() / 2);
}

// How many pixels of a rectangle differ clearly between two captures.
int Changed(const SImage* a, const SImage* b, int x0, int y0, int x1, int y1)
{
    int changed = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (!NE2e::Near(a->At(x, y), b->At(x, y), 30))
                ++changed;
    return changed;
}

// Mean of r + g + b over a rectangle.
double Brightness(const SImage* image, int x0, int y0, int x1, int y1)
{
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
        {
            const NE2e::SRgb c = image->At(x, y);
            sum += c.r + c.g + c.b;
        }
    return sum / ((x1 - x0) * (y1 - y0));
}

// Bright, nearly white pixels (the white text of the top window) in a rectangle.
int WhitePixels(const SImage* image, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
        {
            const NE2e::SRgb c = image->At(x, y);
            if (c.r > 225 && c.g > 225 && c.b > 225)
                ++count;
        }
    return count;
}
// Every test: the program started in an 800 x 600 window with the menu art loaded.
class WindowsE2e : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        REQUIRE_DATA_AND_DISPLAY();
        SaveWindowedSettings();
        ASSERT_TRUE(harness.Start());
        m_art = std::make_unique<CMenuArt>(harness);
        ASSERT_TRUE(m_art->IsLoaded());
        app = harness.GetApp();
    }

    CHarness harness;
    std::unique_ptr<CMenuArt> m_art;
    CApplication* app = nullptr;
};
} // namespace

TEST_F(WindowsE2e, TopWindowShowsBothTablesFreshAndWithResults)
{
    CTopTable table(2);
    table.Open(harness.GetDataFolder() + CTopTable::kFileName);
    CTopWnd* wnd = harness.Show(std::make_unique<CTopWnd>(800.0f, 600.0f, &table));
    const int nextX = MidX(wnd->GetNextButton()), nextY = MidY(wnd->GetNextButton());
    const int prevX = MidX(wnd->GetPrevButton()), prevY = MidY(wnd->GetPrevButton());

    harness.Capture(3, "fresh-classic");
    harness.MouseMove(4, nextX, nextY);
    harness.LButtonDown(5, nextX, nextY);
    harness.LButtonUp(6, nextX, nextY);
    harness.Capture(8, "fresh-advanced");
    int pageAfterNext = -1;
    bool nextShownOnLast = true, prevShownOnLast = false;
    harness.At(8,
               [&]
               {
                   pageAfterNext = wnd->GetPage();
                   nextShownOnLast = wnd->GetNextButton()->IsVisible();
                   prevShownOnLast = wnd->GetPrevButton()->IsVisible();
               });
    // the hidden next button takes no press
    harness.LButtonDown(9, nextX, nextY);
    harness.LButtonUp(10, nextX, nextY);
    int pageAfterHiddenNext = -1;
    harness.At(10, [&] { pageAfterHiddenNext = wnd->GetPage(); });
    harness.MouseMove(11, prevX, prevY);
    harness.LButtonDown(12, prevX, prevY);
    harness.LButtonUp(13, prevX, prevY);
    int pageAfterPrev = -1;
    harness.At(13, [&] { pageAfterPrev = wnd->GetPage(); });

    // Esc closes it; a second window opens on the advanced table with results in both.
    harness.KeyDown(15, 27);
    bool closed = false;
    // Each closing deletes the window: the next one is a new one, as in the menu.
    auto openTable = [&](int page)
    {
        auto window = std::make_unique<CTopWnd>(800.0f, 600.0f, &table);
        window->SetPage(page);
        app->PushScreen(std::move(window));
    };
    harness.At(17,
               [&]
               {
                   closed = app->GetCurrentScreen() != wnd;
                   table.Add(0, 1250, "Marguerite");
                   table.Add(0, 800, "Bob");
                   table.Add(0, 800, "Second Bob");
                   table.Add(1, 4321, "Duel Master");
                   table.Add(1, 77, "x");
                   openTable(1);
               });
    harness.Capture(20, "results-advanced");
    harness.KeyDown(21, 27);
    harness.At(23, [&] { openTable(0); });
    harness.Capture(25, "results-classic");
    harness.Quit(27);
    harness.Run();

    EXPECT_EQ(pageAfterNext, 1);
    EXPECT_FALSE(nextShownOnLast);
    EXPECT_TRUE(prevShownOnLast);
    EXPECT_EQ(pageAfterHiddenNext, 1);
    EXPECT_EQ(pageAfterPrev, 0);
    EXPECT_TRUE(closed);

    const SImage* classic = harness.GetCapture("fresh-classic");
    const SImage* advanced = harness.GetCapture("fresh-advanced");
    const SImage* results = harness.GetCapture("results-advanced");
    const SImage* resultsClassic = harness.GetCapture("results-classic");
    ASSERT_TRUE(classic && advanced && results && resultsClassic);
    // white text: title on the base line 155, the rows from 224 on
    EXPECT_GT(WhitePixels(classic, 250, 120, 550, 160), 100) << "title";
    for (int r = 0; r < 7; ++r)
    {
        const int base = 224 + 42 * r;
        EXPECT_GT(WhitePixels(classic, 180, base - 26, 230, base + 2), 10) << "place number " << r + 1;
        EXPECT_GT(WhitePixels(classic, 236, base - 26, 400, base + 2), 40) << "name " << r + 1;
        EXPECT_GT(WhitePixels(classic, 536, base - 26, 600, base + 2), 10) << "points " << r + 1;
    }
    // the title changes between the pages; the fresh rows do not
    EXPECT_GT(Changed(classic, advanced, 200, 120, 600, 160), 200);
    EXPECT_LT(Changed(classic, advanced, 180, 200, 700, 480), 2000);
    // entered results change the rows
    EXPECT_GT(Changed(advanced, results, 236, 198, 700, 310), 500);
    EXPECT_GT(Changed(classic, resultsClassic, 236, 198, 700, 350), 500);
}

TEST_F(WindowsE2e, NameDialogFadesInTakesTypingAndClosesWithOk)
{
    CTopTable table(2);
    table.Open(harness.GetDataFolder() + CTopTable::kFileName);
    // Keeps the dialog once closed, to be looked at after the run.
    struct CKeepingTopWnd : CTopWnd
    {
        using CTopWnd::CTopWnd;
        void OnDialogClosed(int, std::unique_ptr<CScreen> dialog) override { m_closed = std::move(dialog); }
        std::unique_ptr<CScreen> m_closed;
    };
    CKeepingTopWnd& below = *harness.Show(std::make_unique<CKeepingTopWnd>(800.0f, 600.0f, &table));

    // as the game opens it
    auto entry = std::make_unique<CEnterNameDlg>();
    CEnterNameDlg& dialog = *entry;
    dialog.SetVirtualSize(800, 600);
    dialog.SetDimming(false);
    dialog.SetPanelPosition(144, 172);
    dialog.SetPanelSize(512, 256);
    harness.At(2, [&] { app->PushDialog(std::move(entry)); });
    harness.Capture(3, "fade-start");
    harness.Capture(12, "fade-quarter");
    float fadeAtHalf = 0.0f;
    harness.Capture(24, "fade-half");
    harness.At(24, [&] { fadeAtHalf = dialog.GetFade(); });
    harness.Capture(50, "faded-in");
    const std::string typed = "Zonvel \"A/ce//";
    for (char c : typed)
        harness.Char(52, static_cast<uint8_t>(c));
    harness.KeyDown(53, CSimpleEdit::kKeyBackspace);
    harness.Capture(54, "typed");
    const CSimpleButton* ok = dialog.GetOkButton();
    const int okX = 144 + MidX(ok), okY = 172 + MidY(ok);
    harness.MouseMove(56, okX, okY);
    harness.LButtonDown(57, okX, okY);
    harness.LButtonUp(58, okX, okY);
    bool closed = false;
    harness.At(60,
               [&]
               {
                   closed = app->GetDialogCount() == 0;
                   // as the game does once the dialog has closed
                   if (table.Qualifies(0, 500))
                       table.Add(0, 500, dialog.GetName().empty() ? "Nemo" : dialog.GetName());
                   below.SetPage(0);
               });
    harness.Capture(62, "recorded");
    harness.Quit(63);
    harness.Run();

    EXPECT_TRUE(closed);
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_EQ(dialog.GetName(), "Zonvel A/ce");
    EXPECT_NEAR(fadeAtHalf, 0.025f * 22, 0.03f);
    EXPECT_EQ(table.GetName(0, 0), "Zonvel A/ce");

    // the result is on disk already
    CTopTable reread(2);
    reread.Open(harness.GetDataFolder() + CTopTable::kFileName);
    EXPECT_EQ(reread.GetName(0, 0), "Zonvel A/ce");
    EXPECT_EQ(reread.GetPoints(0, 0), 500);

    const SImage* start = harness.GetCapture("fade-start");
    const SImage* quarter = harness.GetCapture("fade-quarter");
    const SImage* full = harness.GetCapture("faded-in");
    const SImage* typedShot = harness.GetCapture("typed");
    ASSERT_TRUE(start && quarter && full && typedShot);
    // the panel grows more visible, the page outside it dims up to half
    EXPECT_GT(Changed(start, quarter, 144, 172, 656, 428), 5000);
    EXPECT_GT(Changed(quarter, full, 144, 172, 656, 428), 5000);
    const double before = Brightness(start, 0, 0, 800, 160), after = Brightness(full, 0, 0, 800, 160);
    EXPECT_LT(after, before * 0.6);
    EXPECT_GT(after, before * 0.4);
    // typed text shows in the box
    EXPECT_GT(Changed(full, typedShot, 144 + 128, 172 + 98, 144 + 400, 172 + 160), 200);
}

TEST_F(WindowsE2e, OptionsFollowTheSliderAndEveryBox)
{
    CAppSettings& settings = GetAppSettings();

    COptionsWnd& wnd = *harness.Show(std::make_unique<COptionsWnd>(800.0f, 600.0f));
    const CTrackBar* bar = wnd.GetVolumeBar();
    // the thumb's middle at 40 of 64 along the 204-unit groove
    const int thumbX =
        static_cast<int>(bar->GetPosition().x + bar->GetThumbOffset() + bar->GetThumbWidth() / 2);
    const int thumbY = static_cast<int>(bar->GetPosition().y + bar->GetThumbHeight() / 2);
    harness.Capture(3, "initial");
    harness.MouseMove(4, thumbX, thumbY);
    harness.LButtonDown(5, thumbX, thumbY);
    harness.MouseMove(6, thumbX - 60, thumbY);
    int volumeWhileDragging = -1;
    harness.At(7, [&] { volumeWhileDragging = settings.m_music_volume; });
    harness.Capture(7, "dragging");
    harness.MouseMove(8, thumbX - 400, thumbY); // past the start: clamped at 0
    harness.LButtonUp(9, thumbX - 400, thumbY);
    int volumeAfterDrop = -1;
    harness.At(10, [&] { volumeAfterDrop = settings.m_music_volume; });

    // Where the box is shown when the click comes: full screen scales the picture.
    auto click = [&](int frame, const CSimpleCheckBox* box)
    {
        harness.At(frame - 1,
                   [this, frame, box]
                   {
                       int x = 0, y = 0;
                       app->GetScreenMapping().ToWindow(static_cast<int>(box->GetPosition().x + box->GetWidth() + 20),
                                                        static_cast<int>(box->GetPosition().y + box->GetHeight() / 2),
                                                        x, y);
                       harness.MouseMove(frame, x, y);
                       harness.LButtonDown(frame + 1, x, y);
                       harness.LButtonUp(frame + 2, x, y);
                   });
    };
    click(12, wnd.GetSoundBox());
    click(16, wnd.GetHintsBox());
    click(20, wnd.GetDragonsBox());
    bool soundOff = false, hintsOff = false, dragonsOff = false;
    harness.At(24,
               [&]
               {
                   soundOff = !settings.m_sound;
                   hintsOff = !settings.m_hints;
                   dragonsOff = !settings.m_show_dragons;
               });
    harness.MouseMove(25, 700, 560);
    harness.Capture(26, "boxes-off");
    click(27, wnd.GetFullScreenBox());
    bool fsTicked = false, fullScreen = false, movable = false;
    harness.At(34,
               [&]
               {
                   fsTicked = wnd.GetFullScreenBox()->IsChecked();
                   fullScreen = app->IsFullScreen();
                   movable = wnd.IsMovable();
               });
    harness.Capture(34, "fullscreen-ticked");
    click(35, wnd.GetFullScreenBox());
    click(39, wnd.GetSoundBox());
    bool soundBack = false;
    harness.At(43, [&] { soundBack = settings.m_sound; });
    harness.Capture(44, "sound-back");
    harness.KeyDown(45, 27);
    bool closed = false;
    harness.At(47, [&] { closed = app->GetCurrentScreen() != &wnd; });
    harness.Quit(48);
    harness.Run();

    EXPECT_GE(volumeWhileDragging, 20);
    EXPECT_LT(volumeWhileDragging, 40) << "the music follows the thumb before the release";
    EXPECT_EQ(volumeAfterDrop, 0);
    EXPECT_TRUE(soundOff);
    EXPECT_TRUE(hintsOff);
    EXPECT_TRUE(dragonsOff);
    EXPECT_TRUE(fsTicked);
    // Full screen is the desktop's own size: no display mode to refuse it.
    EXPECT_TRUE(fullScreen);
    EXPECT_FALSE(movable);
    EXPECT_TRUE(soundBack);
    EXPECT_FALSE(app != nullptr && app->IsFullScreen());
    EXPECT_TRUE(closed);

    const SImage* initial = harness.GetCapture("initial");
    const SImage* dragging = harness.GetCapture("dragging");
    const SImage* off = harness.GetCapture("boxes-off");
    ASSERT_TRUE(initial && dragging && off);
    EXPECT_GT(Changed(initial, dragging, 344, 196, 600, 240), 100) << "thumb moved";
    EXPECT_GT(Changed(initial, off, 300, 252, 340, 390), 100) << "ticks gone";
}

TEST_F(WindowsE2e, HelpLeafsFromTheFirstPageToTheLastAndBack)
{
    CHelpWnd& wnd = *harness.Show(std::make_unique<CHelpWnd>(800.0f, 600.0f));
    ASSERT_GE(wnd.GetPageCount(), 2);
    const int pages = wnd.GetPageCount();
    const int nextX = MidX(wnd.GetNextButton()), nextY = MidY(wnd.GetNextButton());
    const int prevX = MidX(wnd.GetPrevButton()), prevY = MidY(wnd.GetPrevButton());

    int frame = 3;
    std::vector<int> seen;
    harness.Capture(frame, "page1");
    harness.At(frame, [&] { seen.push_back(wnd.GetPage()); });
    for (int p = 2; p <= pages + 1; ++p) // one press more than there are pages
    {
        harness.MouseMove(frame + 1, nextX, nextY);
        harness.LButtonDown(frame + 2, nextX, nextY);
        harness.LButtonUp(frame + 3, nextX, nextY);
        frame += 5;
        if (p <= pages)
            harness.Capture(frame, "page" + std::to_string(p));
        harness.At(frame, [&] { seen.push_back(wnd.GetPage()); });
    }
    bool nextDisabledAtEnd = false;
    harness.At(frame, [&] { nextDisabledAtEnd = wnd.GetNextButton()->IsDisabled(); });
    for (int p = pages - 1; p >= 1; --p)
    {
        harness.MouseMove(frame + 1, prevX, prevY);
        harness.LButtonDown(frame + 2, prevX, prevY);
        harness.LButtonUp(frame + 3, prevX, prevY);
        frame += 5;
        harness.At(frame, [&] { seen.push_back(wnd.GetPage()); });
    }
    harness.Capture(frame, "back-to-page1");
    bool prevDisabledAtStart = false;
    harness.At(frame, [&] { prevDisabledAtStart = wnd.GetPrevButton()->IsDisabled(); });
    harness.KeyDown(frame + 1, 27);
    bool closed = false;
    harness.At(frame + 3, [&] { closed = app->GetCurrentScreen() != &wnd; });
    harness.Quit(frame + 4);
    harness.Run(frame + 20);

    std::vector<int> expected;
    for (int p = 1; p <= pages; ++p)
        expected.push_back(p);
    expected.push_back(pages);
    for (int p = pages - 1; p >= 1; --p)
        expected.push_back(p);
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(nextDisabledAtEnd);
    EXPECT_TRUE(prevDisabledAtStart);
    EXPECT_TRUE(closed);
    // every page shows something of its own on the paper
    for (int p = 2; p <= pages; ++p)
    {
        const SImage* a = harness.GetCapture("page" + std::to_string(p - 1));
        const SImage* b = harness.GetCapture("page" + std::to_string(p));
        ASSERT_TRUE(a && b) << p;
        EXPECT_GT(Changed(a, b, 64, 60, 736, 460), 2000) << "page " << p;
    }
}
