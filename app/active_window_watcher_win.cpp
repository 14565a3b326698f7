#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"

// Placeholder until the Windows watcher (foreground window) lands.
ActiveWindowWatcher* createSessionWindowWatcher(QObject* parent)
{
    return createUnavailableWindowWatcher(QStringLiteral("not built yet"), parent);
}
