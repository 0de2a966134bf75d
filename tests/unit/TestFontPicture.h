// Small font pictures for tests: 32-bit targa images laid out as the bitmap font expects.
#pragma once

#include "ui/BitmapText.h"

#include <cstdint>
#include <vector>

namespace NTestFont
{
// Builds 32-bit targa fonts: lines of glyph runs, each line led by a marker bar.
class CFontPicture
{
public:
    CFontPicture(int width, int height) : m_width(width), m_height(height)
    {
        const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(width & 0xFF),
                                    static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(height & 0xFF),
                                    static_cast<uint8_t>(height >> 8), 32, 8};
        m_bytes.assign(header, header + 18);
        m_bytes.resize(18 + static_cast<size_t>(width) * height * 4, 0);
    }

    void Fill(int column0, int column1, int row0, int row1)
    {
        for (int r = row0; r <= row1; ++r)
            for (int c = column0; c <= column1; ++c)
            {
                uint8_t* p = &m_bytes[18 + (static_cast<size_t>(r) * m_width + c) * 4];
                p[0] = 10; // blue
                p[2] = 200; // red
                p[3] = 255;
            }
    }

    // A line from row bottom to row top with `count` glyphs whose run widths come from widthOf.
    // Returns the first column of each glyph run.
    template <typename WidthOf> std::vector<int> AddLine(int bottom, int top, int count, WidthOf widthOf)
    {
        Fill(0, 1, bottom, top); // marker
        std::vector<int> starts;
        int column = 3;
        for (int i = 0; i < count; ++i)
        {
            const int w = widthOf(i);
            // Glyph ink does not fill the whole line height: a low stroke is enough.
            Fill(column, column + w - 1, bottom, bottom + (top - bottom) / 2);
            starts.push_back(column);
            column += w + 1;
        }
        return starts;
    }

    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    int m_width;
    int m_height;
    std::vector<uint8_t> m_bytes;
};

// Two lines of 47 glyphs, each line 19 rows tall in a 1024 x 64 picture: at size 19
// one column of the picture is one screen pixel, so a run of n columns draws n + 1 wide
// (u left takes in the transparent column before the run; u right is the run's own right edge).
inline constexpr int kW = 1024, kH = 64;
inline int RunWidth(int index)
{
    if (index == 'A' - 33)
        return 6;
    if (index == 'B' - 33)
        return 4;
    return 3;
}

inline CFontPicture MakeStandardFont(std::vector<int>* starts = nullptr)
{
    CFontPicture picture(kW, kH);
    std::vector<int> top = picture.AddLine(40, 59, 47, [](int i) { return RunWidth(i); });
    std::vector<int> bottom = picture.AddLine(10, 29, 47, [](int i) { return RunWidth(i + 47); });
    if (starts != nullptr)
    {
        *starts = top;
        starts->insert(starts->end(), bottom.begin(), bottom.end());
    }
    return picture;
}

inline bool LoadStandard(CBitmapText& font)
{
    CFontPicture picture = MakeStandardFont();
    return font.LoadFromImage(picture.Bytes().data(), static_cast<int>(picture.Bytes().size()), nullptr);
}
} // namespace NTestFont
