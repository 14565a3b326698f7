#include "device/clock.h"
#include <QThread>

void RealClock::sleepMs(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void VirtualClock::sleepMs(int milliseconds)
{
    m_elapsed += milliseconds;
    if (onSleep)
        onSleep(milliseconds);
}
