// Pointer settings on an X11 session without a desktop of its own: the
// pointer speed goes to every pointer device through XInput ("libinput Accel
// Speed" where the device has it, the core pointer acceleration otherwise).
// X11 has no system-wide double-click time or wheel scroll lines.
#include "settings/pointer_backends_linux.h"
#include "settings/pointer_mapping.h"
#include "settings/pointer_reasons.h"

#ifdef HALCYON_HAVE_XINPUT
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <cstring>
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

// "libinput Accel Speed" of the first pointer device that has it; false
// when none has.
bool readLibinputAccel(Display* dpy, float& value)
{
    const Atom prop = XInternAtom(dpy, "libinput Accel Speed", True);
    const Atom floatType = XInternAtom(dpy, "FLOAT", True);
    if (prop == None || floatType == None)
        return false;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(dpy, XIAllDevices, &count);
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        if (devices[i].use != XISlavePointer)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        const Status st = XIGetProperty(dpy, devices[i].deviceid, prop, 0, 1, False, AnyPropertyType, &type,
                                        &format, &items, &after, &data);
        if (st == Success && type == floatType && format == 32 && items >= 1 && data) {
            std::memcpy(&value, data, sizeof value);
            found = true;
        }
        if (data)
            XFree(data);
    }
    XIFreeDeviceInfo(devices);
    return found;
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
            return x11Session() ? QString() : pointerReasonText(PointerReason::NotOfferedByDesktop);
        case PointerSetting::DoubleClickTime:
            return pointerReasonText(PointerReason::NotOfferedByX11);
        case PointerSetting::WheelLines:
            return pointerReasonText(PointerReason::NotOfferedByX11);
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
    // The pointer speed libinput applies; without libinput (core
    // acceleration only) the speed is not told.
    int currentValue(PointerSetting setting) const override
    {
#ifdef HALCYON_HAVE_XINPUT
        if (setting != PointerSetting::Speed || !x11Session())
            return -1;
        Display* dpy = XOpenDisplay(nullptr);
        if (!dpy)
            return -1;
        int opcode = 0, event = 0, error = 0;
        float value = 0;
        const bool found = XQueryExtension(dpy, "XInputExtension", &opcode, &event, &error)
            && readLibinputAccel(dpy, value);
        XCloseDisplay(dpy);
        return found ? pointerSpeedFromRange(value, LibinputAccelLow, LibinputAccelHigh) : -1;
#else
        Q_UNUSED(setting);
        return -1;
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
