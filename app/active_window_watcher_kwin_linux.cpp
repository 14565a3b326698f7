// KDE Plasma on Wayland: Wayland does not tell a client which window is in
// front, KWin does, to its scripts. Halcyon loads a small script into KWin
// over the session bus (app/kwin_window_script.*, which lists what of KWin's
// scripting API it relies on); the script calls back an object Halcyon
// registers on its own unique bus name, so two Halcyons (the program and
// the demo) never meet.
//
// KWin's D-Bus side relied on: service org.kde.KWin, object /Scripting,
// interface org.kde.kwin.Scripting with loadScript(path, pluginName) -> id
// (negative when not loaded) and unloadScript(pluginName); the loaded script
// is object /Scripting/Script<id> (KWin 6 and late KWin 5) or /<id> (earlier
// KWin 5), interface org.kde.kwin.Script, method run().
#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"
#include "app/kwin_window_script.h"
#include "app/process_names_linux.h"
#include "app/window_reasons.h"
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScriptingPath = QStringLiteral("/Scripting");
const QString ScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString ScriptInterface = QStringLiteral("org.kde.kwin.Script");
const QString ReportPath = QStringLiteral("/org/halcyon/ActiveWindow");
const QString ReportInterface = QStringLiteral("org.halcyon.ActiveWindow");

// What the script sends is read with limits: a window's report, and the
// list of all windows.
constexpr int MaxReportBytes = 64 * 1024;
constexpr int MaxListBytes = 4 * 1024 * 1024;
constexpr int MaxTextChars = 1024;
constexpr int MaxWindows = 1000;

QString limited(const QJsonValue& value)
{
    return value.toString().left(MaxTextChars);
}

WindowProgram programFrom(const QJsonObject& report)
{
    WindowProgram program;
    program.className = limited(report.value(QStringLiteral("class")));
    program.classInstance = limited(report.value(QStringLiteral("name")));
    const double pid = report.value(QStringLiteral("pid")).toDouble();
    program.pid = pid >= 1 && pid < 4194305 ? qint64(pid) : 0;
    program.executable = executableNameOf(program.pid);
    program.title = limited(report.value(QStringLiteral("caption")));
    // Plasma names a window's icon by its desktop file ("org.kde.dolphin").
    program.iconName = limited(report.value(QStringLiteral("desktopFile")));
    return program;
}

class KWinWindowWatcher;

// The object the script calls. Calls from anyone but KWin are ignored: any
// program of the session could call it.
class ScriptReceiver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.halcyon.ActiveWindow")
public:
    explicit ScriptReceiver(KWinWindowWatcher& watcher) : m_watcher(watcher) {}
    QString kwinOwner;

public slots:
    void activated(const QString& report);
    void windows(const QString& list);

private:
    bool fromKWin() const { return calledFromDBus() && message().service() == kwinOwner; }
    KWinWindowWatcher& m_watcher;
};

class KWinWindowWatcher : public ActiveWindowWatcher {
public:
    KWinWindowWatcher(const QDBusConnection& bus, QObject* parent)
        : ActiveWindowWatcher(parent),
          m_bus(bus),
          m_receiver(*this),
          m_pluginName(QStringLiteral("halcyon-active-window-%1").arg(QCoreApplication::applicationPid())),
          m_kwinWatcher(KWinService, m_bus,
                        QDBusServiceWatcher::WatchForOwnerChange)
    {
        // A KWin that restarts forgets its scripts: the new one gets it again.
        connect(&m_kwinWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString&, const QString&, const QString& owner) {
                    if (owner == m_receiver.kwinOwner)
                        return;
                    m_scriptId = -1;
                    m_windows.clear();
                    m_receiver.kwinOwner.clear();
                    if (m_running && !owner.isEmpty())
                        load();
                });
        if (QCoreApplication* app = QCoreApplication::instance())
            connect(app, &QCoreApplication::aboutToQuit, this, [this] { stopWatching(true); });
    }
    ~KWinWindowWatcher() override { stopWatching(true); }

    QString unavailableReason() const override
    {
        if (!m_loadFailed && m_bus.isConnected() && m_bus.interface()
            && m_bus.interface()->isServiceRegistered(KWinService))
            return {};
        return windowReasonText(WindowReason::KWinNotReachable);
    }

    void start() override
    {
        if (m_running)
            return;
        m_running = true;
        if (!m_bus.isConnected())
            return;
        if (!m_registered)
            m_registered = m_bus.registerObject(ReportPath, &m_receiver, QDBusConnection::ExportAllSlots);
        load();
    }

    void stop() override { stopWatching(false); }

    QVector<WindowProgram> programsWithWindows() const override { return m_windows; }

    void report(const QString& text)
    {
        if (!m_running || text.size() > MaxReportBytes)
            return;
        const QJsonObject report = QJsonDocument::fromJson(text.toUtf8()).object();
        if (report.isEmpty())
            return;
        emit activated(programFrom(report));
    }

    void reportWindows(const QString& text)
    {
        if (!m_running || text.size() > MaxListBytes)
            return;
        QVector<WindowProgram> programs;
        const QJsonArray list = QJsonDocument::fromJson(text.toUtf8()).array();
        for (int i = 0; i < list.size() && i < MaxWindows; ++i) {
            const WindowProgram program = programFrom(list.at(i).toObject());
            // Each program once: its first window's title and icon stand for all.
            const bool known = std::any_of(programs.cbegin(), programs.cend(), [&](const WindowProgram& p) {
                return p.executable == program.executable && p.className == program.className
                       && p.classInstance == program.classInstance;
            });
            if (!known && !(program.className.isEmpty() && program.executable.isEmpty()))
                programs << program;
        }
        m_windows = programs;
    }

