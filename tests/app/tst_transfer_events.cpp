// Events during a device transfer: the pacing sleeps handle the GUI thread's
// events (painting, timers, queued calls) but leave user input queued; a
// command started meanwhile is refused by the token; the listener's notices
// and a detection that come due wait until the transfer has ended.
// Runs the real Widget with its scene against the virtual mouse, in virtual
// time with a clock that handles events as the real one does.
#include "app/myqquickview.h"
#include "app/root_call.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include <QMutex>
#include <QProcess>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

namespace {
QStringList* g_log = nullptr;
QMutex g_logMutex;  // the listener logs from its own thread

void captureLog(QtMsgType, const QMessageLogContext&, const QString& message)
{
    const QMutexLocker lock(&g_logMutex);
    if (g_log)
        g_log->append(message);
}

// Counts the key presses and clicks that the platform delivers to a window.
class InputCounter : public QObject {
public:
    QObject* window = nullptr;
    int presses = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress))
            ++presses;
        return false;
    }
};
} // namespace

class TestTransferEvents : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    VirtualClock m_clock;
    QStringList m_log;
    QStringList m_frames;  // what the mouse received: "feature-out ..." and "write ..." lines

    std::unique_ptr<Widget> makeWidget(VirtualMouse& mouse)
    {
        QDir(m_dir.path() + QStringLiteral("/modules")).removeRecursively();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"),
                                                 m_dir.path()});
        QDir::setCurrent(m_dir.path());
        auto w = std::make_unique<Widget>();
        w->stopSystemHotplug();
        m_clock.handlesEvents = true;
        m_clock.onSleep = nullptr;
        w->hid().setClock(&m_clock);
        w->hid().setPort(&mouse);
        m_frames.clear();
        mouse.trace = [this](const QString& line) {
            if (line.startsWith(QLatin1String("feature-out")) || line.startsWith(QLatin1String("write")))
                m_frames << line;
        };
        return w;
    }

    // Connects as detection does and lets the scene run its first "initUI".
    void connectMouse(Widget& w)
    {
        w.checkDevice();
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        QVERIFY(Widget::deviceConnected());
        // The start-up lock ends now rather than after its second.
        QQuickItem* root = w.view()->rootObject();
        QVERIFY(root);
        root->findChild<QObject*>(QStringLiteral("lockTimer"))->setProperty("interval", 0);
        QTRY_VERIFY(!root->property("isLocked").toBool());
        QVERIFY(w.view()->isEnabled());
        m_frames.clear();
        m_log.clear();
    }

    static void stopListener(Widget& w, VirtualMouse& mouse)
    {
        w.hid().hidStopListen();
        mouse.interruptReads();
        w.hid().waitListenerEnded();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        g_log = &m_log;
        qInstallMessageHandler(captureLog);
    }
    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        g_log = nullptr;
    }

    // A timer or queued call handled during the pacing that issues a command
    // meets the taken token: that command gives up after 255 waits with its
    // failure line, sends nothing, and the first command completes intact.
    void nestedCommandIsRefused()
    {
        VirtualMouse mouse;
        auto w = makeWidget(mouse);
        mouse.attach(w->hid());
        Hid_Thread& hid = w->hid();
        int sleeps = 0;
        m_clock.onSleep = [&](int) {
            if (++sleeps == 1)
                QMetaObject::invokeMethod(&hid, [&hid] { hid.hid553_0BH_SetCurrentDPI(3); }, Qt::QueuedConnection);
        };
        uchar matrix[64] = {};
        matrix[0] = 0x01;
        const long long before = m_clock.elapsedMs();
        hid.hid553_12H_SetKeyMatrix(matrix, 1);
        m_clock.onSleep = nullptr;

        // Only the key matrix went out: its command report and two data reports.
        QCOMPARE(m_frames.size(), 3);
        QVERIFY(m_frames[0].startsWith(QLatin1String("feature-out 00 12")));
        QVERIFY(m_frames[1].startsWith(QLatin1String("write")));
        QVERIFY(m_frames[2].startsWith(QLatin1String("write")));
        // The nested command failed while the first was still under way.
        const qsizetype failed = m_log.indexOf(QStringLiteral("cmd Failed 0B"));
        QVERIFY(failed >= 0);
        QVERIFY(failed < m_log.indexOf(QStringLiteral("HID SUCCESS")));
        // Its 255 token waits of 8 ms came on top of the key matrix's pacing:
        // 128 + 2 x 120 + 128 ms.
        QCOMPARE(m_clock.elapsedMs() - before, 255 * 8 + 128 + 240 + 128);
        QVERIFY(hid.hidFree);
        QVERIFY(!hid.transferInProgress());

        // The token is free again: the next command goes out.
        m_frames.clear();
        hid.hid553_0BH_SetCurrentDPI(3);
        QCOMPARE(m_frames.size(), 1);
        QVERIFY(m_frames[0].startsWith(QLatin1String("feature-out 00 0B 03")));
    }

    // A key press and a click that the platform delivers while a command
    // sleeps reach nothing until the command is over; queued calls and
    // timers run meanwhile.
    void userInputWaitsForTheCommand()
    {
        VirtualMouse mouse;
        auto w = makeWidget(mouse);
        mouse.attach(w->hid());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QWindow* window = w->windowHandle();
        QVERIFY(window);
        InputCounter counter;
        counter.window = window;
        qApp->installEventFilter(&counter);
        const auto removeFilter = qScopeGuard([&] { qApp->removeEventFilter(&counter); });

        int sleeps = 0;
        int queuedCallsRun = 0;
        QList<int> pressesSeen;
        m_clock.onSleep = [&](int) {
            pressesSeen << counter.presses;
            if (++sleeps == 1) {
                QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                    window, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
                QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                    window, QPointF(20, 20), window->mapToGlobal(QPointF(20, 20)), Qt::LeftButton, Qt::LeftButton,
                    QEvent::MouseButtonPress);
                QMetaObject::invokeMethod(w.get(), [&] { ++queuedCallsRun; }, Qt::QueuedConnection);
            }
        };
        uchar matrix[64] = {};
        w->hid().hid553_12H_SetKeyMatrix(matrix, 1);
        m_clock.onSleep = nullptr;

        // Settle (two sleeps), two data reports, settle again.
        QCOMPARE(sleeps, 6);
        QCOMPARE(pressesSeen, QList<int>(6, 0));
        QCOMPARE(counter.presses, 0);
        QCOMPARE(queuedCallsRun, 1);
        // The user's input comes through once the command is over.
        QTRY_COMPARE(counter.presses, 2);
    }

    // The mouse is pulled out in the middle of a profile switch made through
    // the scene: the switch ends without the mouse, the removal notice waits
    // for the transfer (so the scene's unlock cannot undo it), the view ends
    // disabled, and a detection that came due inside the transfer runs after
    // it and finds no mouse.
    void unplugDuringAProfileSwitch()
    {
        VirtualMouse mouse;
        auto w = makeWidget(mouse);
        Widget* wp = w.get();
        mouse.onPlugChange = [wp] {
            QMetaObject::invokeMethod(wp, [wp] { wp->deviceChangeNotified(); }, Qt::QueuedConnection);
        };
        const auto cleanup = qScopeGuard([&] {
            mouse.onPlugChange = nullptr;
            stopListener(*wp, mouse);
        });
        connectMouse(*w);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(w->hid().listening);

        int sleeps = 0;
        bool unplugged = false;
        QList<bool> enabledAfterUnplug;
        QQuickItem* root = w->view()->rootObject();
        QVERIFY(root);
        // When the removal disables the view: [transfer in progress, scene locked].
        QList<bool> atRemoval;
        w->onViewDisabled = [&] { atRemoval << w->hid().transferInProgress() << root->property("isLocked").toBool(); };
        m_clock.onSleep = [&](int) {
            if (unplugged)
                enabledAfterUnplug << Widget::deviceConnected();
            if (++sleeps == 3) {
                mouse.unplug();
                // The listener notices and posts its notice before it ends.
                w->hid().waitListenerEnded();
                unplugged = true;
                // The detection timer comes due inside the transfer.
                w->checkDevice();
            }
        };
        QVERIFY(QMetaObject::invokeMethod(root, "changeProfile", Q_ARG(QVariant, QVariant(2))));
        m_clock.onSleep = nullptr;
        QVERIFY(unplugged);
        // Neither the removal nor the detection acted inside the switch.
        QVERIFY(atRemoval.isEmpty());
        QVERIFY(!enabledAfterUnplug.contains(false));
        QVERIFY(!root->property("isLocked").toBool());
        QVERIFY(w->view()->isEnabled());

        // Once control is back in the event loop: the removal disables the
        // view after the scene's unlock, then the detection that was due
        // finds no mouse.
        QTRY_VERIFY(!Widget::deviceConnected());
        QCOMPARE(atRemoval, QList<bool>({false, false}));
        QVERIFY(m_log.contains(QStringLiteral("Device removed")));
        QVERIFY(m_log.indexOf(QStringLiteral("Device DisConnect")) > m_log.indexOf(QStringLiteral("Device removed")));
        // The scene's switch itself finished: the new profile is current.
        QCOMPARE(w->view()->profiles().currentSlot(), 2);
        QVERIFY(!w->hid().transferInProgress());
    }
};

QTEST_MAIN(TestTransferEvents)
#include "tst_transfer_events.moc"
