#include "app/input_capture.h"
#include "app/key_usage_table.h"

namespace InputCapture {

namespace {
KeyboardCallback g_keyboard = nullptr;
void* g_keyboardContext = nullptr;
MouseCallback g_mouse = nullptr;
void* g_mouseContext = nullptr;
bool g_keyState[256] = {};

constexpr int UsageLeftAlt = 0xE2;
constexpr int UsageRightAlt = 0xE6;
} // namespace

void registerKeyboardCallback(KeyboardCallback callback, void* context)
{
    g_keyboard = callback;
    g_keyboardContext = context;
}

void registerMouseCallback(MouseCallback callback, void* context)
{
    g_mouse = callback;
    g_mouseContext = context;
}

void keyEvent(unsigned scanCode, bool extended, bool altIsDown, bool isDown)
{
    const int code = usageForScanCode(scanCode, extended, altIsDown);
    if (code == 0 || g_keyState[code] == isDown)
        return;  // not captured, or an auto-repeat / duplicate
    g_keyState[code] = isDown;
    if (g_keyboard)
        g_keyboard(code, isDown, g_keyboardContext);
}

void mouseMessage(unsigned message, int x, int y)
{
    const MouseButtonEvent b = mouseButtonForMessage(message);
    if (b.code != 0)
        mouseButton(b.code, b.isDown, x, y);
}

void mouseButton(int code, bool isDown, int x, int y)
{
    if (g_mouse)
        g_mouse(code, isDown, x, y, g_mouseContext);
}

bool keyState(int usage)
{
    return usage >= 0 && usage < 256 && g_keyState[usage];
}

bool altDown()
{
    return g_keyState[UsageLeftAlt] || g_keyState[UsageRightAlt];
}

void resetKeyState()
{
    for (bool& s : g_keyState)
        s = false;
}

} // namespace InputCapture
