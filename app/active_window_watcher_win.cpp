#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"
#include <QFileInfo>
#include <windows.h>

namespace {

class WinWindowWatcher;
WinWindowWatcher* g_watcher = nullptr;

// The executable's file name of a window's process (needs only
// PROCESS_QUERY_LIMITED_INFORMATION, which covers other users' and elevated
// processes too), and its window class as both parts of the class.
WindowProgram programOf(HWND window)
{
    WindowProgram program;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    program.pid = pid;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
        wchar_t path[MAX_PATH];
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameW(process, 0, path, &size))
            program.executable = QFileInfo(QString::fromWCharArray(path, int(size))).fileName();
        CloseHandle(process);
    }
    wchar_t className[256];
    const int length = GetClassNameW(window, className, 256);
    program.className = program.classInstance = QString::fromWCharArray(className, length > 0 ? length : 0);
    wchar_t title[256];
    const int titleLength = GetWindowTextW(window, title, 256);
    program.title = QString::fromWCharArray(title, titleLength > 0 ? titleLength : 0);
    return program;
}

// The foreground window by the system's EVENT_SYSTEM_FOREGROUND events. The
// hook is out of context: the system calls it on this (the GUI) thread from
// its message loop, which Qt's event loop runs.
class WinWindowWatcher : public ActiveWindowWatcher {
public:
    using ActiveWindowWatcher::ActiveWindowWatcher;
    ~WinWindowWatcher() override { stop(); }

    QString unavailableReason() const override { return {}; }

    void start() override
    {
        if (m_hook)
            return;
        g_watcher = this;
        m_hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &foregroundChanged, 0, 0,
                                 WINEVENT_OUTOFCONTEXT);
        if (HWND window = GetForegroundWindow())
            emit activated(programOf(window));
    }

    void stop() override
    {
        if (m_hook)
            UnhookWinEvent(m_hook);
        m_hook = nullptr;
    }

    QVector<WindowProgram> programsWithWindows() const override
    {
        QVector<WindowProgram> programs;
        EnumWindows(&listWindow, reinterpret_cast<LPARAM>(&programs));
        return programs;
    }

private:
    static void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
    {
        if (g_watcher && window && object == OBJID_WINDOW)
            emit g_watcher->activated(programOf(window));
    }

    // Visible top-level windows without an owner: those the task bar shows.
    static BOOL CALLBACK listWindow(HWND window, LPARAM list)
    {
        if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER))
            return TRUE;
        auto* programs = reinterpret_cast<QVector<WindowProgram>*>(list);
        const WindowProgram program = programOf(window);
        for (const WindowProgram& listed : *programs)
            if (listed.executable == program.executable)
                return TRUE;
        if (!program.executable.isEmpty())
            programs->append(program);
        return TRUE;
    }

    HWINEVENTHOOK m_hook = nullptr;
};

} // namespace

// Windows always tells which window is in front.
ActiveWindowWatcher* createSessionWindowWatcher(QObject* parent)
{
    return new WinWindowWatcher(parent);
}
