#include "app/hotplug_monitor.h"
#include <QDebug>
#include <QSocketNotifier>
#include <cstring>
#include <libudev.h>

struct HotplugMonitor::Private {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    QSocketNotifier* notifier = nullptr;
};

HotplugMonitor::HotplugMonitor(QObject* parent) : QObject(parent), d(new Private)
{
    d->context = udev_new();
    if (!d->context)
        return;
    d->monitor = udev_monitor_new_from_netlink(d->context, "udev");
    if (!d->monitor
        || udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(d->monitor) < 0) {
        qDebug() << "Hot-plug monitor unavailable";
        return;
    }
    d->notifier = new QSocketNotifier(udev_monitor_get_fd(d->monitor), QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        udev_device* dev = udev_monitor_receive_device(d->monitor);
        if (!dev)
            return;
        const char* action = udev_device_get_action(dev);
        const bool relevant = action && (!std::strcmp(action, "add") || !std::strcmp(action, "remove"));
        udev_device_unref(dev);
        if (relevant)
            emit deviceAddedOrRemoved();
    });
}

HotplugMonitor::~HotplugMonitor()
{
    delete d->notifier;
    if (d->monitor)
        udev_monitor_unref(d->monitor);
    if (d->context)
        udev_unref(d->context);
    delete d;
}

bool HotplugMonitor::isActive() const
{
    return d->notifier != nullptr;
}
