#pragma once
#include <QString>
#include <QStringList>

// An installed copy works on the user's copy of the shipped tree. When a
// newer release ships a global configuration (setting/apConfig.bin) with
// keys or device-table entries the user's copy lacks, they are merged in:
// every key the user's copy lacks is added, and every device entry it lacks
// (same vid, pid and command interface) is appended to its device table.
// Values already in the user's copy stay as they are.
//
// The hash of the shipped file merged last is kept beside the user's copy
// (setting/apConfig.shipped), so the merge runs once per shipped version.
namespace ShippedDataUpgrade {
constexpr const char* ConfigFile = "setting/apConfig.bin";
constexpr const char* HashFile = "setting/apConfig.shipped";

enum class Result { UpToDate, Merged, Failed };
// shippedModules / userModules: the two modules/ folders.
Result mergeConfig(const QString& shippedModules, const QString& userModules);

// The shipped files in the user's copy are treated as a package manager
// treats configuration files. The hash of every shipped file as last seen
// is kept in ManifestFile, beside the user's modules/ folder. When a
// release ships a file that differs from the one recorded, the user's copy
// is replaced if it is still the recorded version (the user never changed
// it), and kept otherwise (logged); a copy whose history is unknown (no
// record yet) is kept unless it already equals the shipped file. Missing
// files are left to seedUserData. Run after seeding.
constexpr const char* ManifestFile = "shipped-files.sha256";
struct RefreshResult {
    QStringList replaced;  // paths relative to the modules/ folder
    QStringList kept;
    bool ok = true;        // false when a file or the record could not be written
};
RefreshResult refreshShippedFiles(const QString& shippedModules, const QString& userModules);
} // namespace ShippedDataUpgrade
