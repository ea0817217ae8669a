#include "activewindowwatcher.h"

#include <QFileInfo>
#include <QList>

#include <iterator>

#include <windows.h>

namespace {

// The window's class and its process's executable file name; empty halves
// for what cannot be read (a window that has gone, a process of a higher
// privilege).
WindowApplication applicationOf(HWND window, DWORD *processId = nullptr)
{
    WindowApplication application;
    if (!window || !IsWindow(window))
        return application;
    wchar_t className[256] = {};
    const int classLength = GetClassNameW(window, className, int(std::size(className)));
    if (classLength > 0)
        application.windowClass = QString::fromWCharArray(className, classLength);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (processId)
        *processId = pid;
    if (pid == 0)
        return application;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return application;
    wchar_t path[MAX_PATH * 4] = {};
    DWORD pathLength = DWORD(std::size(path));
    if (QueryFullProcessImageNameW(process, 0, path, &pathLength))
        application.executable = QFileInfo(QString::fromWCharArray(path, int(pathLength))).fileName();
    CloseHandle(process);
    return application;
}

// Windows a person would call open applications: shown, not owned by
// another window, not a tool window.
BOOL CALLBACK collectWindow(HWND window, LPARAM found)
{
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER)
        || (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    DWORD pid = 0;
    const WindowApplication application = applicationOf(window, &pid);
    // The user links other applications, never this program.
    if (pid != GetCurrentProcessId())
        reinterpret_cast<QList<WindowApplication> *>(found)->append(application);
    return TRUE;
}

} // namespace

// A foreground-window event hook, called on this thread by its message loop
// (out of context: nothing is loaded into other processes). The hook's
// callback carries no context, so each watcher is found by its hook.
struct ActiveWindowWatcher::Impl
{
    ActiveWindowWatcher *owner;
    HWINEVENTHOOK hook = nullptr;
    WindowApplication active;

    static inline QList<Impl *> s_watchers;

    static void CALLBACK onForeground(HWINEVENTHOOK hook, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
    {
        if (object != OBJID_WINDOW)
            return;
        for (Impl *impl : std::as_const(s_watchers)) {
            if (impl->hook != hook)
                continue;
            const WindowApplication now = applicationOf(window);
            if (now != impl->active) {
                impl->active = now;
                emit impl->owner->activeApplicationChanged(now);
            }
            return;
        }
    }
};

ActiveWindowWatcher::ActiveWindowWatcher(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Impl>())
{
    d->owner = this;
    d->hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &Impl::onForeground,
                              0, 0, WINEVENT_OUTOFCONTEXT);
    if (!d->hook)
        return;
    d->active = applicationOf(GetForegroundWindow());
    Impl::s_watchers.append(d.get());
}

ActiveWindowWatcher::~ActiveWindowWatcher()
{
    if (d->hook) {
        Impl::s_watchers.removeOne(d.get());
        UnhookWinEvent(d->hook);
    }
}

bool ActiveWindowWatcher::isActive() const
{
    return d->hook != nullptr;
}

WindowApplication ActiveWindowWatcher::activeApplication() const
{
    return d->active;
}

QList<WindowApplication> ActiveWindowWatcher::openApplications() const
{
    if (!d->hook)
        return {};
    QList<WindowApplication> found;
    EnumWindows(&collectWindow, reinterpret_cast<LPARAM>(&found));
    return distinctApplications(found);
}
