// The generic key accessors of the configuration and profile stores, and the
// configuration's factory reset.
#include "settings/file_faults.h"
#include "settings/gun_store.h"
#include "settings/write_failures.h"
#include "tests/settings/settings_fixture.h"
#include <QJSEngine>
#include <QtTest>

namespace {
// Receives a value from JavaScript the way the scene's slots do, so the
// stores get exactly what the scene hands over.
class SceneCall : public QObject {
    Q_OBJECT
public:
    QVariant received;
    Q_INVOKABLE void take(QVariant value) { received = value; }
    Q_INVOKABLE void takeList(QVariantList list) { received = QVariant(list); }
};

// `expression` as a QVariant (or QVariantList, with asList) parameter
// receives it from the scene. The value may refer to the engine, which must
// outlive its use as it does during a scene call.
QVariant fromScene(QJSEngine& engine, const QString& expression, bool asList)
{
    SceneCall call;
    QJSEngine::setObjectOwnership(&call, QJSEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("call"), engine.newQObject(&call));
    const QJSValue r = engine.evaluate(QLatin1String(asList ? "call.takeList(" : "call.take(") + expression
                                       + QLatin1Char(')'));
    if (r.isError())
        qWarning() << r.toString();
    return call.received;
}
} // namespace

class TestConfigStore : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<SettingsStores> stores;

    ConfigStore& config() { return stores->config; }
    ProfileStore& profiles() { return stores->profiles; }
    void reopen()
    {
        stores.reset();
        stores = std::make_unique<SettingsStores>();
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
        QCOMPARE(profiles().value(key, isRecovery), expected);
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
        stores.reset();
        work->write(QStringLiteral("modules/setting/p1.bin"), "[mouse]\nlist=" + fileValue + "\n");
        stores = std::make_unique<SettingsStores>();
        QCOMPARE(profiles().list(QStringLiteral("mouse/list"), false), expected);
        QCOMPARE(profiles().list(QStringLiteral("mouse/absent"), false), QVariantList());
    }

    void listWritesComeBackAsStrings()
    {
        profiles().setValue(QStringLiteral("mouse/dpiValueArray"), QVariantList{800, 1600, 2400});
        const QVariantList expected{"800", "1600", "2400"};
        QCOMPARE(profiles().list(QStringLiteral("mouse/dpiValueArray"), false), expected);
        reopen();
        QCOMPARE(profiles().list(QStringLiteral("mouse/dpiValueArray"), false), expected);
        QVERIFY(work->read(QStringLiteral("modules/setting/p1.bin")).contains("dpiValueArray=800, 1600, 2400\n"));
    }

    // Arrays and objects the scene's JavaScript passes to a QVariant
    // parameter reach the files as plain lists, not as opaque blobs.
    void sceneArraysAreWrittenAsLists_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("line");
        const QString config = QStringLiteral("modules/setting/apConfig.bin");
        const QString slot1 = QStringLiteral("modules/setting/p1.bin");
        QTest::newRow("configuration") << "config" << "mouse/selectGun" << "[0, 4, 2]" << config
                                       << QByteArray("selectGun=0, 4, 2\n");
        QTest::newRow("profile") << "profile" << "mouse/dpiEnableArray" << "[1, 1, 0]" << slot1
                                 << QByteArray("dpiEnableArray=1, 1, 0\n");
        QTest::newRow("profile, texts") << "profile" << "mouse/names" << "['a', 'b,c']" << slot1
                                        << QByteArray("names=a, \"b,c\"\n");
        QTest::newRow("profile, list parameter") << "profileList" << "mouse/dpiValueArray" << "[800, 1600]" << slot1
                                                 << QByteArray("dpiValueArray=800, 1600\n");
        QTest::newRow("XY sensitivity") << "xy" << "2" << "[3, -4]" << slot1 << QByteArray("2=3, -4\n");
        QTest::newRow("gun selection") << "selectGun" << "1" << "[5, 6]" << slot1 << QByteArray("1=5, 6\n");
        QTest::newRow("scalar stays plain") << "profile" << "mouse/dpiCount" << "6" << slot1
                                            << QByteArray("dpiCount=6\n");
    }
    void sceneArraysAreWrittenAsLists()
    {
        QFETCH(QString, store);
        QFETCH(QString, key);
        QFETCH(QString, expression);
        QFETCH(QString, file);
        QFETCH(QByteArray, line);
        QJSEngine engine;
        const QVariant value = fromScene(engine, expression, store == QLatin1String("profileList"));
        QVERIFY(value.isValid());
        GunStore guns(profiles());
        if (store == QLatin1String("config"))
            config().setValue(key, value);
        else if (store == QLatin1String("xy"))
            guns.setXYSensitivity(key, value);
        else if (store == QLatin1String("selectGun"))
            guns.setSelectedGun(key, value);
        else
            profiles().setValue(key, value);
        reopen();
        const QByteArray text = work->read(file);
        QVERIFY2(text.contains(line), text.constData());
        QVERIFY(!text.contains("@Variant"));
    }

    void oneItemStringListReadsAsEmptyListBeforeAndAfterTheDisk()
    {
        profiles().setValue(QStringLiteral("mouse/names"), QStringList{QStringLiteral("solo")});
        QCOMPARE(profiles().list(QStringLiteral("mouse/names"), false), QVariantList());
        reopen();
        QCOMPARE(profiles().value(QStringLiteral("mouse/names"), false).toString(), QStringLiteral("solo"));
        QCOMPARE(profiles().list(QStringLiteral("mouse/names"), false), QVariantList());
    }

    void writesVisibleBeforeTheyReachTheDisk()
    {
        profiles().setValue(QStringLiteral("mouse/lod"), 168);
        config().setValue(QStringLiteral("common/language"), QStringLiteral("French"));
        QCOMPARE(profiles().value(QStringLiteral("mouse/lod"), false).toInt(), 168);
        QCOMPARE(config().value(QStringLiteral("common/language")).toString(), QStringLiteral("French"));
        QVERIFY(!work->read(QStringLiteral("modules/setting/p1.bin")).contains("lod"));
        QCoreApplication::processEvents(); // the handles write back from the event loop
        QVERIFY(work->read(QStringLiteral("modules/setting/p1.bin")).contains("lod=168\n"));
        QVERIFY(work->read(QStringLiteral("modules/setting/apConfig.bin")).contains("language=French\n"));
    }

    void writesGoToTheCurrentSlotNeverToTheFactoryProfile()
    {
        const QByteArray factory = work->read(QStringLiteral("modules/setting/pD.bin"));
        profiles().setCurrentSlot(3);
        profiles().setValue(QStringLiteral("mouse/slot"), QStringLiteral("changed"));
        profiles().setValue(QStringLiteral("mouse/dpiValueArray"), QVariantList{100, 200});
        stores.reset();
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
        profiles().setCurrentSlot(4);
        profiles().setCurrentSlot(slot);
        QCOMPARE(profiles().currentSlot(), 4);
        QCOMPARE(profiles().value(QStringLiteral("mouse/slot"), false).toString(), QStringLiteral("5"));
    }

    void cachedTraitsAreReadOnce()
    {
        QVERIFY(!config().traits().is560());
        QVERIFY(config().traits().gun);
        QVERIFY(config().traits().colorful);
        QVERIFY(!config().traits().is55328);
        config().setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
        config().setValue(QStringLiteral("mouse/isGun"), false);
        QVERIFY(!config().traits().is560());
        QVERIFY(config().traits().gun);
        QCOMPARE(config().value(QStringLiteral("mouse/icType")).toString(), QStringLiteral("560"));
    }

    void resetToFactoryKeepsCachedTraits()
    {
        config().setValue(QStringLiteral("common/language"), QStringLiteral("French"));
        config().resetToFactory();
        QCOMPARE(config().value(QStringLiteral("common/language")).toString(), QStringLiteral("German"));
        QCOMPARE(config().value(QStringLiteral("mouse/icType")).toString(), QStringLiteral("560"));
        QVERIFY(!config().traits().is560());
        QVERIFY(config().traits().gun);
        QVERIFY(config().traits().colorful);
        QVERIFY(!config().traits().is55328);
        // The write made before the reset does not come back later.
        const QByteArray factory = work->read(QStringLiteral("modules/setting/apConfigD.bin"));
        stores.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/apConfig.bin")), factory);
    }

    void resetToFactoryWithoutFactoryFileKeepsLiveFile()
    {
        QFile::remove(work->path(QStringLiteral("modules/setting/apConfigD.bin")));
        const QByteArray live = work->read(QStringLiteral("modules/setting/apConfig.bin"));
        config().resetToFactory();
        QCOMPARE(config().value(QStringLiteral("common/language")).toString(), QStringLiteral("English"));
        stores.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/apConfig.bin")), live);
    }

    // A profile edit on a disk that fails at one step of the write, written
    // by an explicit flush or by the handle's own deferred write-back: the
    // user is warned once, the file keeps its content, the edit stays in
    // memory and reaches the disk on the next try once there is space.
    void failedWritesAreToldAndKept_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("deferred");
        for (const char* step : {"lock", "write", "flush", "commit", "rename"}) {
            QTest::addRow("%s, flushed", step) << QString::fromLatin1(step) << false;
            QTest::addRow("%s, written back", step) << QString::fromLatin1(step) << true;
        }
    }
    void failedWritesAreToldAndKept()
    {
        QFETCH(QString, step);
        QFETCH(bool, deferred);
        QStringList warnings;
        WriteFailures::setWarner([&](const QString&, const QString& text) { warnings << text; });
        const QString file = QStringLiteral("modules/setting/p1.bin");
        const QByteArray before = work->read(file);
        FileFaults::Step s;
        QVERIFY(FileFaults::stepFromName(step, s));
        FileFaults::failNext(s, QStringLiteral("No space left on device"), -1);
        for (int attempt = 0; attempt < 2; ++attempt) {
            profiles().setValue(QStringLiteral("mouse/mouseRate"), 40 + attempt);
            QString reason;
            if (deferred)
                QCoreApplication::processEvents();
            else
                QVERIFY(!profiles().writePending(&reason));
            QCoreApplication::processEvents();
            QCOMPARE(work->read(file), before);
            if (!deferred)
                QCOMPARE(reason, QStringLiteral("No space left on device"));
        }
        QCOMPARE(warnings, QStringList{WriteFailures::warningText(file, QStringLiteral("No space left on device"))});
        QCOMPARE(profiles().value(QStringLiteral("mouse/mouseRate"), false).toInt(), 41);
        FileFaults::clear();
        QVERIFY(profiles().writePending());
        QVERIFY(work->read(file).contains("mouseRate=41"));
        WriteFailures::setWarner({});
    }

    void missingFilesReadAsEmptyAndAreCreatedOnWrite()
    {
        stores.reset();
        QFile::remove(work->path(QStringLiteral("modules/setting/p2.bin")));
        stores = std::make_unique<SettingsStores>();
        profiles().setCurrentSlot(1);
        QCOMPARE(profiles().value(QStringLiteral("mouse/slot"), false), QVariant());
        QCOMPARE(profiles().list(QStringLiteral("mouse/slot"), false), QVariantList());
        profiles().setValue(QStringLiteral("mouse/slot"), 2);
        stores.reset();
        QCOMPARE(work->read(QStringLiteral("modules/setting/p2.bin")), QByteArray("[mouse]\nslot=2\n"));
    }
};

QTEST_GUILESS_MAIN(TestConfigStore)
#include "tst_config_store.moc"
