// The window watcher of KDE Plasma on Wayland against a stand-in KWin on a
// private bus (dbus-daemon). The stand-in offers KWin's scripting service,
// checks the script file it is given, and runs the script itself in a
// JavaScript engine with a stand-in workspace of KWin 6 or KWin 5, whose
// callDBus calls go over the bus to the watcher, as KWin's would.
#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"
#include "app/window_reasons.h"
#include "tests/app/private_session_bus.h"
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QJSEngine>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// callDBus(service, path, interface, method, args...) of the script.
class ScriptBus : public QObject {
    Q_OBJECT
public:
    explicit ScriptBus(const QDBusConnection& bus) : m_bus(bus) {}
    Q_INVOKABLE void call(const QVariantList& args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(args.value(0).toString(), args.value(1).toString(),
                                                              args.value(2).toString(), args.value(3).toString());
        message.setArguments(args.mid(4));
        m_bus.send(message);
    }

private:
    QDBusConnection m_bus;
};

// The loaded script's object: run() runs it in the stand-in workspace.
class FakeScript : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")
public:
    FakeScript(const QDBusConnection& bus, bool kwin6) : m_scriptBus(bus), m_kwin6(kwin6) {}
    QString text;
    QString error;
    bool ran = false;

    // Brings window `index` of the workspace to the front, as KWin does.
    void activate(int index)
    {
        m_engine.evaluate(QStringLiteral("workspace.%1.emit(windows[%2])")
                              .arg(m_kwin6 ? QStringLiteral("windowActivated") : QStringLiteral("clientActivated"))
                              .arg(index));
    }

public slots:
    void run()
    {
        ran = true;
        m_engine.globalObject().setProperty(QStringLiteral("scriptBus"), m_engine.newQObject(&m_scriptBus));
        QJSEngine::setObjectOwnership(&m_scriptBus, QJSEngine::CppOwnership);
        // KWin 5 hands byte arrays (resourceClass, resourceName) to its
        // scripts as ArrayBuffer; KWin 6 hands strings.
        const QString prelude = QStringLiteral(R"JS(
            function Signal() { this.handlers = []; }
            Signal.prototype.connect = function (f) { this.handlers.push(f); };
            Signal.prototype.emit = function (w) { for (var i = 0; i < this.handlers.length; ++i) this.handlers[i](w); };
            function callDBus() { scriptBus.call(Array.prototype.slice.call(arguments)); }
            var kwin6 = %1;
            function bytes(s) { if (kwin6) return s; var a = new Uint8Array(s.length);
                for (var i = 0; i < s.length; ++i) a[i] = s.charCodeAt(i); return a.buffer; }
            function win(cls, name, pid, caption, normal) {
                return {resourceClass: bytes(cls), resourceName: bytes(name), pid: pid, caption: caption,
                        desktopFileName: name, normalWindow: normal};
            }
            var windows = [win("SuperTuxKart", "supertuxkart", %2, "SuperTuxKart", true),
                           win("Plasma", "plasmashell", %2, "Panel", false),
                           win("Tester", "tester", %3, 'Tests "1"', true),
                           win("SuperTuxKart", "supertuxkart", %2, "Second window", true)];
            var workspace = kwin6
                ? {windowActivated: new Signal(), windowAdded: new Signal(), windowRemoved: new Signal(),
                   windowList: function () { return windows; }, activeWindow: windows[0]}
                : {clientActivated: new Signal(), clientAdded: new Signal(), clientRemoved: new Signal(),
                   clientList: function () { return windows; }, activeClient: windows[0]};
        )JS")
                                    .arg(m_kwin6 ? QStringLiteral("true") : QStringLiteral("false"))
                                    .arg(sleeperPid)
                                    .arg(QCoreApplication::applicationPid());
        m_engine.evaluate(prelude);
        const QJSValue result = m_engine.evaluate(text);
        if (result.isError())
            error = result.toString();
    }

public:
    qint64 sleeperPid = 0;

