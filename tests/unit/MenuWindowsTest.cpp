// The top-7, options and help windows without a window: page rules, layout
// reading, settings handlers and the help book's loader on in-memory markup.
#include "FakeFrame.h"
#include "app/Application.h"
#include "app/Program.h"
#include "engine/AppSettings.h"
#include "engine/Input.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "engine/Sprite.h"
#include "engine/XmlNode.h"
#include "interface/HelpBlock.h"
#include "interface/HelpWnd.h"
#include "ui/Hint.h"
#include "interface/OptionsWnd.h"
#include "game/TopTable.h"
#include "interface/TopWnd.h"
#include "ui/BitmapText.h"
#include "ui/Frame.h"
#include "ui/ScrollingText.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/TrackBar.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace NInterface;

namespace
{
std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A frame without a window, the "main" group and layouts held in memory.
class MenuWindowsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // Only the files a test adds exist: none are found loose in the working folder.
        m_previous_dir = std::filesystem::current_path();
        std::filesystem::current_path(m_empty_dir.Path());
        m_app = CApplication::Create();
        SetResourceManager(&m_resources);
        CResourceGroup::CreateGroup("main", &m_resources);
        m_saved.m_music_volume = GetAppSettings().m_music_volume;
        m_saved.m_sound = GetAppSettings().m_sound;
        m_saved.m_hints = GetAppSettings().m_hints;
        m_saved.m_show_dragons = GetAppSettings().m_show_dragons;
        m_saved.m_flower_symbols = GetAppSettings().m_flower_symbols;
        m_saved.m_outline_zones = GetAppSettings().m_outline_zones;
    }
    void TearDown() override
    {
        CAppSettings& settings = GetAppSettings();
        settings.m_music_volume = m_saved.m_music_volume;
        settings.m_sound = m_saved.m_sound;
        settings.m_hints = m_saved.m_hints;
        settings.m_show_dragons = m_saved.m_show_dragons;
        settings.m_flower_symbols = m_saved.m_flower_symbols;
        settings.m_outline_zones = m_saved.m_outline_zones;
        CResourceGroup::DeleteGroup("main");
        SetResourceManager(nullptr);
        CApplication::Destroy();
        std::filesystem::current_path(m_previous_dir);
    }
    void AddFile(const std::string& name, const std::string& text)
    {
        m_resources.AddMemoryEntry(name, Bytes(text), false);
    }
    // Pushes the window over a bottom screen and lets the frame apply a close.
    bool ClosesOnEscape(std::unique_ptr<CScreen> window)
    {
        auto owned = std::make_unique<CScreen>();
        CScreen* bottom = owned.get();
        CScreen* shown = window.get();
        m_app->PushScreen(std::move(owned));
        m_app->PushScreen(std::move(window));
        m_app->Update(16.0f);
        shown->OnKeyDown(27);
        m_app->Update(16.0f);
        const bool closed = m_app->GetCurrentScreen() == bottom;
        m_app->CloseAll();
        return closed;
    }

    NTestUtil::CTempDir m_empty_dir;
    std::filesystem::path m_previous_dir;
    CApplication* m_app = nullptr;
    CResourceManager m_resources;
    struct
    {
        int m_music_volume;
        bool m_sound, m_hints, m_show_dragons, m_flower_symbols, m_outline_zones;
    } m_saved{};
};
} // namespace

// ---- top-7 window ----

