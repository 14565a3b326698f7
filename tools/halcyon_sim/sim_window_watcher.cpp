#include "sim_window_watcher.h"
#include "app/active_window_watcher.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QJsonArray>
#include <QJsonObject>

namespace {

class SimWindowWatcher : public ActiveWindowWatcher {
public:
    QString unavailableReason() const override { return reason; }
    void start() override { running = true; }
    void stop() override { running = false; }
    QVector<WindowProgram> programsWithWindows() const override { return windows; }

    void activate(const WindowProgram& program)
    {
        if (running && reason.isEmpty())
            emit activated(program);
    }

    QString reason;
    QVector<WindowProgram> windows;
    bool running = false;
};

WindowProgram programFrom(const QJsonObject& line)
{
    WindowProgram program;
    program.executable = line.value(QStringLiteral("executable")).toString();
    program.className = line.value(QStringLiteral("class")).toString();
    program.classInstance = line.value(QStringLiteral("instance")).toString(program.className.toLower());
    program.pid = line.value(QStringLiteral("pid")).toInteger();
    program.title = line.value(QStringLiteral("title")).toString();
    program.iconName = line.value(QStringLiteral("icon")).toString();
    return program;
}

} // namespace

void installSimWindowWatcher(SimSession& session)
{
    static SimWindowWatcher watcher;
    watcher.reason.clear();
    watcher.windows.clear();
    watcher.running = false;
    ActiveWindowWatcher::install(&watcher);
    session.addSimCommand(QStringLiteral("windows"), [](const QJsonObject& line) {
        watcher.windows.clear();
        for (const QJsonValue& entry : line.value(QStringLiteral("list")).toArray())
            watcher.windows << programFrom(entry.toObject());
        return true;
    });
    session.addSimCommand(QStringLiteral("activate"), [](const QJsonObject& line) {
        if (line.contains(QStringLiteral("unavailable"))) {
            watcher.reason = line.value(QStringLiteral("unavailable")).toString();
            return true;
        }
        watcher.activate(programFrom(line));
        return true;
    });
}
