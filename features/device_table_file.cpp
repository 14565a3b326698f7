#include "features/device_table_file.h"
#include "settings/ini_format.h"
#include "settings/stored_counts.h"
#include <QDebug>
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
    const int count = StoredCounts::entryCount(s.value(QStringLiteral("common/deviceCount"), 0),
                                               apConfigPath + QStringLiteral(" common/deviceCount"));
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
        bool lengthOk = false;
        e->reportLength = s.value(QStringLiteral("reportLength"), 32).toString().trimmed().toInt(&lengthOk);
        s.endGroup();
        // A data report carries 1 to 64 payload bytes; an entry with any other
        // length could only crash or hang a transfer, so it is left out.
        if (!lengthOk || !DeviceEntry::validReportLength(e->reportLength)) {
            qDebug().noquote() << "refused device entry" << n << "of" << apConfigPath << ": reportLength ="
                               << s.value(QString::number(n) + QStringLiteral("/reportLength")).toString()
                               << "(expected 1 to" << DeviceEntry::MaxReportLength << ")";
            continue;
        }
        table.append(e);
    }
    return table;
}
