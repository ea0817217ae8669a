#include "globalinputcapture.h"

#include <QString>

#include <windows.h>

namespace {

// Low-level hook procedures get no context argument: they reach the one
// installed capture through this pointer. Hooks run on the installing (GUI)
// thread, inside its message loop, so nothing else touches it.
InputSink *s_sink = nullptr;

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    // A negative code must go straight on; low-level hooks otherwise only see
    // HC_ACTION.
    if (code == HC_ACTION && s_sink && lParam) {
        const auto *info = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
        const bool pressed = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        s_sink->keyEvent(static_cast<unsigned>(info->scanCode), (info->flags & LLKHF_EXTENDED) != 0,
                         (info->flags & LLKHF_ALTDOWN) != 0, pressed);
    }
    // Keys are never swallowed: every other program still gets them.
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && s_sink && lParam) {
        const auto message = static_cast<quint32>(wParam);
        // Moves, the wheel and the side buttons pass untouched.
        if (message >= MouseMessage::LeftDown && message <= MouseMessage::MiddleUp) {
            const auto *info = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
            s_sink->buttonEvent(message, static_cast<int>(info->pt.x), static_cast<int>(info->pt.y));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

struct GlobalInputCapture::Impl
{
    InputSink &sink;
    HHOOK keyboard = nullptr;
    HHOOK mouse = nullptr;
    QString failure;

    explicit Impl(InputSink &s)
        : sink(s)
    {}
};

GlobalInputCapture::GlobalInputCapture(InputSink &sink)
    : d(std::make_unique<Impl>(sink))
{}

GlobalInputCapture::~GlobalInputCapture()
{
    remove();
}

bool GlobalInputCapture::install()
{
    remove();
    d->failure.clear();
    s_sink = &d->sink;
    HMODULE module = GetModuleHandleW(nullptr);
    d->keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, module, 0);
    if (!d->keyboard) {
        d->failure = QStringLiteral("the keyboard hook was refused (error %1)").arg(GetLastError());
        remove();
        return false;
    }
    d->mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseProc, module, 0);
    if (!d->mouse) {
        d->failure = QStringLiteral("the mouse hook was refused (error %1)").arg(GetLastError());
        remove();
        return false;
    }
    return true;
}

void GlobalInputCapture::remove()
{
    if (d->keyboard) {
        UnhookWindowsHookEx(d->keyboard);
        d->keyboard = nullptr;
    }
    if (d->mouse) {
        UnhookWindowsHookEx(d->mouse);
        d->mouse = nullptr;
    }
    if (s_sink == &d->sink)
        s_sink = nullptr;
}

bool GlobalInputCapture::isInstalled() const
{
    return d->keyboard && d->mouse;
}

QString GlobalInputCapture::mechanism()
{
    return QStringLiteral("low-level hooks");
}

QString GlobalInputCapture::failureReason() const
{
    return d->failure;
}
