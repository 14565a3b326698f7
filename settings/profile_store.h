#pragma once
#include <QSettings>
#include <QVariant>
#include <memory>
#include <vector>

class ConfigStore;

// The ten profile slots (./modules/setting/p1.bin to p10.bin), the factory
// profile (pD.bin) and which slot is current. Scene reads and writes go to
// the current slot; the factory profile is only read. Every file stays open
// for the store's whole life.
class ProfileStore {
public:
    static constexpr int SlotCount = 10;

    // The configuration store is flushed with the profiles before an import,
    // because the imported file may be any of the program's own files.
    explicit ProfileStore(ConfigStore& config);
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // The handle of slot k (0..9), or null outside that range.
    QSettings* slot(int k) const;
    QSettings& factory() const { return *m_factory; }
    int currentSlot() const { return m_current; }
    // A slot outside 0..9 is ignored: the current slot stays.
    void setCurrentSlot(int k);
    QSettings* current() const { return slot(m_current); }

    // A key of the current slot, or of the factory profile.
    QVariant value(const QString& key, bool fromFactory) const;
    // The same value read as a list, as the files store lists.
    QVariantList list(const QString& key, bool fromFactory) const;
    // Stores a value of the current slot as the scene handed it.
    void setValue(const QString& key, const QVariant& sceneValue);

    // Writes slot k's file, with every change made so far, to target. An
    // existing target is only replaced once the copy is complete.
    bool exportSlot(int k, const QString& target);
    // Replaces slot k with the file at source. A file above the import size
    // limit is refused with a warning; one that cannot be read leaves the
    // slot as it was. Keys the file lacks read as absent afterwards.
    bool importSlot(int k, const QString& source);
    // Replaces slot k with the factory profile.
    void resetSlot(int k);
    // Replaces slot dest with slot src, including src's unsaved changes.
    void copySlot(int dest, int src);

    // Writes every pending change of the configuration and the profiles now
    // and checks it; false, with the first reason, when one could not be
    // written (the user is warned, the changes stay for a later try).
    bool writePending(QString* reason = nullptr);

private:
    void flushAll();

    ConfigStore& m_config;
    std::unique_ptr<QSettings> m_factory;
    std::vector<std::unique_ptr<QSettings>> m_slots;
    int m_current = 0;
};
