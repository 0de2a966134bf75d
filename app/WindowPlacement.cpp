#include "app/WindowPlacement.h"

#include <algorithm>

SWindowPlacement PlaceWindow(SWindowPlacement saved, int screenWidth, int screenHeight,
                             const NPlatform::SRect& usable)
{
    SWindowPlacement placed = saved;
    // Smaller than the window can be sized to by hand: the system would grow it anyway.
    placed.width = std::max(placed.width, NPlatform::kMinWindowWidth);
    placed.height = std::max(placed.height, NPlatform::kMinWindowHeight);
    if (screenWidth <= placed.width / 2 + placed.x)
        placed.x /= 2;
    if (screenHeight <= placed.height / 2 + placed.y)
        placed.y /= 2;

    const int areaWidth = usable.right - usable.left;
    const int areaHeight = usable.bottom - usable.top;
    if (areaWidth <= 0 || areaHeight <= 0)
        return placed;
    placed.width = std::min(placed.width, areaWidth);
    placed.height = std::min(placed.height, areaHeight);
    placed.x = std::clamp(placed.x, usable.left, usable.right - placed.width);
    placed.y = std::clamp(placed.y, usable.top, usable.bottom - placed.height);
    return placed;
}
