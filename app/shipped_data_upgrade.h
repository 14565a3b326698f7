#pragma once
#include <QString>

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
} // namespace ShippedDataUpgrade
