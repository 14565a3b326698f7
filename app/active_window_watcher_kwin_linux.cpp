#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"

// Placeholder until the KWin watcher lands: reports nothing.
ActiveWindowWatcher* createKWinWindowWatcher(QObject* parent)
{
    return createUnavailableWindowWatcher(QStringLiteral("not built yet"), parent);
}
