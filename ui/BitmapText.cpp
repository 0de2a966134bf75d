#include "ui/BitmapText.h"

#include "engine/GLHeaders.h"
#include "engine/Texture.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
const uint8_t kTargaHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr int kBytesPerPixel = 4;

// Ink map of the picture: alpha != 0, indexed [row * width + column].
struct SInk
{
    int width;
    int height;
    const uint8_t* pixels;

    bool At(int row, int column) const { return pixels[(static_cast<size_t>(row) * width + column) * 4 + 3] != 0; }
    bool RowHasInk(int row) const
    {
        for (int c = 0; c < width; ++c)
            if (At(row, c))
                return true;
        return false;
    }
    bool ColumnHasInk(int column, int bottom, int top) const
    {
        for (int r = bottom; r <= top; ++r)
            if (At(r, column))
                return true;
        return false;
    }
};
} // namespace

bool CBitmapText::LoadFromImage(uint8_t* bytes, int size, CTexture* texture)
{
    if (bytes == nullptr || size < kTargaHeaderSize || std::memcmp(bytes, kTargaHeader, sizeof kTargaHeader) != 0)
        return false;
    const int width = bytes[12] | (bytes[13] << 8);
    const int height = bytes[14] | (bytes[15] << 8);
    if (width <= 0 || height <= 0 || bytes[16] != 32)
        return false;
    // A truncated file must not be scanned past its end.
    const int64_t pixelBytes = static_cast<int64_t>(width) * height * kBytesPerPixel;
    if (size - kTargaHeaderSize < pixelBytes)
        return false;

    uint8_t* pixels = bytes + kTargaHeaderSize;
    for (int64_t i = 0; i < pixelBytes; i += kBytesPerPixel)
        std::swap(pixels[i], pixels[i + 2]);

    m_texture = texture;
    m_image_width = width;
    m_image_height = height;

    const SInk ink{width, height, pixels};
    std::vector<bool> rowInk(height);
    for (int r = 0; r < height; ++r)
        rowInk[r] = ink.RowHasInk(r);

    // Lines are read from the top of the picture (highest stored row) down.
    int count = 0;
    int searchStart = height;
    for (;;)
    {
        int lineTop = 0;
        for (int r = searchStart - 1; r >= 0; --r)
            if (rowInk[r])
            {
                lineTop = r;
                break;
            }
        int lineBottom = 0;
        for (int r = lineTop - 1; r >= 0; --r)
            if (!rowInk[r])
            {
                lineBottom = r + 1;
                break;
            }
        searchStart = lineBottom;
        if (lineTop == 0)
            break;

        auto nextInked = [&](int from) {
            for (int c = from; c < width; ++c)
                if (ink.ColumnHasInk(c, lineBottom, lineTop))
                    return c;
            return width - 1;
        };
        auto endOfRun = [&](int from) {
            for (int c = from; c < width; ++c)
                if (!ink.ColumnHasInk(c, lineBottom, lineTop))
                    return c - 1;
            return width - 1;
        };

        // The leading marker fixes the line's height and is not a character.
        const int markerStart = nextInked(0);
        int end = endOfRun(markerStart);
        m_line_height = static_cast<float>(lineTop) / height - static_cast<float>(lineBottom) / height;

        for (;;)
        {
            const int start = nextInked(end + 1);
            if (start >= width - 1)
                break;
            end = endOfRun(start);
            // Surplus runs are counted (so the result says the picture is wrong) but never stored.
            if (count < kGlyphCount)
            {
                SGlyph& glyph = m_glyphs[count];
                glyph.v_top = static_cast<float>(lineTop) / height;
                glyph.v_bottom = static_cast<float>(lineBottom) / height;
                glyph.u_left = static_cast<float>(start - 1) / width;
                glyph.u_right = static_cast<float>(end + 1) / width;
            }
            ++count;
        }
    }
    return count == kGlyphCount;
}

float CBitmapText::GetScale(float size) const
{
    if (m_line_height <= 0.0f || m_image_height <= 0)
        return 0.0f;
    return size / m_line_height * (static_cast<float>(m_image_width) / m_image_height);
}

float CBitmapText::GetSpaceWidth(float size) const
{
    const SGlyph& a = m_glyphs['A' - kFirstCode];
    return GetScale(size) * (a.u_right - a.u_left);
}

float CBitmapText::GetGlyphWidth(unsigned char c, float size) const
{
    if (!HasGlyph(c))
        return 0.0f;
    const SGlyph& glyph = m_glyphs[c - kFirstCode];
    return GetScale(size) * (glyph.u_right - glyph.u_left);
}

