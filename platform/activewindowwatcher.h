#pragma once

#include "windowapplication.h"

#include <QList>
#include <QObject>

#include <memory>

// Tells which application's window has the focus, as the desktop reports
// it. It waits for the desktop's events and never polls. On X11 it watches
// the root window's _NET_ACTIVE_WINDOW; where the desktop gives no focus
// information (Wayland, a display-less session) it is inactive and silent.
class ActiveWindowWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ActiveWindowWatcher(QObject *parent = nullptr);
    ~ActiveWindowWatcher() override;

    // False when focus changes cannot be watched here (Wayland, no display,
    // the X server gone).
    bool isActive() const;
    // The application in front now; empty when none or inactive.
    WindowApplication activeApplication() const;
    // The applications with open windows now, each once, for the user to pick
    // from; empty when inactive.
    QList<WindowApplication> openApplications() const;

signals:
    // The focus moved to another application: its names differ from the
    // last ones told (another window of the same application is no change).
    // `application` is empty when no window has the focus, when the window
    // in front names nothing we can read, or when the X server has gone.
    // Not emitted for the state found at construction: read
    // activeApplication() for that.
    void activeApplicationChanged(const WindowApplication &application);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
