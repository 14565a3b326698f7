// Host-level slots of the view: the device token, the scene's start-up
// requests, the busy overlay, DPI stage notices and the capture forwarding.
#include "app/myqquickview.h"
#include "app/root_call.h"
#include "device/clock.h"
#include "device/hid_thread.h"

void myQQuickView::clearHidBusy()
{
    if (Hid_Thread* hid = device())
        hid->hidFree = true;
}

void myQQuickView::initUI()
{
    callRootFunction(this, "initUI", {}, RootDelivery::Queued);
}

void myQQuickView::runUI()
{
    callRootFunction(this, "run", {}, RootDelivery::Queued);
}

void myQQuickView::setBusy(int busyTime)
{
    callRootFunction(this, "setProtectUI", {busyTime}, RootDelivery::Direct);
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    // The event listener may call this from its pool thread.
    callRootFunction(this, "setCurrentDPI", {dpiValue}, RootDelivery::GuiThread);
}

void myQQuickView::openUpdateExe()
{
}

QVariant myQQuickView::monotonicMs()
{
    // The device object's clock: real time in the program, virtual time
    // under halcyon-sim, so recorded pauses follow the script's waits.
    if (Hid_Thread* hid = device(); hid && hid->clock())
        return QVariant(hid->clock()->nowMs());
    return QVariant(RealClock().nowMs());
}

void myQQuickView::forwardKeyboard(int usbCode, bool isDown)
{
    callRootFunction(this, "detectKeyboard", {isDown, usbCode}, RootDelivery::Queued);
}

void myQQuickView::forwardMouse(int jeffCode, bool isDown, int x, int y)
{
    callRootFunction(this, "detectMouse", {isDown, jeffCode, x, y}, RootDelivery::Queued);
}