private:
    QJSEngine m_engine;
    ScriptBus m_scriptBus;
    bool m_kwin6;
};

// org.kde.KWin /Scripting: loads a script as KWin does, placing it where
// KWin 6 (/Scripting/Script<id>) or earlier KWin 5 (/<id>) places it.
class FakeScripting : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    FakeScripting(const QDBusConnection& bus, bool kwin6) : m_bus(bus), script(bus, kwin6), m_kwin6(kwin6) {}
    QString path;
    QString plugin;
    QFile::Permissions fileMode;
    QFile::Permissions folderMode;
    QStringList unloaded;

public slots:
    int loadScript(const QString& file, const QString& pluginName)
    {
        path = file;
        plugin = pluginName;
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        script.text = QString::fromUtf8(f.readAll());
        fileMode = QFileInfo(file).permissions();
        folderMode = QFileInfo(QFileInfo(file).path()).permissions();
        m_bus.registerObject(m_kwin6 ? QStringLiteral("/Scripting/Script7") : QStringLiteral("/7"), &script,
                             QDBusConnection::ExportAllSlots);
        return 7;
    }
    bool unloadScript(const QString& pluginName)
    {
        unloaded << pluginName;
        return true;
    }

private:
    QDBusConnection m_bus;

public:
    FakeScript script;

private:
    bool m_kwin6;
};

} // namespace

