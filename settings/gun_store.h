#pragma once
#include <QStringList>
#include <QVariant>

class ProfileStore;

// Gun presets (./modules/gun/gunData.bin, group "gunData": one list per
// preset name) and the current profile's XY sensitivity and gun selection.
// The program never creates the preset file; without it every preset
// operation does nothing.
class GunStore {
public:
    explicit GunStore(ProfileStore& profiles);

    // Stores preset `name`: name, trigger key, period, X, Y, times.
    void savePreset(const QVariant& name, const QVariantList& six);
    // modifyType 0 removes preset items[0]; 1 stores items[1..5] under the
    // new name items[0] and removes the old name items[6].
    void modifyPreset(const QVariant& modifyType, const QVariantList& items);
    QVariantList preset(const QVariant& name) const;
    QStringList presetNames() const;

    // Per-profile values, with their defaults when unset (4 and "").
    QVariant xySensitivity(const QVariant& index) const;
    void setXYSensitivity(const QVariant& index, const QVariant& value);
    QVariant selectedGun(const QVariant& index) const;
    void setSelectedGun(const QVariant& index, const QVariant& value);

private:
    ProfileStore& m_profiles;
};
