#include "inputhookholder.h"

#include "applog.h"
#include "ownwindowcapture.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>

namespace {

// A native Wayland window's input never passes through an X server, so
// recording X input would miss the keys typed into the program itself.
bool systemWideCapturePossible(QString *reason)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        *reason = QStringLiteral("Wayland allows no system-wide capture");
        return false;
    }
    return true;
}

} // namespace

InputHookHolder::InputHookHolder(quint8 layoutOption)
    : m_dispatcher(layoutOption)
    , m_global(m_dispatcher)
{
    QString reason;
    if (systemWideCapturePossible(&reason)) {
        if (m_global.install())
            m_capture = Capture::SystemWide;
        else
            reason = m_global.failureReason();
    }
    if (m_capture == Capture::None && QCoreApplication::instance()) {
        m_ownWindow = std::make_unique<OwnWindowCapture>(m_dispatcher);
        m_capture = Capture::OwnWindow;
    }

    // Which capture is in use, once; never anything about the keys.
    switch (m_capture) {
    case Capture::SystemWide:
        qCDebug(lcApp).noquote() << "Input capture: system-wide," << GlobalInputCapture::mechanism();
        break;
    case Capture::OwnWindow:
        qCDebug(lcApp).noquote() << "Input capture: own window only (" + reason + ")";
        break;
    case Capture::None:
        qCDebug(lcApp).noquote() << "Input capture: none (" + reason + ")";
        break;
    }
}

InputHookHolder::~InputHookHolder()
{
    m_global.remove();
    m_ownWindow.reset();
    if (m_copyDataFilter && m_filteredApp)
        m_filteredApp->removeNativeEventFilter(m_copyDataFilter.get());
}

void InputHookHolder::registerKeyboardCallback(KeyboardCallback callback, void *context)
{
    m_dispatcher.registerKeyboardCallback(callback, context);
}

void InputHookHolder::registerMouseCallback(MouseCallback callback, void *context)
{
    m_dispatcher.registerMouseCallback(callback, context);
}

void InputHookHolder::registerCopyDataCallback(CopyDataCallback callback, void *context,
                                               QCoreApplication *app)
{
    if (m_copyDataFilter) {
        m_copyDataFilter->setHandler(callback, context);
    } else {
        m_copyDataFilter = std::make_unique<CopyDataFilter>(callback, context);
    }
    if (!app || app == m_filteredApp || !CopyDataFilter::isAvailable())
        return;
    if (m_filteredApp)
        m_filteredApp->removeNativeEventFilter(m_copyDataFilter.get());
    app->installNativeEventFilter(m_copyDataFilter.get());
    m_filteredApp = app;
}
