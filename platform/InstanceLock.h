// One copy of the game per per-user folder: a lock (flock) on a file in that
// folder, held for the program's life and let go by the system when the
// process ends, however it ends.
#pragma once

#include <string>

namespace NPlatform
{
class CInstanceLock
{
public:
    enum class EResult
    {
        Held,          // this copy holds the lock
        HeldElsewhere, // another copy is running
        Unavailable,   // the lock file cannot be opened (a read-only folder)
    };

    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Opens (creating it if needed, never through a link) and locks the file.
    // An existing lock file is neither written nor changed.
    EResult Acquire(const std::string& path);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    // Why the last Acquire gave Unavailable.
    const std::string& GetError() const { return m_error; }

private:
    int m_fd = -1;
    std::string m_error;
};
} // namespace NPlatform