TEST_F(MenuWindowsTest, TopWindowHidesPrevOnTheFirstPageAndNextOnTheLast)
{
    CTopTable table(2);
    table.Load(CKeyValueFile());
    CTopWnd wnd(800, 600, &table);
    EXPECT_EQ(wnd.GetPage(), 0);
    EXPECT_STREQ(wnd.GetTitle(), "CLASSIC GAME");
    EXPECT_FALSE(wnd.GetPrevButton()->IsVisible());
    EXPECT_TRUE(wnd.GetNextButton()->IsVisible());

    wnd.OnControl(wnd.GetNextButton());
    EXPECT_EQ(wnd.GetPage(), 1);
    EXPECT_STREQ(wnd.GetTitle(), "ADVANCED GAME");
    EXPECT_TRUE(wnd.GetPrevButton()->IsVisible());
    EXPECT_FALSE(wnd.GetNextButton()->IsVisible());
    wnd.OnControl(wnd.GetNextButton());
    EXPECT_EQ(wnd.GetPage(), 1);

    wnd.OnControl(wnd.GetPrevButton());
    wnd.OnControl(wnd.GetPrevButton());
    EXPECT_EQ(wnd.GetPage(), 0);
    EXPECT_STREQ(wnd.GetTitle(), "CLASSIC GAME");

    wnd.SetPage(1);
    EXPECT_EQ(wnd.GetPage(), 1);
    wnd.SetPage(7);
    EXPECT_EQ(wnd.GetPage(), 1);
    wnd.SetPage(-3);
    EXPECT_EQ(wnd.GetPage(), 0);
    EXPECT_EQ(wnd.GetInsects().size(), 10u);
}

TEST_F(MenuWindowsTest, TopWindowReadsItsRowsAndSpacingsFromTheLayout)
{
    std::string layout =
        "m_font_size 22\nm_num_space 40\nm_score_space 250\nm_next_btn.x 600\nm_next_btn.y 104\n";
    for (int i = 1; i <= 7; ++i)
        layout += "string_pos_0" + std::to_string(i) + ".x " + std::to_string(200 + i) + "\nstring_pos_0" +
                  std::to_string(i) + ".y " + std::to_string(100 + 40 * i) + "\n";
    AddFile("mui/top_wnd.txt", layout);
    CTopTable table(2);
    CTopWnd wnd(800, 600, &table);
    EXPECT_EQ(wnd.GetFontSize(), 22.0f);
    EXPECT_EQ(wnd.GetNumberOffset(), 40.0f);
    EXPECT_EQ(wnd.GetScoreOffset(), 250.0f);
    EXPECT_EQ(wnd.GetRowPosition(0).x, 201.0f);
    EXPECT_EQ(wnd.GetRowPosition(0).y, 140.0f);
    EXPECT_EQ(wnd.GetRowPosition(6).x, 207.0f);
    EXPECT_EQ(wnd.GetRowPosition(6).y, 380.0f);
    EXPECT_EQ(wnd.GetNextButton()->GetPosition().x, 600.0f);

    // without a layout the window keeps its own spacings
    m_resources = CResourceManager();
    CTopWnd bare(800, 600, &table);
    EXPECT_EQ(bare.GetFontSize(), 10.0f);
    EXPECT_EQ(bare.GetNumberOffset(), 30.0f);
    EXPECT_EQ(bare.GetScoreOffset(), 400.0f);
    EXPECT_EQ(bare.GetRowPosition(3).y, 0.0f);
}

TEST_F(MenuWindowsTest, EscapeClosesEveryWindowLikeItsCloseButton)
{
    CTopTable table(2);
    EXPECT_TRUE(ClosesOnEscape(std::make_unique<CTopWnd>(800, 600, &table)));
    EXPECT_TRUE(ClosesOnEscape(std::make_unique<COptionsWnd>(800, 600)));
    EXPECT_TRUE(ClosesOnEscape(std::make_unique<CHelpWnd>(800, 600)));
}

// ---- options window ----

