// The generic key accessors of the configuration store and resetApconfig.
#include "app/myqquickview.h"
#include "tests/settings/settings_fixture.h"
#include <QJSEngine>
#include <QtTest>

class TestConfigStore : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<myQQuickView> view;

    void reopen()
    {
        view.reset();
        view = std::make_unique<myQQuickView>();
    }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        view = std::make_unique<myQQuickView>();
    }
    void cleanup()
    {
        view.reset();
        work.reset();
    }

    void recoveryReads_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("isRecovery");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("current profile") << "mouse/slot" << false << QVariant(QStringLiteral("1"));
        QTest::newRow("factory profile") << "mouse/slot" << true << QVariant(QStringLiteral("D"));
        QTest::newRow("only in factory, normal read") << "mouse/mouseRate" << false << QVariant();
        QTest::newRow("only in factory, recovery read") << "mouse/mouseRate" << true << QVariant(QStringLiteral("138"));
        QTest::newRow("absent everywhere") << "mouse/none" << true << QVariant();
    }
    void recoveryReads()
    {
        QFETCH(QString, key);
        QFETCH(bool, isRecovery);
        QFETCH(QVariant, expected);
        QCOMPARE(view->getData(key, isRecovery), expected);
    }

    void listReads_data()
    {
        QTest::addColumn<QByteArray>("fileValue");
        QTest::addColumn<QVariantList>("expected");
        QTest::newRow("one-item list from another writer") << QByteArray("Standard0") << QVariantList();
        QTest::newRow("plain number") << QByteArray("800") << QVariantList();
        QTest::newRow("quoted comma is one item") << QByteArray("\"1,A\"") << QVariantList();
        QTest::newRow("two items") << QByteArray("800, 1600") << QVariantList{"800", "1600"};
        QTest::newRow("escaped items") << QByteArray("\\x25ba, b") << QVariantList{QString(QChar(0x25ba)), "b"};
        QTest::newRow("empty list") << QByteArray("@Invalid()") << QVariantList();
    }
    void listReads()
    {
        QFETCH(QByteArray, fileValue);
        QFETCH(QVariantList, expected);
        view.reset();
        work->write(QStringLiteral("modules/setting/p1.bin"), "[mouse]\nlist=" + fileValue + "\n");
        view = std::make_unique<myQQuickView>();
        QCOMPARE(view->getDataList(QStringLiteral("mouse/list"), false), expected);
        QCOMPARE(view->getDataList(QStringLiteral("mouse/absent"), false), QVariantList());
    }

    void listWritesComeBackAsStrings()
    {
        view->setDataList(QStringLiteral("mouse/dpiValueArray"), QVariantList{800, 1600, 2400});
        const QVariantList expected{"800", "1600", "2400"};
        QCOMPARE(view->getDataList(QStringLiteral("mouse/dpiValueArray"), false), expected);
        reopen();
        QCOMPARE(view->getDataList(QStringLiteral("mouse/dpiValueArray"), false), expected);
        QVERIFY(work->read(QStringLiteral("modules/setting/p1.bin")).contains("dpiValueArray=800, 1600, 2400\n"));
    }

    // Arrays and objects the scene's JavaScript passes to a QVariant
    // parameter reach the files as plain lists, not as opaque blobs.
    void sceneArraysAreWrittenAsLists_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("setGlobalData") << "setGlobalData('mouse/selectGun', [0, 4, 2])"
                                       << "modules/setting/apConfig.bin" << QByteArray("selectGun=0, 4, 2\n");
        QTest::newRow("setData") << "setData('mouse/dpiEnableArray', [1, 1, 0])"
                                 << "modules/setting/p1.bin" << QByteArray("dpiEnableArray=1, 1, 0\n");
        QTest::newRow("setData, texts") << "setData('mouse/names', ['a', 'b,c'])"
                                        << "modules/setting/p1.bin" << QByteArray("names=a, \"b,c\"\n");
        QTest::newRow("setDataList") << "setDataList('mouse/dpiValueArray', [800, 1600])"
                                     << "modules/setting/p1.bin" << QByteArray("dpiValueArray=800, 1600\n");
        QTest::newRow("setXYSensitive") << "setXYSensitive(2, [3, -4])"
                                        << "modules/setting/p1.bin" << QByteArray("2=3, -4\n");
        QTest::newRow("setSelectGun") << "setSelectGun(1, [5, 6])"
                                      << "modules/setting/p1.bin" << QByteArray("1=5, 6\n");
        QTest::newRow("scalar stays plain") << "setData('mouse/dpiCount', 6)"
                                            << "modules/setting/p1.bin" << QByteArray("dpiCount=6\n");
    }
    void sceneArraysAreWrittenAsLists()
    {
        QFETCH(QString, call);
        QFETCH(QString, file);
        QFETCH(QByteArray, line);
        {
            QJSEngine engine;
            QJSEngine::setObjectOwnership(view.get(), QJSEngine::CppOwnership);
            engine.globalObject().setProperty(QStringLiteral("ui_View"), engine.newQObject(view.get()));
            const QJSValue r = engine.evaluate(QStringLiteral("ui_View.") + call);
            QVERIFY2(!r.isError(), qPrintable(r.toString()));
        }
        reopen();
        const QByteArray text = work->read(file);
        QVERIFY2(text.contains(line), text.constData());
        QVERIFY(!text.contains("@Variant"));
    }

    void oneItemStringListReadsAsEmptyListBeforeAndAfterTheDisk()
    {
        view->setData(QStringLiteral("mouse/names"), QStringList{QStringLiteral("solo")});
        QCOMPARE(view->getDataList(QStringLiteral("mouse/names"), false), QVariantList());
        reopen();
        QCOMPARE(view->getData(QStringLiteral("mouse/names"), false).toString(), QStringLiteral("solo"));
        QCOMPARE(view->getDataList(QStringLiteral("mouse/names"), false), QVariantList());
    }

    void writesVisibleBeforeTheyReachTheDisk()
    {
        view->setData(QStringLiteral("mouse/lod"), 168);
        view->setGlobalData(QStringLiteral("common/language"), QStringLiteral("French"));
        QCOMPARE(view->getData(QStringLiteral("mouse/lod"), false).toInt(), 168);
        QCOMPARE(view->getGlobalData(QStringLiteral("common/language")).toString(), QStringLiteral("French"));
        QVERIFY(!work->read(QStringLiteral("modules/setting/p1.bin")).contains("lod"));
        QCoreApplication::processEvents(); // the handles write back from the event loop
        QVERIFY(work->read(QStringLiteral("modules/setting/p1.bin")).contains("lod=168\n"));
        QVERIFY(work->read(QStringLiteral("modules/setting/apConfig.bin")).contains("language=French\n"));
    }

    void writesGoToTheCurrentSlotNeverToTheFactoryProfile()
    {
        const QByteArray factory = work->read(QStringLiteral("modules/setting/pD.bin"));
        view->setCurrentProfile(3);
        view->setData(QStringLiteral("mouse/slot"), QStringLiteral("changed"));
        view->setDataList(QStringLiteral("mouse/dpiValueArray"), QVariantList{100, 200});
        view.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/pD.bin")), factory);
        QVERIFY(work->read(QStringLiteral("modules/setting/p4.bin")).contains("slot=changed\n"));
        QVERIFY(work->read(QStringLiteral("modules/setting/p1.bin")).contains("slot=1\n"));
    }

    void slotOutsideRangeIsIgnored_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("-1") << -1;
        QTest::newRow("10") << 10;
        QTest::newRow("large") << 1000000;
    }
    void slotOutsideRangeIsIgnored()
    {
        QFETCH(int, slot);
        view->setCurrentProfile(4);
        view->setCurrentProfile(slot);
        QCOMPARE(view->profiles().currentSlot(), 4);
        QCOMPARE(view->getData(QStringLiteral("mouse/slot"), false).toString(), QStringLiteral("5"));
    }

    void cachedTraitsAreReadOnce()
    {
        QVERIFY(!view->config().traits().is560());
        QVERIFY(view->config().traits().gun);
        QVERIFY(view->config().traits().colorful);
        QVERIFY(!view->config().traits().is55328);
        view->setGlobalData(QStringLiteral("mouse/icType"), QStringLiteral("560"));
        view->setGlobalData(QStringLiteral("mouse/isGun"), false);
        QVERIFY(!view->config().traits().is560());
        QVERIFY(view->config().traits().gun);
        QCOMPARE(view->getGlobalData(QStringLiteral("mouse/icType")).toString(), QStringLiteral("560"));
    }

    void resetApconfigKeepsCachedTraits()
    {
        view->setGlobalData(QStringLiteral("common/language"), QStringLiteral("French"));
        view->resetApconfig();
        QCOMPARE(view->getGlobalData(QStringLiteral("common/language")).toString(), QStringLiteral("German"));
        QCOMPARE(view->getGlobalData(QStringLiteral("mouse/icType")).toString(), QStringLiteral("560"));
        QVERIFY(!view->config().traits().is560());
        QVERIFY(view->config().traits().gun);
        QVERIFY(view->config().traits().colorful);
        QVERIFY(!view->config().traits().is55328);
        // The write made before the reset does not come back later.
        const QByteArray factory = work->read(QStringLiteral("modules/setting/apConfigD.bin"));
        view.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/apConfig.bin")), factory);
    }

    void resetApconfigWithoutFactoryFileKeepsLiveFile()
    {
        QFile::remove(work->path(QStringLiteral("modules/setting/apConfigD.bin")));
        const QByteArray live = work->read(QStringLiteral("modules/setting/apConfig.bin"));
        view->resetApconfig();
        QCOMPARE(view->getGlobalData(QStringLiteral("common/language")).toString(), QStringLiteral("English"));
        view.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/apConfig.bin")), live);
    }

    void missingFilesReadAsEmptyAndAreCreatedOnWrite()
    {
        view.reset();
        QFile::remove(work->path(QStringLiteral("modules/setting/p2.bin")));
        view = std::make_unique<myQQuickView>();
        view->setCurrentProfile(1);
        QCOMPARE(view->getData(QStringLiteral("mouse/slot"), false), QVariant());
        QCOMPARE(view->getDataList(QStringLiteral("mouse/slot"), false), QVariantList());
        view->setData(QStringLiteral("mouse/slot"), 2);
        view.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/p2.bin")), QByteArray("[mouse]\nslot=2\n"));
    }
};

QTEST_MAIN(TestConfigStore)
#include "tst_config_store.moc"
