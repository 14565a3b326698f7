// Profile slots: export, import, reset, copy and the current slot.
#include "tests/settings/settings_fixture.h"
#include <QtTest>

namespace {
QString slotFile(int slot)
{
    return QStringLiteral("modules/setting/p%1.bin").arg(slot + 1);
}
} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<SettingsStores> stores;

    ProfileStore& profiles() { return stores->profiles; }
    QString slotValue(int slot)
    {
        const int previous = profiles().currentSlot();
        profiles().setCurrentSlot(slot);
        const QString value = profiles().value(QStringLiteral("mouse/slot"), false).toString();
        profiles().setCurrentSlot(previous);
        return value;
    }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        stores = std::make_unique<SettingsStores>();
    }
    void cleanup()
    {
        stores.reset();
        work.reset();
    }

    void exportAndImportAreByteIdentical()
    {
        profiles().setCurrentSlot(2);
        profiles().setValue(QStringLiteral("mouse/name"), QString(QChar(0x4e2d)) + QStringLiteral(",x"));
        const QString exported = work->path(QStringLiteral("out.pf"));
        QVERIFY(profiles().exportSlot(2, exported));
        QCOMPARE(work->read(QStringLiteral("out.pf")), work->read(slotFile(2)));
        QVERIFY(work->read(QStringLiteral("out.pf")).contains("name=\"\\x4e2d,x\""));
        QVERIFY(profiles().importSlot(4, exported));
        QCOMPARE(work->read(slotFile(4)), work->read(QStringLiteral("out.pf")));
        QCOMPARE(slotValue(4), QStringLiteral("3"));
    }

    void exportReplacesAnExistingFileOnlyWhenComplete()
    {
        work->write(QStringLiteral("old.pf"), "old content\n");
        QVERIFY(profiles().exportSlot(0, work->path(QStringLiteral("old.pf"))));
        QCOMPARE(work->read(QStringLiteral("old.pf")), work->read(slotFile(0)));
        // A slot whose file is missing has nothing to export: the old file stays.
        stores.reset();
        QFile::remove(work->path(slotFile(6)));
        stores = std::make_unique<SettingsStores>();
        work->write(QStringLiteral("keep.pf"), "keep me\n");
        QVERIFY(!profiles().exportSlot(6, work->path(QStringLiteral("keep.pf"))));
        QCOMPARE(work->read(QStringLiteral("keep.pf")), QByteArray("keep me\n"));
    }

    void importAcceptsAnyFile()
    {
        const QByteArray junk("\x00\x01 not a profile \xff\n", 20);
        work->write(QStringLiteral("junk.pf"), junk);
        QVERIFY(profiles().importSlot(0, work->path(QStringLiteral("junk.pf"))));
        QCOMPARE(work->read(slotFile(0)), junk);
        QCOMPARE(profiles().value(QStringLiteral("mouse/slot"), false), QVariant());
        profiles().setValue(QStringLiteral("mouse/slot"), 7);
        QCOMPARE(profiles().value(QStringLiteral("mouse/slot"), false).toInt(), 7);
    }

    void failedImportLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("missing file") << QStringLiteral("nowhere.pf");
        QTest::newRow("a directory") << QStringLiteral("modules");
        QTest::newRow("no path") << QString();
    }
    void failedImportLeavesTheOldFileWhole()
    {
        QFETCH(QString, source);
        profiles().setCurrentSlot(1);
        profiles().setValue(QStringLiteral("mouse/extra"), 5);
        QVERIFY(!profiles().importSlot(1, source.isEmpty() ? source : work->path(source)));
        QCOMPARE(profiles().value(QStringLiteral("mouse/slot"), false).toString(), QStringLiteral("2"));
        QCOMPARE(profiles().value(QStringLiteral("mouse/extra"), false).toInt(), 5);
        stores.reset();
        QCOMPARE(work->read(slotFile(1)), QByteArray("[mouse]\nextra=5\nslot=2\n"));
    }

    void resetOfTheCurrentSlotReadsFactoryValuesAtOnce()
    {
        profiles().setCurrentSlot(3);
        profiles().setValue(QStringLiteral("mouse/mouseRate"), 5);
        profiles().setValue(QStringLiteral("mouse/onlyHere"), 1);
        profiles().resetSlot(3);
        QCOMPARE(profiles().value(QStringLiteral("mouse/mouseRate"), false).toString(), QStringLiteral("138"));
        QCOMPARE(profiles().value(QStringLiteral("mouse/onlyHere"), false), QVariant());
        QCOMPARE(profiles().list(QStringLiteral("mouse/dpiValueArray"), false), (QVariantList{"800", "1600", "2400"}));
        // Writes made before the reset never land on the new content.
        const QByteArray factory = work->read(QStringLiteral("modules/setting/pD.bin"));
        QCOMPARE(work->read(slotFile(3)), factory);
        QCoreApplication::processEvents();
        stores.reset();
        QCOMPARE(work->read(slotFile(3)), factory);
        QVERIFY(!QFileInfo::exists(work->path(slotFile(3) + QStringLiteral(".lock"))));
    }

    void copyBothWays_data()
    {
        QTest::addColumn<int>("dest");
        QTest::addColumn<int>("src");
        QTest::newRow("1 <- 5") << 1 << 5;
        QTest::newRow("5 <- 1") << 5 << 1;
        QTest::newRow("0 <- 9") << 0 << 9;
    }
    void copyBothWays()
    {
        QFETCH(int, dest);
        QFETCH(int, src);
        profiles().copySlot(dest, src);
        QCOMPARE(work->read(slotFile(dest)), work->read(slotFile(src)));
        QCOMPARE(slotValue(dest), QString::number(src + 1));
        QCOMPARE(slotValue(src), QString::number(src + 1));
    }

    void copyTakesTheSourcesPendingWrites()
    {
        profiles().setCurrentSlot(5);
        profiles().setValue(QStringLiteral("mouse/fresh"), QStringLiteral("yes"));
        profiles().copySlot(1, 5);
        QCOMPARE(work->read(slotFile(1)), work->read(slotFile(5)));
        profiles().setCurrentSlot(1);
        QCOMPARE(profiles().value(QStringLiteral("mouse/fresh"), false).toString(), QStringLiteral("yes"));
    }

    void importOfAnotherSlotsFileTakesItsPendingWrites()
    {
        profiles().setCurrentSlot(7);
        profiles().setValue(QStringLiteral("mouse/fresh"), QStringLiteral("yes"));
        QVERIFY(profiles().importSlot(0, work->path(slotFile(7))));
        profiles().setCurrentSlot(0);
        QCOMPARE(profiles().value(QStringLiteral("mouse/fresh"), false).toString(), QStringLiteral("yes"));
        QCOMPARE(profiles().value(QStringLiteral("mouse/slot"), false).toString(), QStringLiteral("8"));
    }

    void copyOntoItselfChangesNothing()
    {
        profiles().setCurrentSlot(2);
        profiles().setValue(QStringLiteral("mouse/pending"), 1);
        profiles().copySlot(2, 2);
        QCOMPARE(profiles().value(QStringLiteral("mouse/pending"), false).toInt(), 1);
        stores.reset();
        QCOMPARE(work->read(slotFile(2)), QByteArray("[mouse]\npending=1\nslot=3\n"));
    }

    void sameSizeReplacementsAreSeen()
    {
        // Two different contents of the same size in quick succession: the
        // handle must re-read each time.
        work->write(QStringLiteral("a.pf"), "[mouse]\nslot=A\n");
        work->write(QStringLiteral("b.pf"), "[mouse]\nslot=B\n");
        for (int round = 0; round < 3; ++round) {
            QVERIFY(profiles().importSlot(0, work->path(QStringLiteral("a.pf"))));
            QCOMPARE(slotValue(0), QStringLiteral("A"));
            QVERIFY(profiles().importSlot(0, work->path(QStringLiteral("b.pf"))));
            QCOMPARE(slotValue(0), QStringLiteral("B"));
        }
    }

    void slotNumbersOutsideRangeAreIgnored_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("-1") << -1;
        QTest::newRow("10") << 10;
        QTest::newRow("99") << 99;
    }
    void slotNumbersOutsideRangeAreIgnored()
    {
        QFETCH(int, slot);
        const QString exchange = work->path(QStringLiteral("x.pf"));
        work->write(QStringLiteral("x.pf"), "[mouse]\nslot=X\n");
        QCOMPARE(profiles().slot(slot), nullptr);
        QVERIFY(!profiles().exportSlot(slot, exchange));
        QVERIFY(!profiles().importSlot(slot, exchange));
        profiles().resetSlot(slot);
        profiles().copySlot(slot, 0);
        profiles().copySlot(0, slot);
        profiles().setCurrentSlot(slot);
        QCOMPARE(profiles().currentSlot(), 0);
        QCOMPARE(slotValue(0), QStringLiteral("1"));
        QCOMPARE(work->read(QStringLiteral("x.pf")), QByteArray("[mouse]\nslot=X\n"));
    }

    void setCurrentSlotPersistsNothing()
    {
        const QByteArray config = work->read(QStringLiteral("modules/setting/apConfig.bin"));
        profiles().setCurrentSlot(5);
        QCOMPARE(slotValue(5), QStringLiteral("6"));
        stores.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/apConfig.bin")), config);
        stores = std::make_unique<SettingsStores>();
        QCOMPARE(profiles().currentSlot(), 0);
    }
};

QTEST_GUILESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
