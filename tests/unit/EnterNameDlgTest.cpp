#include "interface/EnterNameDlg.h"

#include "platform/Events.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleEdit.h"

#include <gtest/gtest.h>

#include <string>

using NInterface::CEnterNameDlg;

namespace
{
// Keyboard modifiers and clipboard as the name box sees them.
struct SFakeKeyboard
{
    static inline bool control = false;
    static inline std::string clipboard;
    static bool IsControlHeld() { return control; }
    static bool IsShiftHeld() { return false; }
    static bool GetClipboardText(std::string& text)
    {
        text = clipboard;
        return true;
    }
};
const CSimpleEdit::SKeyboard kFakeKeyboard = {&SFakeKeyboard::IsControlHeld, &SFakeKeyboard::IsShiftHeld,
                                              &SFakeKeyboard::GetClipboardText};

class EnterNameDlgTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SFakeKeyboard::control = false;
        CSimpleEdit::SetKeyboard(&kFakeKeyboard);
    }
    void TearDown() override { CSimpleEdit::SetKeyboard(nullptr); }

    void Type(const std::string& text)
    {
        for (char c : text)
            dialog.OnChar(static_cast<unsigned char>(c), 1);
    }
    void Paste(const std::string& text)
    {
        SFakeKeyboard::clipboard = text;
        SFakeKeyboard::control = true;
        dialog.OnKeyDown(CSimpleEdit::kKeyV);
        SFakeKeyboard::control = false;
    }

    CEnterNameDlg dialog;
};
} // namespace

TEST_F(EnterNameDlgTest, TheFocusedBoxTakesFifteenCharactersAndNoMore)
{
    EXPECT_EQ(dialog.GetName(), "");
    Type("Fifteen chars!!");
    EXPECT_EQ(dialog.GetName(), "Fifteen chars!!");
    Type("X");
    EXPECT_EQ(dialog.GetName(), "Fifteen chars!!");
    dialog.OnKeyDown(CSimpleEdit::kKeyBackspace);
    Type("?Z");
    EXPECT_EQ(dialog.GetName(), "Fifteen chars!?");
    Paste("a very long pasted name");
    EXPECT_EQ(dialog.GetName(), "Fifteen chars!?");
}

TEST_F(EnterNameDlgTest, QuotesAndDoubleSlashesNeverEnterTheName)
{
    Type("a\"b/c/");
    EXPECT_EQ(dialog.GetName(), "ab/c/");
    Type("/");
    EXPECT_EQ(dialog.GetName(), "ab/c/");
    // a slash typed just before another one
    dialog.OnKeyDown(CSimpleEdit::kKeyLeft);
    Type("/");
    EXPECT_EQ(dialog.GetName(), "ab/c/");
    // deleting what stands between two slashes would join them
    dialog.OnKeyDown(CSimpleEdit::kKeyBackspace);
    EXPECT_EQ(dialog.GetName(), "ab/c/");
    dialog.OnKeyDown(CSimpleEdit::kKeyHome);
    dialog.OnKeyDown(CSimpleEdit::kKeyRight);
    dialog.OnKeyDown(CSimpleEdit::kKeyRight);
    dialog.OnKeyDown(CSimpleEdit::kKeyRight);
    dialog.OnKeyDown(CSimpleEdit::kKeyDelete); // the c
    EXPECT_EQ(dialog.GetName(), "ab/c/");
    EXPECT_EQ(dialog.GetNameBox()->GetCaret(), 3);
    // a paste that would bring either in is refused whole
    Paste("x\"y");
    Paste("//");
    EXPECT_EQ(dialog.GetName(), "ab/c/");
    Paste(" 1");
    EXPECT_EQ(dialog.GetName(), "ab/ 1c/");
}

TEST_F(EnterNameDlgTest, OkEnterAndEscapeAllKeepTheTypedName)
{
    Type("Ann");
    dialog.OnControl(dialog.GetOkButton());
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_EQ(dialog.GetName(), "Ann");

    dialog.OnKeyDown(27);
    EXPECT_EQ(dialog.GetResult(), 1);
    EXPECT_EQ(dialog.GetName(), "Ann");
    dialog.OnKeyDown(13);
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_EQ(dialog.GetName(), "Ann");
}

TEST_F(EnterNameDlgTest, ThePanelFadesInOverFortyDrawnFrames)
{
    EXPECT_EQ(dialog.GetFade(), 0.0f);
    dialog.Render();
    EXPECT_FLOAT_EQ(dialog.GetFade(), 0.025f);
    for (int i = 1; i < 39; ++i)
        dialog.Render();
    EXPECT_LT(dialog.GetFade(), 1.0f);
    for (int i = 0; i < 10; ++i)
        dialog.Render();
    EXPECT_GE(dialog.GetFade(), 1.0f);
    EXPECT_LT(dialog.GetFade(), 1.03f);
}

TEST_F(EnterNameDlgTest, CaretKeysStayWithTheBoxAndTabReachesOk)
{
    CScreen::SetKeyboardInUse(false);
    Type("Ann");
    dialog.OnKeyDown(CSimpleEdit::kKeyLeft);
    EXPECT_EQ(dialog.GetNameBox()->GetCaret(), 2) << "the first key already moves the caret";
    EXPECT_EQ(dialog.GetFocus(), dialog.GetNameBox());
    dialog.OnKeyDown(NPlatform::kVkTab);
    EXPECT_EQ(dialog.GetFocus(), dialog.GetOkButton());
    CScreen::SetKeyboardInUse(false);
}
