#pragma once
#include "device/device_entry.h"

class HidPort;

// Fills each entry's cmdPath and eventPath from the HID interfaces present:
// the interface whose usage page and usage match; a later match wins.
void locateInterfaces(HidPort& port, DeviceTable& table);

// Index of the first entry with a command interface, or -1.
int firstConnectedEntry(const DeviceTable& table);
