#pragma once
#include <functional>

// Every pacing delay of the device protocol goes through a Clock, so that
// tests run the protocol in virtual time. The same clock measures the
// pauses between recorded keys.
//
// Device commands run on the GUI thread. A sleep there must not freeze the
// window: while it lasts, the GUI thread keeps handling its events - paint
// requests, animations, timers, queued calls - except user input, which
// stays queued until the command is over (the scene's lock blocks it
// anyway; this keeps a click from starting a second command in the middle
// of a transfer). A local event loop was chosen over moving the transfers
// to a worker thread: the commands are called synchronously by the scene
// and by the backend slots, which use their results at once, and the whole
// command layer (token, out-parameters, the on-device profile images) is
// written for one thread. A local loop keeps every frame, sleep and their
// order exactly as they are, needs no locking, and the token goes on
// refusing the nested commands a handled event could start.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int milliseconds) = 0;
    // Milliseconds on a monotonic time line (its origin has no meaning).
    virtual long long nowMs() const = 0;
};

// Handles the calling thread's pending events once, user input excepted,
// when it is the GUI thread; does nothing elsewhere.
void handleEventsExceptUserInput();

// Sleeps for real; its time is the system's monotonic clock. On the GUI
// thread the sleep runs a local event loop that leaves user input queued;
// the full time is always slept, even when the application is quitting and
// event loops no longer run.
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
    // When set, each sleep first handles the pending events of the GUI
    // thread except user input, as a real sleep does while it lasts. Off by
    // default, so that traces print queued work after the command.
    bool handlesEvents = false;
private:
    long long m_elapsed = 0;
};
