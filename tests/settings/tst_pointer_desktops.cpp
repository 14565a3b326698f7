// The desktops' own pointer settings: GNOME's GSettings (through GIO, on the
// keyfile backend with the installed schema), KDE Plasma's configuration
// files in a temporary home with the change notices on a private bus, and
// which desktop a session gets.
#undef signals
#include <gio/gio.h>
#define signals Q_SIGNALS
#include "settings/kde_config_file.h"
#include "settings/pointer_backends_linux.h"
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class SignalLog : public QObject {
    Q_OBJECT
public:
    QStringList seen;
    QStringList changedGroups;  // "path group/key" of each ConfigChanged, \x1d shown as "|"
public slots:
    void onSignal(const QDBusMessage& m)
    {
        seen << m.path() + QLatin1Char(' ') + m.member() + QLatin1Char(' ') + m.signature();
        if (m.member() != QLatin1String("ConfigChanged"))
            return;
        const QDBusArgument arg = m.arguments().value(0).value<QDBusArgument>();
        arg.beginMap();
        while (!arg.atEnd()) {
            QString group;
            QByteArrayList keys;
            arg.beginMapEntry();
            arg >> group >> keys;
            arg.endMapEntry();
            for (const QByteArray& key : keys)
                changedGroups << m.path() + QLatin1Char(' ') + QString(group).replace(QChar(0x1d), QLatin1Char('|'))
                                     + QLatin1Char('/') + QString::fromUtf8(key);
        }
        arg.endMap();
    }
};

bool kwriteconfigNotifies()
{
    if (QStandardPaths::findExecutable(QStringLiteral("kwriteconfig5")).isEmpty())
        return false;
    QProcess help;
    help.start(QStringLiteral("kwriteconfig5"), {QStringLiteral("--help")});
    return help.waitForFinished(60000) && help.readAllStandardOutput().contains("--notify");
}

// KWin's input devices as its D-Bus interface shows them.
class FakeKWinDevices : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames READ devicesSysNames CONSTANT)
public:
    QStringList devicesSysNames() const { return {QStringLiteral("event4"), QStringLiteral("event7")}; }
};
class FakeKWinDevice : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(bool pointer READ pointer CONSTANT)
    Q_PROPERTY(qreal pointerAcceleration READ pointerAcceleration WRITE setPointerAcceleration)
public:
    explicit FakeKWinDevice(bool pointer) : m_pointer(pointer) {}
    bool pointer() const { return m_pointer; }
    qreal pointerAcceleration() const { return m_acceleration; }
    void setPointerAcceleration(qreal value) { m_acceleration = value; }

private:
    bool m_pointer;
    qreal m_acceleration = 0.2;
};

