#pragma once
#include <QStringList>

// The system page's pointer settings, applied to the operating system
// through the installed PointerPlatform: pointer speed and double-click time
// from the page's slider indexes, wheel scroll lines as a count.
class PointerSettings {
public:
    void setSpeed(uint index);
    void setDoubleClickSpeed(uint index);
    void setWheelLines(uint lines);
    // For speed, double-click time and wheel lines: an empty text when the
    // desktop offers the setting, otherwise why it does not.
    QStringList unavailable() const;
};
