#pragma once
#include "device/device_entry.h"

class HidPort;

// Reads the device table (common/deviceCount and the groups [0], [1], ...)
// from the global configuration file. A missing file gives an empty table.
DeviceTable readDeviceTable(const QString& apConfigPath);

// Fills each entry's cmdPath and eventPath from the HID interfaces present:
// the interface whose usage page and usage match; a later match wins.
void locateInterfaces(HidPort& port, DeviceTable& table);

// Index of the first entry with a command interface, or -1.
int firstConnectedEntry(const DeviceTable& table);
