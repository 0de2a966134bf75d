// Where the window opens: the place and size from the settings, kept on the
// desktop. A size saved on a larger screen (or edited) must never make a
// window the system refuses or whose buttons are out of reach.
#pragma once

#include "platform/Window.h"

struct SWindowPlacement
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A size below the window's minimum is raised to it. A saved x (y) near the
// right (bottom) edge of a smaller screen is halved,
// then the window is fitted into the usable area: no larger than it, and moved
// inside it. An empty area leaves the placement as it is.
SWindowPlacement PlaceWindow(SWindowPlacement saved, int screenWidth, int screenHeight,
                             const NPlatform::SRect& usable);
