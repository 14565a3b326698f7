// Desktop-wide capture on Windows: low-level keyboard and mouse hooks.
// Windows calls the hook procedures on the installing (GUI) thread through
// its message loop; they only look up tables and pass every event on.
#include "app/input_capture.h"
#include <windows.h>

namespace InputCapture {

namespace {
HHOOK g_keyboardHook = nullptr;
HHOOK g_mouseHook = nullptr;

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    const bool isDown = code == HC_ACTION && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN);
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // The event's own vkCode is not used: the scan code decides.
        keyEvent(k->scanCode, (k->flags & LLKHF_EXTENDED) != 0, (k->flags & LLKHF_ALTDOWN) != 0,
                 isDown);
    }
    return CallNextHookEx(g_keyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        mouseMessage(static_cast<unsigned>(wParam), m->pt.x, m->pt.y);
    }
    return CallNextHookEx(g_mouseHook, code, wParam, lParam);
}
} // namespace

bool install()
{
    if (g_keyboardHook || g_mouseHook)
        uninstall();
    HINSTANCE module = GetModuleHandleW(nullptr);
    g_keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, module, 0);
    g_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseProc, module, 0);
    if (!g_keyboardHook || !g_mouseHook) {
        uninstall();
        return false;
    }
    return true;
}

void uninstall()
{
    if (g_keyboardHook)
        UnhookWindowsHookEx(g_keyboardHook);
    g_keyboardHook = nullptr;
    if (g_mouseHook)
        UnhookWindowsHookEx(g_mouseHook);
    g_mouseHook = nullptr;
}

bool isInstalled()
{
    return g_keyboardHook && g_mouseHook;
}

} // namespace InputCapture
