// Self-measuring bitmap font: the glyphs of codes 33..126 are found by scanning
// the font picture's alpha channel. Bytes without a glyph are skipped, never looked up.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class CTexture;

class CBitmapText
{
public:
    static constexpr int kFirstCode = 33;
    static constexpr int kGlyphCount = 94; // codes 33..126
    static constexpr int kTargaHeaderSize = 18;

    // Texture coordinates of one glyph; v top is the larger value (rows are stored bottom-up).
    struct SGlyph
    {
        float v_top = 0.0f;
        float v_bottom = 0.0f;
        float u_left = 0.0f;
        float u_right = 0.0f;
    };

    // One laid-out character: screen rectangle (y0 is the base line, y1 = y0 - size)
    // and the texture coordinates that go with each edge.
    struct SQuad
    {
        float x0, y0, x1, y1;
        float u0, u1;
        float v_at_y0, v_at_y1;
    };

    // One DrawText call as an observer sees it: the text, where and in which colour.
    struct SDrawnText
    {
        std::string text;
        float size, x, y;
        float r, g, b, a;
    };
    using DrawObserver = std::function<void(const SDrawnText&)>;
    // Sees every DrawText of every font, with or without a GL context; the
    // tests read what a screen writes through it. Null for none.
    static void SetDrawObserver(DrawObserver observer);

    CBitmapText() = default;
    virtual ~CBitmapText() = default;

    // Builds the glyph table from a 32-bit uncompressed targa held in memory (red and
    // blue are swapped in place). A wrong header, a size of 0 or too few pixel bytes
    // give false with the table untouched; otherwise true only for exactly 94 glyphs.
    // The texture is borrowed: it is the same picture, uploaded by the caller.
    bool LoadFromImage(uint8_t* bytes, int size, CTexture* texture);

    // (x, y) is the left end of the base line; glyphs rise from y - size to y.
    void DrawText(const char* text, float size, float x, float y, float z, float r, float g, float b, float a,
                  bool flipV = false, bool centred = false) const;
    // Four black shadows at half alpha one pixel off diagonally, then the text.
    void DrawTextOutlined(const char* text, float size, float x, float y, float z, float r, float g, float b,
                          float a, bool flipV = false, bool centred = false) const;
    void DrawNumber(int value, float size, float x, float y, float z, float r, float g, float b, float a,
                    bool flipV = false, bool centred = false) const;
    void DrawNumberOutlined(int value, float size, float x, float y, float z, float r, float g, float b, float a,
                            bool flipV = false, bool centred = false) const;

    // Width of one line of text, trailing letter gap included.
    float MeasureText(const char* text, float size) const;

    // The pen walk of DrawText without any drawing; emit is called once per glyph.
    void LayoutText(const char* text, float size, float x, float y, bool flipV, bool centred,
                    const std::function<void(const SQuad&)>& emit) const;

    // Screen pixels per unit of u at pixel size s; 0 while no font is loaded.
    float GetScale(float size) const;
    float GetSpaceWidth(float size) const;
    float GetLetterGap(float size) const { return GetSpaceWidth(size) / 10.0f; }
    // Width of the glyph for a byte, 0 for bytes without one.
    float GetGlyphWidth(unsigned char c, float size) const;

    static bool HasGlyph(unsigned char c) { return c >= kFirstCode && c < kFirstCode + kGlyphCount; }
    const SGlyph& GetGlyph(int index) const { return m_glyphs[index]; }
    float GetLineHeight() const { return m_line_height; }
    int GetImageWidth() const { return m_image_width; }
    int GetImageHeight() const { return m_image_height; }
    CTexture* GetTexture() const { return m_texture; }

private:
    CTexture* m_texture = nullptr; // borrowed
    std::array<SGlyph, kGlyphCount> m_glyphs{};
    float m_line_height = 0.0f;
    int m_image_width = 0;
    int m_image_height = 0;
};
