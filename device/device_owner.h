#pragma once
#include <QString>

// What the device object needs from the program around it. Widget implements
// it in the application, halcyon-sim and the tests implement their own.
// Hid_Thread calls the last three on the GUI thread only.
class DeviceOwner {
public:
    virtual ~DeviceOwner() = default;
    // mouse/icType as cached by the view: "560" is the 560 family.
    virtual QString controllerFamily() const = 0;
    // The mouse reported a DPI stage change: hand it to the view's setCurrentDPI.
    virtual void deliverCurrentDpi(int stage) = 0;
    // A tray balloon with the information icon, shown for 10 s.
    virtual void showTrayMessage(const QString& title, const QString& text) = 0;
    // The mouse has gone: the view stops taking input.
    virtual void disableView() = 0;
    // An interface of a present mouse could not be opened for lack of
    // permission (no udev rule). Called on the GUI thread.
    virtual void deviceNotAccessible(const QString& path) { Q_UNUSED(path); }
    // The mouse's command interface failed to open twice in a row (reason:
    // the system's words for the last failure). Called on the GUI thread,
    // after the transfer in progress.
    virtual void deviceUnreachable(const QString& reason) { Q_UNUSED(reason); }
};
