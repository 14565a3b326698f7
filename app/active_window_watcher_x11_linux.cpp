#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"

// Placeholder until the X11 watcher lands: reports nothing.
ActiveWindowWatcher* createX11WindowWatcher(QObject* parent)
{
    return createUnavailableWindowWatcher(QStringLiteral("not built yet"), parent);
}
