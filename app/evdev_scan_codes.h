#pragma once
#include <cstdint>

// Linux reports keys by evdev code (X11 keycode - 8, Wayland likewise);
// the capture tables speak set-1 scan codes with the E0 flag, as a Windows
// low-level keyboard hook reports them. This maps one to the other.
struct Set1Key {
    uint8_t scan = 0;      // 0: no such key
    bool extended = false;
};

Set1Key evdevToSet1(unsigned evdevCode);
