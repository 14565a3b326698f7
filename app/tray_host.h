#pragma once
#include <QObject>

// Whether the desktop has a tray to hold the icon, and when one turns up.
//
// Qt's tray code decides once per process, at its first use, between the
// StatusNotifier tray (on the session bus) and the X11 system tray: an icon
// created before a StatusNotifier host runs stays an X11 tray icon that such
// a host never sees. So the program asks this instead, and creates its tray
// icon only once a tray of either kind is there.
class TrayHostWatch : public QObject {
    Q_OBJECT
public:
    explicit TrayHostWatch(QObject* parent = nullptr);
    // An X11 system tray on this display, or a StatusNotifier host
    // registered with the session's StatusNotifier watcher.
    static bool present();

signals:
    // A StatusNotifier watcher appeared on the session bus, or a host
    // registered with it: time to look again.
    void mayHaveAppeared();

private slots:
    void hostRegistered();
};
