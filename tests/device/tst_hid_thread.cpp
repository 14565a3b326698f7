// Behaviour of the device object that a single trace cannot show: nested
// commands, the one-listener rule, teardown while listening, and which thread
// the listener's hand-over runs on.
#include "device/clock.h"
#include "device/device_owner.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include <QAtomicInt>
#include <QCoreApplication>
#include <QTimer>
#include <QtTest>

namespace {
// Counts event handles open at once, to see overlapping listeners.
class CountingMouse : public VirtualMouse {
public:
    using VirtualMouse::VirtualMouse;
    Handle open(const QByteArray& path) override
    {
        Handle h = VirtualMouse::open(path);
        if (h && path == EventPath) {
            QMutexLocker lock(&eventHandlesMutex);
            eventHandles.insert(h);
            const int now = ++openEvents;
            int seen = maxOpenEvents.loadRelaxed();
            while (now > seen && !maxOpenEvents.testAndSetRelaxed(seen, now))
                seen = maxOpenEvents.loadRelaxed();
            ++eventOpens;
        }
        return h;
    }
    void close(Handle h) override
    {
        {
            QMutexLocker lock(&eventHandlesMutex);
            if (eventHandles.remove(h))
                --openEvents;
        }
        VirtualMouse::close(h);
    }
    QMutex eventHandlesMutex;
    QSet<Handle> eventHandles;
    QAtomicInt openEvents;
    QAtomicInt maxOpenEvents;
    QAtomicInt eventOpens;
};

class Owner : public DeviceOwner {
public:
    QString family = QStringLiteral("553");
    QString controllerFamily() const override { return family; }
    void deliverCurrentDpi(int stage) override
    {
        stages << stage;
        onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    }
    void showTrayMessage(const QString&, const QString& text) override { trayTexts << text; }
    void disableView() override { disabled = true; }
    QList<int> stages;
    QStringList trayTexts;
    bool onGuiThread = true;
    bool disabled = false;
};

struct Rig {
    VirtualClock clock;
    CountingMouse mouse;
    Owner owner;
    std::unique_ptr<Hid_Thread> hid = std::make_unique<Hid_Thread>();
    Rig()
    {
        hid->setClock(&clock);
        hid->owner = &owner;
        mouse.attach(*hid);
    }
    ~Rig()
    {
        if (hid)
            hid->hidStopListen();
        mouse.interruptReads();
        hid.reset();
    }
};
} // namespace

class TestHidThread : public QObject {
    Q_OBJECT
private slots:
    void nestedCommandGivesUpAndOuterCompletes()
    {
        Rig rig;
        uchar matrix[64];
        for (int i = 0; i < 64; ++i)
            matrix[i] = uchar(i);
        // A UI action processed inside the outer command issues a second one.
        QTimer::singleShot(0, rig.hid.get(), [&] { rig.hid->hid553_0BH_SetCurrentDPI(5); });
        rig.hid->hid553_12H_SetKeyMatrix(matrix, 1);

        const auto& fw = rig.mouse.firmware().state();
        QCOMPARE(fw.keyMatrices.value(1), QByteArray(reinterpret_cast<const char*>(matrix), 64));
        QCOMPARE(fw.currentDpi, 1);  // the nested command sent nothing
        QVERIFY(rig.hid->hidFree);
        // 255 waits of 8 ms, then the outer command's own pacing.
        QCOMPARE(rig.clock.elapsedMs(), 255 * 8 + 128 + 2 * 120 + 128);
    }

    void eventReportReachesOwnerOnGuiThread()
    {
        Rig rig;
        rig.hid->hidStartListen(0);
        rig.mouse.sendEvent(QByteArray("\x06\x07\x00\x04", 4));
        QVERIFY(rig.mouse.waitEventsHandled(5000));
        QTRY_COMPARE(rig.owner.stages, QList<int>{4});
        QVERIFY(rig.owner.onGuiThread);
        QCOMPARE(rig.owner.trayTexts, QStringList{QStringLiteral("DPI Switch to ")});
    }

    void onlyOneListenerRunsAtATime()
    {
        Rig rig;
        rig.hid->hidStartListen(0);
        QTRY_VERIFY(rig.mouse.eventOpens.loadRelaxed() > 0);
        rig.hid->hidStartListen(0);
        rig.hid->hidStartListen(0);
        rig.mouse.sendEvent(QByteArray("\x06\x07\x00\x02", 4));
        QVERIFY(rig.mouse.waitEventsHandled(5000));
        QTRY_COMPARE(rig.owner.stages, QList<int>{2});
        QCOMPARE(rig.mouse.maxOpenEvents.loadRelaxed(), 1);
    }

    void removalDisablesViewAndEndsListener()
    {
        Rig rig;
        rig.hid->hidStartListen(0);
        QTRY_VERIFY(rig.mouse.eventOpens.loadRelaxed() > 0);
        rig.mouse.unplug();
        rig.hid->waitListenerEnded();
        QVERIFY(!rig.hid->listening);
        QVERIFY(rig.hid->devices.at(0)->eventPath.isEmpty());
        QTRY_VERIFY(rig.owner.disabled);
    }

    void destroyingWhileListeningWaitsForTheJob()
    {
        Rig rig;
        rig.hid->hidStartListen(0);
        QTRY_VERIFY(rig.mouse.eventOpens.loadRelaxed() > 0);
        const int opensBefore = rig.mouse.eventOpens.loadRelaxed();
        rig.hid.reset();  // must not return while the job still uses it
        const int opensAfter = rig.mouse.eventOpens.loadRelaxed();
        QTest::qWait(20);
        QCOMPARE(rig.mouse.eventOpens.loadRelaxed(), opensAfter);
        QVERIFY(opensAfter >= opensBefore);
    }
};

QTEST_GUILESS_MAIN(TestHidThread)
#include "tst_hid_thread.moc"
