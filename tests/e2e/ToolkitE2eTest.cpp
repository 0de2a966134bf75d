// The interface toolkit in a real window: one control of each kind, text at
// several sizes and a hint box, driven by scripted mouse and keyboard input.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/AppSettings.h"
#include "app/Application.h"
#include "engine/GLHeaders.h"
#include "engine/Texture.h"
#include "ui/Hint.h"
#include "platform/DataFolder.h"
#include "tests/e2e/Harness.h"
#include "ui/BitmapText.h"
#include "ui/Screen.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/SimpleEdit.h"
#include "ui/TrackBar.h"

namespace
{
using NE2e::CHarness;
using NE2e::SRgb;

#define REQUIRE_DISPLAY()                                                                                              \
    if (!CHarness::HasDisplay())                                                                                       \
    GTEST_SKIP() << "needs an X display (run through test.sh)"

// Frame colours of the test pictures: every frame its own colour, the top quarter
// of each frame darker so a frame drawn upside down shows.
const SRgb kButtonFrames[4] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 220}, {128, 128, 128}};
const SRgb kThumbFrames[2] = {{230, 150, 20}, {200, 40, 200}};
const SRgb kEditFrames[2] = {{70, 70, 70}, {60, 110, 170}};
const SRgb kBackground{25, 38, 76};
const SRgb kYellow{255, 255, 0};

SRgb Darker(SRgb c)
{
    return {static_cast<uint8_t>(c.r / 2), static_cast<uint8_t>(c.g / 2), static_cast<uint8_t>(c.b / 2)};
}

// A 32-bit targa of `frames` bands stacked vertically, stored bottom-up, frame 1 in the lowest rows.
std::vector<uint8_t> FramesPicture(int width, int frameHeight, const SRgb* colours, int frames)
{
    const int height = frameHeight * frames;
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(width),
                                  static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(height),
                                  static_cast<uint8_t>(height >> 8), 32, 8};
    for (int row = 0; row < height; ++row)
    {
        const int frame = row / frameHeight;
        const int fromTop = frameHeight - 1 - row % frameHeight;
        const SRgb c = fromTop < frameHeight / 4 ? Darker(colours[frame]) : colours[frame];
        for (int x = 0; x < width; ++x)
            bytes.insert(bytes.end(), {c.b, c.g, c.r, 255});
    }
    return bytes;
}

std::unique_ptr<CTexture> TextureFrom(const std::vector<uint8_t>& bytes)
{
    auto texture = std::make_unique<CTexture>();
    texture->LoadTarga(bytes.data(), static_cast<int>(bytes.size()), false, false);
    return texture;
}

std::string BuildDir()
{
    std::string shots = ZONVEL_E2E_SHOTS_DIR;
    return shots.substr(0, shots.rfind('/'));
}

class CToolkitScreen : public CScreen
{
public:
    static constexpr float kGrooveLength = 200.0f;

    CToolkitScreen(const CBitmapText* font)
        : m_font(font), m_button_tex(TextureFrom(FramesPicture(120, 40, kButtonFrames, 4))),
          m_box_tex(TextureFrom(FramesPicture(24, 24, kButtonFrames, 4))),
          m_thumb_tex(TextureFrom(FramesPicture(16, 24, kThumbFrames, 2))),
          m_edit_tex(TextureFrom(FramesPicture(240, 40, kEditFrames, 2))), m_button(this, m_button_tex.get()),
          m_disabled(this, m_button_tex.get()), m_check(this, m_box_tex.get(), 100.0f), m_bar(this, m_thumb_tex.get()),
          m_edit(this, font, 24.0f, m_edit_tex.get())
    {
        m_button.SetPosition(60, 60, 0);
        m_disabled.SetPosition(60, 120, 0);
        m_disabled.SetDisabled(true);
        m_check.SetPosition(60, 190, 0);
        m_bar.SetPosition(60, 260, 0);
        m_bar.SetRange(0, 100);
        m_bar.SetLength(kGrooveLength);
        m_bar.SetValue(25);
        m_edit.SetPosition(60, 320, 0);
        m_edit.SetMaxLength(15);
        for (CControl* control : std::initializer_list<CControl*>{&m_button, &m_disabled, &m_check, &m_bar, &m_edit})
            AddControl(control);
    }

