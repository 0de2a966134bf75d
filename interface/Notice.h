// The one notice a run may give the player about the per-user files (a save
// that failed, no folder to save in): a hint box across the top of whatever
// is on screen, shown for a few seconds. The frame updates and draws it after
// every other screen; it never takes input.
#pragma once

#include "ui/Screen.h"

#include <string>

namespace NInterface
{
class CNotice : public CScreen
{
public:
    static constexpr float kShowMs = 6000.0f;
    static constexpr float kTextSize = 15.0f;
    static constexpr float kTop = 12.0f;

    // Takes up a notice that waits (NUserFiles) and counts its time down.
    void Update(float dt) override;
    // Draws over everything in the 800 x 600 layout, leaving the GL state as it was.
    void Render() override;

    const std::string& GetText() const { return m_text; }
    bool IsShown() const { return m_left_ms > 0.0f; }

private:
    std::string m_text;
    float m_left_ms = 0.0f;
};
} // namespace NInterface
