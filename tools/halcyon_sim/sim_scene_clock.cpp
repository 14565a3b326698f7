#include "sim_scene_clock.h"
#include "device/clock.h"

SimSceneClock::SimSceneClock(const VirtualClock& clock) : m_clock(clock)
{
    m_seen = m_started = clock.elapsedMs();
    install();
    m_keepAlive.start();
}

qint64 SimSceneClock::elapsed() const
{
    return m_seen - m_started;
}

void SimSceneClock::start()
{
    m_started = m_seen;
    QAnimationDriver::start();
}

void SimSceneClock::catchUp()
{
    if (m_clock.elapsedMs() == m_seen)
        return;
    m_seen = m_clock.elapsedMs();
    advance();
}
