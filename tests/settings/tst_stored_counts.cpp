// Counts and lengths read from files a user may have damaged: out-of-range
// values are refused (read as nothing) with a log line, so start-up neither
// loops for hours nor exhausts memory.
#include "app/myqquickview.h"
#include "device/device_table.h"
#include "features/device_table_file.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

namespace {
const QByteArray EntryRest = "type=1\nvid=0x1234\npid=0x5678\nusagePage=0xff00\nusage=0xff00\n"
                             "usagePage2=0xff01\nusage2=0xff01\n";
}

class TestStoredCounts : public QObject {
    Q_OBJECT
private slots:
    void languageTotal_data()
    {
        QTest::addColumn<QByteArray>("total");
        QTest::addColumn<int>("texts");
        QTest::addColumn<bool>("refused");
        QTest::newRow("two") << QByteArray("2") << 2 << false;
        QTest::newRow("the maximum") << QByteArray("4096") << 4096 << false;
        QTest::newRow("one above the maximum") << QByteArray("4097") << 0 << true;
        QTest::newRow("two billion") << QByteArray("2000000000") << 0 << true;
        QTest::newRow("beyond int") << QByteArray("99999999999") << 0 << true;
        QTest::newRow("negative") << QByteArray("-5") << 0 << true;
        QTest::newRow("text") << QByteArray("many") << 0 << true;
    }
    void languageTotal()
    {
        QFETCH(QByteArray, total);
        QFETCH(int, texts);
        QFETCH(bool, refused);
        SettingsWorkdir work;
        work.writeSettingsSet();
        work.write(QStringLiteral("modules/i18n/English.ini"), "[keyMatrix]\ntotal=" + total + "\n0=a\n1=b\n");
        myQQuickView view;
        if (refused)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^refused .*keyMatrix/total")));
        QCOMPARE(view.getLangStrings(QStringLiteral("keyMatrix"), QStringLiteral("English")).size(), texts);
    }

    void deviceTable_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QList<int>>("lengths");   // report length of each entry kept
        QTest::addColumn<QString>("logged");
        QTest::newRow("shipped shape") << QByteArray("[common]\ndeviceCount=1\n\n[0]\nreportLength=32\n" + EntryRest)
                                       << QList<int>{32} << QString();
        QTest::newRow("length absent: 32")
            << QByteArray("[common]\ndeviceCount=1\n\n[0]\n" + EntryRest) << QList<int>{32} << QString();
        QTest::newRow("length 1 and 64 kept")
            << QByteArray("[common]\ndeviceCount=2\n\n[0]\nreportLength=1\n" + EntryRest + "\n[1]\nreportLength=64\n" + EntryRest)
            << QList<int>{1, 64} << QString();
        QTest::newRow("length -1 refused")
            << QByteArray("[common]\ndeviceCount=2\n\n[0]\nreportLength=-1\n" + EntryRest + "\n[1]\nreportLength=32\n" + EntryRest)
            << QList<int>{32} << QStringLiteral("refused device entry 0");
        QTest::newRow("length 0 refused")
            << QByteArray("[common]\ndeviceCount=1\n\n[0]\nreportLength=0\n" + EntryRest) << QList<int>{}
            << QStringLiteral("refused device entry 0");
        QTest::newRow("length 65 refused")
            << QByteArray("[common]\ndeviceCount=1\n\n[0]\nreportLength=65\n" + EntryRest) << QList<int>{}
            << QStringLiteral("refused device entry 0");
        QTest::newRow("length as text refused")
            << QByteArray("[common]\ndeviceCount=1\n\n[0]\nreportLength=long\n" + EntryRest) << QList<int>{}
            << QStringLiteral("refused device entry 0");
        QTest::newRow("two billion devices refused")
            << QByteArray("[common]\ndeviceCount=2000000000\n\n[0]\nreportLength=32\n" + EntryRest) << QList<int>{}
            << QStringLiteral("refused .*common/deviceCount");
        QTest::newRow("negative device count")
            << QByteArray("[common]\ndeviceCount=-1\n\n[0]\nreportLength=32\n" + EntryRest) << QList<int>{}
            << QStringLiteral("refused .*common/deviceCount");
    }
    void deviceTable()
    {
        QFETCH(QByteArray, config);
        QFETCH(QList<int>, lengths);
        QFETCH(QString, logged);
        SettingsWorkdir work;
        work.write(QStringLiteral("modules/setting/apConfig.bin"), config);
        if (!logged.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QLatin1Char('^') + logged));
        const DeviceTable table = readDeviceTable(QStringLiteral("./modules/setting/apConfig.bin"));
        QList<int> seen;
        for (const auto& e : table)
            seen << e->reportLength;
        QCOMPARE(seen, lengths);
    }
};

QTEST_MAIN(TestStoredCounts)
#include "tst_stored_counts.moc"