class TestKWinWindowWatcher : public QObject {
    Q_OBJECT
    PrivateSessionBus m_bus;
    QProcess m_sleeper;
    QString m_address;
    QTemporaryDir m_runtime;
    int m_round = 0;

private slots:
    void initTestCase()
    {
        m_address = m_bus.start();
        if (m_address.isEmpty())
            QSKIP("dbus-daemon cannot run here (Debian package dbus-daemon)");
        // The session's runtime folder, where the script file goes.
        QVERIFY(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        // A window's process whose executable is known: /bin/sleep.
        m_sleeper.start(QStringLiteral("sleep"), {QStringLiteral("300")});
        QVERIFY(m_sleeper.waitForStarted(60000));
    }
    void cleanupTestCase()
    {
        m_sleeper.kill();
        m_sleeper.waitForFinished(5000);
    }

    void followsTheWindowInFront_data()
    {
        QTest::addColumn<bool>("kwin6");
        QTest::newRow("KWin 6") << true;
        QTest::newRow("KWin 5") << false;
    }
    void followsTheWindowInFront()
    {
        QFETCH(bool, kwin6);
        const QString round = QString::number(++m_round);
        QDBusConnection kwinBus = QDBusConnection::connectToBus(m_address, QStringLiteral("kwin") + round);
        QDBusConnection programBus = QDBusConnection::connectToBus(m_address, QStringLiteral("program") + round);
        QDBusConnection strangerBus = QDBusConnection::connectToBus(m_address, QStringLiteral("stranger") + round);
        QVERIFY(kwinBus.isConnected() && programBus.isConnected() && strangerBus.isConnected());
        std::unique_ptr<ActiveWindowWatcher> watcher(createKWinWindowWatcher(programBus, nullptr));
        QSignalSpy activated(watcher.get(), &ActiveWindowWatcher::activated);

        // No KWin on the bus: unavailable, with the reason.
        QCOMPARE(watcher->unavailableReason(), windowReasonText(WindowReason::KWinNotReachable));
        watcher->start();
        watcher->stop();

        FakeScripting scripting(kwinBus, kwin6);
        scripting.script.sleeperPid = m_sleeper.processId();
        QVERIFY(kwinBus.registerObject(QStringLiteral("/Scripting"), &scripting, QDBusConnection::ExportAllSlots));
        QVERIFY(kwinBus.registerService(QStringLiteral("org.kde.KWin")));
        QCOMPARE(watcher->unavailableReason(), QString());

        watcher->start();
        QTRY_VERIFY_WITH_TIMEOUT(scripting.script.ran, 60000);
        QVERIFY2(scripting.script.error.isEmpty(), qPrintable(scripting.script.error));
        // The script file: the watcher's own, readable by this user only,
        // naming the watcher's bus name and both KWin versions' signals.
        QCOMPARE(scripting.fileMode, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(scripting.folderMode & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                         | QFile::WriteOther | QFile::ExeOther),
                 QFile::Permissions());
        QVERIFY(scripting.path.startsWith(m_runtime.path() + QLatin1Char('/')));
        QVERIFY(scripting.script.text.contains(QLatin1Char('"') + programBus.baseService() + QLatin1Char('"')));
        QVERIFY(scripting.script.text.contains(QStringLiteral("workspace.windowActivated || workspace.clientActivated")));
        QVERIFY(scripting.plugin.startsWith(QStringLiteral("halcyon-")));

        // The window in front at the start, then the ones KWin activates.
        QTRY_COMPARE_WITH_TIMEOUT(activated.size(), 1, 60000);
        WindowProgram first = activated.at(0).at(0).value<WindowProgram>();
        QCOMPARE(first.executable, QStringLiteral("sleep"));
        QCOMPARE(first.className, QStringLiteral("SuperTuxKart"));
        QCOMPARE(first.classInstance, QStringLiteral("supertuxkart"));
        QCOMPARE(first.pid, m_sleeper.processId());
        scripting.script.activate(2);
        QTRY_COMPARE_WITH_TIMEOUT(activated.size(), 2, 60000);
        const WindowProgram second = activated.at(1).at(0).value<WindowProgram>();
        QCOMPARE(second.executable, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QCOMPARE(second.className, QStringLiteral("Tester"));
        QCOMPARE(second.title, QStringLiteral("Tests \"1\""));

        // The programs with windows: each once, the panel left out.
        const QVector<WindowProgram> programs = watcher->programsWithWindows();
        QCOMPARE(programs.size(), 2);
        QCOMPARE(programs.at(0).className, QStringLiteral("SuperTuxKart"));
        QCOMPARE(programs.at(0).iconName, QStringLiteral("supertuxkart"));
        QCOMPARE(programs.at(1).className, QStringLiteral("Tester"));

        // Another program of the session cannot pretend to be KWin.
        QDBusMessage spoof = QDBusMessage::createMethodCall(programBus.baseService(),
                                                            QStringLiteral("/org/halcyon/ActiveWindow"),
                                                            QStringLiteral("org.halcyon.ActiveWindow"),
                                                            QStringLiteral("activated"));
        spoof << QStringLiteral("{\"class\":\"Fake\",\"name\":\"fake\",\"pid\":1}");
        QVERIFY(strangerBus.call(spoof, QDBus::BlockWithGui, 60000).type() == QDBusMessage::ReplyMessage);
        scripting.script.activate(0);
        QTRY_COMPARE_WITH_TIMEOUT(activated.size(), 3, 60000);
        QCOMPARE(activated.at(2).at(0).value<WindowProgram>().className, QStringLiteral("SuperTuxKart"));

        // Stopping unloads the script and removes its file.
        watcher->stop();
        QTRY_COMPARE_WITH_TIMEOUT(scripting.unloaded.count(scripting.plugin), 2, 60000);
        QVERIFY(!QFileInfo::exists(scripting.path));
        QVERIFY(watcher->programsWithWindows().isEmpty());

        // A watcher that ends while watching (the program exits) unloads it too.
        scripting.script.ran = false;
        watcher->start();
        QTRY_VERIFY_WITH_TIMEOUT(scripting.script.ran, 60000);
        watcher.reset();
        QTRY_COMPARE_WITH_TIMEOUT(scripting.unloaded.count(scripting.plugin), 4, 60000);
        kwinBus.unregisterService(QStringLiteral("org.kde.KWin"));
        QDBusConnection::disconnectFromBus(kwinBus.name());
        QDBusConnection::disconnectFromBus(strangerBus.name());
        QDBusConnection::disconnectFromBus(programBus.name());
    }
};

QTEST_MAIN(TestKWinWindowWatcher)
#include "tst_kwin_window_watcher.moc"
