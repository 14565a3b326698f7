// Lighting effect tables, the attribute block and the packing of stage
// colour indexes.
#include "features/lighting_tables.h"
#include <QTest>

Q_DECLARE_METATYPE(EffectValues)

namespace {
EffectValues v(int m, int l, int t)
{
    return {uchar(m), uchar(l), uchar(t)};
}
}

class LightingTablesTest : public QObject {
    Q_OBJECT
private slots:
    void effects_data()
    {
        QTest::addColumn<bool>("colorful");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("option1");
        QTest::addColumn<int>("option2");
        QTest::addColumn<EffectValues>("expected");
        QTest::newRow("c static b1") << true << 0 << 3 << 1 << v(1, 64, 0);
        QTest::newRow("c static b4") << true << 0 << 0 << 4 << v(1, 255, 0);
        QTest::newRow("c static b0") << true << 0 << 0 << 0 << v(1, 0, 0);
        QTest::newRow("c breath s0") << true << 1 << 0 << 2 << v(3, 0, 10);
        QTest::newRow("c neon s4") << true << 2 << 4 << 2 << v(4, 0, 1);
        QTest::newRow("c effect 3") << true << 3 << 1 << 1 << v(0, 0, 0);
        QTest::newRow("c effect 4") << true << 4 << 1 << 2 << v(2, 128, 0);
        QTest::newRow("c effect 5 example") << true << 5 << 2 << 3 << v(5, 0xC0, 5);
        QTest::newRow("c effect 5 speed out of range") << true << 5 << 5 << 3 << v(5, 0xC0, 0);
        QTest::newRow("c effect 6") << true << 6 << 1 << 1 << v(6, 0, 0);
        QTest::newRow("c effect 7") << true << 7 << 0 << 4 << v(7, 255, 0);
        QTest::newRow("c effect 8") << true << 8 << 1 << 1 << v(8, 64, 17);
        QTest::newRow("c effect 9") << true << 9 << 4 << 2 << v(9, 128, 5);
        QTest::newRow("c effect 10") << true << 10 << 3 << 3 << v(10, 192, 22);
        QTest::newRow("c effect 11") << true << 11 << 1 << 1 << v(0, 0, 0);
        QTest::newRow("p static example") << false << 0 << 0 << 2 << v(1, 5, 1);
        QTest::newRow("p static b4") << false << 0 << 0 << 4 << v(1, 10, 1);
        QTest::newRow("p static out of range") << false << 0 << 0 << 5 << v(1, 0, 1);
        QTest::newRow("p breath") << false << 1 << 2 << 0 << v(2, 3, 1);
        QTest::newRow("p neon s1") << false << 2 << 1 << 0 << v(3, 24, 1);
        QTest::newRow("p neon out of range") << false << 2 << 7 << 0 << v(3, 0, 1);
        QTest::newRow("p effect 3") << false << 3 << 1 << 1 << v(0, 0, 0);
        QTest::newRow("p effect 4") << false << 4 << 0 << 0 << v(2, 1, 3);
        QTest::newRow("p effect 5") << false << 5 << 1 << 1 << v(0, 0, 0);
    }
    void effects()
    {
        QFETCH(bool, colorful);
        QFETCH(int, effect);
        QFETCH(int, option1);
        QFETCH(int, option2);
        QFETCH(EffectValues, expected);
        const EffectValues got = effectValues(colorful, uchar(effect), uchar(option1), uchar(option2));
        QCOMPARE(int(got.mode), int(expected.mode));
        QCOMPARE(int(got.level), int(expected.level));
        QCOMPARE(int(got.third), int(expected.third));
    }

    void attributeBlock()
    {
        QVariantList rgb;
        for (int i = 0; i < 45; ++i)
            rgb << i + 1;
        const auto block = lightingAttributeBlock(1, 50, 2, 0, rgb);
        QCOMPARE(int(block[0]), 0x32);
        QCOMPARE(int(block[1]), 1);
        QCOMPARE(int(block[2]), 0x32);
        QCOMPARE(int(block[3]), 2);
        QCOMPARE(int(block[4]), 0);
        for (int i = 0; i < 45; ++i)
            QCOMPARE(int(block[size_t(5 + i)]), i + 1);
        for (int i = 50; i < 64; ++i)
            QCOMPARE(int(block[size_t(i)]), 0);

        const auto off = lightingAttributeBlock(6, 10, 3, 1, rgb);
        QCOMPARE(int(off[1]), 0);
        QCOMPARE(int(off[2]), 10);
        for (int i = 5; i < 64; ++i)
            QCOMPARE(int(off[size_t(i)]), 0);

        const auto shortList = lightingAttributeBlock(0, 0, 0, 0, {255, 256, 3});
        QCOMPARE(int(shortList[5]), 255);
        QCOMPARE(int(shortList[6]), 0);
        QCOMPARE(int(shortList[7]), 3);
        QCOMPARE(int(shortList[8]), 0);
    }

    void packing()
    {
        const uchar values[8] = {1, 2, 3, 4, 5, 6, 7, 0};
        const auto packed = packStageColorIndexes(values);
        QCOMPARE(int(packed[0]), 0x21);
        QCOMPARE(int(packed[1]), 0x43);
        QCOMPARE(int(packed[2]), 0x65);
        QCOMPARE(int(packed[3]), 0x07);
        const uchar wide[8] = {0x1F, 0x12, 0, 0, 0, 0, 0, 0};
        QCOMPARE(int(packStageColorIndexes(wide)[0]), 0x2F);
    }
};

QTEST_APPLESS_MAIN(LightingTablesTest)
#include "tst_lighting_tables.moc"
