// halcyonctl-virtual: halcyonctl on its own with the virtual mouse plugged in
// instead of the USB device and pacing in virtual time, for the tests only
// (never installed). Every HID call and pacing delay the request makes
// (after start-up and detection) is appended to the trace file, one per line.
//
//   halcyonctl-virtual [--trace FILE] [--unplugged] [--file-fail STEP] ARGS...
//
// --file-fail makes every settings-file write fail at STEP (write, flush,
// commit, rename, lock) with "No space left on device", as a full disk.
#include "app/ctl/ctl_tool.h"
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include "settings/file_faults.h"
#include "settings/pointer_platform.h"
#include <QFile>
#include <QMutex>
#include <cstring>
#include <memory>
#include <vector>

namespace {
std::unique_ptr<VirtualMouse> g_mouse;
VirtualClock g_clock;  // the pacing delays pass at once
QFile g_trace;
QMutex g_traceMutex;
bool g_unplugged = false;
bool g_tracing = false;  // only the request's own traffic is traced

void traceLine(const QString& line)
{
    QMutexLocker lock(&g_traceMutex);
    if (g_tracing && g_trace.isOpen()) {
        g_trace.write((line + QLatin1Char('\n')).toUtf8());
        g_trace.flush();
    }
}

// The system's pointer settings are not touched; each request is traced.
class TracedPointerPlatform : public PointerPlatform {
public:
    bool setPointerSpeed(int speed) override { return trace(QStringLiteral("pointer-speed"), speed); }
    bool setDoubleClickTime(uint ms) override { return trace(QStringLiteral("double-click-time"), ms); }
    bool setWheelScrollLines(uint lines) override { return trace(QStringLiteral("wheel-lines"), lines); }

private:
    bool trace(const QString& what, qint64 value)
    {
        traceLine(QStringLiteral("system %1 %2").arg(what).arg(value));
        return true;
    }
};
TracedPointerPlatform g_pointer;

void plugVirtualMouse(Widget& widget)
{
    g_mouse = std::make_unique<VirtualMouse>(widget.view()->config().traits().is560() ? VirtualFirmware::Family::F560
                                                                     : VirtualFirmware::Family::F553);
    g_mouse->trace = traceLine;
    g_clock.onSleep = [](int ms) { traceLine(QStringLiteral("sleep %1").arg(ms)); };
    if (g_unplugged)
        g_mouse->unplug();
    widget.hid().setPort(g_mouse.get());
    widget.hid().setClock(&g_clock);
    PointerPlatform::install(&g_pointer);
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0 && i + 1 < argc) {
            g_trace.setFileName(QString::fromLocal8Bit(argv[++i]));
            g_trace.open(QIODevice::WriteOnly | QIODevice::Append);
        } else if (std::strcmp(argv[i], "--unplugged") == 0) {
            g_unplugged = true;
        } else if (std::strcmp(argv[i], "--file-fail") == 0 && i + 1 < argc) {
            FileFaults::Step step;
            if (FileFaults::stepFromName(QString::fromLatin1(argv[++i]), step))
                FileFaults::failNext(step, QStringLiteral("No space left on device"), -1);
        } else {
            args.push_back(argv[i]);
        }
    }
    int n = int(args.size());
    args.push_back(nullptr);
    CtlToolOptions options;
    options.customize = plugVirtualMouse;
    options.onItsOwn = true;
    options.beforeRequest = [] {
        QMutexLocker lock(&g_traceMutex);
        g_tracing = true;
    };
    const int rc = runCtlTool(n, args.data(), options);
    PointerPlatform::install(nullptr);
    g_mouse.reset();  // the Widget, and with it the listener, is gone by now
    return rc;
}
