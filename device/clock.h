#pragma once
#include <functional>

// Every pacing delay of the device protocol goes through a Clock, so that
// tests run the protocol in virtual time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int milliseconds) = 0;
};

// Sleeps for real.
class RealClock : public Clock {
public:
    void sleepMs(int milliseconds) override;
};

// Returns at once; reports each sleep to an observer and adds it up.
class VirtualClock : public Clock {
public:
    void sleepMs(int milliseconds) override;
    long long elapsedMs() const { return m_elapsed; }
    std::function<void(int)> onSleep;
private:
    long long m_elapsed = 0;
};
