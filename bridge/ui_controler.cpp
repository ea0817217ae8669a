#include "ui_controler.h"

#include "bridgelog.h"
#include "hidthread.h"
#include "myqquickview.h"
#include "scenetypes.h"

#include <QDebug>
#include <QQmlContext>
#include <QQmlError>
#include <QUrl>
#include <QWindow>

Ui_Controler::Ui_Controler(QObject *parent)
    : QObject(parent)
{}

myQQuickView *Ui_Controler::setup(QWidget *window, Hid_Thread *hid, const QString &title)
{
    m_window = window;
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Only the window itself: a rule without a selector would reach every
    // child, the file dialogs too, and leave them black and unreadable.
    window->setStyleSheet(QStringLiteral("#%1 { background: transparent; }").arg(window->objectName()));

    m_view = new myQQuickView(window);
    m_view->setObjectName(QStringLiteral("ui_View"));
    m_view->setResizeMode(QQuickWidget::SizeViewToRootObject);
    // A translucent window shows through the view only when the view is
    // composed above it with a transparent clear colour.
    m_view->setAttribute(Qt::WA_AlwaysStackOnTop);
    m_view->setClearColor(Qt::transparent);
    QObject::connect(m_view, &QQuickWidget::statusChanged, m_view, [view = m_view.data()] {
        // Load errors of the scene are never silent.
        const QList<QQmlError> errors = view->errors();
        for (const QQmlError &error : errors)
            qCWarning(lcBridge).noquote() << error.toString();
    });

    registerSceneTypes();
    QQmlContext *context = m_view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_view);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);
    m_view->setSource(QUrl(QString::fromLatin1(kScene)));

    // A top-level window is otherwise clamped to the screen it opens on.
    window->setFixedSize(m_view->size());
    window->setWindowTitle(title);
    return m_view;
}

void Ui_Controler::onMinimize()
{
    if (m_window)
        m_window->showMinimized();
}

void Ui_Controler::onClose()
{
    if (m_window)
        m_window->setVisible(false);
}

void Ui_Controler::onXChanged(int dx)
{
    if (m_window)
        m_window->move(m_window->x() + dx, m_window->y());
}

void Ui_Controler::onYChanged(int dy)
{
    if (m_window)
        m_window->move(m_window->x(), m_window->y() + dy);
}

bool Ui_Controler::startSystemMove()
{
    if (!m_window)
        return false;
    QWindow *handle = m_window->windowHandle();
    return handle && handle->startSystemMove();
}

void Ui_Controler::setBusy(int busyTime)
{
    if (m_window && m_view)
        m_view->setBusy(busyTime);
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}

void Ui_Controler::onQuit()
{
    emit quitRequested();
}
