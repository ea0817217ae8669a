#include "devicechangemonitor.h"

// Windows delivers WM_DEVICECHANGE to the main window, which handles it in
// its native event handler; nothing to watch here.
struct DeviceChangeMonitor::Impl
{
};

DeviceChangeMonitor::DeviceChangeMonitor(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>())
{}

DeviceChangeMonitor::~DeviceChangeMonitor() = default;

bool DeviceChangeMonitor::isActive() const
{
    return false;
}
