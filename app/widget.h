#pragma once

#include "hidthread.h"

#include <QTimer>
#include <QWidget>

// The program's only top-level window. It owns the device link and the
// device-check timer, and turns outside events (device changes, restore
// requests) into work.
class Widget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDeviceCheckDelayMs = 2048;
    static inline const QString kApConfigPath = QStringLiteral("./modules/setting/apConfig.bin");

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    Hid_Thread &hid() { return m_hid; }
    // Set by discovery when a supported mouse answered, cleared when none did.
    static bool isDeviceConnected() { return s_deviceConnected; }

    // A device was added or removed somewhere: discovery runs once the burst
    // of notices has settled, unless the listener is watching the mouse.
    void deviceChangeNoticed();

public slots:
    void checkDevice();
    void exitSYS();
    void receiveMessage(const QString &message);

private:
    void onConnected();
    void onDisconnected();
    void requestRestore();

    QTimer m_deviceCheckTimer;
    Hid_Thread m_hid;

    static bool s_deviceConnected;
};
