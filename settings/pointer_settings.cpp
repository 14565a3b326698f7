// The system page's pointer settings: pointer speed, double-click time and
// wheel scroll lines, applied to the operating system.
#include "settings/pointer_settings.h"
#include "settings/pointer_mapping.h"
#include "settings/pointer_platform.h"
#include "settings/pointer_reasons.h"
#include "settings/language_strings.h"
#include <QDebug>

namespace {
PointerPlatform* g_installed = nullptr;
}

PointerPlatform& PointerPlatform::current()
{
    return g_installed ? *g_installed : system();
}

void PointerPlatform::install(PointerPlatform* platform)
{
    g_installed = platform;
}

namespace {
// A setting the desktop does not offer is not tried: the page already shows
// why, and the log says it once per request instead of a failure.
bool offered(PointerSetting setting, const char* slot)
{
    const QString reason = PointerPlatform::current().unavailableReason(setting);
    if (reason.isEmpty())
        return true;
    qDebug().noquote() << slot << "unavailable:" << reason;
    return false;
}
} // namespace

void PointerSettings::setSpeed(uint cursorSpeed)
{
    if (!offered(PointerSetting::Speed, "setCursorSpeed"))
        return;
    if (!PointerPlatform::current().setPointerSpeed(pointerSpeedForIndex(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

void PointerSettings::setDoubleClickSpeed(uint speed)
{
    if (!offered(PointerSetting::DoubleClickTime, "setDoubleClickSpeed"))
        return;
    if (!PointerPlatform::current().setDoubleClickTime(doubleClickTimeForIndex(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

void PointerSettings::setWheelLines(uint lines)
{
    if (!offered(PointerSetting::WheelLines, "setVerticalScrollLines"))
        return;
    if (!PointerPlatform::current().setWheelScrollLines(lines))
        qDebug() << "setVerticalScrollLines Failed";
}

QStringList PointerSettings::unavailable(const LanguagePage& reasons) const
{
    const PointerPlatform& platform = PointerPlatform::current();
    QStringList texts;
    for (PointerSetting setting : {PointerSetting::Speed, PointerSetting::DoubleClickTime, PointerSetting::WheelLines})
        texts << translatedPointerReason(platform.unavailableReason(setting), reasons);
    return texts;
}

QList<int> PointerSettings::current() const
{
    const PointerPlatform& platform = PointerPlatform::current();
    auto known = [&platform](PointerSetting setting) {
        return platform.unavailableReason(setting).isEmpty() ? platform.currentValue(setting) : -1;
    };
    const int speed = known(PointerSetting::Speed);
    const int time = known(PointerSetting::DoubleClickTime);
    return {speed < 0 ? -1 : int(indexForPointerSpeed(speed)), time < 0 ? -1 : int(indexForDoubleClickTime(time)),
            known(PointerSetting::WheelLines)};
}
