// When the next frame is due. Frames are scheduled from one accumulated
// deadline, so a sleep that overshoots is made up by the next one and the
// frames keep to one every step on average; the step passed to the screens
// stays fixed whatever time really passed.
#pragma once

#include <cstdint>

class CFramePacer
{
public:
    // Behind by more than this many steps (a stall, a suspended machine, an
    // inactive window's long sleeps), the schedule starts again from now
    // instead of racing through the frames it missed.
    static constexpr uint32_t kMaxLagSteps = 4;

    explicit CFramePacer(uint32_t stepMs) : m_step(stepMs) {}

    // After a frame, at time now: how long to sleep before the next one.
    uint32_t NextSleep(uint32_t now);

private:
    uint32_t m_step;
    uint32_t m_deadline = 0;
    bool m_started = false;
};