float CBitmapText::MeasureText(const char* text, float size) const
{
    if (text == nullptr)
        return 0.0f;
    const float space = GetSpaceWidth(size);
    const float gap = space / 10.0f;
    float width = 0.0f;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p)
    {
        if (*p == ' ')
            width += space;
        else if (HasGlyph(*p))
            width += GetGlyphWidth(*p, size) + gap;
    }
    return width;
}

void CBitmapText::LayoutText(const char* text, float size, float x, float y, bool flipV, bool centred,
                             const std::function<void(const SQuad&)>& emit) const
{
    if (text == nullptr)
        return;
    if (centred)
        x -= MeasureText(text, size) / 2.0f;
    const float space = GetSpaceWidth(size);
    const float gap = space / 10.0f;
    const float startX = x;
    float penX = x;
    float penY = y;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p)
    {
        const unsigned char c = *p;
        if (c == ' ')
        {
            penX += space;
        }
        else if (c == '\n')
        {
            penY += size;
            penX = startX + gap;
        }
        else if (HasGlyph(c))
        {
            const SGlyph& glyph = m_glyphs[c - kFirstCode];
            const float w = GetScale(size) * (glyph.u_right - glyph.u_left);
            SQuad quad;
            quad.x0 = penX;
            quad.x1 = penX + w;
            quad.y0 = penY;
            quad.y1 = penY - size;
            quad.u0 = glyph.u_left;
            quad.u1 = glyph.u_right;
            quad.v_at_y0 = flipV ? glyph.v_top : glyph.v_bottom;
            quad.v_at_y1 = flipV ? glyph.v_bottom : glyph.v_top;
            emit(quad);
            penX += w + gap;
        }
        // Any other byte has no glyph: it neither draws nor moves the pen.
    }
}

namespace
{
CBitmapText::DrawObserver& Observer()
{
    static CBitmapText::DrawObserver observer;
    return observer;
}
} // namespace

void CBitmapText::SetDrawObserver(DrawObserver observer)
{
    Observer() = std::move(observer);
}

void CBitmapText::DrawText(const char* text, float size, float x, float y, float z, float r, float g, float b,
                           float a, bool flipV, bool centred) const
{
    if (Observer() && text != nullptr)
        Observer()({text, size, x, y, r, g, b, a});
    if (!NGL::IsContextAvailable())
        return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    if (m_texture != nullptr)
        m_texture->Bind();
    glDisable(GL_DEPTH_TEST);
    glColor4f(r, g, b, a);
    LayoutText(text, size, x, y, flipV, centred, [z](const SQuad& q) {
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(q.u0, q.v_at_y0);
        glVertex3f(q.x0, q.y0, z);
        glTexCoord2f(q.u0, q.v_at_y1);
        glVertex3f(q.x0, q.y1, z);
        glTexCoord2f(q.u1, q.v_at_y0);
        glVertex3f(q.x1, q.y0, z);
        glTexCoord2f(q.u1, q.v_at_y1);
        glVertex3f(q.x1, q.y1, z);
        glEnd();
    });
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void CBitmapText::DrawTextOutlined(const char* text, float size, float x, float y, float z, float r, float g,
                                   float b, float a, bool flipV, bool centred) const
{
    const float shadow = a / 2.0f;
    DrawText(text, size, x - 1.0f, y - 1.0f, z, 0.0f, 0.0f, 0.0f, shadow, flipV, centred);
    DrawText(text, size, x + 1.0f, y + 1.0f, z, 0.0f, 0.0f, 0.0f, shadow, flipV, centred);
    DrawText(text, size, x - 1.0f, y + 1.0f, z, 0.0f, 0.0f, 0.0f, shadow, flipV, centred);
    DrawText(text, size, x + 1.0f, y - 1.0f, z, 0.0f, 0.0f, 0.0f, shadow, flipV, centred);
    DrawText(text, size, x, y, z, r, g, b, a, flipV, centred);
}

void CBitmapText::DrawNumber(int value, float size, float x, float y, float z, float r, float g, float b, float a,
                             bool flipV, bool centred) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    DrawText(text, size, x, y, z, r, g, b, a, flipV, centred);
}

void CBitmapText::DrawNumberOutlined(int value, float size, float x, float y, float z, float r, float g, float b,
                                     float a, bool flipV, bool centred) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    DrawTextOutlined(text, size, x, y, z, r, g, b, a, flipV, centred);
}
