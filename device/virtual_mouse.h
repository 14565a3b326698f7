#pragma once
#include "device/hid_port.h"
#include "device/virtual_firmware.h"
#include <QMutex>
#include <QWaitCondition>
#include <functional>

class Hid_Thread;

// The stand-in mouse of the tests, halcyon-sim and the demo: a HidPort that
// enumerates like the mouse (vid 04D9, pid A09F, a command interface on
// FF00/FF00 and an event interface on FF01/FF01) and puts the firmware model
// behind it. It reports every HID call as one trace line, can be unplugged,
// and injects faults on the command interface.
class VirtualMouse : public HidPort {
public:
    static constexpr quint16 VendorId = 0x04D9;
    static constexpr quint16 ProductId = 0xA09F;
    static const QByteArray CmdPath;
    static const QByteArray EventPath;

    enum class Op { Open, FeatureOut, FeatureIn, Write, Read };
    // How a failing read fails: an error, or no answer until the timeout.
    enum class ReadFailure { Error, Silence };

    explicit VirtualMouse(VirtualFirmware::Family family = VirtualFirmware::Family::F553);
    ~VirtualMouse() override;

    // Plugs this mouse into a device object the way detection would: a
    // one-entry device table with both interfaces found, selected.
    void attach(Hid_Thread& hid);

    // Receives one line per HID call; may be called from the listener thread.
    std::function<void(const QString&)> trace;
    // Called on plug and unplug (the hot-plug notification of the system).
    std::function<void()> onPlugChange;

    VirtualFirmware& firmware() { return m_firmware; }
    QJsonObject dump();

    void plug();
    void unplug();
    bool isPlugged() const;
    // The mouse sends this input report on the event interface.
    void sendEvent(const QByteArray& report);
    // Waits (really) until every queued event report has been read and the
    // listener cycle that read it has closed its handle.
    bool waitEventsHandled(int timeoutMs);
    // The next `count` calls of `op` after `after` successful ones fail.
    void failNext(Op op, int after, int count, int openErrno = 5 /* EIO */,
                  ReadFailure readFailure = ReadFailure::Error);
    // Shutdown: wakes a listener blocked in its event read, and from now on
    // event reads return at once.
    void interruptReads();

    QList<HidDeviceRecord> enumerate(quint16 vid, quint16 pid) override;
    Handle open(const QByteArray& path) override;
    int openErrno() const override { return m_openErrno; }
    int setNonblocking(Handle h, int nonblock) override;
    int sendFeatureReport(Handle h, const unsigned char* data, size_t length) override;
    int getFeatureReport(Handle h, unsigned char* data, size_t length) override;
    int write(Handle h, const unsigned char* data, size_t length) override;
    int read(Handle h, unsigned char* data, size_t length) override;
    int readTimeout(Handle h, unsigned char* data, size_t length, int milliseconds) override;
    void close(Handle h) override;

private:
    struct Fault {
        int after = 0;
        int count = 0;
        int openErrno = 5;
        ReadFailure readFailure = ReadFailure::Error;
    };
    bool shouldFail(Op op);
    void emitLine(const QString& line);
    int readEvent(Device* d, unsigned char* data, size_t length, int milliseconds);

    mutable QMutex m_mutex;
    QWaitCondition m_changed;
    VirtualFirmware m_firmware;
    bool m_plugged = true;
    int m_openErrno = 0;
    bool m_interrupted = false;
    QList<QByteArray> m_events;
    int m_openEventCycles = 0;  // event handles that printed and are not yet closed
    QMap<Op, Fault> m_faults;
};
