#include "app/FramePacer.h"

uint32_t CFramePacer::NextSleep(uint32_t now)
{
    if (!m_started)
    {
        m_started = true;
        m_deadline = now;
    }
    m_deadline += m_step;
    // Signed differences: the millisecond clock wraps after 49 days.
    const int32_t ahead = static_cast<int32_t>(m_deadline - now);
    if (ahead > 0)
        return static_cast<uint32_t>(ahead);
    if (static_cast<uint32_t>(-ahead) > kMaxLagSteps * m_step)
        m_deadline = now;
    return 0;
}