    void OnControl(CControl* sender) override
    {
        CScreen::OnControl(sender);
        reports.push_back(sender);
    }

    void Render() override
    {
        CApplication::Instance()->GetView().SetOrtho(800, 600, false);
        glClearColor(kBackground.r / 255.0f, kBackground.g / 255.0f, kBackground.b / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);

        // The groove is the window background's business: a plain bar here.
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glBegin(GL_TRIANGLE_STRIP);
        glVertex2f(60, 270);
        glVertex2f(60, 274);
        glVertex2f(60 + kGrooveLength + 16, 270);
        glVertex2f(60 + kGrooveLength + 16, 274);
        glEnd();
        glColor4f(1, 1, 1, 1);

        CScreen::Render();

        m_font->DrawTextOutlined("Sound effects", 20.0f, 92.0f, 210.0f, 0.0f, 1, 1, 1, 1);
        m_font->DrawTextOutlined("Size 16: The quick brown fox jumps.", 16.0f, 320.0f, 80.0f, 0.0f, 1, 1, 1, 1);
        m_font->DrawTextOutlined("Size 24: Zonvel 0123456789", 24.0f, 320.0f, 130.0f, 0.0f, 0.6f, 1, 0.6f, 1);
        m_font->DrawTextOutlined("Size 40: AbgQ!", 40.0f, 320.0f, 200.0f, 0.0f, 1, 0.8f, 0.3f, 1);
        m_font->DrawTextOutlined("Centred and outlined: {[(<$%&>)]}", 24.0f, 400.0f, 420.0f, 0.0f, 1, 1, 1, 1,
                                 false, true);
        m_font->DrawText(kOrderProbe, 40.0f, 320.0f, 500.0f, 0.0f, 1, 1, 1, 1);
        CHint::Draw("A hint near the right edge", 760.0f, 540.0f, 20.0f, false, false);
    }

    static constexpr const char* kOrderProbe = "_^";

    const CBitmapText* m_font;
    std::unique_ptr<CTexture> m_button_tex, m_box_tex, m_thumb_tex, m_edit_tex;
    CSimpleButton m_button;
    CSimpleButton m_disabled;
    CSimpleCheckBox m_check;
    CTrackBar m_bar;
    CSimpleEdit m_edit;
    std::vector<CControl*> reports;
};

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
    ASSERT_TRUE(settings.Save());
}

bool IsInk(SRgb c)
{
    return c.r > 180 && c.g > 180 && c.b > 180;
}

