#include "devicechangemonitor.h"

#include "platformlog.h"
#include <QDebug>
#include <QFileInfo>
#include <QSocketNotifier>

#include <libudev.h>

struct DeviceChangeMonitor::Impl
{
    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;

    ~Impl()
    {
        delete notifier;
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
    }
};

DeviceChangeMonitor::DeviceChangeMonitor(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>())
{
    d->context = udev_new();
    if (!d->context)
        return;
    // Without a udev daemon (containers, minimal systems) only the kernel's
    // own events arrive.
    const char *source = QFileInfo::exists(QStringLiteral("/run/udev/control")) ? "udev" : "kernel";
    d->monitor = udev_monitor_new_from_netlink(d->context, source);
    if (!d->monitor || udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(d->monitor) < 0) {
        qCDebug(lcPlatform, "Device change monitor unavailable: hotplug needs a restart of the program");
        if (d->monitor)
            udev_monitor_unref(d->monitor);
        d->monitor = nullptr;
        return;
    }
    d->notifier = new QSocketNotifier(udev_monitor_get_fd(d->monitor), QSocketNotifier::Read);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        // Drain what is queued; one notice per event is enough for the timer.
        while (udev_device *device = udev_monitor_receive_device(d->monitor)) {
            udev_device_unref(device);
            emit deviceChanged();
        }
    });
}

DeviceChangeMonitor::~DeviceChangeMonitor() = default;

bool DeviceChangeMonitor::isActive() const
{
    return d->notifier != nullptr;
}
