// Desktop-wide capture on Linux/X11: XInput2 raw key and button events on
// the root window, read on a connection of our own. Raw events observe the
// whole desktop without grabbing anything, so other programs are untouched.
#include "app/evdev_scan_codes.h"
#include "app/input_capture.h"
#include <QSocketNotifier>
#include <memory>

#ifdef HALCYON_HAVE_XINPUT
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#endif

namespace InputCapture {

#ifdef HALCYON_HAVE_XINPUT
namespace {
constexpr int X11KeycodeOffset = 8;  // X keycode = evdev code + 8

struct RawCapture {
    Display* display = nullptr;
    int xiOpcode = 0;
    std::unique_ptr<QSocketNotifier> notifier;

    ~RawCapture()
    {
        notifier.reset();
        if (display)
            XCloseDisplay(display);
    }

    void pointerPosition(int& x, int& y) const
    {
        Window root, child;
        int winX, winY;
        unsigned mask;
        x = y = 0;
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &winX, &winY, &mask);
    }

    void handle(XGenericEventCookie* cookie)
    {
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        switch (cookie->evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease: {
            if (raw->detail < X11KeycodeOffset)
                return;
            const Set1Key key = evdevToSet1(unsigned(raw->detail - X11KeycodeOffset));
            if (key.scan != 0)
                keyEvent(key.scan, key.extended, altDown(), cookie->evtype == XI_RawKeyPress);
            return;
        }
        case XI_RawButtonPress:
        case XI_RawButtonRelease: {
            // X numbers the buttons left 1, middle 2, right 3; 4 and up are
            // the wheel and the side buttons, which are not captured.
            static const int codes[4] = {0, 0xF0, 0xF2, 0xF1};
            if (raw->detail < 1 || raw->detail > 3)
                return;
            int x, y;
            pointerPosition(x, y);
            mouseButton(codes[raw->detail], cookie->evtype == XI_RawButtonPress, x, y);
            return;
        }
        default:
            return;
        }
    }

    void drain()
    {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            XGenericEventCookie* cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != xiOpcode)
                continue;
            if (XGetEventData(display, cookie)) {
                handle(cookie);
                XFreeEventData(display, cookie);
            }
        }
    }

    bool open()
    {
        display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        int event, error;
        if (!XQueryExtension(display, "XInputExtension", &xiOpcode, &event, &error))
            return false;
        int major = 2, minor = 1;  // raw events of master devices
        if (XIQueryVersion(display, &major, &minor) != Success)
            return false;
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
        XIEventMask mask;
        mask.deviceid = XIAllMasterDevices;
        mask.mask_len = sizeof(bits);
        mask.mask = bits;
        XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
        XFlush(display);
        notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] { drain(); });
        drain();
        return true;
    }
};

std::unique_ptr<RawCapture> g_capture;
} // namespace

bool install()
{
    uninstall();
    auto capture = std::make_unique<RawCapture>();
    if (!capture->open())
        return false;
    g_capture = std::move(capture);
    return true;
}

void uninstall()
{
    g_capture.reset();
}

bool isInstalled()
{
    return g_capture != nullptr;
}

#else  // built without X11 headers

bool install() { return false; }
void uninstall() {}
bool isInstalled() { return false; }

#endif

} // namespace InputCapture
