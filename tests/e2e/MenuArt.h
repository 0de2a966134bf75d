// The interface art of the generated data set, set up for end-to-end tests of
// single menu windows: the data folders linked into the harness's working
// folder, every listed picture in the "main" group, the interface font and the
// pointer. Build it after the harness started; it must die before the harness.
#pragma once

#include <memory>
#include <string>

class CBitmapText;
class CSprite;

namespace NE2e
{
class CHarness;

class CMenuArt
{
  public:
    explicit CMenuArt(CHarness& harness);
    ~CMenuArt();

    // False when the data set has not been generated.
    static bool IsDataSetBuilt();
    bool IsLoaded() const { return m_loaded; }
    const CBitmapText* GetFont() const { return m_font.get(); }

  private:
    std::unique_ptr<CBitmapText> m_font;
    bool m_loaded = false;
};

// The build folder, where the data set is generated.
std::string BuildFolder();
} // namespace NE2e
