// Shared pieces of the control tests: a screen that records what its controls
// report, textures of a given size without a window, and a fixed cursor.
#pragma once

#include "engine/ImageDecoder.h"
#include "engine/Texture.h"
#include "ui/Control.h"
#include "ui/Screen.h"

#include <memory>
#include <vector>

namespace NControlTest
{
class CRecordingScreen : public CScreen
{
public:
    void OnControl(CControl* sender) override
    {
        CScreen::OnControl(sender);
        reports.push_back(sender);
    }
    std::vector<CControl*> reports;
};

inline std::unique_ptr<CTexture> MakeTexture(int width, int height)
{
    NImageDecoder::SImage image;
    image.width = width;
    image.height = height;
    image.components = 4;
    image.pixels.assign(static_cast<size_t>(width) * height * 4, 255);
    auto texture = std::make_unique<CTexture>();
    texture->LoadImage(image, false, false);
    return texture;
}

// Puts the cursor at a fixed place for as long as it lives.
class CFixedCursor
{
public:
    CFixedCursor(int x, int y)
    {
        CControl::SetCursorSource([x, y](int& cx, int& cy) {
            cx = x;
            cy = y;
        });
    }
    ~CFixedCursor() { CControl::SetCursorSource(nullptr); }
};
} // namespace NControlTest
