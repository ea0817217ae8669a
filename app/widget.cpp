#include "widget.h"

#include "applog.h"
#include "devicechangemonitor.h"
#include "languagestrings.h"
#include "myqquickview.h"
#include "profilefollowerdriver.h"
#include "ui_controler.h"
#include "settingspath.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

bool Widget::s_deviceConnected = false;

namespace {

const char kTrayMenuStyle[] =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } QMenu::item { height: "
    "22px; "
    "padding: 0px 25px 0px 20px; } QMenu::item:enabled { color: rgb(225, 225, 225); } QMenu::item:!enabled { "
    "color: rgb(155, 155, 155); } QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: "
    "rgba(255, 255, 255, 40); } QMenu::separator { height: 1px; background: rgb(100, 100, 100); }";

} // namespace

Widget::Widget(QWidget *parent)
    : QWidget(parent)
{
    m_controller = new Ui_Controler;
    const QSettings apConfig(SettingsPath::forStore(kApConfigPath), QSettings::IniFormat);
    myQQuickView *bridge =
        m_controller->setup(this, &m_hid, apConfig.value(QStringLiteral("common/name")).toString());
    // The link learns the configured family and gun model from the bridge.
    bridge->setHidThread(&m_hid);
    // The listener reports from its pool thread; these run on ours.
    connect(&m_hid, &Hid_Thread::dpiStageSwitched, this, &Widget::onDpiStageSwitched, Qt::QueuedConnection);
    connect(&m_hid, &Hid_Thread::eventInterfaceLost, this, &Widget::onEventInterfaceLost,
            Qt::QueuedConnection);

    m_deviceCheckTimer.setInterval(kDeviceCheckDelayMs);
    m_deviceCheckTimer.setSingleShot(true);
    connect(&m_deviceCheckTimer, &QTimer::timeout, this, &Widget::checkDevice);

    connect(m_controller, &Ui_Controler::quitRequested, this, &Widget::exitSYS, Qt::QueuedConnection);
    createTray();

    m_deviceMonitor = new DeviceChangeMonitor(this);
    connect(m_deviceMonitor, &DeviceChangeMonitor::deviceChanged, this, &Widget::deviceChangeNoticed);

    // The mouse follows the application in front.
    m_follower = new ProfileFollowerDriver(*bridge, this);
    connect(m_follower, &ProfileFollowerDriver::notice, this, &Widget::showFollowNotice);
}

Widget::~Widget()
{
    m_hid.setListening(false);
    m_hid.waitForListener();
    // Deleted now rather than deferred: after the event loop has ended a
    // deferred deletion would never run.
    delete m_controller;
}

myQQuickView *Widget::view() const
{
    return m_controller ? m_controller->view() : nullptr;
}

void Widget::createTray()
{
    m_trayIcon = new QSystemTrayIcon(this);
    auto *quit = new QAction(tr("Quit (&Q)"), this);
    connect(quit, &QAction::triggered, this, &Widget::quitFromTray);
    auto *menu = new QMenu(this);
    menu->addAction(quit);
    menu->setStyleSheet(QString::fromLatin1(kTrayMenuStyle));
    m_trayIcon->setContextMenu(menu);
    m_trayIcon->setToolTip(QStringLiteral("MARQUON SKARN MOUSE KX20"));
    m_trayIcon->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_trayIcon->show();
    else
        qCDebug(lcApp, "No system tray on this desktop: notices go to the debug output");
}

void Widget::showBalloon(const QString &text)
{
    if (m_trayIcon->isVisible())
        m_trayIcon->showMessage(QStringLiteral("Info"), text, QSystemTrayIcon::Information, kBalloonMs);
    else
        qCDebug(lcApp).noquote() << QStringLiteral("Info: ") + text;
}

void Widget::showFollowNotice(const QString &text)
{
    if (m_trayIcon->isVisible())
        showBalloon(text);
    else
        qInfo().noquote() << text;
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick && s_deviceConnected)
        requestRestore();
}

void Widget::deviceChangeNoticed()
{
    if (!m_hid.isListening())
        m_deviceCheckTimer.start();
}

void Widget::checkDevice()
{
    const int row = m_hid.discoverDevice(kApConfigPath);
    if (row >= 0)
        onConnected();
    else
        onDisconnected();
}

void Widget::onConnected()
{
    qDebug("Device Connect");
    myQQuickView *bridge = view();
    bridge->clearHidBusy();
    s_deviceConnected = true;
    showBalloon(QStringLiteral("Detect Device"));
    m_hid.startReportListener(static_cast<uint>(m_hid.currentDeviceIndex()));
    bridge->beginConnection();
    if (m_hid.is560Family()) {
        const uint profiles = m_hid.isGunModel() ? 5 : 2;
        for (uint profile = 0; profile < profiles; ++profile)
            bridge->mouseReadProfile(profile);
    }
    bridge->setEnabled(true);
    // kx20ctl may have chosen another profile while the mouse was away; it
    // sent that profile itself, so the scene only shows it.
    bridge->takeOutsideChanges();
    refreshScene();
}

void Widget::onDisconnected()
{
    qDebug("Device DisConnect");
    s_deviceConnected = false;
    refreshScene();
}

void Widget::refreshScene()
{
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kRunScene));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == UserEvent::kType && static_cast<UserEvent *>(event)->code() == UserEvent::kRunScene)
        view()->runUI();
}

void Widget::onDpiStageSwitched(int stage)
{
    view()->setCurrentDPI(stage);
    showBalloon(LanguageStrings::dpiSwitchTextForStage(stage) + QLatin1Char(' '));
}

void Widget::onEventInterfaceLost()
{
    view()->setEnabled(false);
}

void Widget::exitSYS()
{
    m_hid.setListening(false);
    QCoreApplication::exit(0);
}

void Widget::quitFromTray()
{
    myQQuickView *bridge = view();
    if (!bridge || bridge->askToQuit()) {
        exitSYS();
        return;
    }
    // The question is in the window: bring it up where the user sees it.
    setVisible(true);
    showNormal();
    raise();
    activateWindow();
}

void Widget::receiveMessage(const QString &)
{
    if (s_deviceConnected)
        requestRestore();
}

void Widget::requestRestore()
{
#ifdef Q_OS_WIN
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
#else
    // Queued, like the restore message it stands for.
    QMetaObject::invokeMethod(
        this,
        [this] {
            setVisible(true);
            showNormal();
            raise();
            activateWindow();
            // What kx20ctl changed while the window was hidden shows now.
            if (myQQuickView *bridge = view())
                bridge->takeOutsideChanges();
        },
        Qt::QueuedConnection);
#endif
}

void Widget::showCopyData(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok);
    box.exec();
}

#ifdef Q_OS_WIN
bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE) {
        setVisible(true);
        if (myQQuickView *bridge = view())
            bridge->takeOutsideChanges();
    } else if (msg->message == WM_DEVICECHANGE) {
        deviceChangeNoticed();
    }
    return QWidget::nativeEvent(eventType, message, result);
}
#endif
