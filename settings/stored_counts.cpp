#include "settings/stored_counts.h"
#include <QDebug>

namespace StoredCounts {

int entryCount(const QVariant& value, const QString& where)
{
    if (!value.isValid())
        return 0;
    bool ok = false;
    const qlonglong n = value.toString().trimmed().toLongLong(&ok);
    if (!ok || n < 0 || n > MaxEntries) {
        qDebug().noquote() << "refused" << where << "=" << value.toString() << "(expected 0 to"
                           << MaxEntries << ")";
        return 0;
    }
    return int(n);
}

} // namespace StoredCounts