TEST_F(MenuWindowsTest, OptionsShowTheSettingsAndEveryHandlerChangesThemAtOnce)
{
    CSoundManager sound;
    SetSoundManager(&sound);
    CAppSettings& settings = GetAppSettings();
    settings.m_music_volume = 40;
    settings.m_sound = true;
    settings.m_hints = true;
    settings.m_show_dragons = false;
    settings.m_flower_symbols = false;
    settings.m_outline_zones = true;
    COptionsWnd wnd(800, 600);
    EXPECT_EQ(wnd.GetVolumeBar()->GetValue(), 40.0f);
    EXPECT_FALSE(wnd.GetSymbolsBox()->IsChecked());
    EXPECT_TRUE(wnd.GetOutlineBox()->IsChecked());
    EXPECT_TRUE(wnd.GetSoundBox()->IsChecked());
    EXPECT_TRUE(wnd.GetHintsBox()->IsChecked());
    EXPECT_FALSE(wnd.GetDragonsBox()->IsChecked());
    EXPECT_FALSE(wnd.GetFullScreenBox()->IsChecked()); // no window, so not full screen

    wnd.GetSoundBox()->SetChecked(false);
    wnd.OnControl(wnd.GetSoundBox());
    EXPECT_FALSE(settings.m_sound);
    EXPECT_FALSE(sound.IsSoundEnabled());
    wnd.GetSoundBox()->SetChecked(true);
    wnd.OnControl(wnd.GetSoundBox());
    EXPECT_TRUE(settings.m_sound);
    EXPECT_TRUE(sound.IsSoundEnabled());

    wnd.GetHintsBox()->SetChecked(false);
    wnd.OnControl(wnd.GetHintsBox());
    EXPECT_FALSE(settings.m_hints);
    wnd.GetDragonsBox()->SetChecked(true);
    wnd.OnControl(wnd.GetDragonsBox());
    EXPECT_TRUE(settings.m_show_dragons);
    wnd.GetSymbolsBox()->SetChecked(true);
    wnd.OnControl(wnd.GetSymbolsBox());
    EXPECT_TRUE(settings.m_flower_symbols);
    wnd.GetOutlineBox()->SetChecked(false);
    wnd.OnControl(wnd.GetOutlineBox());
    EXPECT_FALSE(settings.m_outline_zones);

    // the music follows the thumb on every drawn frame, in whole steps
    wnd.GetVolumeBar()->SetValue(17.8f);
    wnd.Render();
    EXPECT_EQ(settings.m_music_volume, 17);
    EXPECT_EQ(sound.GetMusicVolume(), 17);
    wnd.GetVolumeBar()->SetValue(64.0f);
    wnd.OnControl(wnd.GetVolumeBar());
    EXPECT_EQ(settings.m_music_volume, 64);
    SetSoundManager(nullptr);
}

TEST_F(MenuWindowsTest, OptionsSliderTravelsItsGrooveOverTheWholeVolumeRange)
{
    AddFile("mui/options_wnd.txt", "m_musik_volume_track_bar.x 344\nm_musik_volume_track_bar.y 196\n");
    GetAppSettings().m_music_volume = 0;
    COptionsWnd wnd(800, 600);
    CTrackBar* bar = wnd.GetVolumeBar();
    EXPECT_EQ(bar->GetPosition().x, 344.0f);
    EXPECT_EQ(bar->GetThumbOffset(), 0.0f);
    bar->SetValue(64.0f);
    EXPECT_FLOAT_EQ(bar->GetThumbOffset(), 204.0f);
    bar->SetValue(32.0f);
    EXPECT_FLOAT_EQ(bar->GetThumbOffset(), 102.0f);
}

TEST_F(MenuWindowsTest, ATickedFullScreenBoxThatCannotSwitchStaysTickedAndWindowed)
{
    COptionsWnd wnd(800, 600);
    ASSERT_TRUE(wnd.IsMovable());
    wnd.GetFullScreenBox()->SetChecked(true);
    for (int frame = 0; frame < 3; ++frame)
        wnd.Update(16.0f);
    EXPECT_TRUE(wnd.GetFullScreenBox()->IsChecked());
    EXPECT_FALSE(m_app->IsFullScreen());
    EXPECT_TRUE(wnd.IsMovable());
}

namespace
{
// A frame whose display switch fails a given number of times before it works.
class CSwitchingFrame : public CFakeFrame
{
  public:
    explicit CSwitchingFrame(int failures) : m_failures(failures) {}

    bool SetFullScreen(int width, int height) override
    {
        ++attempts;
        lastWidth = width;
        lastHeight = height;
        if (m_failures > 0)
        {
            --m_failures;
            return false;
        }
        fullScreen = true;
        return true;
    }
    bool LeaveFullScreen() override
    {
        ++leaves;
        fullScreen = false;
        return true;
    }
    bool IsFullScreen() const override { return fullScreen; }

