// The system page's pointer settings: pointer speed, double-click time and
// wheel scroll lines, applied to the operating system.
#include "settings/pointer_settings.h"
#include "settings/pointer_mapping.h"
#include "settings/pointer_platform.h"
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

QStringList PointerSettings::unavailable() const
{
    const PointerPlatform& platform = PointerPlatform::current();
    return {platform.unavailableReason(PointerSetting::Speed),
            platform.unavailableReason(PointerSetting::DoubleClickTime),
            platform.unavailableReason(PointerSetting::WheelLines)};
}
