// A screen its owner shows again and again (the held game, a window that
// remembers its choices). The frame owns whatever is on its stacks, so the
// screen is owned here while it is off them and lent to the frame to be shown;
// the owner takes it back when the frame hands it over on its closing.
#pragma once

#include <memory>

#include "ui/Screen.h"

template <class T>
class CKeptScreen
{
  public:
    // The screen, shown or not; null when none is held.
    T* Get() const { return m_screen; }
    T* operator->() const { return m_screen; }
    explicit operator bool() const { return m_screen != nullptr; }
    bool IsShown() const { return m_screen && !m_kept; }

    // Holds another screen. The old one goes now, or, when shown, when the
    // frame hands it over on its closing and nobody takes it back.
    void Hold(std::unique_ptr<T> screen)
    {
        m_kept = std::move(screen);
        m_screen = m_kept.get();
    }
    void Drop() { Hold(nullptr); }

    // For PushScreen or PushDialog: null when none is held or it is shown already.
    std::unique_ptr<CScreen> Lend() { return std::move(m_kept); }

    // Takes a closed screen back when it is this one (closed is then empty).
    bool TakeBack(std::unique_ptr<CScreen>& closed)
    {
        if (!m_screen || m_kept || closed.get() != m_screen)
            return false;
        m_kept.reset(static_cast<T*>(closed.release()));
        return true;
    }

  private:
    T* m_screen = nullptr;
    std::unique_ptr<T> m_kept;
};
