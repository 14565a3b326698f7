// The device features without a mouse: every request is safe without a
// device object, and what a request stores in the current profile is
// stored all the same, so the page shows it after a reconnect.
#include "features/device_features.h"
#include "settings/config_store.h"
#include "settings/profile_store.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>
#include <functional>

namespace {
QVariantList numbers(int count, int first)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list << first + i;
    return list;
}

// A stored value as the files show it: list items separated by ", ".
QString shown(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QStringList || value.metaType().id() == QMetaType::QVariantList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
} // namespace

class TestDeviceFeatures : public QObject {
    Q_OBJECT
private slots:
    void requestsWithoutMouse_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<std::function<void(DeviceFeatures&)>>("request");
        QTest::addColumn<QString>("storedKey");    // empty: the request stores nothing
        QTest::addColumn<QString>("storedValue");

        for (const QString family : {QStringLiteral("553"), QStringLiteral("560")}) {
            auto row = [&family](const char* name) -> QTestData& { return QTest::addRow("%s %s", qPrintable(family), name); };
            row("buttons") << family
                           << std::function<void(DeviceFeatures&)>([](DeviceFeatures& f) {
                                  f.setKeyMatrix(1, numbers(64, 0), numbers(64, 100), true, {10, 20, 30});
                              })
                           << "mouseKeyMatrix2/1" << "104, 105, 106, 107";
            row("button mode") << family
                               << std::function<void(DeviceFeatures&)>([](DeviceFeatures& f) {
                                      f.setKeyMatrix(1, numbers(64, 0), numbers(64, 100), false, {});
                                  })
                               << "mouse/mouseMode" << "1";
            row("stage colours") << family
                                 << std::function<void(DeviceFeatures&)>(
                                        [](DeviceFeatures& f) { f.setStageColors(2, numbers(24, 1)); })
                                 << "mouse/dpiColorType2" << shown(numbers(24, 1));
            row("dpi") << family
                       << std::function<void(DeviceFeatures&)>([](DeviceFeatures& f) {
                              f.setDpi(4, QStringLiteral("3389"), numbers(8, 400), numbers(8, 1));
                          })
                       << QString() << QString();
            row("everything else") << family
                                   << std::function<void(DeviceFeatures&)>([](DeviceFeatures& f) {
                                          f.setCurrentDpi(1);
                                          f.setLod(2, 1);
                                          f.setRgbEffect(1, 2, 3);
                                          f.setRgbColor(0, numbers(24, 0));
                                          f.setLedType(1, 2, 3, 0, numbers(9, 0));
                                          f.setKeyboardOption(1, 2, 3, 4);
                                          f.setReportRate(2);
                                          f.sendProfile(1);
                                          f.readProfile(1);
                                          f.resetKeyMatrix();
                                          f.switchKeyMatrix(2);
                                          f.sendGunPreset(1, {3, 4, 5});
                                          QVERIFY(f.sendMacro(numbers(10, 0), 0));
                                          QCOMPARE(f.currentDpi(), QVariant(0));
                                          QCOMPARE(f.currentProfile(), QVariant(0));
                                          QCOMPARE(f.keyboardOption(), (QVariantList{0, 0, 0, 0}));
                                          QVERIFY(!f.logoLedWorks());
                                      })
                                   << QString() << QString();
        }
    }
    void requestsWithoutMouse()
    {
        QFETCH(QString, family);
        QFETCH(std::function<void(DeviceFeatures&)>, request);
        QFETCH(QString, storedKey);
        QFETCH(QString, storedValue);
        SettingsWorkdir work;
        work.writeSettingsSet();
        work.write(QStringLiteral("modules/setting/apConfig.bin"),
                   "[mouse]\nicType=" + family.toLatin1() + "\nisGun=true\nisColorful=true\n");
        SettingsStores stores;
        stores.profiles.setCurrentSlot(3);
        DeviceFeatures features(stores.config, stores.profiles);
        const std::array<uchar, 128> imageBefore = features.profileImage(1);

        request(features);

        if (!storedKey.isEmpty()) {
            // Read back from the file, as the next start reads it.
            stores.profiles.current()->sync();
            const auto file = QSettings(stores.profiles.current()->fileName(), QSettings::IniFormat).value(storedKey);
            QCOMPARE(shown(file), storedValue);
        }
        // A refused or unsent request leaves nothing half-done behind: the
        // images change only with what a 560 request puts into them.
        if (family == QLatin1String("553"))
            QCOMPARE(features.profileImage(1), imageBefore);
    }

    // A macro block larger than a slot is refused, never cut.
    void oversizedMacroRefused()
    {
        SettingsWorkdir work;
        work.writeSettingsSet();
        SettingsStores stores;
        DeviceFeatures features(stores.config, stores.profiles);
        QVERIFY(features.sendMacro(numbers(128, 0), 0));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^mouseSendMacroData refused")));
        QVERIFY(!features.sendMacro(numbers(129, 0), 0));
    }
};

QTEST_GUILESS_MAIN(TestDeviceFeatures)
#include "tst_device_features.moc"