    int attempts = 0;
    int leaves = 0;
    int lastWidth = 0, lastHeight = 0;
    bool fullScreen = false;

  private:
    int m_failures;
};
} // namespace

TEST_F(MenuWindowsTest, FullScreenFollowsItsBoxAndARefusedSwitchIsTriedEveryFrame)
{
    CApplication::Destroy(); // the fake frame takes its place
    m_app = nullptr;
    CSwitchingFrame frame(2);
    COptionsWnd wnd(800, 600);
    EXPECT_FALSE(wnd.GetFullScreenBox()->IsChecked());
    EXPECT_TRUE(wnd.IsMovable());
    wnd.Update(16.0f);
    EXPECT_EQ(frame.attempts, 0);

    wnd.GetFullScreenBox()->SetChecked(true);
    wnd.Update(16.0f);
    wnd.Update(16.0f);
    EXPECT_EQ(frame.attempts, 2);
    EXPECT_FALSE(frame.fullScreen);
    EXPECT_TRUE(wnd.IsMovable()) << "still a window that can be dragged";
    EXPECT_TRUE(wnd.GetFullScreenBox()->IsChecked());
    wnd.Update(16.0f);
    EXPECT_EQ(frame.attempts, 3);
    EXPECT_EQ(frame.lastWidth, 800);
    EXPECT_EQ(frame.lastHeight, 600);
    EXPECT_TRUE(frame.fullScreen);
    EXPECT_FALSE(wnd.IsMovable());
    wnd.Update(16.0f);
    EXPECT_EQ(frame.attempts, 3) << "no switch once full screen";

    wnd.GetFullScreenBox()->SetChecked(false);
    wnd.Update(16.0f);
    wnd.Update(16.0f);
    EXPECT_EQ(frame.leaves, 1);
    EXPECT_TRUE(wnd.IsMovable());

    // a window opened in full screen shows the box ticked and does not drag
    frame.fullScreen = true;
    COptionsWnd again(800, 600);
    EXPECT_TRUE(again.GetFullScreenBox()->IsChecked());
    EXPECT_FALSE(again.IsMovable());
}

TEST_F(MenuWindowsTest, FullScreenSwitchedByItsKeyMovesTheBoxInsteadOfBeingUndone)
{
    CApplication::Destroy(); // the fake frame takes its place
    m_app = nullptr;
    CSwitchingFrame frame(0);
    COptionsWnd wnd(800, 600);
    wnd.Update(16.0f);

    // F11 while the window is open (or while it waits, built, under the menu).
    frame.fullScreen = true;
    wnd.Update(16.0f);
    wnd.Update(16.0f);
    EXPECT_TRUE(wnd.GetFullScreenBox()->IsChecked());
    EXPECT_FALSE(wnd.IsMovable());
    EXPECT_EQ(frame.leaves, 0) << "the key's switch stands";

    frame.fullScreen = false;
    wnd.Update(16.0f);
    wnd.Update(16.0f);
    EXPECT_FALSE(wnd.GetFullScreenBox()->IsChecked());
    EXPECT_TRUE(wnd.IsMovable());
    EXPECT_EQ(frame.attempts, 0);

    // The box still works afterwards.
    wnd.GetFullScreenBox()->SetChecked(true);
    wnd.Update(16.0f);
    EXPECT_TRUE(frame.fullScreen);
}

