// Button functions to firmware key entries, entry by entry, and the fire
// matrices of the gun function.
#include "features/key_conversion.h"
#include <QTest>

Q_DECLARE_METATYPE(KeyEntry)

namespace {
KeyEntry e(int t, int b1, int b2, int b3)
{
    return {uchar(t), uchar(b1), uchar(b2), uchar(b3)};
}

QVariantList flat(const QList<KeyEntry>& entries)
{
    QVariantList list;
    for (const KeyEntry& k : entries)
        for (uchar b : k)
            list << int(b);
    return list;
}

KeyMatrix matrix(const QList<KeyEntry>& entries)
{
    KeyMatrix m{};
    for (int i = 0; i < entries.size(); ++i)
        setKeyEntry(m, i, entries.at(i));
    return m;
}

QString hexOf(const KeyMatrix& m)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(m.data()), 64).toHex(' '));
}
} // namespace

class KeyConversionTest : public QObject {
    Q_OBJECT
private slots:
    void entry_data()
    {
        QTest::addColumn<KeyEntry>("ui");
        QTest::addColumn<bool>("is560");
        QTest::addColumn<KeyEntry>("device");
        QTest::newRow("left button") << e(0, 0, 0xF0, 0) << false << e(1, 0, 0xF0, 0);
        QTest::newRow("forward button 560") << e(0, 0, 0xF4, 0) << true << e(1, 0, 0xF4, 0);
        QTest::newRow("double click") << e(0, 0xF0, 0x1E, 2) << false << e(0x0A, 0xF0, 0x1E, 2);
        QTest::newRow("fire") << e(1, 0x1D, 0x0A, 0) << true << e(0x0A, 0x1D, 0x0A, 0);
        QTest::newRow("combination") << e(2, 0x01, 0x1D, 0) << false << e(0, 0x01, 0x1D, 0);
        QTest::newRow("media player") << e(3, 0, 0x83, 1) << false << e(3, 0, 0x83, 1);
        QTest::newRow("macro slot 0") << e(4, 0, 0, 0) << false << e(9, 0, 1, 0);
        QTest::newRow("macro loop slot 5") << e(4, 2, 5, 0) << true << e(9, 2, 6, 0);
        QTest::newRow("dpi+") << e(5, 0, 1, 0) << false << e(7, 0, 1, 0);
        QTest::newRow("dpi loop 560") << e(5, 0, 3, 0) << true << e(7, 0, 3, 0);
        QTest::newRow("sniper 560") << e(5, 0, 4, 0) << true << e(0x0B, 0, 1, 1);
        QTest::newRow("sniper 553") << e(5, 0, 4, 0) << false << e(7, 0, 4, 1);
        QTest::newRow("my pc") << e(6, 0, 0x94, 1) << false << e(3, 0, 0x94, 1);
        QTest::newRow("index") << e(6, 0, 0x23, 2) << true << e(3, 0, 0x23, 2);
        QTest::newRow("search") << e(6, 0, 0x21, 2) << false << e(3, 0, 0x21, 2);
        QTest::newRow("max") << e(6, 4, 0x2C, 0x1B) << false << e(0, 4, 0x2C, 0x1B);
        QTest::newRow("desktop") << e(6, 0, 0xE3, 7) << false << e(0, 0, 0xE3, 7);
        QTest::newRow("save shortcut") << e(7, 0, 0xE0, 0x16) << true << e(0, 0, 0xE0, 0x16);
        QTest::newRow("gun 2") << e(8, 0, 2, 0) << false << e(8, 0, 2, 0);
        QTest::newRow("fixed 14") << e(0xFF, 0, 1, 0) << false << e(4, 0, 1, 0);
        QTest::newRow("unknown type") << e(9, 1, 2, 3) << false << e(9, 1, 2, 3);
        QTest::newRow("consumer rule on a combination") << e(2, 0, 0x21, 2) << false << e(3, 0, 0x21, 2);
        QTest::newRow("consumer rule needs the high byte") << e(6, 0, 0x94, 2) << false << e(0, 0, 0x94, 2);
    }
    void entry()
    {
        QFETCH(KeyEntry, ui);
        QFETCH(bool, is560);
        QFETCH(KeyEntry, device);
        QCOMPARE(toDeviceKeyEntry(ui, is560), device);
    }

    void defaultMatrixAndFixedPositions()
    {
        const QList<KeyEntry> ui = {e(0, 0, 0xF0, 0), e(0, 0, 0xF1, 0), e(0, 0, 0xF2, 0), e(0, 0, 0xF4, 0),
                                    e(0, 0, 0xF3, 0), e(5, 0, 1, 0), e(5, 0, 2, 0), e(0, 0xF0, 0x1E, 2),
                                    e(0, 0, 0, 0), e(0, 0, 0, 0), e(0, 0, 0, 0), e(0, 0, 0, 0),
                                    e(0, 0, 0, 0), e(0, 0, 0, 0), e(0xFF, 0, 1, 0), e(0xFF, 0, 2, 0)};
        const KeyMatrix expected = matrix({e(1, 0, 0xF0, 0), e(1, 0, 0xF1, 0), e(1, 0, 0xF2, 0),
                                           e(1, 0, 0xF3, 0), e(1, 0, 0xF4, 0), e(7, 0, 1, 0),
                                           e(0x0B, 7, 0, 0), e(5, 0, 1, 0), e(1, 0, 0, 0), e(1, 0, 0, 0),
                                           e(1, 0, 0, 0), e(1, 0, 0, 0), e(1, 0, 0, 0), e(1, 0, 0, 0),
                                           e(4, 0, 1, 0), e(4, 0, 2, 0)});
        QCOMPARE(hexOf(toDeviceKeyMatrix(flat(ui), false)), hexOf(expected));
        QCOMPARE(hexOf(toDeviceKeyMatrix(flat(ui), true)), hexOf(expected));
    }

