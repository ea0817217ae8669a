#pragma once

#include "profilefollower.h"
#include "windowapplication.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class myQQuickView;

// Makes the mouse follow the application in front: feeds the desktop's focus
// changes, the links and what the scene tells (when a switch must wait, the
// profile in use) to a ProfileFollower, wakes it with one single-shot timer
// when a switch may be due, and asks the scene to change profile. The
// program's own windows in front hold the following: the user is at the
// controls, and the last application before them stays the one in front.
class ProfileFollowerDriver : public QObject
{
    Q_OBJECT

public:
    // Milliseconds on a steady clock.
    using Clock = std::function<qint64()>;

    explicit ProfileFollowerDriver(myQQuickView &view, QObject *parent = nullptr);

    // Another clock in place of the steady one (virtual time for measuring).
    void setClock(Clock clock);

    const ProfileFollower &follower() const { return m_follower; }
    // Armed for the follower's next wake, or stopped when nothing waits.
    const QTimer &timer() const { return m_timer; }
    // The program's own windows, by their executable's or instance's name.
    bool isOwnApplication(const WindowApplication &application) const;

public slots:
    // The focus moved to `application` (empty: no window has it).
    void focusChanged(const WindowApplication &application);
    // Asks the scene for a switch that is due now.
    void wake();

signals:
    // Which profile the mouse now follows and why, or that the mouse did not
    // take it, in the user's language.
    void notice(const QString &text);

private:
    qint64 now() const;
    void setBlocked();
    void arm();
    QString noticeText(const ProfileFollower::Switch &done, bool taken);

    myQQuickView &m_view;
    ProfileFollower m_follower;
    QTimer m_timer;
    QElapsedTimer m_steady;
    Clock m_clock;
    QString m_ownName;
    bool m_sceneBlocked = false;
    bool m_ownWindowInFront = false;
};
