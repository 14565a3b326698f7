#include "app/evdev_scan_codes.h"

namespace {
struct ExtraKey {
    unsigned evdev;
    uint8_t scan;
    bool extended;
};

// Keys whose evdev code differs from their set-1 scan code, or that carry
// the E0 flag. Num Lock and Pause are swapped on purpose: Windows reports
// Num Lock as E0 45 and Pause as a plain 45.
const ExtraKey kExtraKeys[] = {
    {54, 0x36, true},   // right Shift
    {69, 0x45, true},   // Num Lock
    {96, 0x1C, true},   // keypad Enter
    {97, 0x1D, true},   // right Control
    {98, 0x35, true},   // keypad divide
    {99, 0x37, true},   // Print Screen / SysRq
    {100, 0x38, true},  // right Alt
    {102, 0x47, true},  // Home
    {103, 0x48, true},  // Up
    {104, 0x49, true},  // Page Up
    {105, 0x4B, true},  // Left
    {106, 0x4D, true},  // Right
    {107, 0x4F, true},  // End
    {108, 0x50, true},  // Down
    {109, 0x51, true},  // Page Down
    {110, 0x52, true},  // Insert
    {111, 0x53, true},  // Delete
    {113, 0x20, true},  // Mute
    {114, 0x2E, true},  // Volume Down
    {115, 0x30, true},  // Volume Up
    {119, 0x45, false}, // Pause
    {125, 0x5B, true},  // left GUI
    {126, 0x5C, true},  // right GUI
    {127, 0x5D, true},  // Application (Compose)
    {163, 0x19, true},  // next track
    {164, 0x22, true},  // play/pause
    {165, 0x10, true},  // previous track
    {166, 0x24, true},  // stop
    {183, 0x64, false}, // F13
    {184, 0x65, false}, // F14
    {185, 0x66, false}, // F15
    {186, 0x67, false}, // F16
    {187, 0x68, false}, // F17
    {188, 0x69, false}, // F18
    {189, 0x6A, false}, // F19
    {190, 0x6B, false}, // F20
    {191, 0x6C, false}, // F21
    {192, 0x6D, false}, // F22
    {193, 0x6E, false}, // F23
    {194, 0x76, false}, // F24
};
} // namespace

Set1Key evdevToSet1(unsigned evdevCode)
{
    for (const ExtraKey& k : kExtraKeys)
        if (k.evdev == evdevCode)
            return {k.scan, k.extended};
    // Escape (1) to F12 (88): the evdev code is the set-1 scan code.
    if (evdevCode >= 1 && evdevCode <= 88 && evdevCode != 84 && evdevCode != 85)
        return {uint8_t(evdevCode), false};
    return {};
}
