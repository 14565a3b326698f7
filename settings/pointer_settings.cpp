// The system page's pointer settings: pointer speed, double-click time and
// wheel scroll lines, applied to the operating system.
#include "app/myqquickview.h"
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

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!PointerPlatform::current().setPointerSpeed(pointerSpeedForIndex(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    if (!PointerPlatform::current().setDoubleClickTime(doubleClickTimeForIndex(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    if (!PointerPlatform::current().setWheelScrollLines(lines))
        qDebug() << "setVerticalScrollLines Failed";
}
