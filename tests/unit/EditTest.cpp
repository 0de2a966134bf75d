#include "ControlTestSupport.h"

#include "ui/SimpleEdit.h"

#include <gtest/gtest.h>

#include <string>

using namespace NControlTest;

namespace
{
// Keyboard state and clipboard the tests control.
struct SFakeKeyboard
{
    static inline bool control = false;
    static inline bool shift = false;
    static inline bool clipboardReadable = true;
    static inline std::string clipboard;

    static bool IsControlHeld() { return control; }
    static bool IsShiftHeld() { return shift; }
    static bool GetClipboardText(std::string& text)
    {
        if (!clipboardReadable)
            return false;
        text = clipboard;
        return true;
    }
};
const CSimpleEdit::SKeyboard kFakeKeyboard = {&SFakeKeyboard::IsControlHeld, &SFakeKeyboard::IsShiftHeld,
                                              &SFakeKeyboard::GetClipboardText};
} // namespace

class EditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SFakeKeyboard::control = SFakeKeyboard::shift = false;
        SFakeKeyboard::clipboardReadable = true;
        SFakeKeyboard::clipboard.clear();
        CSimpleEdit::SetKeyboard(&kFakeKeyboard);
        edit.SetPosition(10.0f, 10.0f, 0.0f);
        edit.SetFocus(true);
    }
    void TearDown() override { CSimpleEdit::SetKeyboard(nullptr); }

    void Type(const std::string& text)
    {
        for (char c : text)
            edit.OnChar(static_cast<unsigned char>(c), 1);
    }
    void Press(int key) { edit.OnKeyDown(key); }

    CRecordingScreen screen;
    CSimpleEdit edit{&screen, nullptr, 20.0f, nullptr};
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndMovesIt)
{
    Type("Bob");
    EXPECT_STREQ(edit.GetText(), "Bob");
    EXPECT_EQ(edit.GetCaret(), 3);
    Press(CSimpleEdit::kKeyHome);
    Type("A ");
    EXPECT_STREQ(edit.GetText(), "A Bob");
    EXPECT_EQ(edit.GetCaret(), 2);
    Press(CSimpleEdit::kKeyRight);
    Type("x");
    EXPECT_STREQ(edit.GetText(), "A Bxob");
    Press(CSimpleEdit::kKeyEnd);
    EXPECT_EQ(edit.GetCaret(), 6);
    Press(CSimpleEdit::kKeyRight);
    EXPECT_EQ(edit.GetCaret(), 6);
    Press(CSimpleEdit::kKeyHome);
    Press(CSimpleEdit::kKeyLeft);
    EXPECT_EQ(edit.GetCaret(), 0);
}

TEST_F(EditTest, BackspaceRemovesBeforeAndDeleteAtTheCaret)
{
    Type("abcd");
    Press(CSimpleEdit::kKeyLeft);
    Press(CSimpleEdit::kKeyBackspace);
    EXPECT_STREQ(edit.GetText(), "abd");
    EXPECT_EQ(edit.GetCaret(), 2);
    Press(CSimpleEdit::kKeyDelete);
    EXPECT_STREQ(edit.GetText(), "ab");
    EXPECT_EQ(edit.GetCaret(), 2);
    // At the ends they do nothing.
    Press(CSimpleEdit::kKeyDelete);
    EXPECT_STREQ(edit.GetText(), "ab");
    Press(CSimpleEdit::kKeyHome);
    Press(CSimpleEdit::kKeyBackspace);
    EXPECT_STREQ(edit.GetText(), "ab");
    EXPECT_EQ(edit.GetCaret(), 0);
}

TEST_F(EditTest, RefusesCharactersOutsidePrintableAscii)
{
    for (uint16_t c : {0, 8, 9, 10, 13, 27, 31, 127, 128, 200, 255, 0x263A})
        edit.OnChar(c, 1);
    EXPECT_STREQ(edit.GetText(), "");
    edit.OnChar(32, 1);
    edit.OnChar(126, 1);
    EXPECT_STREQ(edit.GetText(), " ~");
}

