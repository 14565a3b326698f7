#pragma once
#include <QtGlobal>

// The operating system's pointer settings that affect every pointing device.
// Each call reports whether the system took the value. One implementation
// per operating system (pointer_settings_win.cpp, pointer_settings_linux.cpp).
class PointerPlatform {
public:
    virtual ~PointerPlatform() = default;
    // speed 1..20
    virtual bool setPointerSpeed(int speed) = 0;
    virtual bool setDoubleClickTime(uint milliseconds) = 0;
    virtual bool setWheelScrollLines(uint lines) = 0;

    // The implementation in use: the operating system's unless a test or a
    // tool has installed another one (null restores the system's).
    static PointerPlatform& current();
    static void install(PointerPlatform* platform);
    // The operating system's implementation.
    static PointerPlatform& system();
};
