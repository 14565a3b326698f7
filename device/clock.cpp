#include "device/clock.h"
#include <QThread>
#include <chrono>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

void RealClock::sleepMs(int milliseconds)
{
#ifdef Q_OS_LINUX
    // The kernel may otherwise wake us up to half a millisecond late on every
    // sleep, which adds up over the many pauses of a download.
    thread_local bool preciseTimers = prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0) == 0;
    Q_UNUSED(preciseTimers);
#endif
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void VirtualClock::sleepMs(int milliseconds)
{
    m_elapsed += milliseconds;
    if (onSleep)
        onSleep(milliseconds);
}

long long RealClock::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}
