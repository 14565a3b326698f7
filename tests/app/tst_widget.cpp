// Widget: the window it becomes, its tray icon, detection with the connect
// and disconnect sequences, the hot-plug path, and quitting.
#include "app/desktop_notifier.h"
#include "app/myqquickview.h"
#include "app/root_call.h"
#include "app/ui_controler.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include "tests/app/fake_bus.h"
#include <QAction>
#include <QMenu>
#include <QQmlContext>
#include <QQuickItem>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QtTest>
#include <thread>

namespace {

HidDeviceRecord record(quint16 pid, quint16 page, quint16 usage, const char* path)
{
    HidDeviceRecord r;
    r.vendorId = 0x04D9;
    r.productId = pid;
    r.usagePage = page;
    r.usage = usage;
    r.path = path;
    return r;
}

} // namespace

class RecordingNotifier : public DesktopNotifier {
public:
    void notify(const QString& title, const QString& text, int timeoutMs) override
    {
        sent << QStringLiteral("%1|%2|%3").arg(title, text).arg(timeoutMs);
    }
    QStringList sent;
};

class TestWidget : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    bool m_trayAvailable = true;
    RecordingNotifier m_notices;
    QStringList m_calls;  // root-function calls, "name args"
    VirtualClock m_clock;

    // A fresh data tree with the given model, and a Widget on it.
    std::unique_ptr<Widget> makeWidget(const QString& icType = QStringLiteral("553"), bool gun = false)
    {
        QDir(m_dir.path() + QStringLiteral("/modules")).removeRecursively();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), m_dir.path()});
        QDir::setCurrent(m_dir.path());
        {
            QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), icType);
            config.setValue(QStringLiteral("mouse/isGun"), gun);
            config.setValue(QStringLiteral("common/name"), QStringLiteral("Test Mouse"));
        }
        auto w = std::make_unique<Widget>();
        w->hid().setClock(&m_clock);
        m_calls.clear();
        return w;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setRootCallObserver([this](const QString& name, const QVariantList& args) {
            QStringList a;
            for (const QVariant& v : args)
                a << v.toString();
            m_calls << (name + QLatin1Char(' ') + a.join(QLatin1Char(','))).trimmed();
        });
        DesktopNotifier::install(&m_notices);
    }
    void init()
    {
        // Most cases run as on a desktop with a tray; the offscreen platform has none.
        m_trayAvailable = true;
        Widget::setTrayAvailability([this] { return m_trayAvailable; });
        m_notices.sent.clear();
    }
    void cleanupTestCase()
    {
        setRootCallObserver(nullptr);
        Widget::setTrayAvailability(nullptr);
        DesktopNotifier::install(nullptr);
    }

    // A dialog opened over the view paints its own background: the window's
    // transparency stops at the window.
    void dialogsOverTheViewAreOpaque()
    {
        auto w = makeWidget();
        QFileDialog dialog(w->view(), QStringLiteral("Open File"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.resize(600, 400);
        const QImage image = dialog.grab().toImage();
        const QColor corner = image.pixelColor(4, image.height() - 4);
        QCOMPARE(corner.alpha(), 255);
        QCOMPARE(corner.rgb(), dialog.palette().color(QPalette::Window).rgb());
    }

    void windowAndScene()
    {
        auto w = makeWidget();
        QCOMPARE(w->objectName(), QStringLiteral("Widget"));
        QCOMPARE(w->windowFlags(), Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
        QVERIFY(w->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w->styleSheet(), QStringLiteral("#Widget { background: transparent; }"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Test Mouse"));
        myQQuickView* view = w->view();
        QCOMPARE(view->objectName(), QStringLiteral("ui_View"));
        QCOMPARE(view->parentWidget(), w.get());
        QVERIFY(view->rootObject());
        QCOMPARE(view->device(), &w->hid());
        QQmlContext* ctx = view->rootContext();
        QCOMPARE(ctx->contextProperty(QStringLiteral("ui_View")).value<QObject*>(), view);
        QCOMPARE(ctx->contextProperty(QStringLiteral("hid")).value<QObject*>(), &w->hid());
        QCOMPARE(ctx->contextProperty(QStringLiteral("ui_Ctl")).value<QObject*>(), w->controller());
        QVERIFY(!w->controller()->isMaximized());
        QCOMPARE(w->detectionTimer().interval(), 2048);
        QVERIFY(w->detectionTimer().isSingleShot());
    }

    void maximiseThenRestore()
    {
        auto w = makeWidget();
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        const QSize normal = w->size();
        w->controller()->onMaxRestore();
        w->controller()->onMaxRestore();
        QCOMPARE(m_calls, (QStringList{
            QStringLiteral("setScreenRect %1,%2,true").arg(screen.width()).arg(screen.height()),
            QStringLiteral("setScreenRect %1,%2,false").arg(normal.width()).arg(normal.height())}));
    }

    // From the listener's thread the stage is queued to the GUI thread; on
    // the GUI thread it is handed over at once.
    void currentDpiDelivery()
    {
        auto w = makeWidget();
        std::thread listener([&] { w->view()->setCurrentDPI(5); });
        listener.join();
        QVERIFY(m_calls.isEmpty());
        QTRY_COMPARE(m_calls, QStringList{QStringLiteral("setCurrentDPI 5")});
        w->view()->setCurrentDPI(2);
        QCOMPARE(m_calls.last(), QStringLiteral("setCurrentDPI 2"));
    }

    void wheelOverTheView()
    {
        auto w = makeWidget();
        auto wheel = [&](QPoint delta) {
            QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w->view(), &e);
            QVERIFY(e.isAccepted());
        };
        wheel(QPoint(0, -120));
        wheel(QPoint(120, 0));
        wheel(QPoint(0, 60));
        QVERIFY(m_calls.isEmpty());  // queued
        QTRY_COMPARE(m_calls, (QStringList{QStringLiteral("scroll -1"), QStringLiteral("scroll 0")}));
    }

    void trayIcon()
    {
        auto w = makeWidget();
        QCOMPARE(w->trayIcon()->toolTip(), QStringLiteral("HALCYON GAMING MOUSE"));
        QCOMPARE(w->trayIcon()->contextMenu(), w->trayMenu());
        const QList<QAction*> actions = w->trayMenu()->actions();
        // "Show Halcyon" opens the menu, Quit ends it; on Linux the
        // autostart switch comes between them.
        QCOMPARE(actions.first()->text(), QStringLiteral("Show Halcyon"));
        QCOMPARE(actions.last()->text(), QStringLiteral("Quit (&Q)"));
#ifdef Q_OS_LINUX
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions.at(1)->text(), QStringLiteral("Start with the desktop"));
        QVERIFY(actions.at(1)->isCheckable());
#else
        QCOMPARE(actions.size(), 2);
#endif
        QCOMPARE(w->trayMenu()->styleSheet(),
                 QStringLiteral("QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } QMenu::item:enabled { color: rgb(225, 225, 225); } QMenu::item:!enabled { color: rgb(155, 155, 155); } QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, 40); } QMenu::separator { height: 1px; background: rgb(100, 100, 100); } QMenu::indicator { width: 13px; height: 13px; } QMenu::icon { padding-left: 2px; padding-right: 2px; } "));
        // A missing image gives an empty icon, without complaint.
        QCOMPARE(w->trayIcon()->icon().pixmap(16).isNull(), !QFile::exists(QStringLiteral("./modules/img/logo.ico")));
    }

    void bothEntriesPresentTheFirstWins()
    {
        auto w = makeWidget();
        FakeBus bus;
        bus.records = {record(0xA09F, 0xFF00, 0xFF00, "mouse-cmd"), record(0xA09F, 0xFF01, 0xFF01, "mouse-ev"),
                       record(0xA1F7, 0xFF00, 0xFF00, "kbd-cmd"), record(0xA1F7, 0xFF01, 0xFF01, "kbd-ev")};
        w->hid().setPort(&bus);
        QStringList tray;
        w->onTrayMessage = [&](const QString& t, const QString& x) { tray << t + QLatin1Char('|') + x; };
        w->checkDevice();
        QCOMPARE(w->hid().curDevice, 0);
        QVERIFY(Widget::deviceConnected());
        QCOMPARE(tray.value(0), QStringLiteral("Info|Detect Device"));
        QTRY_VERIFY(m_calls.contains(QStringLiteral("run")));
        QCOMPARE(m_calls.filter(QRegularExpression(QStringLiteral("^(initUI|run)"))),
                 (QStringList{QStringLiteral("initUI"), QStringLiteral("run")}));
        w->hid().waitListenerEnded();
    }

    void commandInterfaceMissingCountsAsAbsent()
    {
        auto w = makeWidget();
        FakeBus bus;
        bus.records = {record(0xA09F, 0xFF01, 0xFF01, "mouse-ev"), record(0xA09F, 0x0001, 0x0002, "mouse-std")};
        w->hid().setPort(&bus);
        w->checkDevice();
        QVERIFY(!Widget::deviceConnected());
        QVERIFY(!w->hid().listening);
        QCOMPARE(w->hid().devices.size(), 2);
        QCOMPARE(w->hid().devices.at(1)->eventPath, QStringLiteral("mouse-ev"));
        QTRY_COMPARE(m_calls, (QStringList{QStringLiteral("initUI"), QStringLiteral("run")}));
    }

    void profileReadsAtConnect_data()
    {
        QTest::addColumn<QString>("icType");
        QTest::addColumn<bool>("gun");
        QTest::addColumn<QList<int>>("profiles");
        QTest::newRow("560 with gun") << "560" << true << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("560 without gun") << "560" << false << QList<int>{0, 1};
        QTest::newRow("553") << "553" << true << QList<int>{};
    }
    void profileReadsAtConnect()
    {
        QFETCH(QString, icType);
        QFETCH(bool, gun);
        QFETCH(QList<int>, profiles);
        auto w = makeWidget(icType, gun);
        VirtualMouse mouse(icType == QLatin1String("560") ? VirtualFirmware::Family::F560
                                                          : VirtualFirmware::Family::F553);
        QList<int> reads;
        mouse.trace = [&](const QString& line) {
            // The 8CH profile read: feature-out 00 8C <profile> ...
            if (line.startsWith(QLatin1String("feature-out 00 8C ")))
                reads << line.section(QLatin1Char(' '), 3, 3).toInt(nullptr, 16);
        };
        w->hid().setPort(&mouse);
        // The listener reads the mouse; it ends before the mouse goes.
        const auto stopListener = qScopeGuard([&] {
            w->hid().hidStopListen();
            mouse.interruptReads();
            w->hid().waitListenerEnded();
        });
        w->checkDevice();
        QVERIFY(Widget::deviceConnected());
        QVERIFY(w->view()->isEnabled());
        QCOMPARE(reads, profiles);
    }

    // Plug, unplug and replug through the hot-plug notification.
    void hotPlugPath()
    {
        auto w = makeWidget();
        VirtualMouse mouse;
        w->hid().setPort(&mouse);
        const auto stopListener = qScopeGuard([&] {
            mouse.onPlugChange = nullptr;
            w->hid().hidStopListen();
            mouse.interruptReads();
            w->hid().waitListenerEnded();
        });
        Widget* wp = w.get();
        mouse.onPlugChange = [wp] {
            QMetaObject::invokeMethod(wp, [wp] { wp->deviceChangeNotified(); }, Qt::QueuedConnection);
        };
        w->checkDevice();
        QVERIFY(Widget::deviceConnected());
        QVERIFY(w->hid().listening);

        // While the listener watches the mouse, device changes are left to it.
        w->deviceChangeNotified();
        QVERIFY(!w->detectionTimer().isActive());

        mouse.unplug();
        w->hid().waitListenerEnded();
        QTRY_VERIFY(!w->view()->isEnabled());
        QTRY_VERIFY(w->detectionTimer().isActive());
        w->detectionTimer().stop();
        w->checkDevice();  // the timer fires
        QVERIFY(!Widget::deviceConnected());

        mouse.plug();
        QTRY_VERIFY(w->detectionTimer().isActive());
        w->detectionTimer().stop();
        w->checkDevice();
        QVERIFY(Widget::deviceConnected());
        QVERIFY(w->view()->isEnabled());
        QVERIFY(w->hid().listening);
    }

    void receiveMessageRestoresOnlyWhenConnected()
    {
        auto w = makeWidget();
        FakeBus bus;
        w->hid().setPort(&bus);
        w->checkDevice();
        w->hide();
        w->receiveMessage(QString());
        QCoreApplication::processEvents();
        QVERIFY(!w->isVisible());
        bus.records = {record(0xA09F, 0xFF00, 0xFF00, "mouse-cmd")};
        w->checkDevice();
        w->receiveMessage(QString());
        QTRY_VERIFY(w->isVisible());
        w->hid().waitListenerEnded();
    }

    // A double click (XEmbed trays), a single click (StatusNotifierItem
    // trays report only that) and the menu's first entry all show the
    // window; a context or middle click does not.
    void trayShowsTheWindow_data()
    {
        QTest::addColumn<int>("reason");  // -1: the menu's "Show Halcyon"
        QTest::addColumn<bool>("shows");
        QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << true;
        QTest::newRow("single click") << int(QSystemTrayIcon::Trigger) << true;
        QTest::newRow("menu entry") << -1 << true;
        QTest::newRow("context click") << int(QSystemTrayIcon::Context) << false;
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << false;
    }
    void trayShowsTheWindow()
    {
        QFETCH(int, reason);
        QFETCH(bool, shows);
        auto w = makeWidget();
        QVERIFY(w->trayShown());
        w->hide();
        if (reason < 0)
            w->trayMenu()->actions().first()->trigger();
        else
            w->trayIconActivated(QSystemTrayIcon::ActivationReason(reason));
        QCOMPARE(w->isVisible(), shows);
    }

    // The menu entry follows the language, as the tray notices do.
    void showEntryFollowsTheLanguage()
    {
        auto w = makeWidget();
        w->view()->getLangStrings(QStringLiteral("other"), QStringLiteral("German"));
        emit w->trayMenu()->aboutToShow();
        QCOMPARE(w->trayMenu()->actions().first()->text(), QStringLiteral("Halcyon anzeigen"));
        w->view()->getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
        emit w->trayMenu()->aboutToShow();
        QCOMPARE(w->trayMenu()->actions().first()->text(), QStringLiteral("Show Halcyon"));
    }

    // Without a tray the window is the only way to the program: the title
    // bar's hide ends it, a second start brings the window back even with no
    // mouse, notices go to the desktop's notification service, and the
    // scene says that no mouse is connected.
    void withoutATrayNothingIsInvisible()
    {
        m_trayAvailable = false;
        auto w = makeWidget();
        QVERIFY(!w->trayShown());
        FakeBus bus;
        w->hid().setPort(&bus);
        w->checkDevice();
        QCOMPARE(w->view()->rootObject()->property("deviceConnected").toBool(), false);
        w->hide();
        w->receiveMessage(QString());
        QTRY_VERIFY(w->isVisible());

        bus.records = {record(0xA09F, 0xFF00, 0xFF00, "mouse-cmd")};
        w->checkDevice();
        QCOMPARE(w->view()->rootObject()->property("deviceConnected").toBool(), true);
        QCOMPARE(m_notices.sent, QStringList{QStringLiteral("Info|Detect Device|10000")});
        w->showTrayMessage(QStringLiteral("Info"), QStringLiteral("DPI switched to stage 2"));
        QCOMPARE(m_notices.sent.last(), QStringLiteral("Info|DPI switched to stage 2|10000"));
        w->hid().hidStopListen();
        w->hid().waitListenerEnded();

        QTimer::singleShot(0, w.get(), [&] { w->controller()->onHide(); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    // A tray host that starts after the program gets the icon, and from
    // then on the window hides to it.
    void trayAppearingLaterGetsTheIcon()
    {
        m_trayAvailable = false;
        auto w = makeWidget();
        QVERIFY(!w->trayShown());
        QVERIFY(!w->showTrayIconIfAvailable());
        QVERIFY(w->trayRecheck().isActive());
        m_trayAvailable = true;
        QVERIFY(QMetaObject::invokeMethod(&w->trayRecheck(), "timeout", Qt::DirectConnection));
        QVERIFY(w->trayShown());
        QVERIFY(!w->trayRecheck().isActive());
        w->show();
        w->controller()->onHide();
        QVERIFY(!w->isVisible());
        // Balloons now go through the icon.
        w->showTrayMessage(QStringLiteral("Info"), QStringLiteral("x"));
        QVERIFY(m_notices.sent.isEmpty());
        // The tray host exits: the window no longer hides, a second start
        // brings it back, notices go to the desktop again.
        m_trayAvailable = false;
        w->showTrayMessage(QStringLiteral("Info"), QStringLiteral("y"));
        QCOMPARE(m_notices.sent, QStringList{QStringLiteral("Info|y|10000")});
        w->hide();
        w->receiveMessage(QString());
        QTRY_VERIFY(w->isVisible());
    }

    // Closing the window ends the program; hiding it, or closing another
    // window while it is hidden, does not.
    void closeQuitsHideDoesNot()
    {
        auto w = makeWidget();
        w->show();
        QTimer::singleShot(0, w.get(), [&] {
            w->controller()->onHide();
            auto* other = new QWidget;
            other->setAttribute(Qt::WA_DeleteOnClose);
            other->show();
            other->close();
        });
        QTimer::singleShot(50, w.get(), [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), 7);
        QVERIFY(!w->isVisible());
        w->show();
        QTimer::singleShot(0, w.get(), [&] { w->controller()->onClose(); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void quitEndsTheLoopWithZero()
    {
        auto w = makeWidget();
        QTimer::singleShot(0, w.get(), [&] { w->trayMenu()->actions().last()->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestWidget)
#include "tst_widget.moc"
