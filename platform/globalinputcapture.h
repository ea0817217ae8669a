#pragma once

#include "inputsink.h"

#include <QString>

#include <memory>

// System-wide key and button capture: every key and main mouse button the
// user presses, whichever window has the focus, goes to the sink. Windows
// uses low-level hooks; Linux records the X server's input through the X11
// RECORD extension. Keys are never swallowed. Lives on the GUI thread.
class GlobalInputCapture
{
public:
    explicit GlobalInputCapture(InputSink &sink);
    ~GlobalInputCapture();

    GlobalInputCapture(const GlobalInputCapture &) = delete;
    GlobalInputCapture &operator=(const GlobalInputCapture &) = delete;

    // Installs the keyboard capture, then the mouse capture; all or nothing.
    // Installing again first removes what is installed.
    bool install();
    // Removes the keyboard capture, then the mouse capture. Harmless when
    // nothing is installed.
    void remove();
    bool isInstalled() const;

    // What the capture is built on, for the one line that says so.
    static QString mechanism();
    // Why the last install() failed; empty after a success.
    QString failureReason() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
