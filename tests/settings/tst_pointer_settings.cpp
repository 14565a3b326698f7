// System pointer settings: slider index to system value, what the settings
// hand to the platform, the failure lines, and the X11 pointer speed read back
// from a real X server.
#include "settings/pointer_mapping.h"
#include "settings/pointer_platform.h"
#include "settings/language_strings.h"
#include "settings/pointer_settings.h"
#include <QTest>

#ifdef HALCYON_HAVE_XINPUT
#include <X11/Xlib.h>
#endif

namespace {

class RecordingPlatform : public PointerPlatform {
public:
    bool ok = true;
    QList<int> speeds;
    QList<uint> times;
    QList<uint> lines;
    bool setPointerSpeed(int speed) override { speeds << speed; return ok; }
    bool setDoubleClickTime(uint ms) override { times << ms; return ok; }
    bool setWheelScrollLines(uint n) override { lines << n; return ok; }
    QString reasons[3];
    QString unavailableReason(PointerSetting s) const override { return reasons[int(s)]; }
};

QStringList g_log;
void collect(QtMsgType, const QMessageLogContext&, const QString& msg)
{
    g_log << msg;
}

} // namespace

class PointerSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void mapping_data()
    {
        QTest::addColumn<uint>("index");
        QTest::addColumn<int>("speed");
        QTest::addColumn<uint>("doubleClickMs");
        QTest::newRow("0") << 0u << 1 << 900u;
        QTest::newRow("1") << 1u << 2 << 830u;
        QTest::newRow("5") << 5u << 10 << 550u;
        QTest::newRow("10") << 10u << 20 << 200u;
        QTest::newRow("11 clamped") << 11u << 20 << 200u;
        QTest::newRow("13 clamped") << 13u << 20 << 200u;
        QTest::newRow("huge clamped") << 4000000000u << 20 << 200u;
    }
    void mapping()
    {
        QFETCH(uint, index);
        QFETCH(int, speed);
        QFETCH(uint, doubleClickMs);
        QCOMPARE(pointerSpeedForIndex(index), speed);
        QCOMPARE(doubleClickTimeForIndex(index), doubleClickMs);
        // What the page sets, read back from the desktop, is the same slider index.
        const uint shown = std::min(index, PointerIndexMax);
        QCOMPARE(indexForPointerSpeed(speed), shown);
        QCOMPARE(indexForDoubleClickTime(int(doubleClickMs)), shown);
        QCOMPARE(indexOnRange(pointerIndexOnRange(speed, -1.0, 1.0), -1.0, 1.0), shown);
        QCOMPARE(pointerSpeedFromRange(pointerSpeedOnRange(speed, -1.0, 1.0), -1.0, 1.0), speed);
    }

    // Values a desktop may hold that no slider index gives: the nearest index.
    void desktopValuesToIndexes_data()
    {
        QTest::addColumn<int>("doubleClickMs");
        QTest::addColumn<uint>("doubleClickIndex");
        QTest::addColumn<double>("rangeValue");
        QTest::addColumn<uint>("speedIndex");
        QTest::newRow("GNOME's defaults") << 400 << 7u << 0.0 << 5u;
        QTest::newRow("555 ms, speed 0.7") << 555 << 5u << 0.7 << 9u;
        QTest::newRow("beyond the fast end") << 100 << 10u << 1.5 << 10u;
        QTest::newRow("beyond the slow end") << 2000 << 0u << -3.0 << 0u;
    }
    void desktopValuesToIndexes()
    {
        QFETCH(int, doubleClickMs);
        QFETCH(uint, doubleClickIndex);
        QFETCH(double, rangeValue);
        QFETCH(uint, speedIndex);
        QCOMPARE(indexForDoubleClickTime(doubleClickMs), doubleClickIndex);
        QCOMPARE(indexOnRange(rangeValue, -1.0, 1.0), speedIndex);
    }

    void speedOnRange()
    {
        QCOMPARE(pointerSpeedOnRange(1, -1.0, 1.0), -1.0);
        QCOMPARE(pointerSpeedOnRange(20, -1.0, 1.0), 1.0);
        QVERIFY(qFuzzyCompare(pointerSpeedOnRange(10, 0.0, 19.0), 9.0));
        QCOMPARE(pointerSpeedOnRange(0, -1.0, 1.0), -1.0);
    }

    void valuesReachThePlatform()
    {
        RecordingPlatform platform;
        PointerPlatform::install(&platform);
        PointerSettings pointer;
        pointer.setSpeed(0);
        pointer.setSpeed(10);
        pointer.setSpeed(15);
        pointer.setDoubleClickSpeed(0);
        pointer.setDoubleClickSpeed(10);
        pointer.setDoubleClickSpeed(13);
        pointer.setWheelLines(3);
        pointer.setWheelLines(1000);
        PointerPlatform::install(nullptr);
        QCOMPARE(platform.speeds, (QList<int>{1, 20, 20}));
        QCOMPARE(platform.times, (QList<uint>{900, 200, 200}));
        QCOMPARE(platform.lines, (QList<uint>{3, 1000}));
    }

    // A setting the desktop does not offer is not tried, and the page learns why.
    void settingsNotOfferedAreNotTried()
    {
        RecordingPlatform platform;
        platform.reasons[int(PointerSetting::WheelLines)] = QStringLiteral("no wheel setting");
        PointerPlatform::install(&platform);
        PointerSettings pointer;
        pointer.setSpeed(10);
        pointer.setWheelLines(3);
        const QStringList unavailable = pointer.unavailable(LanguagePage());
        PointerPlatform::install(nullptr);
        QCOMPARE(platform.speeds, QList<int>{20});
        QCOMPARE(platform.lines, QList<uint>());
        QCOMPARE(unavailable, (QStringList{QString(), QString(), QStringLiteral("no wheel setting")}));
    }

    void failuresAreLogged()
    {
        RecordingPlatform platform;
        platform.ok = false;
        PointerPlatform::install(&platform);
        PointerSettings pointer;
        g_log.clear();
        const auto previous = qInstallMessageHandler(collect);
        pointer.setSpeed(4);
        pointer.setDoubleClickSpeed(4);
        pointer.setWheelLines(4);
        qInstallMessageHandler(previous);
        PointerPlatform::install(nullptr);
        QCOMPARE(g_log, (QStringList{"setCursorSpeed Failed", "setDoubleClickSpeed Failed",
                                     "setVerticalScrollLines Failed"}));
    }

    void x11PointerSpeedReadsBack()
    {
#ifndef HALCYON_HAVE_XINPUT
        QSKIP("built without XInput");
#else
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X server: DISPLAY is not set");
        Display* dpy = XOpenDisplay(nullptr);
        if (!dpy)
            QSKIP("the X server named by DISPLAY does not answer");
        int num = 0, den = 0, threshold = 0;
        XGetPointerControl(dpy, &num, &den, &threshold);
        PointerPlatform& x11 = PointerPlatform::system();
        QVERIFY(x11.setPointerSpeed(20));
        int n20 = 0, d20 = 1, t = 0;
        XGetPointerControl(dpy, &n20, &d20, &t);
        QVERIFY(x11.setPointerSpeed(5));
        int n5 = 0, d5 = 1;
        XGetPointerControl(dpy, &n5, &d5, &t);
        // Put the server back as it was.
        XChangePointerControl(dpy, True, True, num, den, threshold);
        XCloseDisplay(dpy);
        QVERIFY(qFuzzyCompare(double(n20) / d20, 2.0));
        QVERIFY(qFuzzyCompare(double(n5) / d5, 0.5));
        QVERIFY(!x11.setDoubleClickTime(500));
        QVERIFY(!x11.setWheelScrollLines(3));
#endif
    }
};

QTEST_GUILESS_MAIN(PointerSettingsTest)
#include "tst_pointer_settings.moc"
