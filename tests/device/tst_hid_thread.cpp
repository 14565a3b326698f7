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
#include <cstring>

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
        onGuiThread = onGuiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
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
    explicit Rig(VirtualFirmware::Family family = VirtualFirmware::Family::F553) : mouse(family)
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
        QCOMPARE(rig.owner.trayTexts, QStringList{QStringLiteral("DPI Switch to")});
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

    // Only exactly four bytes 06 07 xx s with s a stage 1 to 8 are stage
    // reports; everything else the event interface delivers is ignored.
    void malformedEventReportsAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("stage");   // 0: ignored
        QTest::newRow("stage 1") << QByteArray("\x06\x07\x00\x01", 4) << 1;
        QTest::newRow("stage 8") << QByteArray("\x06\x07\x55\x08", 4) << 8;
        QTest::newRow("stage 0") << QByteArray("\x06\x07\x00\x00", 4) << 0;
        QTest::newRow("stage 9") << QByteArray("\x06\x07\x00\x09", 4) << 0;
        QTest::newRow("stage 255") << QByteArray("\x06\x07\x00\xff", 4) << 0;
        QTest::newRow("short") << QByteArray("\x06\x07\x00", 3) << 0;
        QTest::newRow("longer than a stage report") << QByteArray("\x06\x07\x00\x03\x00", 5) << 0;
        QTest::newRow("a data report") << (QByteArray("\x06\x07\x00\x03", 4) + QByteArray(29, '\x11')) << 0;
        QTest::newRow("foreign id") << QByteArray("\x05\x07\x00\x03", 4) << 0;
        QTest::newRow("foreign kind") << QByteArray("\x06\x08\x00\x03", 4) << 0;
    }
    void malformedEventReportsAreIgnored()
    {
        QFETCH(QByteArray, report);
        QFETCH(int, stage);
        Rig rig;
        rig.hid->hidStartListen(0);
        rig.mouse.sendEvent(report);
        // A well-formed report after it tells when the first was handled.
        rig.mouse.sendEvent(QByteArray("\x06\x07\x00\x02", 4));
        QVERIFY(rig.mouse.waitEventsHandled(5000));
        QTRY_VERIFY(rig.owner.stages.contains(2));
        QCOMPARE(rig.owner.stages, stage ? (QList<int>{stage, 2}) : QList<int>{2});
        QCOMPARE(rig.owner.trayTexts.size(), rig.owner.stages.size());
    }

    // Detection may replace the device list while the listener runs: the
    // listener keeps its own entry and goes on listening.
    void listenerKeepsItsOwnDeviceEntry()
    {
        Rig rig;
        rig.hid->hidStartListen(0);
        QTRY_VERIFY(rig.mouse.eventOpens.loadRelaxed() > 0);
        rig.hid->devices = DeviceTable();
        rig.mouse.sendEvent(QByteArray("\x06\x07\x00\x05", 4));
        QVERIFY(rig.mouse.waitEventsHandled(5000));
        QTRY_COMPARE(rig.owner.stages, QList<int>{5});
        QVERIFY(!rig.owner.disabled);
        QVERIFY(rig.hid->listening);
    }

    // A report length outside 1..64 fails the transfer at once, without a
    // HID call (it used to crash at -1 and spin forever at 0).
    void reportLengthOutOfRangeFailsTransfer_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("-1") << -1;
        QTest::newRow("0") << 0;
        QTest::newRow("65") << 65;
        QTest::newRow("two billion") << 2000000000;
    }
    void reportLengthOutOfRangeFailsTransfer()
    {
        QFETCH(int, length);
        Rig rig(VirtualFirmware::Family::F560);
        rig.hid->devices.at(0)->reportLength = length;
        QStringList lines;
        rig.mouse.trace = [&lines](const QString& line) { lines << line; };
        uchar matrix[64] = {1, 2, 3};
        uchar image[128];
        std::memset(image, 0xAB, sizeof image);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^refused transfer: report length")));
        rig.hid->hid560_0DH_SetKeyMatrix(matrix, 1);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^refused transfer: report length")));
        rig.hid->hid560_8CH_readProfile(image, 1);
        QCOMPARE(lines, QStringList());
        QVERIFY(rig.hid->hidFree);
        QCOMPARE(image[0], uchar(0xAB));
        // Commands without a payload do not use the length.
        rig.hid->hid560_04H_SetCurrentDPI(3);
        QCOMPARE(rig.mouse.firmware().state().currentDpi, 3);
    }

    // The four input reports of a 560 profile read: one open for all four,
    // and a read that fails part way keeps the previous image whole.
    void profileReadIsAllOrNothing_data()
    {
        QTest::addColumn<int>("readsBeforeFailure");   // -1: no failure
        QTest::newRow("complete") << -1;
        QTest::newRow("fails at the first") << 0;
        QTest::newRow("fails after two") << 2;
        QTest::newRow("fails at the last") << 3;
    }
    void profileReadIsAllOrNothing()
    {
        QFETCH(int, readsBeforeFailure);
        Rig rig(VirtualFirmware::Family::F560);
        QByteArray stored(128, '\0');
        for (int i = 0; i < 128; ++i)
            stored[i] = char(i + 1);
        rig.mouse.firmware().state().profiles[2] = stored;
        if (readsBeforeFailure >= 0)
            rig.mouse.failNext(VirtualMouse::Op::Read, readsBeforeFailure, 1);
        QStringList lines;
        rig.mouse.trace = [&lines](const QString& line) { lines << line; };
        uchar image[128];
        std::memset(image, 0xEE, sizeof image);
        rig.hid->hid560_8CH_readProfile(image, 2);
        const QByteArray got(reinterpret_cast<const char*>(image), 128);
        QCOMPARE(got, readsBeforeFailure < 0 ? stored : QByteArray(128, '\xEE'));
        QVERIFY(rig.hid->hidFree);
        // open, feature out, open, feature in, open, reads..., close
        const QStringList reads = lines.filter(QRegularExpression(QStringLiteral("^read")));
        QCOMPARE(reads.size(), readsBeforeFailure < 0 ? 4 : readsBeforeFailure + 1);
        const int lastOpen = int(lines.lastIndexOf(QRegularExpression(QStringLiteral("open cmd"))));
        const int firstRead = int(lines.indexOf(QRegularExpression(QStringLiteral("read .*"))));
        QVERIFY2(lastOpen >= 0 && lastOpen < firstRead, qPrintable(lines.join('\n')));
    }

    // Every data report is zero-padded beyond its slice, whatever an earlier
    // command left in the payload buffer.
    void dataReportsAreZeroPadded()
    {
        Rig rig;
        rig.hid->devices.at(0)->reportLength = 24;
        uchar macro[128];
        std::memset(macro, 0x77, sizeof macro);
        rig.hid->hid553_13H_SetMacroKey(1, macro);
        QStringList lines;
        rig.mouse.trace = [&lines](const QString& line) { lines << line; };
        uchar matrix[64];
        std::memset(matrix, 0x11, sizeof matrix);
        rig.hid->hid553_12H_SetKeyMatrix(matrix, 1);
        const QStringList writes = lines.filter(QRegularExpression(QStringLiteral("^write ")));
        QCOMPARE(writes.size(), 3);   // 24 + 24 + 16 bytes
        const QString last = writes.last().mid(6);
        QCOMPARE(last, (QStringList{QStringLiteral("00")} + QStringList(16, QStringLiteral("11"))
                        + QStringList(8, QStringLiteral("00"))).join(QLatin1Char(' ')));
    }
};

QTEST_GUILESS_MAIN(TestHidThread)
#include "tst_hid_thread.moc"
