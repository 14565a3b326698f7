#pragma once
#include <QObject>
#include <QString>
#include <QVector>

// A program that has a window on the desktop.
struct WindowProgram {
    // The executable's file name (of /proc/PID/exe, else the process's
    // comm); empty when the desktop does not say which process owns the
    // window.
    QString executable;
    // The two parts of the window class (X11 WM_CLASS: instance and class
    // name; Wayland: the application id, in both).
    QString classInstance;
    QString className;
    qint64 pid = 0;
    // For lists shown to the user: the window's title and its icon's name
    // in the icon theme, where the desktop provides one.
    QString title;
    QString iconName;

    bool operator==(const WindowProgram& other) const
    {
        return executable == other.executable && classInstance == other.classInstance
               && className == other.className && pid == other.pid;
    }
    bool operator!=(const WindowProgram& other) const { return !(*this == other); }
};

// Watches which window is in front, so that the profile can follow the
// program the user works with. One implementation per window system, each
// in its own file (X11 by its root window's properties, KDE Plasma on
// Wayland by a KWin script, one that is unavailable with its reason, and on
// Windows by the foreground window); tests install a fake.
class ActiveWindowWatcher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ActiveWindowWatcher() override = default;

    // Empty while the window in front can be followed; otherwise the reason,
    // one sentence for the user ("GNOME on Wayland does not tell programs
    // which window is in front.").
    virtual QString unavailableReason() const = 0;
    // Starts watching; `activated` follows for every change of the window in
    // front (the first one soon after the start).
    virtual void start() = 0;
    virtual void stop() = 0;
    // The programs with windows now, each once, for the rule dialog's list.
    virtual QVector<WindowProgram> programsWithWindows() const = 0;

    // The watcher in use: the session's unless a test or a tool installed
    // another (null restores the session's). Created on first use.
    static ActiveWindowWatcher& current();
    static void install(ActiveWindowWatcher* watcher);

signals:
    // Another window came to the front (also another window of the same
    // program; the receiver decides what matters).
    void activated(const WindowProgram& program);
};
