#pragma once

#include "hidthread.h"

#include <QEvent>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

class DeviceChangeMonitor;
class ProfileFollowerDriver;
class QAction;
class QMenu;
class Ui_Controler;
class myQQuickView;

// The main window's own event: code 2177 asks for the scene's "run" after a
// refresh has queued its "initUI".
class UserEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::User;
    static constexpr int kRunScene = 2177;

    explicit UserEvent(int code)
        : QEvent(kType)
        , m_code(code)
    {}
    int code() const { return m_code; }

private:
    qint32 m_code;
};

// The program's only top-level window: frameless, translucent and filled by
// the scene. It owns the device link, the device-check timer, the window
// controller and the tray icon, and turns outside events (device changes,
// restore requests, mouse reports) into work.
class Widget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDeviceCheckDelayMs = 2048;
    static constexpr int kBalloonMs = 10000;
    static inline const QString kApConfigPath = QStringLiteral("./modules/setting/apConfig.bin");

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    Hid_Thread &hid() { return m_hid; }
    myQQuickView *view() const;
    QSystemTrayIcon &trayIcon() { return *m_trayIcon; }
    const QTimer &deviceCheckTimer() const { return m_deviceCheckTimer; }

    // Set by discovery when a supported mouse answered, cleared when none did.
    static bool isDeviceConnected() { return s_deviceConnected; }

    // A device was added or removed somewhere: discovery runs once the burst
    // of notices has settled, unless the listener is watching the mouse.
    void deviceChangeNoticed();
    // The balloon of the tray icon, or the debug stream without a tray.
    void showBalloon(const QString &text);
    // What following the application in front did: the tray's balloon, or
    // one line on standard error where there is no tray.
    void showFollowNotice(const QString &text);
    // Shows a text that another program sent us, in a warning box.
    void showCopyData(const QString &text);

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    // The tray's Quit: asks the scene first when changes are unsaved.
    void quitFromTray();
    void receiveMessage(const QString &message);

protected:
    void customEvent(QEvent *event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private:
    void onConnected();
    void onDisconnected();
    void refreshScene();
    void requestRestore();
    void createTray();
    void onDpiStageSwitched(int stage);
    void onEventInterfaceLost();

    QTimer m_deviceCheckTimer;
    QPointer<Ui_Controler> m_controller;
    Hid_Thread m_hid;
    QSystemTrayIcon *m_trayIcon = nullptr;
    DeviceChangeMonitor *m_deviceMonitor = nullptr;
    ProfileFollowerDriver *m_follower = nullptr;

    static bool s_deviceConnected;
};
