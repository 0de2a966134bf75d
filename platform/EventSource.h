// A replacement for the real keyboard, mouse and window events: a test installs
// one to drive the real frame with a script. The shipped program never does.
#pragma once

#include "platform/Events.h"

namespace NPlatform
{
class IEventSource
{
public:
    virtual ~IEventSource() = default;

    // Next scripted message due now; false when none is due.
    virtual bool Poll(SEvent& event) = 0;

    // Where the scripted cursor is, in desktop pixels.
    virtual void GetCursorDesktop(int& x, int& y) = 0;

    // MK_* flags of the buttons and modifier keys the script holds down.
    virtual uint32_t GetHeldFlags() = 0;
};

// Installs a source (not owned); null goes back to the real devices.
// While a source is installed the real input and window events are discarded.
void SetEventSource(IEventSource* source);
IEventSource* GetEventSource();
} // namespace NPlatform
