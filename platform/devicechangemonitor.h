#pragma once

#include <QObject>

#include <memory>

// Tells when a HID device was added or removed anywhere on the system. On
// Linux it listens to udev for hidraw devices; on Windows the main window
// sees WM_DEVICECHANGE itself and this monitor stays silent.
class DeviceChangeMonitor : public QObject
{
    Q_OBJECT

public:
    explicit DeviceChangeMonitor(QObject *parent = nullptr);
    ~DeviceChangeMonitor() override;

    // False when the system offers no way to watch (no udev, no netlink).
    bool isActive() const;

signals:
    void deviceChanged();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
