#include "platform/ManualResetEvent.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace zentro {

CManualResetEvent::CManualResetEvent()
{
    m_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

CManualResetEvent::~CManualResetEvent()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void CManualResetEvent::Set()
{
    if (m_fd < 0)
        return;
    // The counter only has to be non-zero; a saturated counter (EAGAIN) is still signalled.
    uint64_t one = 1;
    while (::write(m_fd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void CManualResetEvent::Reset()
{
    if (m_fd < 0)
        return;
    uint64_t value;
    while (::read(m_fd, &value, sizeof value) < 0 && errno == EINTR) {
    }
}

bool CManualResetEvent::IsSet() const
{
    return Wait(0);
}

bool CManualResetEvent::Wait(int timeoutMs) const
{
    if (m_fd < 0)
        return false;
    pollfd pfd{m_fd, POLLIN, 0};
    for (;;) {
        int r = ::poll(&pfd, 1, timeoutMs);
        if (r < 0 && errno == EINTR)
            continue;
        return r > 0 && (pfd.revents & POLLIN);
    }
}

} // namespace zentro
