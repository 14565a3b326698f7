#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"
#include <QCoreApplication>

namespace {

class UnavailableWindowWatcher : public ActiveWindowWatcher {
public:
    UnavailableWindowWatcher(const QString& reason, QObject* parent)
        : ActiveWindowWatcher(parent), m_reason(reason)
    {
    }
    QString unavailableReason() const override { return m_reason; }
    void start() override {}
    void stop() override {}
    QVector<WindowProgram> programsWithWindows() const override { return {}; }

private:
    QString m_reason;
};

ActiveWindowWatcher* g_installed = nullptr;

} // namespace

ActiveWindowWatcher* createUnavailableWindowWatcher(const QString& reason, QObject* parent)
{
    return new UnavailableWindowWatcher(reason, parent);
}

ActiveWindowWatcher& ActiveWindowWatcher::current()
{
    if (g_installed)
        return *g_installed;
    static ActiveWindowWatcher* session = createSessionWindowWatcher(QCoreApplication::instance());
    return *session;
}

void ActiveWindowWatcher::install(ActiveWindowWatcher* watcher)
{
    g_installed = watcher;
}
