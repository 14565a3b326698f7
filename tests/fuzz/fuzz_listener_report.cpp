// The event listener: whatever the mouse sends on its event interface, only
// a well-formed DPI stage report reaches the view and the tray, unchanged.
#include "device/clock.h"
#include "device/device_owner.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
class Owner : public DeviceOwner {
public:
    QString controllerFamily() const override { return QStringLiteral("553"); }
    void deliverCurrentDpi(int stage) override { stages << stage; }
    void showTrayMessage(const QString&, const QString&) override { ++messages; }
    void disableView() override { disabled = true; }
    QList<int> stages;
    int messages = 0;
    bool disabled = false;
};

struct Rig {
    VirtualClock clock;
    VirtualMouse mouse;
    Owner owner;
    Hid_Thread hid;
    Rig()
    {
        hid.setClock(&clock);
        hid.owner = &owner;
        mouse.attach(hid);
        hid.hidStartListen(0);
    }
};

Rig* g_rig = nullptr;
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qInstallMessageHandler(quiet);
    static QCoreApplication app(*argc, *argv);
    g_rig = new Rig;   // lives until the process ends
    // The listener job must end before the global thread pool is torn down
    // at exit, or the pool would wait for it for ever.
    std::atexit([] {
        g_rig->hid.hidStopListen();
        g_rig->mouse.interruptReads();
        g_rig->hid.waitListenerEnded();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Rig& rig = *g_rig;
    const QByteArray report(reinterpret_cast<const char*>(data), int(qMin(size, size_t(64))));
    rig.owner.stages.clear();
    rig.owner.messages = 0;
    rig.mouse.sendEvent(report);
    if (!rig.mouse.waitEventsHandled(5000))
        abort();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const bool wellFormed = report.size() == 4 && uchar(report[0]) == 0x06 && uchar(report[1]) == 0x07
        && uchar(report[3]) >= 1 && uchar(report[3]) <= 8;
    // Compared by hand: Qt 6.4's list comparison passes null pointers to
    // memcmp for two empty lists, which the undefined-behaviour check flags.
    const bool delivered = wellFormed ? rig.owner.stages.size() == 1 && rig.owner.stages.first() == uchar(report[3])
                                      : rig.owner.stages.isEmpty();
    if (!delivered || rig.owner.messages != (wellFormed ? 1 : 0) || rig.owner.disabled || !rig.hid.listening) {
        fprintf(stderr, "report of %d bytes handled wrongly\n", int(report.size()));
        abort();
    }
    return 0;
}