TEST_F(MenuWindowsTest, EveryOptionIsOnDiskAsSoonAsItChanges)
{
    CApplication::Destroy(); // the fake frame takes its place
    m_app = nullptr;
    CSwitchingFrame frame(0);
    NTestUtil::CTempDir dir;
    CAppSettings& settings = GetAppSettings();
    settings.m_data_folder = dir.Path() + "/";
    settings.m_full_screen = false;
    settings.SetLiveStateSource(&CProgram::TakeLiveState);
    auto onDisk = [&]
    {
        CAppSettings read;
        read.m_data_folder = settings.m_data_folder;
        EXPECT_TRUE(read.Load());
        return read;
    };

    COptionsWnd wnd(800, 600);
    wnd.GetSoundBox()->SetChecked(!settings.m_sound);
    wnd.OnControl(wnd.GetSoundBox());
    EXPECT_EQ(onDisk().m_sound, settings.m_sound);
    wnd.GetDragonsBox()->SetChecked(!settings.m_show_dragons);
    wnd.OnControl(wnd.GetDragonsBox());
    EXPECT_EQ(onDisk().m_show_dragons, settings.m_show_dragons);
    wnd.GetHintsBox()->SetChecked(!settings.m_hints);
    wnd.OnControl(wnd.GetHintsBox());
    EXPECT_EQ(onDisk().m_hints, settings.m_hints);

    // The display switch happens in the next update, and is saved then.
    wnd.GetFullScreenBox()->SetChecked(true);
    wnd.OnControl(wnd.GetFullScreenBox());
    wnd.Update(16.0f);
    EXPECT_TRUE(onDisk().m_full_screen);
    wnd.GetFullScreenBox()->SetChecked(false);
    wnd.OnControl(wnd.GetFullScreenBox());
    wnd.Update(16.0f);
    EXPECT_FALSE(onDisk().m_full_screen);

    settings.SetLiveStateSource(nullptr);
    settings.m_data_folder.clear();
}

// ---- help window and its blocks ----

namespace
{
const char* const kBook =
    "// a small book\r\n"
    "<help>\r\n"
    " <page>\r\n"
    "  <block font_size=\"20\" width=\"300\" height=\"4\">\r\n"
    "   <pos x=\"64\" y=\"84\" z=\"1\"></pos>\r\n"
    "   <font_color r=\"0.5\" g=\"0.25\" b=\"1\" a=\"0.75\"></font_color>\r\n"
    "   <text>one\rtwo\rthree\rfour\rfive\rsix</text>\r\n"
    "  </block>\r\n"
    "  <block width=\"64\" height=\"48\"><pos x=\"600\" y=\"200\"></pos>"
    "<image name=\"help_bug\" animated=\"1\" frame_time=\"30\" group=\"2\">pics/bug.spr</image>"
    "</block>\r\n"
    " </page>\r\n"
    " <page>\r\n"
    "  <block><text>no position, no colour</text></block>\r\n"
    "  <block width=\"10\" height=\"10\"><image animated=\"1\">pics/bug.spr</image></block>\r\n"
    "  <block font_size=\"12\"></block>\r\n"
    " </page>\r\n"
    " <page></page>\r\n"
    "</help>";

CXmlNode Parse(const std::string& text)
{
    CXmlNode node;
    node.Parse(text);
    return node;
}
} // namespace

TEST_F(MenuWindowsTest, HelpBookReadsPagesBlocksAndTheirDefaults)
{
    CHelpWnd wnd(800, 600);
    EXPECT_EQ(wnd.GetPageCount(), 0); // no help file at all
    EXPECT_EQ(wnd.GetPage(), 1);
    wnd.LoadPages(Parse(kBook));
    EXPECT_EQ(wnd.GetPageCount(), 3);
    EXPECT_EQ(wnd.GetPage(), 1);
    const auto& blocks = wnd.GetBlocks();
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(blocks[0]->GetPage(), 1);
    EXPECT_EQ(blocks[1]->GetPage(), 1);
    EXPECT_EQ(blocks[2]->GetPage(), 2);
    EXPECT_EQ(blocks[4]->GetPage(), 2);

    const CHelpBlock& text = *blocks[0];
    EXPECT_EQ(text.GetPosition().x, 64.0f);
    EXPECT_EQ(text.GetPosition().z, 1.0f);
    EXPECT_EQ(text.GetFontColour().y, 0.25f);
    EXPECT_EQ(text.GetFontColour().w, 0.75f);
    EXPECT_EQ(text.GetFontSize(), 20.0f);
    ASSERT_NE(text.GetTextBlock(), nullptr);
    EXPECT_EQ(text.GetTextBlock()->GetLines().size(), 6u);
    EXPECT_EQ(text.GetTextBlock()->GetShownLineCount(), 4) << "the height counts lines";
    EXPECT_EQ(text.GetPicture(), nullptr);

    const CHelpBlock& bare = *blocks[2];
    EXPECT_EQ(bare.GetPosition().x, 0.0f);
    EXPECT_EQ(bare.GetPosition().w, 1.0f);
    EXPECT_EQ(bare.GetFontColour().x, 0.0f);
    EXPECT_EQ(bare.GetFontColour().w, 1.0f) << "opaque black without a colour";
    EXPECT_EQ(bare.GetFontSize(), 0.0f);
    EXPECT_EQ(bare.GetTextBlock()->GetShownLineCount(), 0);
    EXPECT_EQ(blocks[4]->GetTextBlock(), nullptr);
    EXPECT_EQ(blocks[4]->GetPicture(), nullptr);
}

