#pragma once
#include <QStringList>

struct LanguagePage;

// The system page's pointer settings, applied to the operating system
// through the installed PointerPlatform: pointer speed and double-click time
// from the page's slider indexes, wheel scroll lines as a count.
class PointerSettings {
public:
    void setSpeed(uint index);
    void setDoubleClickSpeed(uint index);
    void setWheelLines(uint lines);
    // For speed, double-click time and wheel lines: an empty text when the
    // desktop offers the setting, otherwise why it does not, in the language
    // of `reasons` (the language group "pointerReasons").
    QStringList unavailable(const LanguagePage& reasons) const;
    // The desktop's current values as the page shows them: the pointer-speed
    // and double-click slider indexes (0..10) and the wheel lines; -1 where
    // the desktop cannot tell or does not offer the setting.
    QList<int> current() const;
};
