#pragma once
#include "device/device_entry.h"
#include <QString>

// Reads the device table (common/deviceCount and the groups [0], [1], ...)
// from the global configuration file. A missing file gives an empty table;
// an entry whose report length no transfer could use is left out.
DeviceTable readDeviceTable(const QString& apConfigPath);
