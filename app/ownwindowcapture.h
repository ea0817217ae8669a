#pragma once

#include "inputsink.h"

#include <QObject>
#include <QPoint>

#include <array>

class HookDispatcher;
class QKeyEvent;

// The keys and buttons that reach our own windows, for systems where no
// system-wide capture is possible (Wayland, no X server): macro recording in
// the program still works. An application-wide event filter that never
// consumes anything.
class OwnWindowCapture : public QObject
{
    Q_OBJECT

public:
    // What a key event's native scan code holds on the running platform.
    enum class NativeCodes {
        XKeycode,       // X11, Wayland and libinput: evdev code + 8
        WindowsScanCode // scan code with the extended flag at 0x100
    };

    // Installs itself on the application object, which must exist.
    explicit OwnWindowCapture(HookDispatcher &dispatcher, QObject *parent = nullptr);
    ~OwnWindowCapture() override;

    static NativeCodes platformNativeCodes();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buttonChange(int index, bool pressed, QPoint position);
    void releaseEverything();

    HookDispatcher &m_dispatcher;
    NativeCodes m_nativeCodes;
    // Qt delivers one press to the window and again along the widget chain:
    // a button is reported only when its state changes.
    std::array<bool, 3> m_buttonDown{};
    QPoint m_lastPosition;
};

// The scan code of a key event: from its native scan code when the platform
// gives one, otherwise from the Qt key (US layout, main keys only).
ScanCode scanCodeForKeyEvent(const QKeyEvent &event, OwnWindowCapture::NativeCodes codes);
