#include "ownwindowcapture.h"

#include "evdevscancodes.h"
#include "qtkeyscancodes.h"
#include "hookdispatcher.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Index of a button in the state array and its two messages.
struct ButtonMessages
{
    quint32 down;
    quint32 up;
};
constexpr ButtonMessages kButtonMessages[] = {
    {MouseMessage::LeftDown, MouseMessage::LeftUp},
    {MouseMessage::RightDown, MouseMessage::RightUp},
    {MouseMessage::MiddleDown, MouseMessage::MiddleUp},
};

int buttonIndex(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    default:
        return -1;
    }
}

} // namespace

ScanCode scanCodeForKeyEvent(const QKeyEvent &event, OwnWindowCapture::NativeCodes codes)
{
    const quint32 native = event.nativeScanCode();
    if (native == 0)
        return scanCodeForQtKey(event.key(), event.modifiers());
    if (codes == OwnWindowCapture::NativeCodes::WindowsScanCode)
        return {static_cast<quint8>(native & 0xFF), (native & 0x100) != 0};
    return EvdevScanCodes::forXKeycode(native);
}

OwnWindowCapture::OwnWindowCapture(HookDispatcher &dispatcher, QObject *parent)
    : QObject(parent)
    , m_dispatcher(dispatcher)
    , m_nativeCodes(platformNativeCodes())
{
    QCoreApplication::instance()->installEventFilter(this);
}

OwnWindowCapture::~OwnWindowCapture()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

OwnWindowCapture::NativeCodes OwnWindowCapture::platformNativeCodes()
{
    return QGuiApplication::platformName() == QLatin1String("windows") ? NativeCodes::WindowsScanCode
                                                                       : NativeCodes::XKeycode;
}

bool OwnWindowCapture::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->isAutoRepeat())
            break;
        const ScanCode code = scanCodeForKeyEvent(*key, m_nativeCodes);
        if (code.isValid())
            m_dispatcher.keyEvent(code.scan, code.extended, key->modifiers().testFlag(Qt::AltModifier),
                                  event->type() == QEvent::KeyPress);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        const int index = buttonIndex(mouse->button());
        if (index >= 0)
            buttonChange(index, event->type() == QEvent::MouseButtonPress, mouse->globalPosition().toPoint());
        break;
    }
    case QEvent::ApplicationStateChange:
        // Releases that happen in another program's window never reach us.
        if (static_cast<const QApplicationStateChangeEvent *>(event)->applicationState()
            != Qt::ApplicationActive)
            releaseEverything();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void OwnWindowCapture::buttonChange(int index, bool pressed, QPoint position)
{
    m_lastPosition = position;
    if (m_buttonDown[index] == pressed)
        return;
    m_buttonDown[index] = pressed;
    const ButtonMessages &messages = kButtonMessages[index];
    m_dispatcher.buttonEvent(pressed ? messages.down : messages.up, position.x(), position.y());
}

void OwnWindowCapture::releaseEverything()
{
    m_dispatcher.releaseAllKeys();
    for (int index = 0; index < static_cast<int>(m_buttonDown.size()); ++index)
        buttonChange(index, false, m_lastPosition);
}