TEST_F(MenuWindowsTest, HelpPicturesAreRegisteredByNameOrByFileAndPage)
{
    EXPECT_EQ(CHelpBlock::PictureName("", "pics/bug.spr", 2), "pics/bug.spr2");
    EXPECT_EQ(CHelpBlock::PictureName("mine", "pics/bug.spr", 2), "mine");

    CHelpWnd wnd(800, 600);
    wnd.LoadPages(Parse(kBook));
    CResourceGroup* group = CResourceGroup::GetGroup("main");
    const CHelpBlock& named = *wnd.GetBlocks()[1];
    ASSERT_NE(named.GetPicture(), nullptr);
    EXPECT_EQ(named.GetPicture(), group->GetSprite("help_bug"));
    EXPECT_TRUE(named.IsAnimated());
    EXPECT_EQ(named.GetPicture()->GetFrameTime(), 30);
    EXPECT_EQ(named.GetPicture()->GetX(), 600.0f);
    EXPECT_EQ(named.GetPicture()->GetWidth(), 64.0f);
    EXPECT_TRUE(named.GetPicture()->IsFlip());
    EXPECT_TRUE(named.GetPicture()->IsBlend());
    const CHelpBlock& unnamed = *wnd.GetBlocks()[3];
    EXPECT_EQ(unnamed.GetPicture(), group->GetSprite("pics/bug.spr2"));
    EXPECT_EQ(unnamed.GetPicture()->GetFrameTime(), 60);

    // a second opening reuses the registered sheets instead of loading them again
    const size_t sprites = group->GetSpriteCount();
    CHelpWnd again(800, 600);
    again.LoadPages(Parse(kBook));
    EXPECT_EQ(group->GetSpriteCount(), sprites);
    EXPECT_EQ(again.GetBlocks()[1]->GetPicture(), named.GetPicture());
}

TEST_F(MenuWindowsTest, HelpLeafsWithinItsPagesAndRunsOnlyTheCurrentOne)
{
    CHelpWnd wnd(800, 600);
    wnd.LoadPages(Parse(kBook));
    EXPECT_TRUE(wnd.GetPrevButton()->IsDisabled());
    EXPECT_FALSE(wnd.GetNextButton()->IsDisabled());

    CSprite* page1 = wnd.GetBlocks()[1]->GetPicture();
    CSprite* page2 = wnd.GetBlocks()[3]->GetPicture();
    wnd.Update(16.0f);
    EXPECT_EQ(page1->GetElapsed(), 16);
    EXPECT_EQ(page2->GetElapsed(), 0);

    wnd.OnControl(wnd.GetNextButton());
    EXPECT_EQ(wnd.GetPage(), 2);
    EXPECT_FALSE(wnd.GetPrevButton()->IsDisabled());
    EXPECT_FALSE(wnd.GetNextButton()->IsDisabled());
    wnd.Update(16.0f);
    EXPECT_EQ(page1->GetElapsed(), 16);
    EXPECT_EQ(page2->GetElapsed(), 16);

    wnd.OnControl(wnd.GetNextButton());
    wnd.OnControl(wnd.GetNextButton());
    EXPECT_EQ(wnd.GetPage(), 3);
    EXPECT_TRUE(wnd.GetNextButton()->IsDisabled());
    EXPECT_FALSE(wnd.GetPrevButton()->IsDisabled());

    for (int i = 0; i < 5; ++i)
        wnd.OnControl(wnd.GetPrevButton());
    EXPECT_EQ(wnd.GetPage(), 1);

    // an empty book stays on page 1 with nothing to leaf to
    wnd.LoadPages(Parse(""));
    EXPECT_EQ(wnd.GetPageCount(), 0);
    wnd.OnControl(wnd.GetNextButton());
    EXPECT_EQ(wnd.GetPage(), 1);
    EXPECT_TRUE(wnd.GetBlocks().empty());
}

