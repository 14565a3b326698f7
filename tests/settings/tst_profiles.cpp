// Profile slots: export, import, reset, copy and the current slot.
#include "app/myqquickview.h"
#include "tests/settings/settings_fixture.h"
#include <QStandardPaths>
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
    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<myQQuickView> view;

    QString slotValue(int slot)
    {
        const int previous = view->profiles().currentSlot();
        view->setCurrentProfile(slot);
        const QString value = view->getData(QStringLiteral("mouse/slot"), false).toString();
        view->setCurrentProfile(previous);
        return value;
    }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        dialogs = std::make_unique<RecordingDialogs>();
        view = std::make_unique<myQQuickView>();
    }
    void cleanup()
    {
        view.reset();
        dialogs.reset();
        work.reset();
    }

    void exportAndImportAreByteIdentical()
    {
        view->setCurrentProfile(2);
        view->setData(QStringLiteral("mouse/name"), QString(QChar(0x4e2d)) + QStringLiteral(",x"));
        const QString exported = work->path(QStringLiteral("out.pf"));
        dialogs->answers << exported;
        view->saveProfile(2);
        QCOMPARE(work->read(QStringLiteral("out.pf")), work->read(slotFile(2)));
        QVERIFY(work->read(QStringLiteral("out.pf")).contains("name=\"\\x4e2d,x\""));
        dialogs->answers << exported;
        QVERIFY(view->loadProfile(4));
        QCOMPARE(work->read(slotFile(4)), work->read(QStringLiteral("out.pf")));
        QCOMPARE(slotValue(4), QStringLiteral("3"));
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QCOMPARE(dialogs->asked, (QStringList{QStringLiteral("save|Save File|") + desktop + QStringLiteral("|Profile(*.pf)"),
                                              QStringLiteral("open|Open File|") + desktop + QStringLiteral("|Profile(*.pf)")}));
    }

    void exportReplacesAnExistingFileOnlyWhenComplete()
    {
        work->write(QStringLiteral("old.pf"), "old content\n");
        dialogs->answers << work->path(QStringLiteral("old.pf"));
        view->saveProfile(0);
        QCOMPARE(work->read(QStringLiteral("old.pf")), work->read(slotFile(0)));
        // A slot whose file is missing has nothing to export: the old file stays.
        view.reset();
        QFile::remove(work->path(slotFile(6)));
        view = std::make_unique<myQQuickView>();
        work->write(QStringLiteral("keep.pf"), "keep me\n");
        dialogs->answers << work->path(QStringLiteral("keep.pf"));
        view->saveProfile(6);
        QCOMPARE(work->read(QStringLiteral("keep.pf")), QByteArray("keep me\n"));
    }

    void cancelledDialogsChangeNothing()
    {
        const QByteArray before = work->read(slotFile(0));
        QVERIFY(!view->loadProfile(0));
        view->saveProfile(0);
        QCOMPARE(dialogs->asked.size(), 2);
        QCOMPARE(work->read(slotFile(0)), before);
    }

    void importAcceptsAnyFile()
    {
        const QByteArray junk("\x00\x01 not a profile \xff\n", 20);
        work->write(QStringLiteral("junk.pf"), junk);
        dialogs->answers << work->path(QStringLiteral("junk.pf"));
        QVERIFY(view->loadProfile(0));
        QCOMPARE(work->read(slotFile(0)), junk);
        QCOMPARE(view->getData(QStringLiteral("mouse/slot"), false), QVariant());
        view->setData(QStringLiteral("mouse/slot"), 7);
        QCOMPARE(view->getData(QStringLiteral("mouse/slot"), false).toInt(), 7);
    }

    void failedImportLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("missing file") << QStringLiteral("nowhere.pf");
        QTest::newRow("a directory") << QStringLiteral("modules");
    }
    void failedImportLeavesTheOldFileWhole()
    {
        QFETCH(QString, source);
        view->setCurrentProfile(1);
        view->setData(QStringLiteral("mouse/extra"), 5);
        dialogs->answers << work->path(source);
        QVERIFY(!view->loadProfile(1));
        QCOMPARE(view->getData(QStringLiteral("mouse/slot"), false).toString(), QStringLiteral("2"));
        QCOMPARE(view->getData(QStringLiteral("mouse/extra"), false).toInt(), 5);
        view.reset();
        QCOMPARE(work->read(slotFile(1)), QByteArray("[mouse]\nextra=5\nslot=2\n"));
    }

    void resetOfTheCurrentSlotReadsFactoryValuesAtOnce()
    {
        view->setCurrentProfile(3);
        view->setData(QStringLiteral("mouse/mouseRate"), 5);
        view->setData(QStringLiteral("mouse/onlyHere"), 1);
        view->resetProfile(3);
        QCOMPARE(view->getData(QStringLiteral("mouse/mouseRate"), false).toString(), QStringLiteral("138"));
        QCOMPARE(view->getData(QStringLiteral("mouse/onlyHere"), false), QVariant());
        QCOMPARE(view->getDataList(QStringLiteral("mouse/dpiValueArray"), false),
                 (QVariantList{"800", "1600", "2400"}));
        // Writes made before the reset never land on the new content.
        const QByteArray factory = work->read(QStringLiteral("modules/setting/pD.bin"));
        QCOMPARE(work->read(slotFile(3)), factory);
        QCoreApplication::processEvents();
        view.reset();
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
        view->copyProfile(dest, src);
        QCOMPARE(work->read(slotFile(dest)), work->read(slotFile(src)));
        QCOMPARE(slotValue(dest), QString::number(src + 1));
        QCOMPARE(slotValue(src), QString::number(src + 1));
    }

    void copyTakesTheSourcesPendingWrites()
    {
        view->setCurrentProfile(5);
        view->setData(QStringLiteral("mouse/fresh"), QStringLiteral("yes"));
        view->copyProfile(1, 5);
        QCOMPARE(work->read(slotFile(1)), work->read(slotFile(5)));
        view->setCurrentProfile(1);
        QCOMPARE(view->getData(QStringLiteral("mouse/fresh"), false).toString(), QStringLiteral("yes"));
    }

    void importOfAnotherSlotsFileTakesItsPendingWrites()
    {
        view->setCurrentProfile(7);
        view->setData(QStringLiteral("mouse/fresh"), QStringLiteral("yes"));
        dialogs->answers << work->path(slotFile(7));
        QVERIFY(view->loadProfile(0));
        view->setCurrentProfile(0);
        QCOMPARE(view->getData(QStringLiteral("mouse/fresh"), false).toString(), QStringLiteral("yes"));
        QCOMPARE(view->getData(QStringLiteral("mouse/slot"), false).toString(), QStringLiteral("8"));
    }

    void copyOntoItselfChangesNothing()
    {
        view->setCurrentProfile(2);
        view->setData(QStringLiteral("mouse/pending"), 1);
        view->copyProfile(2, 2);
        QCOMPARE(view->getData(QStringLiteral("mouse/pending"), false).toInt(), 1);
        view.reset();
        QCOMPARE(work->read(slotFile(2)), QByteArray("[mouse]\npending=1\nslot=3\n"));
    }

    void sameSizeReplacementsAreSeen()
    {
        // Two different contents of the same size in quick succession: the
        // handle must re-read each time.
        work->write(QStringLiteral("a.pf"), "[mouse]\nslot=A\n");
        work->write(QStringLiteral("b.pf"), "[mouse]\nslot=B\n");
        for (int round = 0; round < 3; ++round) {
            dialogs->answers << work->path(QStringLiteral("a.pf"));
            QVERIFY(view->loadProfile(0));
            QCOMPARE(slotValue(0), QStringLiteral("A"));
            dialogs->answers << work->path(QStringLiteral("b.pf"));
            QVERIFY(view->loadProfile(0));
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
        dialogs->answers << work->path(QStringLiteral("x.pf")) << work->path(QStringLiteral("x.pf"));
        work->write(QStringLiteral("x.pf"), "[mouse]\nslot=X\n");
        view->saveProfile(slot);
        QVERIFY(!view->loadProfile(slot));
        view->resetProfile(slot);
        view->copyProfile(slot, 0);
        view->copyProfile(0, slot);
        view->setCurrentProfile(slot);
        QVERIFY(dialogs->asked.isEmpty());
        QCOMPARE(view->profiles().currentSlot(), 0);
        QCOMPARE(slotValue(0), QStringLiteral("1"));
        QCOMPARE(work->read(QStringLiteral("x.pf")), QByteArray("[mouse]\nslot=X\n"));
    }

    void setCurrentProfilePersistsNothing()
    {
        const QByteArray config = work->read(QStringLiteral("modules/setting/apConfig.bin"));
        view->setCurrentProfile(5);
        QCOMPARE(slotValue(5), QStringLiteral("6"));
        view.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/apConfig.bin")), config);
        view = std::make_unique<myQQuickView>();
        QCOMPARE(view->profiles().currentSlot(), 0);
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
