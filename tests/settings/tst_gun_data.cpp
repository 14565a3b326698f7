// Gun presets in ./modules/gun/gunData.bin: the shipped file, the file
// operations, and that the program never creates the file.
#include "settings/gun_store.h"
#include "settings/ini_format.h"
#include "tests/settings/settings_fixture.h"
#include <QTest>

namespace {
const QString Shipped = QStringLiteral(HALCYON_SOURCE_DIR "/data/modules/gun/gunData.bin");
const QString GunFile = QStringLiteral("modules/gun/gunData.bin");

QStringList strings(const QVariantList& list)
{
    QStringList s;
    for (const QVariant& v : list)
        s << v.toString();
    return s;
}
} // namespace

class GunDataTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<SettingsStores> stores;
    std::unique_ptr<GunStore> guns;

    // The preset file is opened on each operation: it may be put in place
    // after the store exists.
    void copyShippedFile()
    {
        QVERIFY(QFile::copy(Shipped, GunFile));
        QFile::setPermissions(GunFile, QFile::ReadOwner | QFile::WriteOwner);
    }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        QDir().mkpath(QStringLiteral("modules/gun"));
        stores = std::make_unique<SettingsStores>();
        guns = std::make_unique<GunStore>(stores->profiles);
    }
    void cleanup()
    {
        guns.reset();
        stores.reset();
        work.reset();
    }

    void shippedFileHoldsSixPresets()
    {
        auto ini = openIni(Shipped);
        ini->beginGroup(QStringLiteral("gunData"));
        QStringList keys = ini->childKeys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"0", "1", "2", "3", "4", "5"}));
        const QStringList names{"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"};
        for (int i = 0; i < 6; ++i) {
            const QStringList items = ini->value(QString::number(i)).toStringList();
            QCOMPARE(items.size(), 6);
            QCOMPARE(items.at(0), names.at(i));
            QCOMPARE(items.at(1), QStringLiteral("L-Click"));
            for (int k = 2; k < 6; ++k) {
                bool ok = false;
                items.at(k).toInt(&ok);
                QVERIFY2(ok, qPrintable(items.join(',')));
            }
        }
    }

    void absentFileIsNeverCreated()
    {
        guns->savePreset(2, {"Mine", "L-Click", 10, 0, 10, 0});
        guns->modifyPreset(1, {"New", "L-Click", 10, 0, 10, 0, "Old"});
        guns->modifyPreset(0, {"New"});
        QVERIFY(!QFile::exists(GunFile));
        QVERIFY(guns->preset(2).isEmpty());
        QVERIFY(guns->presetNames().isEmpty());
        QVERIFY(!QFile::exists(GunFile));
    }

    void saveModifyAndRead()
    {
        copyShippedFile();
        QCOMPARE(strings(guns->preset(1)), (QStringList{"AKM", "L-Click", "9", "0", "7", "0"}));

        guns->savePreset(2, {"Mine", "L-Click", 10, 0, -10, 0, "ignored"});
        QCOMPARE(strings(guns->preset(2)), (QStringList{"Mine", "L-Click", "10", "0", "-10", "0"}));

        // A short list is refused and leaves the preset as it was.
        guns->savePreset(2, {"Short", "L-Click"});
        QCOMPARE(strings(guns->preset(2)).value(0), QStringLiteral("Mine"));

        guns->modifyPreset(1, {"Renamed", "L-Click", 12, 1, 5, 3, "2"});
        QVERIFY(guns->preset(2).isEmpty());
        QCOMPARE(strings(guns->preset("Renamed")), (QStringList{"L-Click", "12", "1", "5", "3"}));
        guns->modifyPreset(1, {"Broken", "L-Click", 12});
        QVERIFY(guns->preset("Broken").isEmpty());

        guns->modifyPreset(0, {"0"});
        guns->modifyPreset(7, {"1"});
        QStringList keys = guns->presetNames();
        keys.sort();
        QCOMPARE(keys, (QStringList{"1", "3", "4", "5", "Renamed"}));

        // Written back before returning: a fresh reader sees the change.
        auto reread = openIni(GunFile);
        QCOMPARE(reread->value(QStringLiteral("gunData/Renamed")).toStringList().size(), 5);
        QVERIFY(!reread->contains(QStringLiteral("gunData/0")));
    }

    // An empty name addresses the whole preset group: neither a rename from
    // an empty stored name nor a delete of one may touch the other presets.
    void emptyNamesLeaveTheOtherPresets_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariantList>("items");
        QTest::addColumn<QStringList>("keysAfter");
        const QStringList shipped{"0", "1", "2", "3", "4", "5"};
        QTest::newRow("rename from an empty name") << 1 << QVariantList{"New", "L-Click", 10, 0, 10, 0, ""}
                                                   << (shipped + QStringList{"New"});
        QTest::newRow("rename to an empty name") << 1 << QVariantList{"", "L-Click", 10, 0, 10, 0, "2"} << shipped;
        QTest::newRow("delete an empty name") << 0 << QVariantList{""} << shipped;
    }
    void emptyNamesLeaveTheOtherPresets()
    {
        QFETCH(int, type);
        QFETCH(QVariantList, items);
        QFETCH(QStringList, keysAfter);
        copyShippedFile();
        guns->modifyPreset(type, items);
        guns->savePreset(QString(), {"Nameless", "L-Click", 10, 0, 10, 0});
        QStringList keys = openIni(GunFile)->allKeys();
        keys.sort();
        for (QString& k : keys)
            k.remove(QStringLiteral("gunData/"));
        QCOMPARE(keys, keysAfter);
    }

    void perProfileDefaults()
    {
        QCOMPARE(guns->xySensitivity(3), QVariant(4));
        QCOMPARE(guns->selectedGun(3), QVariant(QString()));
    }
};

QTEST_GUILESS_MAIN(GunDataTest)
#include "tst_gun_data.moc"
