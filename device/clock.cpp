#include "device/clock.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <chrono>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace {
bool onGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}
} // namespace

void handleEventsExceptUserInput()
{
    if (onGuiThread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void RealClock::sleepMs(int milliseconds)
{
#ifdef Q_OS_LINUX
    // The kernel may otherwise wake us up to half a millisecond late on every
    // sleep, which adds up over the many pauses of a download.
    thread_local bool preciseTimers = prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0) == 0;
    Q_UNUSED(preciseTimers);
#endif
    if (milliseconds <= 0)
        return;
    if (onGuiThread()) {
        const QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(milliseconds);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        // Quitting the application ends every event loop at once (and makes
        // new ones return at once); the device still gets its full pause.
        const qint64 left = deadline.remainingTime();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(left));
        return;
    }
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void VirtualClock::sleepMs(int milliseconds)
{
    if (handlesEvents)
        handleEventsExceptUserInput();
    m_elapsed += milliseconds;
    if (onSleep)
        onSleep(milliseconds);
}

long long RealClock::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}
