#pragma once

#include "copydatafilter.h"
#include "globalinputcapture.h"
#include "hookdispatcher.h"

#include <QPointer>

#include <memory>

class OwnWindowCapture;
class QCoreApplication;

// Owns the key and button capture for the program's life. Construct it once
// the main window exists and destroy it after the event loop has returned.
//
//     InputHookHolder holder(0);
//     holder.registerKeyboardCallback(onKey, &window);
//     holder.registerMouseCallback(onButton, &window);
//     holder.registerCopyDataCallback(onCopyData, &window, &app);
//
// It captures system-wide where the system allows (low-level hooks on
// Windows, X11 RECORD on Linux) and otherwise the keys and buttons that reach
// our own windows. Callbacks run on the GUI thread inside the capture and
// should only queue work. Keys go nowhere but the keyboard callback.
class InputHookHolder
{
public:
    using KeyboardCallback = HookDispatcher::KeyboardCallback;
    using MouseCallback = HookDispatcher::MouseCallback;
    using CopyDataCallback = CopyDataFilter::Handler;

    enum class Capture {
        None,       // no application object: nothing can be seen
        SystemWide, // every key and button of the desktop session
        OwnWindow   // only what reaches our own windows
    };

    // Fills the key tables (layoutOption: see KeyTables) and installs the
    // capture: keyboard, then mouse.
    explicit InputHookHolder(quint8 layoutOption = 0);
    // Removes the keyboard capture, then the mouse capture, and the copy-data
    // filter.
    ~InputHookHolder();

    InputHookHolder(const InputHookHolder &) = delete;
    InputHookHolder &operator=(const InputHookHolder &) = delete;

    void registerKeyboardCallback(KeyboardCallback callback, void *context);
    void registerMouseCallback(MouseCallback callback, void *context);
    // Stores the callback and installs the copy-data filter on the
    // application (where the system has copy-data messages).
    void registerCopyDataCallback(CopyDataCallback callback, void *context, QCoreApplication *app);

    Capture capture() const { return m_capture; }
    // The capture's event entry, for feeding events directly.
    HookDispatcher &dispatcher() { return m_dispatcher; }

private:
    HookDispatcher m_dispatcher;
    GlobalInputCapture m_global;
    std::unique_ptr<OwnWindowCapture> m_ownWindow;
    std::unique_ptr<CopyDataFilter> m_copyDataFilter;
    QPointer<QCoreApplication> m_filteredApp;
    Capture m_capture = Capture::None;
};
