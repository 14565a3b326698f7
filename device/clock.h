#pragma once
#include <functional>

// Every pacing delay of the device protocol goes through a Clock, so that
// tests run the protocol in virtual time. The same clock measures the
// pauses between recorded keys.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int milliseconds) = 0;
    // Milliseconds on a monotonic time line (its origin has no meaning).
    virtual long long nowMs() const = 0;
};

// Sleeps for real; its time is the system's monotonic clock.
class RealClock : public Clock {
public:
    void sleepMs(int milliseconds) override;
    long long nowMs() const override;
};

// Returns at once; reports each sleep to an observer and adds it up.
class VirtualClock : public Clock {
public:
    void sleepMs(int milliseconds) override;
    long long elapsedMs() const { return m_elapsed; }
    long long nowMs() const override { return m_elapsed; }
    std::function<void(int)> onSleep;
private:
    long long m_elapsed = 0;
};
