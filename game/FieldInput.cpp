#include "game/FieldInput.h"

#include "engine/Input.h"
#include "ui/Frame.h"

namespace NGame
{
bool PollMagnifierCursor(int& x, int& y)
{
    x = y = 0;
    IFrame* application = IFrame::Instance();
    if (!application)
        return false;
    CInput& input = application->GetInput();
    if (!input.IsOpen())
        return false;
    input.Poll();
    if (!input.IsRightButtonHeld())
        return false;
    input.GetCursorPosition(x, y);
    return true;
}
} // namespace NGame