    void valuesAreCutToEightBits()
    {
        QVariantList ui = flat(QList<KeyEntry>(16, e(0, 0, 0, 0)));
        ui[0] = 0x100 + 3;   // media, as 0x103
        ui[2] = 0x183;
        ui[3] = QStringLiteral("1");
        QCOMPARE(keyEntryAt(toDeviceKeyMatrix(ui, false), 0), e(3, 0, 0x83, 1));
    }

    void templateMissingValuesCountAsZero()
    {
        const QList<QVariantList> entries = {{1, 2, 3, 4}, {5}, {}, {QStringLiteral("9"), 8, 7, 6}};
        const KeyMatrix m = keyMatrixFromEntries(entries);
        QCOMPARE(keyEntryAt(m, 0), e(1, 2, 3, 4));
        QCOMPARE(keyEntryAt(m, 1), e(5, 0, 0, 0));
        QCOMPARE(keyEntryAt(m, 2), e(0, 0, 0, 0));
        QCOMPARE(keyEntryAt(m, 3), e(9, 8, 7, 6));
        QCOMPARE(keyEntryAt(m, 15), e(0, 0, 0, 0));
    }

    void gunMatrices_data()
    {
        QTest::addColumn<bool>("is560");
        QTest::addColumn<int>("gun");
        QTest::addColumn<KeyEntry>("d");
        QTest::addColumn<KeyEntry>("f");
        QTest::addColumn<KeyEntry>("f2");
        QTest::addColumn<KeyEntry>("f3");
        QTest::addColumn<int>("mask");
        // The template entry at position 5 is 01 00 F1 00.
        QTest::newRow("553 gun 1") << false << 1 << e(8, 0, 1, 1) << e(8, 0, 1, 0) << e(8, 0, 1, 0) << e(8, 0, 1, 0) << -1;
        QTest::newRow("553 gun 2") << false << 2 << e(8, 0, 1, 1) << e(8, 0, 1, 2) << e(8, 0, 1, 0) << e(8, 0, 1, 0) << -1;
        QTest::newRow("553 gun 3") << false << 3 << e(8, 0, 1, 1) << e(8, 0, 1, 2) << e(8, 0, 1, 3) << e(8, 0, 1, 0) << -1;
        QTest::newRow("553 gun 5") << false << 5 << e(8, 0, 1, 0) << e(8, 0, 1, 0) << e(8, 0, 1, 0) << e(8, 0, 1, 0) << -1;
        QTest::newRow("560 gun 1") << true << 1 << e(8, 0, 1, 0) << e(8, 0, 0, 0) << e(8, 0, 0, 0) << e(8, 0, 0, 0) << 0x07;
        QTest::newRow("560 gun 2") << true << 2 << e(8, 0, 1, 0) << e(8, 0, 3, 0) << e(8, 0, 0, 0) << e(8, 0, 0, 0) << 0x0F;
        QTest::newRow("560 gun 3") << true << 3 << e(8, 0, 1, 0) << e(8, 0, 3, 0) << e(8, 0, 3, 0) << e(8, 0, 0, 0) << 0x1F;
        QTest::newRow("560 gun 0") << true << 0 << e(8, 0, 0, 0) << e(8, 0, 0xF1, 0) << e(8, 0, 0xF1, 0) << e(8, 0, 0xF1, 0) << -1;
    }
    void gunMatrices()
    {
        QFETCH(bool, is560);
        QFETCH(int, gun);
        QFETCH(KeyEntry, d);
        QFETCH(KeyEntry, f);
        QFETCH(KeyEntry, f2);
        QFETCH(KeyEntry, f3);
        QFETCH(int, mask);
        KeyMatrix device{};
        setKeyEntry(device, 2, e(1, 0, 0xF2, 0));
        setKeyEntry(device, 5, e(8, 0, gun, 0));
        KeyMatrix fw{};
        setKeyEntry(fw, 0, e(1, 0, 0xF0, 0));
        setKeyEntry(fw, 2, e(1, 0, 0x22, 0));
        setKeyEntry(fw, 5, e(1, 0, 0xF1, 0));
        const GunMatrices g = buildGunMatrices(device, fw, is560, {10, 20, 30});
        QCOMPARE(keyEntryAt(g.device, 5), d);
        QCOMPARE(keyEntryAt(g.fire1, 5), f);
        QCOMPARE(keyEntryAt(g.fire2, 5), f2);
        QCOMPARE(keyEntryAt(g.fire3, 5), f3);
        QCOMPARE(g.image0Byte2, mask);
        // Entry 0 of the fire matrices carries the three periods; the other
        // entries keep the template, the device matrix its own entries.
        QCOMPARE(keyEntryAt(g.fire1, 0), e(0x0B, 0, 10, 0));
        QCOMPARE(keyEntryAt(g.fire2, 0), e(0x0B, 1, 20, 0));
        QCOMPARE(keyEntryAt(g.fire3, 0), e(0x0B, 2, 30, 0));
        QCOMPARE(keyEntryAt(g.fire2, 2), e(1, 0, 0x22, 0));
        QCOMPARE(keyEntryAt(g.device, 2), e(1, 0, 0xF2, 0));
        QCOMPARE(keyEntryAt(g.device, 0), e(0, 0, 0, 0));
    }

    void gunEntryDetection()
    {
        KeyMatrix m{};
        QVERIFY(!hasGunEntry(m));
        setKeyEntry(m, 15, e(8, 0, 1, 0));
        QVERIFY(hasGunEntry(m));
    }
};

QTEST_APPLESS_MAIN(KeyConversionTest)
#include "tst_key_conversion.moc"
