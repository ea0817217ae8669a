#include "profilefollower.h"

ProfileFollower::ProfileFollower(int profileInUse)
    : m_inUse(profileInUse)
{}

void ProfileFollower::focusChanged(qint64 nowMs, const QString &application, int linkedProfile)
{
    const int linked = linkedProfile < 0 ? -1 : linkedProfile;
    if (application.compare(m_application, Qt::CaseInsensitive) == 0 && linked == m_linked)
        return;
    m_application = application;
    m_linked = linked;
    m_focusSince = nowMs;
    m_settled = false;
    m_linkIgnored = false;
}

void ProfileFollower::setBlocked(bool blocked)
{
    m_blocked = blocked;
}

void ProfileFollower::profileInUseChanged(int profile)
{
    if (profile == m_inUse)
        return;
    m_inUse = profile;
    // Our own switch tells the same before it ends.
    if (m_asked && m_asked->profile == profile)
        return;
    m_returnTo = -1;
    m_settled = true;
}

void ProfileFollower::switchEnded(Outcome outcome)
{
    if (!m_asked)
        return;
    const Switch asked = *m_asked;
    m_asked.reset();
    switch (outcome) {
    case Outcome::Taken:
    case Outcome::Missed:
        m_inUse = asked.profile;
        // Missed too: the program holds the profile, Save sends it again,
        // so it is not asked for again.
        if (m_inUse == m_returnTo)
            m_returnTo = -1;
        break;
    case Outcome::Waiting:
        m_returnTo = m_returnBeforeAsking;
        m_blocked = true;
        break;
    case Outcome::NoSuchProfile:
        m_returnTo = m_returnBeforeAsking;
        if (asked.returning)
            m_returnTo = -1;
        else
            m_linkIgnored = true;
        break;
    }
}

int ProfileFollower::wanted() const
{
    if (m_settled)
        return -1;
    if (m_linked >= 0 && !m_linkIgnored)
        return m_linked;
    return m_returnTo;
}

qint64 ProfileFollower::nextWake() const
{
    const int profile = wanted();
    if (m_blocked || m_asked || profile < 0 || profile == m_inUse)
        return -1;
    return m_focusSince + kRestMs;
}

std::optional<ProfileFollower::Switch> ProfileFollower::takeDue(qint64 nowMs)
{
    const qint64 wake = nextWake();
    if (wake < 0 || nowMs < wake)
        return std::nullopt;
    Switch due;
    due.profile = wanted();
    due.returning = due.profile == m_returnTo && (m_linked < 0 || m_linkIgnored);
    due.application = m_application;
    m_returnBeforeAsking = m_returnTo;
    // The first automatic change remembers where the user was.
    if (!due.returning && m_returnTo < 0)
        m_returnTo = m_inUse;
    m_asked = due;
    return due;
}