namespace
{
struct SArea
{
    float x0, y0, x1, y1;
    bool Overlaps(const SArea& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

std::vector<uint8_t> ReadBuildFile(const std::string& name)
{
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen((std::string(ZONVEL_BUILD_DIR) + "/" + name).c_str(), "rb"))
    {
        uint8_t chunk[4096];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(f);
    }
    return bytes;
}
} // namespace

TEST_F(MenuWindowsTest, EveryHelpPageKeepsItsTextOnThePaperAndClearOfPictures)
{
    std::vector<uint8_t> fontBytes = ReadBuildFile("mui/font.tga");
    const std::vector<uint8_t> helpBytes = ReadBuildFile("mui/help.xml");
    if (fontBytes.empty() || helpBytes.empty())
        GTEST_SKIP() << "the data set has not been generated";
    CBitmapText font;
    ASSERT_TRUE(font.LoadFromImage(fontBytes.data(), static_cast<int>(fontBytes.size()), nullptr));
    CHint::SetFont(&font);
    CXmlNode document;
    document.Parse(reinterpret_cast<const char*>(helpBytes.data()), static_cast<int>(helpBytes.size()));
    CHelpWnd wnd(800, 600);
    wnd.LoadPages(document);
    CHint::SetFont(nullptr);
    ASSERT_GE(wnd.GetPageCount(), 6);

    // the paper of the help background, above its flower border and the buttons
    const SArea paper{56, 40, 744, 470};
    for (int page = 1; page <= wnd.GetPageCount(); ++page)
    {
        std::vector<SArea> texts, pictures;
        for (const auto& block : wnd.GetBlocks())
        {
            if (block->GetPage() != page)
                continue;
            const CVector4& p = block->GetPosition();
            if (const CScrollingText* text = block->GetTextBlock())
            {
                const float size = block->GetFontSize();
                ASSERT_EQ(text->GetShownLineCount(), static_cast<int>(text->GetLines().size()))
                    << "page " << page << ": every line shown: " << block->GetText();
                float widest = 0;
                for (const std::string& line : text->GetLines())
                    widest =
                        std::max(widest, font.MeasureText(line.c_str(), size) - font.GetSpaceWidth(size));
                // glyphs rise a size above the base line; descenders reach a third below
                texts.push_back(
                    {p.x, p.y - size, p.x + widest, p.y + (text->GetShownLineCount() - 1) * size + size / 3});
            }
            if (block->GetPicture() != nullptr)
                pictures.push_back({p.x - block->GetWidth() / 2, p.y - block->GetHeight() / 2,
                                    p.x + block->GetWidth() / 2, p.y + block->GetHeight() / 2});
        }
        for (const SArea& a : texts)
        {
            EXPECT_GE(a.x0, paper.x0) << "page " << page;
            EXPECT_LE(a.x1, paper.x1) << "page " << page;
            EXPECT_GE(a.y0, paper.y0) << "page " << page;
            EXPECT_LE(a.y1, paper.y1) << "page " << page;
            for (const SArea& b : texts)
                EXPECT_TRUE(&a == &b || !a.Overlaps(b))
                    << "page " << page << ": text over text at y " << a.y0;
            for (const SArea& b : pictures)
                EXPECT_FALSE(a.Overlaps(b)) << "page " << page << ": picture at " << b.x0 << "," << b.y0
                                            << " over text at " << a.x0 << "," << a.y0;
        }
        for (const SArea& b : pictures)
        {
            EXPECT_GE(b.x0, paper.x0) << "page " << page;
            EXPECT_LE(b.x1, paper.x1) << "page " << page;
            EXPECT_LE(b.y1, paper.y1) << "page " << page;
        }
    }
}