class TestPointerDesktops : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    QProcess m_daemon;
    QString m_busAddress;

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // GIO reads these when GSettings is first used.
        qputenv("GSETTINGS_BACKEND", "keyfile");
        // KDE on X11 also sets the running session's pointers; not here.
        qunsetenv("DISPLAY");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/config")));
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        if (m_daemon.waitForStarted(60000) && m_daemon.waitForReadyRead(60000))
            m_busAddress = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    void cleanupTestCase()
    {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    void desktopOfTheSession_data()
    {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<int>("desktop");
        QTest::newRow("GNOME") << "GNOME" << int(PointerDesktop::Gnome);
        QTest::newRow("Ubuntu's GNOME") << "ubuntu:GNOME" << int(PointerDesktop::Gnome);
        QTest::newRow("GNOME Flashback") << "GNOME-Flashback:GNOME" << int(PointerDesktop::Gnome);
        QTest::newRow("KDE") << "KDE" << int(PointerDesktop::Kde);
        QTest::newRow("lower case") << "kde" << int(PointerDesktop::Kde);
        QTest::newRow("Cinnamon") << "X-Cinnamon" << int(PointerDesktop::Other);
        QTest::newRow("unset") << "" << int(PointerDesktop::Other);
    }
    void desktopOfTheSession()
    {
        QFETCH(QString, xdg);
        QFETCH(int, desktop);
        QCOMPARE(int(pointerDesktopFrom(xdg)), desktop);
    }

    // Index 0..10 of the slider lands evenly on GNOME's -1..1; the
    // double-click time in milliseconds; no wheel lines, with a reason.
    void gnome_data()
    {
        QTest::addColumn<int>("speed");  // as the page sends it: 1, 2, 4, ... 20
        QTest::addColumn<double>("gnomeSpeed");
        QTest::addColumn<uint>("doubleClick");
        QTest::newRow("slowest") << 1 << -1.0 << 900u;
        QTest::newRow("index 3") << 6 << -0.4 << 690u;
        QTest::newRow("middle") << 10 << 0.0 << 550u;
        QTest::newRow("fastest") << 20 << 1.0 << 200u;
    }
    void gnome()
    {
        QFETCH(int, speed);
        QFETCH(double, gnomeSpeed);
        QFETCH(uint, doubleClick);
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema =
            source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.peripherals.mouse", TRUE) : nullptr;
        if (!schema)
            QSKIP("the GNOME schema is not installed (Debian package gsettings-desktop-schemas)");
        g_settings_schema_unref(schema);

        const auto platform = makeGnomePointerPlatform();
        QVERIFY(platform->unavailableReason(PointerSetting::Speed).isEmpty());
        QVERIFY(platform->unavailableReason(PointerSetting::DoubleClickTime).isEmpty());
        QVERIFY(!platform->unavailableReason(PointerSetting::WheelLines).isEmpty());
        QVERIFY(platform->setPointerSpeed(speed));
        QVERIFY(platform->setDoubleClickTime(doubleClick));
        QVERIFY(!platform->setWheelScrollLines(3));
        // The page reads the same values back to show them.
        QCOMPARE(platform->currentValue(PointerSetting::Speed), speed);
        QCOMPARE(platform->currentValue(PointerSetting::DoubleClickTime), int(doubleClick));
        QCOMPARE(platform->currentValue(PointerSetting::WheelLines), -1);

        // What GNOME itself reads back, and what reached the settings store.
        GSettings* mouse = g_settings_new("org.gnome.desktop.peripherals.mouse");
        QVERIFY(qAbs(g_settings_get_double(mouse, "speed") - gnomeSpeed) < 1e-9);
        QCOMPARE(g_settings_get_int(mouse, "double-click"), int(doubleClick));
        g_object_unref(mouse);
        const QByteArray store = readFile(m_home.path() + QStringLiteral("/config/glib-2.0/settings/keyfile"));
        QVERIFY2(store.contains("[org/gnome/desktop/peripherals/mouse]"), store.constData());
        QVERIFY2(store.contains("double-click=" + QByteArray::number(doubleClick)), store.constData());
    }

    // Plasma's files keep everything but the keys set; the per-device
    // acceleration of a Wayland session follows; the notices go out.
    void kde()
    {
        const QString dir = m_home.path() + QStringLiteral("/kde");
        QDir().mkpath(dir);
        writeFile(dir + QStringLiteral("/kcminputrc"),
                  "[Libinput][1133][49291][Logitech G502]\nPointerAcceleration=0.2\nPointerAccelerationProfile=2\n\n"
                  "[Mouse]\ncursorTheme=breeze_cursors\n");
        writeFile(dir + QStringLiteral("/kdeglobals"),
                  "[General]\nColorScheme=BreezeDark\nName[de]=Dunkel\n\n[KDE]\nLookAndFeelPackage=org.kde.breeze.desktop\n"
                  "WheelScrollLines[$i]=3\n");
        QDBusConnection bus = m_busAddress.isEmpty()
            ? QDBusConnection(QStringLiteral("none"))
            : QDBusConnection::connectToBus(m_busAddress, QStringLiteral("plasma"));
        SignalLog log;
        FakeKWinDevices kwin;
        FakeKWinDevice mouse(true), keyboard(false);
        if (bus.isConnected()) {
            QDBusConnection compositor = QDBusConnection::connectToBus(m_busAddress, QStringLiteral("kwin"));
            const auto exported = QDBusConnection::ExportAllProperties;
            QVERIFY(compositor.registerObject(QStringLiteral("/org/kde/KWin/InputDevice"), &kwin, exported));
            QVERIFY(compositor.registerObject(QStringLiteral("/org/kde/KWin/InputDevice/event4"), &mouse, exported));
            QVERIFY(compositor.registerObject(QStringLiteral("/org/kde/KWin/InputDevice/event7"), &keyboard, exported));
            QVERIFY(compositor.registerService(QStringLiteral("org.kde.KWin")));
            QDBusConnection listener = QDBusConnection::connectToBus(m_busAddress, QStringLiteral("listener"));
            for (const char* member : {"ConfigChanged", "notifyChange"})
                QVERIFY(listener.connect(QString(), QString(), QString(), QLatin1String(member), &log,
                                         SLOT(onSignal(QDBusMessage))));
        }
        const auto platform = makeKdePointerPlatform(dir, bus);
        for (PointerSetting s : {PointerSetting::Speed, PointerSetting::DoubleClickTime, PointerSetting::WheelLines})
            QVERIFY(platform->unavailableReason(s).isEmpty());

        QVERIFY(platform->setPointerSpeed(16));
        QVERIFY(platform->setDoubleClickTime(410));
        // The user's administrator locked the wheel lines.
        QVERIFY(!platform->setWheelScrollLines(7));

        // Read back as the page shows them; the locked wheel lines as locked.
        QCOMPARE(platform->currentValue(PointerSetting::Speed), 16);
        QCOMPARE(platform->currentValue(PointerSetting::DoubleClickTime), 410);
        QCOMPARE(platform->currentValue(PointerSetting::WheelLines), 3);

        const QString inputrc = dir + QStringLiteral("/kcminputrc");
        const QString globals = dir + QStringLiteral("/kdeglobals");
        QCOMPARE(kdeConfigValue(inputrc, QStringLiteral("Mouse"), QStringLiteral("XLbInptPointerAcceleration")),
                 QStringLiteral("0.6"));
        QCOMPARE(kdeConfigValue(inputrc, QStringLiteral("Libinput][1133][49291][Logitech G502"),
                                QStringLiteral("PointerAcceleration")),
                 QStringLiteral("0.6"));
        QCOMPARE(readFile(inputrc),
                 QByteArray("[Libinput][1133][49291][Logitech G502]\nPointerAcceleration=0.6\nPointerAccelerationProfile=2\n\n"
                            "[Mouse]\ncursorTheme=breeze_cursors\nXLbInptPointerAcceleration=0.6\n"));
        QCOMPARE(readFile(globals),
                 QByteArray("[General]\nColorScheme=BreezeDark\nName[de]=Dunkel\n\n[KDE]\nLookAndFeelPackage=org.kde.breeze.desktop\n"
                            "WheelScrollLines[$i]=3\nDoubleClickInterval=410\n"));

        // A fresh home: the files and groups are created.
        const QString fresh = m_home.path() + QStringLiteral("/fresh");
        const auto first = makeKdePointerPlatform(fresh, bus);
        // Without the files: Plasma's own defaults.
        QCOMPARE(first->currentValue(PointerSetting::Speed), 10);
        QCOMPARE(first->currentValue(PointerSetting::DoubleClickTime), 400);
        QVERIFY(first->setWheelScrollLines(1000));
        QCOMPARE(first->currentValue(PointerSetting::WheelLines), 1000);
        QCOMPARE(readFile(fresh + QStringLiteral("/kdeglobals")), QByteArray("[KDE]\nWheelScrollLines=1000\n"));

        if (!bus.isConnected())
            QSKIP("dbus-daemon cannot run here: the change notices are not checked");
        // Under Wayland KWin applies the acceleration to its pointers.
        QTRY_VERIFY(qFuzzyCompare(mouse.pointerAcceleration(), 0.6));
        QCOMPARE(keyboard.pointerAcceleration(), 0.2);
        // A nested group is named as KConfig names it, its levels joined by
        // \x1d; where kwriteconfig5 can send notices (--notify), it is
        // checked against what it sends for the same key.
        const QString nested = QStringLiteral("/kcminputrc Libinput|1133|49291|Logitech G502/PointerAcceleration");
        QTRY_VERIFY2(log.changedGroups.contains(nested), qPrintable(log.changedGroups.join(QLatin1Char('\n'))));
        if (kwriteconfigNotifies()) {
            QProcess kwrite;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir);
            kwrite.setProcessEnvironment(env);
            kwrite.start(QStringLiteral("kwriteconfig5"),
                         {"--file", "kcminputrc", "--group", "Libinput", "--group", "1133", "--group", "49291",
                          "--group", "Logitech G502", "--key", "PointerAcceleration", "--notify", "0.6"});
            QVERIFY(kwrite.waitForFinished(60000));
            QCOMPARE(kwrite.exitCode(), 0);
            QTRY_COMPARE(log.changedGroups.count(nested), 2);
        }
        // The locked wheel lines send nothing.
        QTRY_COMPARE(log.seen.mid(0, 5), (QStringList{QStringLiteral("/kcminputrc ConfigChanged a{saay}"),
                                                      QStringLiteral("/kdeglobals ConfigChanged a{saay}"),
                                                      QStringLiteral("/KGlobalSettings notifyChange ii"),
                                                      QStringLiteral("/kdeglobals ConfigChanged a{saay}"),
                                                      QStringLiteral("/KGlobalSettings notifyChange ii")}));
    }
};

QTEST_MAIN(TestPointerDesktops)
#include "tst_pointer_desktops.moc"
