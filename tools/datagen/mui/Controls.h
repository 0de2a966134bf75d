// Control pictures. Every control texture stacks its frames vertically with
// frame 1 at the bottom of the picture (the controls read frame k from the
// texture band (k-1)/N .. k/N, and texture row 0 is the picture's bottom row);
// each frame is drawn upright.
#pragma once

#include "../DataWriter.h"
#include "Paint.h"

#include <string>

namespace NDataGen::NMui
{
// Frame sizes shared by the layouts.
inline constexpr int kButtonW = 256, kButtonH = 64;
inline constexpr int kSmallButtonW = 128, kSmallButtonH = 64;
inline constexpr int kArrowSize = 64;
inline constexpr int kIconSize = 32;
inline constexpr int kCheckSize = 32;
inline constexpr int kThumbW = 32, kThumbH = 32;
inline constexpr int kEditW = 256, kEditH = 64;

enum class EButtonColour
{
    Green,
    Orange,
    Blue,
};

enum class EArrow
{
    Left,
    Right,
};

enum class EIcon
{
    Minimise,
    FullScreen,
    Globe,
    Gift,
};

// Four frames: normal, hover, pressed, disabled.
Bytes MakeTextButton(const std::string& caption, int width, int height, EButtonColour colour,
                     const std::string& debugName);
Bytes MakeIconTextButton(const std::string& caption, EIcon icon, int width, int height, EButtonColour colour,
                         const std::string& debugName);
Bytes MakeArrowButton(EArrow arrow, const std::string& debugName);
Bytes MakeIconButton(EIcon icon, const std::string& debugName);
// Four frames: unticked, unticked under the cursor, ticked, ticked under the cursor.
Bytes MakeCheckBox(bool flowerTick, const std::string& debugName);
// Two frames: resting, dragged.
Bytes MakeThumb(const std::string& debugName);
// Two frames: without focus, focused.
Bytes MakeEditBox(const std::string& debugName);

// The slider groove a window's background shows under a track bar: the thumb's
// centre runs from x + thumb width / 2 over 'travel' pixels.
void DrawGroove(cairo_t* cr, double x, double y, double travel);
// The caption plate a window's background shows to the right of a check box.
void DrawCheckCaption(cairo_t* cr, double boxX, double boxY, double labelWidth, const std::string& caption);
} // namespace NDataGen::NMui
