#include "app/shipped_data_upgrade.h"
#include "settings/ini_format.h"
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QDebug>

namespace ShippedDataUpgrade {
namespace {

const QString kDeviceCount = QStringLiteral("common/deviceCount");

// Device-table groups are "[0]", "[1]", ...: handled as entries, not keys.
bool isDeviceEntryKey(const QString& key)
{
    const int slash = key.indexOf(QLatin1Char('/'));
    if (slash <= 0)
        return false;
    bool numeric = false;
    key.left(slash).toInt(&numeric);
    return numeric;
}

// What tells two entries apart: the USB device and its command interface.
QString entryIdentity(QSettings& ini, int n)
{
    auto hex = [&](const char* key) {
        return ini.value(QString::number(n) + QLatin1Char('/') + QLatin1String(key)).toString().trimmed().toLower();
    };
    return hex("vid") + QLatin1Char(':') + hex("pid") + QLatin1Char(':') + hex("usagePage") + QLatin1Char(':')
        + hex("usage");
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

} // namespace

Result mergeConfig(const QString& shippedModules, const QString& userModules)
{
    const QString shippedPath = shippedModules + QLatin1Char('/') + QLatin1String(ConfigFile);
    const QString userPath = userModules + QLatin1Char('/') + QLatin1String(ConfigFile);
    const QString hashPath = userModules + QLatin1Char('/') + QLatin1String(HashFile);
    const QByteArray hash = fileHash(shippedPath);
    if (hash.isEmpty() || !QFile::exists(userPath))
        return Result::UpToDate;  // nothing shipped, or seeding failed and says so
    {
        QFile recorded(hashPath);
        if (recorded.open(QIODevice::ReadOnly) && recorded.readAll().trimmed() == hash)
            return Result::UpToDate;
    }

    const auto shipped = openIni(shippedPath);
    const auto user = openIni(userPath);
    int added = 0;
    for (const QString& key : shipped->allKeys()) {
        if (key == kDeviceCount || isDeviceEntryKey(key) || user->contains(key))
            continue;
        user->setValue(key, shipped->value(key));
        ++added;
    }

    int userCount = user->value(kDeviceCount, 0).toInt();
    QStringList known;
    for (int n = 0; n < userCount; ++n)
        known << entryIdentity(*user, n);
    const int shippedCount = shipped->value(kDeviceCount, 0).toInt();
    for (int n = 0; n < shippedCount; ++n) {
        const QString identity = entryIdentity(*shipped, n);
        if (known.contains(identity))
            continue;
        // Appended after the user's own entries: their order, and so which
        // mouse wins when several are present, stays as it was.
        shipped->beginGroup(QString::number(n));
        const QStringList keys = shipped->childKeys();
        for (const QString& key : keys)
            user->setValue(QString::number(userCount) + QLatin1Char('/') + key, shipped->value(key));
        shipped->endGroup();
        known << identity;
        ++userCount;
        ++added;
    }
    if (user->value(kDeviceCount, 0).toInt() != userCount)
        user->setValue(kDeviceCount, userCount);
    user->sync();
    if (user->status() != QSettings::NoError)
        return Result::Failed;
    if (added)
        qDebug() << "Merged" << added << "new settings of the shipped configuration";

    QSaveFile record(hashPath);
    if (!record.open(QIODevice::WriteOnly))
        return Result::Failed;
    record.write(hash + '\n');
    return record.commit() ? Result::Merged : Result::Failed;
}

namespace {
QMap<QString, QByteArray> readManifest(const QString& path)
{
    QMap<QString, QByteArray> hashes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return hashes;
    // "HASH  PATH" lines, as sha256sum writes them.
    for (const QByteArray& line : file.readAll().split('\n')) {
        const int gap = line.indexOf("  ");
        if (gap > 0)
            hashes.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap));
    }
    return hashes;
}

bool writeManifest(const QString& path, const QMap<QString, QByteArray>& hashes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (auto it = hashes.cbegin(); it != hashes.cend(); ++it)
        file.write(it.value() + "  " + it.key().toUtf8() + '\n');
    return file.commit();
}

// Replaces `target` by a copy of `source` in one step: a failure leaves the
// old file.
bool replaceFile(const QString& source, const QString& target)
{
    QFile from(source);
    QSaveFile to(target);
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly))
        return false;
    to.write(from.readAll());
    return to.commit();
}
} // namespace

RefreshResult refreshShippedFiles(const QString& shippedModules, const QString& userModules)
{
    RefreshResult result;
    const QString manifestPath = QFileInfo(userModules).path() + QLatin1Char('/') + QLatin1String(ManifestFile);
    const QMap<QString, QByteArray> recorded = readManifest(manifestPath);
    QMap<QString, QByteArray> now = recorded;
    const QDir from(shippedModules);
    QDirIterator it(shippedModules, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString rel = from.relativeFilePath(source);
        const QByteArray shipped = fileHash(source);
        const QByteArray last = recorded.value(rel);
        if (shipped.isEmpty() || shipped == last)
            continue;
        const QString target = userModules + QLatin1Char('/') + rel;
        const QByteArray mine = fileHash(target);
        if (mine.isEmpty())
            continue;  // missing: seeding copies it, the next start records it
        if (mine != shipped) {
            if (!last.isEmpty() && mine == last) {
                if (!replaceFile(source, target)) {
                    result.ok = false;
                    continue;
                }
                result.replaced << rel;
            } else {
                result.kept << rel;
                qInfo().noquote() << "Kept your changed" << target << "; this release ships a different"
                                  << rel;
            }
        }
        now.insert(rel, shipped);
    }
    if (now != recorded && !writeManifest(manifestPath, now))
        result.ok = false;
    return result;
}

} // namespace ShippedDataUpgrade
