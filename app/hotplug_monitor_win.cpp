#include "app/hotplug_monitor.h"

// Windows sends WM_DEVICECHANGE to the main window; Widget::nativeEvent
// handles it, so nothing is watched here.
struct HotplugMonitor::Private {};

HotplugMonitor::HotplugMonitor(QObject* parent) : QObject(parent), d(new Private) {}
HotplugMonitor::~HotplugMonitor() { delete d; }
bool HotplugMonitor::isActive() const { return false; }
