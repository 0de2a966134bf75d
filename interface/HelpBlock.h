// One piece of a help page: wrapped text and/or a picture (a sprite registered in
// the "main" group, which owns it) at a place on the page.
#pragma once

#include "engine/Vector4.h"

#include <memory>
#include <string>

class CScrollingText;
class CSprite;
class CXmlNode;

namespace NInterface
{
class CHelpBlock
{
  public:
    static constexpr int kDefaultFrameTime = 60;

    // Reads the block element of the given page (1-based); missing parts fall
    // back on position (0, 0, 0), opaque black text and sizes of 0.
    CHelpBlock(const CXmlNode& element, int page);
    virtual ~CHelpBlock();

    void Draw() const;
    // Runs the picture's animation, when it has one.
    void Update(float dt);

    // The registry name of a picture: the given name, or the file name followed
    // by the page number when none is given.
    static std::string PictureName(const std::string& given, const std::string& fileName, int page);

    int GetPage() const { return m_page; }
    const CVector4& GetPosition() const { return m_position; }
    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }
    float GetFontSize() const { return m_font_size; }
    const CVector4& GetFontColour() const { return m_font_colour; }
    const std::string& GetText() const { return m_text; }
    const CScrollingText* GetTextBlock() const { return m_text_block.get(); }
    CSprite* GetPicture() const { return m_picture; }
    bool IsAnimated() const { return m_animated; }

  private:
    int m_page;
    CVector4 m_position{0.0f, 0.0f, 0.0f, 1.0f};
    float m_width = 0.0f;
    float m_height = 0.0f;
    std::string m_text;
    CSprite* m_picture = nullptr; // owned by the "main" group
    bool m_animated = false;
    std::unique_ptr<CScrollingText> m_text_block;
    float m_font_size = 0.0f;
    CVector4 m_font_colour{0.0f, 0.0f, 0.0f, 1.0f};
};
} // namespace NInterface
