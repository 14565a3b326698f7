#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"
#include "app/window_reasons.h"
#include <QGuiApplication>

ActiveWindowWatcher* createSessionWindowWatcher(QObject* parent)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return createX11WindowWatcher(parent);
    if (platform.startsWith(QLatin1String("wayland"))) {
        const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
        if (desktops.contains(QLatin1String("KDE"), Qt::CaseInsensitive))
            return createKWinWindowWatcher(parent);
        return createUnavailableWindowWatcher(windowReasonText(WindowReason::DesktopDoesNotTell), parent);
    }
    return createUnavailableWindowWatcher(windowReasonText(WindowReason::NoDesktop), parent);
}
