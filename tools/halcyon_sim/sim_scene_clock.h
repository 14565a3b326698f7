#pragma once
#include <QAbstractAnimation>
#include <QAnimationDriver>

class VirtualClock;

// Drives the scene's timers and animations from the virtual clock instead of
// the wall clock, so that the start-up lock, the busy indicator and every
// other QML Timer end when virtual time says so, the same way in every run.
//
// A QML Timer is a pause on the animation clock. While only pauses run, Qt
// waits for them with a wall-clock timer; an endless idle animation keeps
// the clock on this driver instead.
class SimSceneClock : public QAnimationDriver {
public:
    explicit SimSceneClock(const VirtualClock& clock);
    // Lets the scene see the virtual time that has passed since the last
    // call: timers that are due fire (once the event loop runs).
    void catchUp();
    qint64 elapsed() const override;

protected:
    void start() override;

private:
    class KeepAlive : public QAbstractAnimation {
    public:
        int duration() const override { return -1; }
    protected:
        void updateCurrentTime(int) override {}
    };

    const VirtualClock& m_clock;
    long long m_seen = 0;     // the virtual time the scene has seen
    long long m_started = 0;  // the virtual time the driver started at
    KeepAlive m_keepAlive;
};
