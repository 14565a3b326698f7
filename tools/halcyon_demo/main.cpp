// halcyon-demo: the program with the virtual mouse plugged in instead of
// the USB device, so that every page can be tried without the hardware.
// Its tray menu has "Press DPI button", which makes the mouse switch to its
// next DPI stage and report it, as the button on the real mouse does.
#include "app/application_startup.h"
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/virtual_mouse.h"
#include <QAction>
#include <QMenu>
#include <memory>

namespace {
std::unique_ptr<VirtualMouse> g_mouse;

void pressDpiButton()
{
    VirtualFirmware::State& s = g_mouse->firmware().state();
    const int stages = s.dpiStageCount >= 1 && s.dpiStageCount <= 7 ? s.dpiStageCount : 7;
    s.currentDpi = s.currentDpi % stages + 1;
    g_mouse->sendEvent(QByteArray::fromRawData("\x06\x07\x00", 3) + char(s.currentDpi));
}

void plugVirtualMouse(Widget& widget)
{
    g_mouse = std::make_unique<VirtualMouse>(widget.view()->config().traits().is560() ? VirtualFirmware::Family::F560
                                                                     : VirtualFirmware::Family::F553);
    widget.hid().setPort(g_mouse.get());
    widget.stopSystemHotplug();
    Widget* w = &widget;
    g_mouse->onPlugChange = [w] {
        QMetaObject::invokeMethod(w, [w] { w->deviceChangeNotified(); }, Qt::QueuedConnection);
    };
    auto* press = new QAction(QStringLiteral("Press DPI button"), &widget);
    QObject::connect(press, &QAction::triggered, press, &pressDpiButton);
    QMenu* menu = widget.trayMenu();
    menu->insertAction(menu->actions().value(0), press);
}
} // namespace

int main(int argc, char** argv)
{
    StartupOptions options;
    options.customize = plugVirtualMouse;
    const int rc = runApplication(argc, argv, options);
    g_mouse.reset();  // the Widget, and with it the listener, is gone by now
    return rc;
}
