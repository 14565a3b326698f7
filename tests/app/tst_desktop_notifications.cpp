// Without a tray icon the notices go to the desktop's notification service.
// A private bus (dbus-daemon) carries them to a fake service here.
#include "app/freedesktop_notifier.h"
#include "app/widget.h"
#include "device/hid_port.h"
#include "tests/app/fake_bus.h"
#include "tests/app/private_session_bus.h"
#include "app/notice_texts.h"
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        calls << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                     .arg(app)
                     .arg(replaces)
                     .arg(icon, summary, body, actions.join(QLatin1Char(',')),
                          hints.value(QStringLiteral("desktop-entry")).toString())
                     .arg(timeout);
        return ++m_lastId;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }

private:
    uint m_lastId = 40;
};

// One mouse whose command interface is present; nothing opens.
FakeBus oneMouseBus()
{
    FakeBus bus;
    HidDeviceRecord r;
    r.vendorId = 0x04D9;
    r.productId = 0xA09F;
    r.usagePage = 0xFF00;
    r.usage = 0xFF00;
    r.path = "mouse-cmd";
    bus.records << r;
    return bus;
}
} // namespace

class TestDesktopNotifications : public QObject {
    Q_OBJECT
    PrivateSessionBus m_bus;
    QString m_address;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        m_address = m_bus.start();
        if (m_address.isEmpty())
            QSKIP("dbus-daemon cannot run here (Debian package dbus-daemon)");
        QVERIFY(m_dir.isValid());
        QProcess::execute(QStringLiteral("cp"),
                          {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), m_dir.path()});
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase()
    {
        DesktopNotifier::install(nullptr);
        Widget::setTrayAvailability(nullptr);
    }

    // "Detect Device", a DPI switch and the permission notice, with the
    // texts the tray would show; the permission notice once per connect. A
    // notice replaces the one before it.
    void noticesWithoutATray()
    {
        QDBusConnection service = QDBusConnection::connectToBus(m_address, QStringLiteral("fake-service"));
        QVERIFY(service.isConnected());
        FakeNotifications fake;
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));

        FreedesktopNotifier notifier(QDBusConnection::connectToBus(m_address, QStringLiteral("program")));
        DesktopNotifier::install(&notifier);
        Widget::setTrayAvailability([] { return false; });
        Widget w;
        QVERIFY(!w.trayShown());
        FakeBus bus = oneMouseBus();
        w.hid().setPort(&bus);

        w.checkDevice();
        QTRY_COMPARE(fake.calls.size(), 1);
        QCOMPARE(fake.calls.at(0), QStringLiteral("Halcyon|0|halcyon|Info|Detect Device||halcyon|10000"));
        QTRY_COMPARE(notifier.lastId(), 41u);
        // The listener cannot open this mouse: the notice comes once.
        w.deviceNotAccessible(QStringLiteral("mouse-ev"));
        w.deviceNotAccessible(QStringLiteral("mouse-ev"));
        QTRY_COMPARE(fake.calls.size(), 2);
        QTRY_COMPARE(notifier.lastId(), 42u);
        QCOMPARE(fake.calls.at(1),
                 QStringLiteral("Halcyon|41|halcyon|Info|%1||halcyon|10000").arg(accessDeniedNotice()));
        w.showTrayMessage(QStringLiteral("Info"), QStringLiteral("DPI switched to stage 3"));
        QTRY_COMPARE(fake.calls.size(), 3);
        QCOMPARE(fake.calls.at(2), QStringLiteral("Halcyon|42|halcyon|Info|DPI switched to stage 3||halcyon|10000"));
        w.hid().hidStopListen();
        w.hid().waitListenerEnded();

        // A new connect may tell the permission problem again.
        w.checkDevice();
        w.deviceNotAccessible(QStringLiteral("mouse-ev"));
        QTRY_COMPARE(fake.calls.size(), 5);
        QVERIFY(fake.calls.at(3).contains(QStringLiteral("|Detect Device|")));
        QVERIFY(fake.calls.at(4).contains(accessDeniedNotice()));
        w.hid().hidStopListen();
        w.hid().waitListenerEnded();
        DesktopNotifier::install(nullptr);
    }

};

QTEST_MAIN(TestDesktopNotifications)
#include "tst_desktop_notifications.moc"
