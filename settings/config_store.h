#pragma once
#include "settings/device_traits.h"
#include <QSettings>
#include <QVariant>
#include <memory>

// The global configuration (./modules/setting/apConfig.bin): settings that
// belong to the installation rather than to a profile, and the device
// traits it names. The file stays open for the store's whole life.
class ConfigStore {
public:
    ConfigStore();
    ~ConfigStore();
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    QVariant value(const QString& key) const;
    // Stores a value as the scene handed it (JavaScript arrays become lists).
    void setValue(const QString& key, const QVariant& sceneValue);
    void remove(const QString& key);
    // Replaces the file with the factory configuration
    // (./modules/setting/apConfigD.bin). Without a readable factory file the
    // live file is kept. The traits stay those read at start.
    void resetToFactory();
    // Writes pending changes to disk; false (warned, the changes kept for a
    // later try) when they could not be written, with the reason.
    bool flush(QString* reason = nullptr);

    const DeviceTraits& traits() const { return m_traits; }

    // Makes every store report this controller family
    // ("553" or "560") instead of the file's `mouse/icType`, without writing
    // the file: the demo shows either family on the same data.
    static void overrideFamily(const QString& icType);

private:
    std::unique_ptr<QSettings> m_file;
    DeviceTraits m_traits;
};
