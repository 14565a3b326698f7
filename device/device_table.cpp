#include "device/device_table.h"
#include "device/hid_port.h"
#include "settings/ini_format.h"
#include <QSettings>

namespace {
quint16 hexValue(const QSettings& s, const QString& key)
{
    return quint16(s.value(key).toString().toUInt(nullptr, 16));
}
} // namespace

DeviceTable readDeviceTable(const QString& apConfigPath)
{
    const auto settings = openIni(apConfigPath);
    QSettings& s = *settings;
    DeviceTable table;
    const int count = s.value(QStringLiteral("common/deviceCount"), 0).toInt();
    for (int n = 0; n < count; ++n) {
        s.beginGroup(QString::number(n));
        auto e = QSharedPointer<DeviceEntry>::create();
        bool ok = false;
        const int type = s.value(QStringLiteral("type")).toString().toInt(&ok, 16);
        e->type = ok ? type : -1;
        e->vid = hexValue(s, QStringLiteral("vid"));
        e->pid = hexValue(s, QStringLiteral("pid"));
        e->usagePage = hexValue(s, QStringLiteral("usagePage"));
        e->usage = hexValue(s, QStringLiteral("usage"));
        e->usagePage2 = hexValue(s, QStringLiteral("usagePage2"));
        e->usage2 = hexValue(s, QStringLiteral("usage2"));
        e->reportLength = s.value(QStringLiteral("reportLength"), 32).toInt();
        s.endGroup();
        table.append(e);
    }
    return table;
}

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
