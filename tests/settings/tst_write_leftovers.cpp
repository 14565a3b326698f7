// What a program killed during a settings write leaves behind is removed at
// start; the settings files themselves and the user's macros are not touched.
#include "settings/write_leftovers.h"
#include "tests/settings/settings_fixture.h"
#include <QLockFile>
#include <QtTest>

class TestWriteLeftovers : public QObject {
    Q_OBJECT
private slots:
    void removesLeftovers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("removed");
        QTest::newRow("temporary profile") << "modules/setting/p1.bin.Ab3xYz" << QByteArray("half") << true;
        QTest::newRow("temporary language file") << "modules/i18n/German.ini.q1W2e3" << QByteArray("") << true;
        QTest::newRow("temporary macro") << "modules/macro/Games/m.bin.000000" << QByteArray("x") << true;
        // The lock of a process that no longer exists.
        QTest::newRow("stale lock") << "modules/macro/m.bin.lock" << QByteArray("2147483000\nhalcyon\n\n") << true;
        QTest::newRow("settings file") << "modules/setting/p1.bin" << QByteArray("[mouse]\n") << false;
        QTest::newRow("macro named like a leftover") << "modules/macro/m.bin.Ab3xYz.bin" << QByteArray("x") << false;
        QTest::newRow("seven letters") << "modules/setting/p1.bin.Ab3xYzz" << QByteArray("x") << false;
        QTest::newRow("other extension") << "modules/img/logo.png.Ab3xYz" << QByteArray("x") << false;
    }
    void removesLeftovers()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, removed);
        SettingsWorkdir work;
        work.write(file, content);
        QCOMPARE(removeWriteLeftovers(QStringLiteral("./modules")), removed ? 1 : 0);
        QCOMPARE(work.exists(file), !removed);
    }

    void keepsALockHeldByALiveProcess()
    {
        SettingsWorkdir work;
        work.write(QStringLiteral("modules/setting/name.bin"), "");
        QLockFile held(work.path(QStringLiteral("modules/setting/name.bin.lock")));
        QVERIFY(held.tryLock(0));
        QCOMPARE(removeWriteLeftovers(QStringLiteral("./modules")), 0);
        QVERIFY(work.exists(QStringLiteral("modules/setting/name.bin.lock")));
    }
};

QTEST_MAIN(TestWriteLeftovers)
#include "tst_write_leftovers.moc"
