#pragma once
#include <QString>
#include <QVariant>

// Counts and lengths read from files that a user or another program may have
// edited. A value outside its range is refused - read as 0 - with a log line
// naming where it came from, so that a damaged file cannot make start-up loop
// for hours or exhaust memory.
namespace StoredCounts {

// The largest number of entries any file of the program is read for.
constexpr int MaxEntries = 4096;

// value as a count of 0..MaxEntries; anything else (negative, too large, not
// a number) is refused and gives 0.
int entryCount(const QVariant& value, const QString& where);

} // namespace StoredCounts
