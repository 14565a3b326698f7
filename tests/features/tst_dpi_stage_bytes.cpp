// DPI values to stage bytes for every sensor model, the stage mask and the
// LOD codes.
#include "features/dpi_stage_bytes.h"
#include <QTest>

class DpiStageBytesTest : public QObject {
    Q_OBJECT
private slots:
    void stageByte_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("stageByte");
        QTest::addColumn<bool>("highBit");
        QTest::newRow("4090 800") << "4090" << 800 << 7 << false;
        QTest::newRow("4090 5000") << "4090" << 5000 << 49 << false;
        QTest::newRow("4090 5200") << "4090" << 5200 << 0x5A << false;
        QTest::newRow("4090 16000") << "4090" << 16000 << 0x50 << false;
        QTest::newRow("unknown as 4090 low") << "9999" << 800 << 7 << false;
        QTest::newRow("unknown as 4090 high") << "" << 5200 << 0x5A << false;
        QTest::newRow("3360 100") << "3360" << 100 << 0 << false;
        QTest::newRow("3360 12000") << "3360" << 12000 << 119 << false;
        QTest::newRow("3360 beyond 8 bits") << "3360" << 30000 << (299 & 0xFF) << false;
        QTest::newRow("3050 251") << "3050" << 251 << 2 << false;
        QTest::newRow("3050 250") << "3050" << 250 << 1 << false;
        QTest::newRow("3050 2000") << "3050" << 2000 << 8 << false;
        QTest::newRow("3050 2100") << "3050" << 2100 << 0 << false;
        QTest::newRow("3320 500") << "3320" << 500 << 0x21 << false;
        QTest::newRow("3320 501") << "3320" << 501 << 0x22 << false;
        QTest::newRow("3320 7000") << "3320" << 7000 << 0x2E << false;
        QTest::newRow("3320 7001") << "3320" << 7001 << 0 << false;
        QTest::newRow("3305 400") << "3305" << 400 << 1 << false;
        QTest::newRow("3305 3200") << "3305" << 3200 << 8 << false;
        QTest::newRow("3305 3201") << "3305" << 3201 << 0 << false;
        QTest::newRow("5050 125") << "5050" << 125 << 1 << false;
        QTest::newRow("5050 1375") << "5050" << 1375 << 11 << false;
        QTest::newRow("5050 1376") << "5050" << 1376 << 0 << false;
        QTest::newRow("3389 16000") << "3389" << 16000 << 0x40 << true;
        QTest::newRow("3389 12750") << "3389" << 12750 << 0xFF << false;
        QTest::newRow("3389 12800") << "3389" << 12800 << 0x00 << true;
        QTest::newRow("3389 800") << "3389" << 800 << 16 << false;
    }
    void stageByte()
    {
        QFETCH(QString, sensor);
        QFETCH(int, dpi);
        QFETCH(int, stageByte);
        QFETCH(bool, highBit);
        QCOMPARE(int(dpiStageByte(sensor, dpi)), stageByte);
        QCOMPARE(dpiNeedsHighBit(sensor, dpi), highBit);
    }

    void stageMask_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("mask");
        QTest::newRow("0") << 0 << 0x00;
        QTest::newRow("1") << 1 << 0x01;
        QTest::newRow("3") << 3 << 0x07;
        QTest::newRow("8") << 8 << 0xFF;
        QTest::newRow("beyond 8") << 12 << 0xFF;
        QTest::newRow("negative") << -1 << 0x00;
    }
    void stageMask()
    {
        QFETCH(int, count);
        QFETCH(int, mask);
        QCOMPARE(int(dpiStageMask(count)), mask);
    }

    void lod()
    {
        QCOMPARE(int(lodCode(125)), 0x40);
        QCOMPARE(int(lodCode(108)), 0x34);
        QCOMPARE(int(lodCode(90)), 0x1E);
        QCOMPARE(int(lodCode(0)), 0x1E);
    }
};

QTEST_APPLESS_MAIN(DpiStageBytesTest)
#include "tst_dpi_stage_bytes.moc"
