#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace NPlatform
{
CInstanceLock::~CInstanceLock()
{
    Release();
}

CInstanceLock::EResult CInstanceLock::Acquire(const std::string& path)
{
    Release();
    m_error.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
    {
        m_error = path + ": " + std::strerror(errno);
        return EResult::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return EResult::HeldElsewhere;
        m_error = path + ": " + std::strerror(error);
        return EResult::Unavailable;
    }
    m_fd = fd;
    return EResult::Held;
}

void CInstanceLock::Release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd); // lets the lock go
    m_fd = -1;
}
} // namespace NPlatform