TEST_F(EditTest, NeverGrowsPastItsMaximumLength)
{
    edit.SetMaxLength(15);
    Type("ABCDEFGHIJKLMNO");
    ASSERT_STREQ(edit.GetText(), "ABCDEFGHIJKLMNO");
    Type("Z");
    EXPECT_STREQ(edit.GetText(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(edit.GetCaret(), 15);
    // In the middle the new character pushes the last one out.
    for (int i = 0; i < 5; ++i)
        Press(CSimpleEdit::kKeyLeft);
    Type("z");
    EXPECT_STREQ(edit.GetText(), "ABCDEFGHIJzKLMN");
    EXPECT_EQ(edit.GetCaret(), 11);
}

TEST_F(EditTest, PasteIsCutToTheMaximumAndTheCaretStopsThere)
{
    edit.SetMaxLength(15);
    Type("ABCDEFGHIJKLMN");
    SFakeKeyboard::clipboard = "xyz";
    SFakeKeyboard::control = true;
    Press(CSimpleEdit::kKeyV);
    EXPECT_STREQ(edit.GetText(), "ABCDEFGHIJKLMNx");
    EXPECT_EQ(edit.GetCaret(), 15);
}

TEST_F(EditTest, PasteTurnsBytesOutsidePrintableAsciiIntoSpaces)
{
    edit.SetMaxLength(20);
    SFakeKeyboard::clipboard = "a\tb\xc3\xa9" "c\r\n\x7f";
    SFakeKeyboard::shift = true;
    Press(CSimpleEdit::kKeyInsert);
    EXPECT_STREQ(edit.GetText(), "a b  c   ");
    EXPECT_EQ(edit.GetCaret(), 9);
}

TEST_F(EditTest, PasteNeedsTheModifierAndAReadableClipboard)
{
    SFakeKeyboard::clipboard = "abc";
    Press(CSimpleEdit::kKeyV);
    Press(CSimpleEdit::kKeyInsert);
    EXPECT_STREQ(edit.GetText(), "");
    SFakeKeyboard::control = true;
    SFakeKeyboard::clipboardReadable = false;
    Press(CSimpleEdit::kKeyV);
    EXPECT_STREQ(edit.GetText(), "");
}

TEST_F(EditTest, LongPasteStaysInsideTheBuffer)
{
    edit.SetMaxLength(5000);
    EXPECT_EQ(edit.GetMaxLength(), CSimpleEdit::kBufferSize - 1);
    Type("ab");
    Press(CSimpleEdit::kKeyLeft);
    edit.Paste(std::string(3000, 'q'));
    EXPECT_EQ(std::string(edit.GetText()).size(), 1023u);
    EXPECT_EQ(edit.GetCaret(), 1023);
    EXPECT_EQ(edit.GetText()[0], 'a');
    edit.SetMaxLength(-3);
    EXPECT_EQ(edit.GetMaxLength(), 0);
}

TEST_F(EditTest, KeysAndTypingNeedFocus)
{
    edit.SetFocus(false);
    Type("abc");
    EXPECT_STREQ(edit.GetText(), "");
    edit.SetFocus(true);
    Type("abc");
    edit.SetFocus(false);
    Press(CSimpleEdit::kKeyBackspace);
    EXPECT_STREQ(edit.GetText(), "abc");
}

TEST_F(EditTest, ClickInsideFocusesAndClickElsewhereTakesFocusAway)
{
    // Before its first drawing the box is 130 x 60.
    EXPECT_FALSE(edit.OnLButtonDown(141, 20, 0));
    EXPECT_EQ(edit.GetFocus(), CSimpleEdit::kUnfocused);
    EXPECT_TRUE(edit.OnLButtonDown(140, 70, 0));
    EXPECT_EQ(edit.GetFocus(), CSimpleEdit::kFocused);
    EXPECT_TRUE(edit.OnMouseMove(20, 20, 0));
    EXPECT_FALSE(edit.OnMouseMove(200, 20, 0));
    EXPECT_FALSE(edit.OnLButtonUp(200, 20, 0));
    EXPECT_EQ(edit.GetFocus(), CSimpleEdit::kFocused);
    EXPECT_TRUE(screen.reports.empty());
}

TEST_F(EditTest, SizeFollowsTheBackgroundAtEveryDrawing)
{
    auto background = MakeTexture(200, 80);
    CSimpleEdit box(&screen, nullptr, 20.0f, background.get());
    box.SetPosition(0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(box.OnMouseMove(130, 60, 0));
    EXPECT_FALSE(box.OnMouseMove(131, 20, 0));
    box.Render();
    EXPECT_TRUE(box.OnMouseMove(200, 40, 0));
    EXPECT_FALSE(box.OnMouseMove(200, 41, 0));
}

TEST_F(EditTest, CaretBlinksAfterTheBlinkPeriodAndKeysShowIt)
{
    edit.Update(500.0f);
    EXPECT_FALSE(edit.IsCaretShown());
    edit.Update(16.0f);
    EXPECT_TRUE(edit.IsCaretShown());
    edit.Update(501.0f);
    EXPECT_FALSE(edit.IsCaretShown());
    Type("a");
    Press(CSimpleEdit::kKeyLeft);
    EXPECT_TRUE(edit.IsCaretShown());
}
