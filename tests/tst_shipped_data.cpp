// Every file of the shipped data tree: its keys, their types and ranges.
#include "settings/ini_format.h"
#include <QColor>
#include <QDirIterator>
#include <QImageReader>
#include <QtTest>

namespace {
const QString kData = QStringLiteral(HALCYON_SOURCE_DIR "/data/modules/");

QByteArray bytesOf(const QString& relative)
{
    QFile f(kData + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QSettings::SettingsMap mapOf(const QString& relative)
{
    QSettings::SettingsMap map;
    IniText::read(bytesOf(relative), map);
    return map;
}

// The items of a stored list as integers; fails the test on a non-number.
QList<int> intsOf(const QSettings::SettingsMap& map, const QString& key)
{
    QList<int> ints;
    for (const QVariant& item : iniList(map.value(key))) {
        bool ok = false;
        ints.append(item.toString().toInt(&ok));
        if (!ok)
            ints.append(INT_MIN);
    }
    return ints;
}

int intOf(const QSettings::SettingsMap& map, const QString& key, bool* ok)
{
    const QVariant v = map.value(key);
    return v.metaType().id() == QMetaType::QString ? v.toString().toInt(ok) : (*ok = false, 0);
}

bool allWithin(const QList<int>& values, int low, int high)
{
    return std::all_of(values.begin(), values.end(), [&](int v) { return v >= low && v <= high; });
}

// The desktop's pointer values (mouseRate, doubleRate, scrollRate) are not
// among them: a profile stores them once the user sets them; until then the
// page shows the desktop's own.
QStringList profileKeys()
{
    QStringList keys{"mouse/mouseMode",   "mouse/dpiCount",       "mouse/currentDpiCount", "mouse/dpiValueArray",
                     "mouse/dpiEnableArray", "mouse/dpiColorArray", "mouse/dpiColorType1", "mouse/reportRate",
                     "mouse/reportRateLod", "mouse/lod",          "mouse/lodEn",
                     "mouseLight/lightNo",   "mouseLight/lightCount",
                     "mouseLight/lightName", "XYSensitive/0",     "XYSensitive/1",        "selectGun/0",
                     "selectGun/1",       "selectGun/2"};
    for (const QString& suffix : {QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")})
        for (const char* base : {"mouseLight/colorIndex", "mouseLight/lightValue", "mouseLight/colorValue"})
            keys << QLatin1String(base) + suffix;
    for (int n = 0; n < 16; ++n)
        for (const char* group : {"mouseKeyMatrix/", "mouseKeyMatrix2/", "mouseFwKeyMatrix/"})
            keys << QLatin1String(group) + QString::number(n);
    keys.sort();
    return keys;
}
} // namespace

class TestShippedData : public QObject {
    Q_OBJECT
private slots:
    void iniFilesAreInTheWritersOwnForm_data()
    {
        QTest::addColumn<QString>("file");
        QDirIterator it(kData, {QStringLiteral("*.bin")}, QDir::Files, QDirIterator::Subdirectories);
        int count = 0;
        while (it.hasNext()) {
            const QString rel = QDir(kData).relativeFilePath(it.next());
            QTest::newRow(qPrintable(rel)) << rel;
            ++count;
        }
        QCOMPARE(count, 15); // apConfig, apConfigD, pD, p1..p10, name, gunData
    }
    void iniFilesAreInTheWritersOwnForm()
    {
        // Rewriting a shipped file changes nothing but what was changed, and
        // a plain QSettings reads it without complaint.
        QFETCH(QString, file);
        const QByteArray bytes = bytesOf(file);
        QVERIFY(!bytes.isEmpty());
        QSettings::SettingsMap map;
        QVERIFY(IniText::read(bytes, map));
        QCOMPARE(IniText::write(map), bytes);
        QSettings plain(kData + file, QSettings::IniFormat);
        QCOMPARE(plain.status(), QSettings::NoError);
        QCOMPARE(plain.allKeys().size(), map.size());
    }

    void globalConfiguration()
    {
        QCOMPARE(bytesOf(QStringLiteral("setting/apConfigD.bin")), bytesOf(QStringLiteral("setting/apConfig.bin")));
        const auto map = mapOf(QStringLiteral("setting/apConfig.bin"));
        const QStringList device0{"0", "04d9", "a1f7", "ff00", "ff00", "ff01", "ff01", "32"};
        const QStringList device1{"1", "04d9", "a09f", "ff00", "ff00", "ff01", "ff01", "32"};
        const QStringList fields{"type", "vid", "pid", "usagePage", "usage", "usagePage2", "usage2", "reportLength"};
        for (int f = 0; f < fields.size(); ++f) {
            QCOMPARE(map.value("0/" + fields[f]).toString(), device0[f]);
            QCOMPARE(map.value("1/" + fields[f]).toString(), device1[f]);
        }
        const QMap<QString, QString> expected{
            {"common/deviceCount", "2"}, {"common/name", "HALCYON GAMING MOUSE"}, {"common/language", "English"},
            {"mouse/icType", "553"},     {"mouse/isGun", "true"},                 {"mouse/isColorful", "true"},
            {"mouse/is55328", "false"},  {"mouse/keyCount", "14"},                {"mouse/sensorType", "3360"},
            {"mouse/minDPI", "100"},     {"mouse/maxDPI", "12000"},               {"mouse/dpiBase", "100"},
            {"mouse/profileNo", "0"}};
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(map.value(it.key()).toString(), it.value());
        QCOMPARE(iniList(map.value("mouse/selectGun")), (QVariantList{"0", "1", "2"}));
        QCOMPARE(map.size(), 2 * fields.size() + expected.size() + 1);
    }

    void profilesEqualTheFactoryProfile_data()
    {
        QTest::addColumn<int>("slot");
        for (int k = 1; k <= 10; ++k)
            QTest::newRow(qPrintable(QStringLiteral("p%1").arg(k))) << k;
    }
    void profilesEqualTheFactoryProfile()
    {
        QFETCH(int, slot);
        QCOMPARE(bytesOf(QStringLiteral("setting/p%1.bin").arg(slot)), bytesOf(QStringLiteral("setting/pD.bin")));
    }

    void factoryProfileHasEveryKey()
    {
        const auto map = mapOf(QStringLiteral("setting/pD.bin"));
        QStringList keys = map.keys();
        keys.sort();
        QCOMPARE(keys, profileKeys());
    }

    void buttonMatrices_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QList<QList<int>>>("entries");
        const QList<QList<int>> office{
            {0x00, 0x00, 0xF0, 0x00}, {0x00, 0x00, 0xF1, 0x00}, {0x00, 0x00, 0xF2, 0x00}, {0x00, 0x00, 0xF4, 0x00},
            {0x00, 0x00, 0xF3, 0x00}, {0x05, 0x00, 0x01, 0x00}, {0x05, 0x00, 0x02, 0x00}, {0x05, 0x00, 0x04, 0x00},
            {0x01, 0x1D, 0x0A, 0x00}, {0x02, 0x01, 0x1D, 0x00}, {0x03, 0x00, 0x83, 0x01}, {0x03, 0x00, 0xB7, 0x00},
            {0x06, 0x00, 0x94, 0x01}, {0x07, 0x00, 0xE0, 0x16}, {0xFF, 0x00, 0x01, 0x00}, {0xFF, 0x00, 0x02, 0x00}};
        QList<QList<int>> game = office;
        game[5] = {0x08, 0x00, 0x01, 0x00};
        game[6] = {0x08, 0x00, 0x02, 0x00};
        // The device form of the default matrix, as the mouse receives it.
        const QList<QList<int>> firmware{
            {0x01, 0x00, 0xF0, 0x00}, {0x01, 0x00, 0xF1, 0x00}, {0x01, 0x00, 0xF2, 0x00}, {0x01, 0x00, 0xF3, 0x00},
            {0x01, 0x00, 0xF4, 0x00}, {0x07, 0x00, 0x01, 0x00}, {0x0B, 0x07, 0x00, 0x00}, {0x05, 0x00, 0x01, 0x00},
            {0x01, 0x00, 0x00, 0x00}, {0x01, 0x00, 0x00, 0x00}, {0x01, 0x00, 0x00, 0x00}, {0x01, 0x00, 0x00, 0x00},
            {0x01, 0x00, 0x00, 0x00}, {0x01, 0x00, 0x00, 0x00}, {0x04, 0x00, 0x01, 0x00}, {0x04, 0x00, 0x02, 0x00}};
        QTest::newRow("office") << "mouseKeyMatrix" << office;
        QTest::newRow("game") << "mouseKeyMatrix2" << game;
        QTest::newRow("firmware template") << "mouseFwKeyMatrix" << firmware;
    }
    void buttonMatrices()
    {
        QFETCH(QString, group);
        QFETCH(QList<QList<int>>, entries);
        const auto map = mapOf(QStringLiteral("setting/pD.bin"));
        for (int n = 0; n < 16; ++n) {
            const QList<int> entry = intsOf(map, group + QLatin1Char('/') + QString::number(n));
            QCOMPARE(entry.size(), 4);
            QVERIFY(allWithin(entry, 0, 255));
            QCOMPARE(entry, entries.at(n));
        }
    }

    void dpiStages()
    {
        const auto config = mapOf(QStringLiteral("setting/apConfig.bin"));
        const auto map = mapOf(QStringLiteral("setting/pD.bin"));
        const int minDpi = config.value("mouse/minDPI").toInt();
        const int maxDpi = config.value("mouse/maxDPI").toInt();
        const int base = config.value("mouse/dpiBase").toInt();
        bool ok = false;
        QCOMPARE(intOf(map, "mouse/dpiCount", &ok), 8);
        QVERIFY(ok);
        const int inUse = intOf(map, "mouse/currentDpiCount", &ok);
        QVERIFY(ok && inUse >= 1 && inUse <= 8);
        const QList<int> values = intsOf(map, "mouse/dpiValueArray");
        QCOMPARE(values.size(), 8);
        for (int v : values) {
            QVERIFY2(v >= minDpi && v <= maxDpi, qPrintable(QString::number(v)));
            QCOMPARE(v % base, 0);
        }
        const QList<int> enables = intsOf(map, "mouse/dpiEnableArray");
        QCOMPARE(enables.size(), 8);
        QVERIFY(allWithin(enables, 0, 1));
        QCOMPARE(enables.count(1), inUse);
        const QVariantList colours = iniList(map.value("mouse/dpiColorArray"));
        QCOMPARE(colours.size(), 6);
        QList<int> rgb;
        for (const QVariant& c : colours) {
            const QColor colour(c.toString());
            QVERIFY2(colour.isValid(), qPrintable(c.toString()));
            rgb << colour.red() << colour.green() << colour.blue();
        }
        // The stage colour table sent to the mouse: the six colours, then
        // white for stages 7 and 8.
        rgb << 255 << 255 << 255 << 255 << 255 << 255;
        QCOMPARE(intsOf(map, "mouse/dpiColorType1"), rgb);
    }

    void pointerAndReportValues()
    {
        const auto map = mapOf(QStringLiteral("setting/pD.bin"));
        struct Range {
            const char* key;
            QList<int> allowed;
            int low, high;
        };
        const Range ranges[] = {{"mouse/mouseMode", {}, 0, 1},       {"mouse/reportRate", {}, 0, 3},
                                {"mouse/reportRateLod", {}, 0, 2},   {"mouse/lod", {3, 168, 330}, 0, 0},
                                {"mouse/lodEn", {}, 0, 1},
                                {"XYSensitive/0", {}, 0, 255},       {"XYSensitive/1", {}, 0, 255},
                                {"selectGun/0", {}, 0, 5},           {"selectGun/1", {}, 0, 5},
                                {"selectGun/2", {}, 0, 5}};
        for (const Range& r : ranges) {
            bool ok = false;
            const int v = intOf(map, QLatin1String(r.key), &ok);
            QVERIFY2(ok, r.key);
            QVERIFY2(r.allowed.isEmpty() ? v >= r.low && v <= r.high : r.allowed.contains(v), r.key);
        }
    }

    void lightingPresets()
    {
        const auto map = mapOf(QStringLiteral("setting/pD.bin"));
        bool ok = false;
        const int count = intOf(map, "mouseLight/lightCount", &ok);
        QVERIFY(ok);
        QCOMPARE(count, 4);
        const int selected = intOf(map, "mouseLight/lightNo", &ok);
        QVERIFY(ok && selected >= 0 && selected < count);
        QCOMPARE(iniList(map.value("mouseLight/lightName")).size(), count);
        for (const QString& suffix : {QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
            const QList<int> value = intsOf(map, "mouseLight/lightValue" + suffix);
            QCOMPARE(value.size(), 4);
            QVERIFY(QList<int>({0, 1, 2, 3, 5, 6}).contains(value[0])); // effect
            QVERIFY(value[1] >= 0 && value[1] <= 4);                   // speed step
            QVERIFY(value[2] >= 1 && value[2] <= 4);                   // brightness step
            QVERIFY(value[3] >= 0 && value[3] <= 3);                   // direction
            const QList<int> colours = intsOf(map, "mouseLight/colorValue" + suffix);
            QCOMPARE(colours.size(), 45);                              // 15 colours
            QVERIFY(allWithin(colours, 0, 255));
            const int index = intOf(map, "mouseLight/colorIndex" + suffix, &ok);
            QVERIFY(ok && index >= 0 && index < 15);
        }
    }

    void nameIndex()
    {
        const auto map = mapOf(QStringLiteral("setting/name.bin"));
        QCOMPARE(iniList(map.value("profile/profileName")), (QVariantList{"Standard0", "emptyslotkey"}));
        QCOMPARE(iniList(map.value("gun/gunName")), (QVariantList{"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"}));
        QCOMPARE(map.size(), 2);
    }

    void gunPresets()
    {
        const auto map = mapOf(QStringLiteral("gun/gunData.bin"));
        const QVariantList names = iniList(mapOf(QStringLiteral("setting/name.bin")).value("gun/gunName"));
        QCOMPARE(map.size(), 6);
        for (int i = 0; i < 6; ++i) {
            const QVariantList preset = iniList(map.value("gunData/" + QString::number(i)));
            QCOMPARE(preset.size(), 6);
            QCOMPARE(preset[0], names[i]);
            QCOMPARE(preset[1].toString(), QStringLiteral("L-Click"));
            bool ok[4] = {};
            const int rate = preset[2].toString().toInt(&ok[0]);
            const int x = preset[3].toString().toInt(&ok[1]);
            const int y = preset[4].toString().toInt(&ok[2]);
            const int times = preset[5].toString().toInt(&ok[3]);
            QVERIFY(ok[0] && ok[1] && ok[2] && ok[3]);
            QVERIFY(rate >= 1 && rate <= 255);
            QVERIFY(x >= -128 && x <= 127 && y >= -128 && y <= 127);
            QVERIFY(times >= 0 && times <= 255);
        }
    }

    void macroLibraryAndIcon()
    {
        QVERIFY(QFileInfo(kData + "macro").isDir());
        const QByteArray ico = bytesOf(QStringLiteral("img/logo.ico"));
        QVERIFY(ico.startsWith(QByteArray("\x00\x00\x01\x00", 4)));
        QImageReader reader(kData + "img/logo.ico");
        QVERIFY(reader.imageCount() >= 3);
        for (int i = 0; i < reader.imageCount(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            QVERIFY(image.width() >= 16 && image.width() == image.height());
            QVERIFY(image.hasAlphaChannel());
        }
    }
};

QTEST_MAIN(TestShippedData)
#include "tst_shipped_data.moc"
