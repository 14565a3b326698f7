// The device table read from the global configuration, which a user may
// have damaged: an out-of-range device count or report length is refused
// with a log line, never looped over or used for a transfer.
#include "device/device_entry.h"
#include "features/device_table_file.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

namespace {
const QByteArray EntryRest = "type=1\nvid=0x1234\npid=0x5678\nusagePage=0xff00\nusage=0xff00\n"
                             "usagePage2=0xff01\nusage2=0xff01\n";
}

class TestDeviceTableFile : public QObject {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TestDeviceTableFile)
#include "tst_device_table_file.moc"
