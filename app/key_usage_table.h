#pragma once
#include <cstddef>
#include <cstdint>

// Translation of keyboard scan codes (set 1, as Windows low-level hooks and
// the PC keyboard report them) into USB HID keyboard usage IDs (page 0x07),
// for a US layout. Plain C++ so that every platform's capture shares it.

struct ScanUsage {
    uint8_t scan;      // set-1 scan code
    bool extended;     // the E0 prefix
    uint8_t usage;     // HID usage ID
};

// The 105 captured keys, in one table.
extern const ScanUsage kScanUsageTable[];
extern const size_t kScanUsageCount;

// The usage of a key event, or 0 when the key is not captured.
// scanCode is the raw scan code of the event (values above 255 count as 0),
// extended the E0 flag, altDown whether Alt is held. Two events are read
// differently than the table says: E0 46 (Control+Break) is Pause, and 54
// with Alt held (Alt+SysRq) is Print Screen.
uint8_t usageForScanCode(unsigned scanCode, bool extended, bool altDown);

// Mouse buttons as the desktop reports them by message number
// (WM_LBUTTONDOWN 0x0201 .. WM_MBUTTONUP 0x0208): code 0 means ignored.
struct MouseButtonEvent {
    uint8_t code;      // 0xF0 left, 0xF1 right, 0xF2 middle
    bool isDown;
};
MouseButtonEvent mouseButtonForMessage(unsigned message);
