// Detection as the program runs it, against the virtual mouse as a kernel
// HID device (halcyon-uhid-mouse on /dev/uhid) through real hidapi: the real
// Widget with its view, checkDevice(), the listener it starts, the on-device
// profiles a 560 family mouse is read for, the mouse going and coming back.
// Runs inside the emulated guest of scripts/uhid-guest.
#include "app/application_startup.h"
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/dpi_switch_texts.h"
#include "device/hidapi_port.h"
#include "device/virtual_mouse.h"
#include "mouse_process.h"
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
QString setReport(const char* report9)
{
    return QStringLiteral("cmd set-report feature 0 ") + QLatin1String(report9);
}
} // namespace

class UhidGuestWidgetTest : public QObject {
    Q_OBJECT
    MouseProcess m_mouse;
    VirtualClock m_clock;
    QTemporaryDir m_dir;
    QStringList m_tray;
    int m_viewDisabled = 0;

    // The program's data tree in a scratch folder, with the given model.
    std::unique_ptr<Widget> makeWidget(const QString& icType, bool gun)
    {
        QDir(m_dir.path() + QStringLiteral("/modules")).removeRecursively();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"),
                          QCoreApplication::applicationDirPath() + QStringLiteral("/modules"), m_dir.path()});
        QDir::setCurrent(m_dir.path());
        {
            QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), icType);
            config.setValue(QStringLiteral("mouse/isGun"), gun);
        }
        auto w = std::make_unique<Widget>();
        w->hid().setClock(&m_clock);
        m_tray.clear();
        m_viewDisabled = 0;
        w->onTrayMessage = [this](const QString& title, const QString& text) { m_tray << title + ": " + text; };
        w->onViewDisabled = [this] { ++m_viewDisabled; };
        return w;
    }

    bool plug(const QString& family)
    {
        bool ok = false;
        m_mouse.command(QStringLiteral("create split ") + family, &ok);
        QDeadlineTimer deadline(10000);
        auto present = [] {
            return HidapiPort::instance().enumerate(VirtualMouse::VendorId, VirtualMouse::ProductId).size() >= 2;
        };
        while (ok && !present() && !deadline.hasExpired())
            QThread::msleep(10);
        return ok && present();
    }

    void unplug() { m_mouse.command(QStringLiteral("destroy")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        chooseSceneRenderer();
        QVERIFY2(m_mouse.start(), "halcyon-uhid-mouse does not start");
    }

    void cleanup() { unplug(); }

    // Found, listened to, an event, unplugged, found absent, plugged in again.
    void detection553()
    {
        QVERIFY2(plug(QStringLiteral("553")), qPrintable(m_mouse.error()));
        auto w = makeWidget(QStringLiteral("553"), false);
        m_mouse.log();

        w->checkDevice();
        QVERIFY(Widget::deviceConnected());
        QCOMPARE(w->hid().curDevice, 1);
        QVERIFY(w->hid().listening);
        QVERIFY(w->view()->isEnabled());
        QCOMPARE(m_tray, QStringList{QStringLiteral("Info: Detect Device")});
        // The listener start sets the event bit of option byte 4.
        QCOMPARE(m_mouse.log(QStringLiteral("set-report")),
                 (QStringList{setReport("00 83 00 00 00 00 00 00 7C"), setReport("00 03 00 00 00 40 00 00 BC")}));

        m_mouse.command(QStringLiteral("event 06 07 00 02"));
        QTRY_COMPARE_WITH_TIMEOUT(m_tray.size(), 2, 10000);
        QCOMPARE(m_tray.at(1), QStringLiteral("Info: ") + dpiSwitchTexts().value(1));

        unplug();
        QTRY_COMPARE_WITH_TIMEOUT(m_viewDisabled, 1, 10000);
        QVERIFY(!w->view()->isEnabled());
        QVERIFY(!w->hid().listening);
        w->checkDevice();
        QVERIFY(!Widget::deviceConnected());

        QVERIFY2(plug(QStringLiteral("553")), qPrintable(m_mouse.error()));
        w->checkDevice();
        QVERIFY(Widget::deviceConnected());
        QVERIFY(w->hid().listening);
        QVERIFY(w->view()->isEnabled());
        w->hid().hidStopListen();
        w->hid().waitListenerEnded();
    }

    // A 560 family gun mouse is read for its five on-device profiles at connection.
    void detection560ReadsProfiles()
    {
        QVERIFY2(plug(QStringLiteral("560")), qPrintable(m_mouse.error()));
        for (int k = 0; k < 5; ++k)
            m_mouse.command(QStringLiteral("profile %1 %2").arg(k).arg(hex(pattern(128, 0x20 * k + 1))));
        auto w = makeWidget(QStringLiteral("560"), true);
        m_mouse.log();

        w->checkDevice();
        QVERIFY(Widget::deviceConnected());
        QCOMPARE(m_mouse.log(QStringLiteral("set-report")),
                 (QStringList{setReport("00 81 00 00 00 00 00 00 7E"), setReport("00 01 08 00 00 00 00 00 F6"),
                              setReport("00 8C 00 00 00 00 00 00 73"), setReport("00 8C 01 00 00 00 00 00 72"),
                              setReport("00 8C 02 00 00 00 00 00 71"), setReport("00 8C 03 00 00 00 00 00 70"),
                              setReport("00 8C 04 00 00 00 00 00 6F")}));
        for (int k = 0; k < 5; ++k)
            QCOMPARE(hex(QByteArray(reinterpret_cast<const char*>(w->view()->features().profileImage(k).data()), 128)),
                     hex(pattern(128, 0x20 * k + 1)));
        w->hid().hidStopListen();
        w->hid().waitListenerEnded();
    }
};

QTEST_MAIN(UhidGuestWidgetTest)
#include "uhid_guest_widget_test.moc"
