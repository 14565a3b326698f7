#pragma once
// Desktop-wide keyboard and mouse capture for key recording: it only
// observes, every event goes on to the other programs unchanged. Keys are
// reported as HID usage IDs, mouse buttons as 0xF0 (left), 0xF1 (right),
// 0xF2 (middle). Everything runs on the GUI thread. Plain C++: the Windows
// hooks include this header without Qt.
namespace InputCapture {

using KeyboardCallback = void (*)(int usage, bool isDown, void* context);
using MouseCallback = void (*)(int code, bool isDown, int x, int y, void* context);

// Starts the desktop-wide capture of this platform (low-level hooks on
// Windows, XInput2 raw events on X11). Installing again first removes what
// was installed. Returns whether capture runs.
bool install();
// Stops it; safe when nothing is installed.
void uninstall();
bool isInstalled();

// A null function disables reporting.
void registerKeyboardCallback(KeyboardCallback callback, void* context);
void registerMouseCallback(MouseCallback callback, void* context);

// Shared by every platform backend. A key event by set-1 scan code: it is
// translated, dropped when it repeats the key's last reported state, and
// reported. The key state is updated even while no callback is registered.
void keyEvent(unsigned scanCode, bool extended, bool altDown, bool isDown);
// A mouse button by Windows message number (0x0201..0x0208).
void mouseMessage(unsigned message, int x, int y);
// A mouse button by code; every press and release is reported.
void mouseButton(int code, bool isDown, int x, int y);

// Whether the key with this usage is down as last reported.
bool keyState(int usage);
// Whether either Alt key is down as last reported.
bool altDown();
// Forgets every key state (tests only; the program never clears it).
void resetKeyState();

} // namespace InputCapture