TEST(ToolkitE2e, ControlsTextAndHintThroughTheRealWindow)
{
    REQUIRE_DISPLAY();
    std::ifstream fontFile(BuildDir() + "/mui/font.tga", std::ios::binary);
    if (!fontFile)
        GTEST_SKIP() << "the font picture has not been generated";
    const std::vector<uint8_t> fontBytes((std::istreambuf_iterator<char>(fontFile)), std::istreambuf_iterator<char>());

    CHarness harness;
    SaveWindowedSettings();
    ASSERT_TRUE(harness.Start());

    CTexture fontTexture;
    ASSERT_TRUE(fontTexture.LoadTarga(fontBytes.data(), static_cast<int>(fontBytes.size()), false, false));
    std::vector<uint8_t> scan = fontBytes;
    CBitmapText font;
    ASSERT_TRUE(font.LoadFromImage(scan.data(), static_cast<int>(scan.size()), &fontTexture));
    CHint::SetFont(&font);

    CToolkitScreen& screen = *harness.Show(std::make_unique<CToolkitScreen>(&font));

    // Button: hover, press (reported at once), off and on while held, release.
    harness.Capture(3, "initial");
    harness.MouseMove(4, 120, 80);
    harness.Capture(4, "button-hover");
    harness.LButtonDown(5, 120, 80);
    harness.Capture(5, "button-pressed");
    harness.MouseMove(6, 300, 80);
    harness.Capture(6, "button-held-off");
    harness.MouseMove(7, 120, 80);
    harness.LButtonUp(8, 120, 80);
    size_t reportsAfterButton = 0;
    harness.At(8, [&] { reportsAfterButton = screen.reports.size(); });
    // The disabled button neither lights up nor reports.
    harness.MouseMove(9, 120, 140);
    harness.LButtonDown(10, 120, 140);
    harness.LButtonUp(11, 120, 140);
    harness.Capture(11, "disabled-pressed");
    size_t reportsAfterDisabled = 0;
    harness.At(11, [&] { reportsAfterDisabled = screen.reports.size(); });

    // Check box: ticked on the release over its caption.
    harness.MouseMove(12, 150, 200);
    harness.LButtonDown(13, 150, 200);
    harness.LButtonUp(14, 150, 200);
    harness.Capture(14, "check-ticked-hover");
    harness.MouseMove(15, 400, 300);
    harness.Capture(15, "check-ticked");

    // Track bar: the thumb starts at 60 + 25% of 200 = 110; dragged by its middle to x 200.
    harness.MouseMove(16, 118, 272);
    harness.LButtonDown(17, 118, 272);
    harness.MouseMove(18, 200, 272);
    harness.Capture(18, "thumb-dragging");
    size_t reportsWhileDragging = 0;
    harness.At(18, [&] { reportsWhileDragging = screen.reports.size(); });
    harness.LButtonUp(19, 200, 272);
    harness.Capture(19, "thumb-dropped");

    // Edit box: focus, typing (refused characters included), caret moves.
    harness.LButtonDown(20, 100, 340);
    harness.LButtonUp(21, 100, 340);
    const std::string typed = "Zonvel\t 42";
    for (char c : typed)
        harness.Char(22, static_cast<uint8_t>(c));
    harness.Char(22, 127);
    harness.KeyDown(23, CSimpleEdit::kKeyHome);
    harness.Char(23, '>');
    harness.KeyDown(24, CSimpleEdit::kKeyEnd);
    // The caret blinks: keep the state of each captured frame.
    bool caretShown[2] = {false, false};
    harness.Capture(24, "edit-typed-a");
    harness.At(24, [&] { caretShown[0] = screen.m_edit.IsCaretShown(); });
    harness.Capture(56, "edit-typed-b");
    harness.At(56, [&] { caretShown[1] = screen.m_edit.IsCaretShown(); });
    harness.Quit(58);
    harness.Run();

    // --- Button frames ---
    auto frameAt = [&](const char* shot, int x, int y) { return harness.GetCapture(shot)->At(x, y); };
    ASSERT_NE(harness.GetCapture("initial"), nullptr);
    EXPECT_TRUE(NE2e::Near(frameAt("initial", 120, 85), kButtonFrames[0]));
    EXPECT_TRUE(NE2e::Near(frameAt("initial", 120, 62), Darker(kButtonFrames[0]))) << "frames drawn upright";
    EXPECT_TRUE(NE2e::Near(frameAt("initial", 120, 145), kButtonFrames[3]));
    EXPECT_TRUE(NE2e::Near(frameAt("button-hover", 120, 85), kButtonFrames[1]));
    EXPECT_TRUE(NE2e::Near(frameAt("button-pressed", 120, 85), kButtonFrames[2]));
    EXPECT_TRUE(NE2e::Near(frameAt("button-held-off", 120, 85), kButtonFrames[0]));
    EXPECT_EQ(reportsAfterButton, 1u);
    ASSERT_FALSE(screen.reports.empty());
    EXPECT_EQ(screen.reports[0], &screen.m_button);
    EXPECT_TRUE(NE2e::Near(frameAt("disabled-pressed", 120, 145), kButtonFrames[3]));
    EXPECT_EQ(reportsAfterDisabled, 1u);

    // --- Check box ---
    EXPECT_TRUE(NE2e::Near(frameAt("initial", 72, 205), kButtonFrames[0]));
    EXPECT_TRUE(NE2e::Near(frameAt("check-ticked-hover", 72, 205), kButtonFrames[3]));
    EXPECT_TRUE(NE2e::Near(frameAt("check-ticked", 72, 205), kButtonFrames[2]));
    EXPECT_TRUE(screen.m_check.IsChecked());

    // --- Track bar: value (200 - 60 - 8) * 100 / 200 = 66, thumb at 60 + 132 ---
    EXPECT_TRUE(NE2e::Near(frameAt("initial", 118, 280), kThumbFrames[0]));
    EXPECT_TRUE(NE2e::Near(frameAt("thumb-dragging", 200, 280), kThumbFrames[1]));
    EXPECT_TRUE(NE2e::Near(frameAt("thumb-dragging", 185, 280), kBackground));
    EXPECT_TRUE(NE2e::Near(frameAt("thumb-dropped", 200, 280), kThumbFrames[0]));
    EXPECT_TRUE(NE2e::Near(frameAt("thumb-dropped", 118, 280), kBackground));
    EXPECT_FLOAT_EQ(screen.m_bar.GetValue(), 66.0f);
    EXPECT_EQ(reportsWhileDragging, 2u);
    ASSERT_EQ(screen.reports.size(), 3u);
    EXPECT_EQ(screen.reports[2], &screen.m_bar);

    // --- Edit box ---
    EXPECT_STREQ(screen.m_edit.GetText(), ">Zonvel 42");
    EXPECT_EQ(screen.m_edit.GetCaret(), 10);
    EXPECT_TRUE(NE2e::Near(frameAt("initial", 280, 350), kEditFrames[0]));
    EXPECT_TRUE(NE2e::Near(frameAt("edit-typed-a", 280, 350), kEditFrames[1]));
    EXPECT_NE(caretShown[0], caretShown[1]) << "the caret blinks between the two captures";
    const char* withCaret = caretShown[0] ? "edit-typed-a" : "edit-typed-b";
    const int caretX = static_cast<int>(60 + CSimpleEdit::kTextInset + font.MeasureText(">Zonvel 42", 24.0f)) + 1;
    EXPECT_TRUE(NE2e::Near(frameAt(withCaret, caretX, 340), kYellow));
    // Yellow text between the inset and the caret.
    int yellow = 0;
    for (int x = 67; x < caretX - 2; ++x)
        for (int y = 328; y < 352; ++y)
            yellow += NE2e::Near(frameAt(withCaret, x, y), kYellow, 60) ? 1 : 0;
    EXPECT_GT(yellow, 100);

    // --- Glyph order and orientation: "_" low on the left, "^" high on the right ---
    const NE2e::SImage* shot = harness.GetCapture("initial");
    const float underscoreEnd = 320.0f + font.MeasureText("_", 40.0f);
    int lowLeft = 0, highLeft = 0, lowRight = 0, highRight = 0;
    for (int y = 460; y <= 500; ++y)
        for (int x = 320; x < 320 + static_cast<int>(font.MeasureText(CToolkitScreen::kOrderProbe, 40.0f)); ++x)
        {
            if (!IsInk(shot->At(x, y)))
                continue;
            const bool low = y > 480;
            if (x < underscoreEnd)
                (low ? lowLeft : highLeft)++;
            else
                (low ? lowRight : highRight)++;
        }
    EXPECT_GT(lowLeft, 0);
    EXPECT_EQ(highLeft, 0);
    EXPECT_GT(highRight, 0);
    EXPECT_EQ(lowRight, 0);

    // --- Hint: the box flipped left of its anchor (right edge at 740) ---
    EXPECT_TRUE(NE2e::Near(shot->At(700, 539), {255, 255, 255}, 100)) << "pale box left of the anchor";
    EXPECT_TRUE(NE2e::Near(shot->At(745, 550), kBackground));
    EXPECT_TRUE(NE2e::Near(shot->At(760, 550), kBackground));

    CHint::SetFont(nullptr);
    harness.GetApp()->CloseAll();
}
} // namespace
