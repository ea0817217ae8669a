#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Decides when the mouse follows the application in front. It holds no timer
// and reads no clock: every input comes with the time in milliseconds, and
// the caller arms one single-shot timer for nextWake() and then calls
// takeDue(). So it is tested with virtual time.
//
// What the user sees:
// - When an application linked to a profile has held the focus for kRestMs,
//   that profile is chosen. Focus that moves on sooner chooses nothing, so
//   Alt+Tab through a few windows never sends a profile.
// - When the focus rests on an application without a link (or on no window
//   at all), the profile that was in use before the first automatic change
//   comes back, after the same rest. Arriving there ends the following: a
//   later link starts it again from the profile in use then.
// - Linked application to linked application goes straight from one profile
//   to the other; the profile to come back to stays the user's.
// - Another window of the same application, with the same link, is no
//   change: the rest is not started again. The same application with a new
//   link (linked meanwhile) is a change.
// - An application linked to the profile already in use causes no switch.
// - A change of profile the follower did not ask for (the title-area list,
//   kx20ctl) is the user's choice: nothing comes back over it, and the
//   application in front then calls for nothing until the focus moves to
//   another application.
// - While blocked (something unsaved, a page or box open, the mouse busy, keys
//   captured, an edit open, the program's own window in front) nothing is
//   switched and the rest goes on counting; when the block ends, the switch
//   the focus still calls for happens at once if the rest is over, else when
//   it is. What the focus no longer calls for is dropped.
// - A switch the mouse did not take is not asked again for the same focus:
//   the scene leaves the profile unsaved for Save to send again, and the next
//   application in front is judged afresh.
// - A switch the scene turned down because it had to wait counts as blocked
//   until the scene says it is free again.
// - A link to a profile that no longer exists counts as no link; a profile to
//   come back to that no longer exists ends the following where it is.
class ProfileFollower
{
public:
    // How long the focus rests on an application before the mouse follows.
    static constexpr qint64 kRestMs = 1000;

    // A switch the follower asks for.
    struct Switch
    {
        int profile = -1;
        // Back to the profile in use before the first automatic change.
        bool returning = false;
        // The application in front that called for it, as the user knows it;
        // empty when no window has the focus.
        QString application;
    };

    // What came of a switch asked for by takeDue().
    enum class Outcome {
        // The program and the mouse hold the profile.
        Taken,
        // The program holds the profile, the mouse did not take it.
        Missed,
        // Nothing was changed: something had to be finished first.
        Waiting,
        // Nothing was changed: there is no such profile.
        NoSuchProfile,
    };

    explicit ProfileFollower(int profileInUse = 0);

    // The focus moved to `application` (its display name; empty for no
    // window), which is linked to `linkedProfile` (-1 for none).
    void focusChanged(qint64 nowMs, const QString &application, int linkedProfile);
    void setBlocked(bool blocked);
    // The profile in use is now `profile`, whoever changed it.
    void profileInUseChanged(int profile);
    // The switch takeDue() gave has ended.
    void switchEnded(Outcome outcome);

    // When takeDue() may next give a switch; -1 when nothing waits.
    qint64 nextWake() const;
    // The switch to ask for at `nowMs`, if one is due. It counts as asked
    // until switchEnded(); meanwhile nothing else is due.
    std::optional<Switch> takeDue(qint64 nowMs);

    int profileInUse() const { return m_inUse; }
    // The profile to come back to; -1 when not following.
    int returnProfile() const { return m_returnTo; }
    bool isBlocked() const { return m_blocked; }

private:
    // The profile the focus calls for now; -1 for none.
    int wanted() const;

    int m_inUse;
    int m_returnTo = -1;
    bool m_blocked = false;

    QString m_application;
    int m_linked = -1;
    qint64 m_focusSince = 0;
    // The focus calls for nothing more: the user chose.
    bool m_settled = false;
    // The link of the application in front names no profile.
    bool m_linkIgnored = false;

    std::optional<Switch> m_asked;
    int m_returnBeforeAsking = -1;
};
