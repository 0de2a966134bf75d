// The pop-up tool-tip: a pale box with a dark-blue border and one line of black
// text. The box flips to the left of its anchor rather than pass the right edge.
#pragma once

class CBitmapText;

class CHint
{
public:
    static constexpr float kMargin = 4.0f;
    static constexpr float kOffset = 54.0f;
    static constexpr float kRightLimit = 795.0f;
    static constexpr float kLayoutWidth = 800.0f;

    // Where a box goes, in layout coordinates.
    struct SBox
    {
        float left, top, right, bottom;
        float text_x, base_line;
    };

    // The interface font the hints are drawn with (borrowed; null draws nothing).
    static void SetFont(const CBitmapText* font);
    static const CBitmapText* GetFont();

    // Anchored at the cursor when atCursor, else at (trunc(x), trunc(y)); centred
    // puts the box in the middle of the 800-wide space, still at the anchor's height.
    static void Draw(const char* text, float x, float y, float size, bool atCursor, bool centred);
    static SBox Place(const CBitmapText& font, const char* text, float x, float y, float size, bool atCursor,
                      bool centred);

  private:
    // The white box with its blue frame, under the text.
    static void DrawBox(const SBox& box);
};
