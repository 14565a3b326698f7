#include "device/device_table.h"
#include "device/hid_port.h"

void locateInterfaces(HidPort& port, DeviceTable& table)
{
    for (const auto& e : table) {
        const QList<HidDeviceRecord> records = port.enumerate(e->vid, e->pid);
        for (const HidDeviceRecord& r : records) {
            if (r.usagePage == e->usagePage && r.usage == e->usage)
                e->cmdPath = QString::fromLatin1(r.path);
            if (r.usagePage == e->usagePage2 && r.usage == e->usage2)
                e->eventPath = QString::fromLatin1(r.path);
        }
    }
}

int firstConnectedEntry(const DeviceTable& table)
{
    for (int j = 0; j < table.size(); ++j)
        if (!table.at(j)->cmdPath.isEmpty())
            return j;
    return -1;
}