private:
    // Unloads the script and forgets the windows. At exit the unload is
    // waited for (briefly), since nothing would send it later.
    void stopWatching(bool exiting)
    {
        if (!m_running)
            return;
        m_running = false;
        ++m_generation;
        if (m_scriptId >= 0 || m_loading) {
            QDBusMessage unload = QDBusMessage::createMethodCall(KWinService, ScriptingPath, ScriptingInterface,
                                                                 QStringLiteral("unloadScript"));
            unload << m_pluginName;
            if (exiting)
                m_bus.call(unload, QDBus::Block, 2000);
            else
                m_bus.send(unload);
        }
        m_scriptId = -1;
        m_loading = false;
        m_windows.clear();
        m_scriptFolder.reset();
    }

    // Writes the script where only this user reads it, has KWin load it
    // and, once loaded, run it.
    void load()
    {
        if (!m_bus.interface() || !m_bus.interface()->isServiceRegistered(KWinService))
            return;
        m_receiver.kwinOwner = m_bus.interface()->serviceOwner(KWinService);
        const QString file = writeScript();
        if (file.isEmpty()) {
            qWarning("KWin window watcher: cannot write the script file");
            m_loadFailed = true;
            return;
        }
        // A script of this name left by an earlier run of this process id
        // would keep the new one from loading.
        QDBusMessage unload = QDBusMessage::createMethodCall(KWinService, ScriptingPath, ScriptingInterface,
                                                             QStringLiteral("unloadScript"));
        unload << m_pluginName;
        m_bus.send(unload);
        QDBusMessage loadCall = QDBusMessage::createMethodCall(KWinService, ScriptingPath, ScriptingInterface,
                                                               QStringLiteral("loadScript"));
        loadCall << file << m_pluginName;
        m_loading = true;
        // A reply to an earlier load (of a KWin since gone) is ignored.
        const int generation = ++m_generation;
        auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(loadCall), this);
        connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, generation] {
            call->deleteLater();
            if (generation != m_generation)
                return;
            m_loading = false;
            const QDBusPendingReply<int> id = *call;
            if (id.isError() || id.value() < 0) {
                qWarning("KWin window watcher: KWin did not load the script: %s",
                         qPrintable(id.isError() ? id.error().message() : QStringLiteral("refused")));
                m_loadFailed = true;
                return;
            }
            m_loadFailed = false;
            m_scriptId = id.value();
            run(QStringLiteral("/Scripting/Script%1").arg(m_scriptId), true);
        });
    }

    void run(const QString& scriptPath, bool mayTryOldPath)
    {
        const int generation = m_generation;
        QDBusMessage runCall =
            QDBusMessage::createMethodCall(KWinService, scriptPath, ScriptInterface, QStringLiteral("run"));
        auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(runCall), this);
        connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, generation, mayTryOldPath] {
            call->deleteLater();
            if (generation != m_generation || !call->isError())
                return;
            // Earlier KWin 5 places the script at /<id>.
            if (mayTryOldPath && call->error().type() == QDBusError::UnknownObject) {
                run(QStringLiteral("/%1").arg(m_scriptId), false);
                return;
            }
            qWarning("KWin window watcher: KWin did not run the script: %s", qPrintable(call->error().message()));
            m_loadFailed = true;
        });
    }

    // A folder of this user's runtime folder (mode 0700), the script in it
    // (0600); removed when the watcher stops.
    QString writeScript()
    {
        QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (base.isEmpty())
            base = QDir::tempPath();
        m_scriptFolder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/halcyon-kwin-XXXXXX"));
        if (!m_scriptFolder->isValid())
            return {};
        QFile file(m_scriptFolder->filePath(QStringLiteral("active-window.js")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
            || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return {};
        const QByteArray script = kwinWindowScript(m_bus.baseService(), ReportPath, ReportInterface);
        if (file.write(script) != script.size() || !file.flush())
            return {};
        return file.fileName();
    }

    QDBusConnection m_bus;
    ScriptReceiver m_receiver;
    QString m_pluginName;
    QDBusServiceWatcher m_kwinWatcher;
    std::unique_ptr<QTemporaryDir> m_scriptFolder;
    QVector<WindowProgram> m_windows;
    int m_scriptId = -1;
    int m_generation = 0;
    bool m_running = false;
    bool m_loading = false;
    bool m_registered = false;
    bool m_loadFailed = false;
};

void ScriptReceiver::activated(const QString& report)
{
    if (fromKWin())
        m_watcher.report(report);
}

void ScriptReceiver::windows(const QString& list)
{
    if (fromKWin())
        m_watcher.reportWindows(list);
}

} // namespace

ActiveWindowWatcher* createKWinWindowWatcher(const QDBusConnection& bus, QObject* parent)
{
    return new KWinWindowWatcher(bus, parent);
}

ActiveWindowWatcher* createKWinWindowWatcher(QObject* parent)
{
    return createKWinWindowWatcher(QDBusConnection::sessionBus(), parent);
}

#include "active_window_watcher_kwin_linux.moc"
