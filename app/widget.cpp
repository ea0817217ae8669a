#include "widget.h"

#include <QCoreApplication>
#include <QDebug>

bool Widget::s_deviceConnected = false;

Widget::Widget(QWidget *parent)
    : QWidget(parent)
{
    m_deviceCheckTimer.setInterval(kDeviceCheckDelayMs);
    m_deviceCheckTimer.setSingleShot(true);
    connect(&m_deviceCheckTimer, &QTimer::timeout, this, &Widget::checkDevice);
}

Widget::~Widget()
{
    m_hid.setListening(false);
}

void Widget::deviceChangeNoticed()
{
    if (!m_hid.isListening())
        m_deviceCheckTimer.start();
}

void Widget::checkDevice()
{
    if (m_hid.discoverDevice(kApConfigPath) >= 0)
        onConnected();
    else
        onDisconnected();
}

void Widget::onConnected()
{
    qDebug("Device Connect");
    m_hid.freeLink();
    s_deviceConnected = true;
}

void Widget::onDisconnected()
{
    qDebug("Device DisConnect");
    s_deviceConnected = false;
}

void Widget::exitSYS()
{
    m_hid.setListening(false);
    QCoreApplication::exit(0);
}

void Widget::receiveMessage(const QString &)
{
    if (s_deviceConnected)
        requestRestore();
}

void Widget::requestRestore()
{
    // Queued, like the restore message it stands for: the window comes back
    // once the current event has been handled.
    QMetaObject::invokeMethod(
        this,
        [this] {
            setVisible(true);
            showNormal();
            raise();
            activateWindow();
        },
        Qt::QueuedConnection);
}
