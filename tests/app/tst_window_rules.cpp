// Window sizing, wheel steps and the scene's address.
#include "app/window_rules.h"
#include <QFile>
#include <QQmlFile>
#include <QtTest>

class TestWindowRules : public QObject {
    Q_OBJECT
private slots:
    void windowSize_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(1280, 720);
        QTest::newRow("1280x1024") << QSize(1280, 1024) << QSize(1280, 1024);
        QTest::newRow("2560x1440") << QSize(2560, 1440) << QSize(1706, 960);
        QTest::newRow("1281x800 truncates") << QSize(1281, 800) << QSize(854, 533);
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(1024, 768);
    }
    void windowSize()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QCOMPARE(windowSizeForScreen(screen), window);
    }

    void wheel_data()
    {
        QTest::addColumn<QPoint>("angleDelta");
        QTest::addColumn<bool>("scrolls");
        QTest::addColumn<int>("steps");
        QTest::newRow("notch up") << QPoint(0, 120) << true << 1;
        QTest::newRow("notch down") << QPoint(0, -120) << true << -1;
        QTest::newRow("high resolution 60") << QPoint(0, 60) << true << 0;
        QTest::newRow("two notches down") << QPoint(0, -240) << true << -2;
        QTest::newRow("239 truncates") << QPoint(0, 239) << true << 1;
        QTest::newRow("horizontal") << QPoint(120, 0) << false << 0;
        QTest::newRow("tilt, mostly sideways") << QPoint(-120, 30) << false << 0;
    }
    void wheel()
    {
        QFETCH(QPoint, angleDelta);
        QFETCH(bool, scrolls);
        QFETCH(int, steps);
        const std::optional<int> r = wheelSteps(angleDelta);
        QCOMPARE(r.has_value(), scrolls);
        if (scrolls)
            QCOMPARE(*r, steps);
    }

    // The documented address without a leading slash names the compiled-in scene.
    void sceneAddressResolves()
    {
        const QUrl url = sceneUrl(QStringLiteral("qrc:modules/qml/main.qml"));
        QCOMPARE(url, QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
        QVERIFY(QFile::exists(QQmlFile::urlToLocalFileOrQrc(url)));
    }
};

QTEST_GUILESS_MAIN(TestWindowRules)
#include "tst_window_rules.moc"
