// Pointer settings on an X11 session without a desktop of its own: the
// pointer speed goes to every pointer device through XInput ("libinput Accel
// Speed" where the device has it, the core pointer acceleration otherwise).
// X11 has no system-wide double-click time or wheel scroll lines.
#include "settings/pointer_backends_linux.h"
#include "settings/pointer_mapping.h"

#ifdef HALCYON_HAVE_XINPUT
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#endif

namespace {

#ifdef HALCYON_HAVE_XINPUT
constexpr double LibinputAccelLow = -1.0;
constexpr double LibinputAccelHigh = 1.0;
// Core acceleration: speed / 10, so 1..20 spans 0.1 to 2.0 times.
constexpr int CoreAccelDenominator = 10;

// Sets "libinput Accel Speed" (one 32-bit float) on every pointer device
// that has it; returns how many devices took it.
int setLibinputAccel(Display* dpy, float value)
{
    const Atom prop = XInternAtom(dpy, "libinput Accel Speed", True);
    const Atom floatType = XInternAtom(dpy, "FLOAT", True);
    if (prop == None || floatType == None)
        return 0;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(dpy, XIAllDevices, &count);
    int set = 0;
    for (int i = 0; i < count; ++i) {
        const XIDeviceInfo& d = devices[i];
        if (d.use != XISlavePointer && d.use != XIFloatingSlave)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        const Status st = XIGetProperty(dpy, d.deviceid, prop, 0, 1, False, AnyPropertyType, &type,
                                        &format, &items, &after, &data);
        if (data)
            XFree(data);
        if (st != Success || type != floatType || format != 32 || items < 1)
            continue;
        // XInput properties carry format-32 items as 32-bit values.
        float item = value;
        XIChangeProperty(dpy, d.deviceid, prop, floatType, 32, PropModeReplace,
                         reinterpret_cast<unsigned char*>(&item), 1);
        ++set;
    }
    XIFreeDeviceInfo(devices);
    return set;
}
#endif

// XInput reaches the session's pointers only on an X11 session; under
// Wayland it would reach XWayland's stand-ins.
bool x11Session()
{
#ifdef HALCYON_HAVE_XINPUT
    return !qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariable("XDG_SESSION_TYPE") != QLatin1String("wayland");
#else
    return false;
#endif
}

class X11PointerPlatform : public PointerPlatform {
public:
    QString unavailableReason(PointerSetting setting) const override
    {
        switch (setting) {
        case PointerSetting::Speed:
            return x11Session() ? QString() : QStringLiteral("Not offered by this desktop");
        case PointerSetting::DoubleClickTime:
            return QStringLiteral("Not offered by X11");
        case PointerSetting::WheelLines:
            return QStringLiteral("Not offered by X11");
        }
        return {};
    }
    bool setPointerSpeed(int speed) override
    {
#ifdef HALCYON_HAVE_XINPUT
        Display* dpy = XOpenDisplay(nullptr);
        if (!dpy)
            return false;
        int opcode = 0, event = 0, error = 0;
        int set = 0;
        if (XQueryExtension(dpy, "XInputExtension", &opcode, &event, &error))
            set = setLibinputAccel(dpy, float(pointerSpeedOnRange(speed, LibinputAccelLow, LibinputAccelHigh)));
        if (set == 0)
            XChangePointerControl(dpy, True, False, speed, CoreAccelDenominator, 0);
        XSync(dpy, False);
        XCloseDisplay(dpy);
        return true;
#else
        Q_UNUSED(speed);
        return false;
#endif
    }
    bool setDoubleClickTime(uint) override { return false; }
    bool setWheelScrollLines(uint) override { return false; }
};

} // namespace

std::unique_ptr<PointerPlatform> makeX11PointerPlatform()
{
    return std::make_unique<X11PointerPlatform>();
}
