// The on-device profile images read at connection: images 0 and 1, and 2 to
// 4 only on gun-capable mice; a failed read keeps the host copy.
#include "features/device_features.h"
#include "device/clock.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include "settings/config_store.h"
#include "settings/profile_store.h"
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray pattern(int n)
{
    QByteArray b(128, '\0');
    for (int i = 0; i < 128; ++i)
        b[i] = char(n * 16 + i);
    return b;
}
} // namespace

class DeviceProfileImagesTest : public QObject {
    Q_OBJECT
private slots:
    void connectionReads_data()
    {
        QTest::addColumn<bool>("gun");
        QTest::newRow("without the gun") << false;
        QTest::newRow("with the gun") << true;
    }
    void connectionReads()
    {
        QFETCH(bool, gun);
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        {
            QDir().mkpath(QStringLiteral("modules/setting"));
            QSettings config(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
            config.setValue(QStringLiteral("mouse/isGun"), gun);
        }
        VirtualClock clock;
        VirtualMouse mouse(VirtualFirmware::Family::F560);
        for (int n = 0; n < 5; ++n)
            mouse.firmware().state().profiles[n] = pattern(n + 1);
        Hid_Thread hid;
        hid.setClock(&clock);
        mouse.attach(hid);

        ConfigStore config;
        ProfileStore profiles(config);
        DeviceFeatures features(config, profiles);
        features.setDevice(&hid);
        QVERIFY(config.traits().is560());
        features.readProfileImages();
        QDir::setCurrent(previous);
        for (int n = 0; n < 5; ++n) {
            const QByteArray image(reinterpret_cast<const char*>(features.profileImage(n).data()), 128);
            const bool read = n < 2 || gun;
            QCOMPARE(image, read ? pattern(n + 1) : QByteArray(128, '\0'));
        }

        // A failed read leaves the host copy as it was.
        features.profileImage(1)[5] = 0xAB;
        mouse.unplug();
        features.readProfile(1);
        QCOMPARE(int(features.profileImage(1)[5]), 0xAB);
    }
};

QTEST_GUILESS_MAIN(DeviceProfileImagesTest)
#include "tst_device_profile_images.moc"
