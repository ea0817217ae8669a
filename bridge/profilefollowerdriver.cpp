#include "profilefollowerdriver.h"

#include "bridgelog.h"
#include "myqquickview.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// Where the notices sit in the language files' [follow] section.
enum FollowText { Chosen, Back, NotTakenFor, NotTakenBack };

} // namespace

ProfileFollowerDriver::ProfileFollowerDriver(myQQuickView &view, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_follower(view.getGlobalData(QStringLiteral("mouse/profileNo")).toInt())
    , m_ownName(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
{
    m_steady.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ProfileFollowerDriver::wake);
    connect(&view, &myQQuickView::followBlockedChanged, this, [this](bool blocked) {
        m_sceneBlocked = blocked;
        setBlocked();
        arm();
    });
    connect(&view, &myQQuickView::profileInUseChanged, this, [this](int profile) {
        m_follower.profileInUseChanged(profile);
        arm();
    });
    ActiveWindowWatcher &windows = view.activeWindows();
    connect(&windows, &ActiveWindowWatcher::activeApplicationChanged, this,
            &ProfileFollowerDriver::focusChanged);
    if (windows.isActive())
        focusChanged(windows.activeApplication());
}

void ProfileFollowerDriver::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

qint64 ProfileFollowerDriver::now() const
{
    return m_clock ? m_clock() : m_steady.elapsed();
}

bool ProfileFollowerDriver::isOwnApplication(const WindowApplication &application) const
{
    return !m_ownName.isEmpty()
           && (application.executable.compare(m_ownName, Qt::CaseInsensitive) == 0
               || application.instanceName.compare(m_ownName, Qt::CaseInsensitive) == 0);
}

void ProfileFollowerDriver::focusChanged(const WindowApplication &application)
{
    m_ownWindowInFront = isOwnApplication(application);
    if (!m_ownWindowInFront) {
        const int linked =
            application.isEmpty() ? -1 : m_view.applicationRules().profileFor(application.names());
        m_follower.focusChanged(now(), application.displayName(), linked);
    }
    setBlocked();
    arm();
}

void ProfileFollowerDriver::setBlocked()
{
    // A switch the scene turned down stays blocked until the scene is free.
    m_follower.setBlocked(m_sceneBlocked || m_ownWindowInFront);
}

void ProfileFollowerDriver::arm()
{
    const qint64 wake = m_follower.nextWake();
    if (wake < 0) {
        m_timer.stop();
        return;
    }
    // Never inside the scene's own call: even a switch due now waits for the
    // event loop.
    m_timer.start(int(qBound<qint64>(0, wake - now(), ProfileFollower::kRestMs)));
}

void ProfileFollowerDriver::wake()
{
    const std::optional<ProfileFollower::Switch> due = m_follower.takeDue(now());
    if (!due) {
        arm();
        return;
    }
    const QString answer = m_view.followProfile(due->profile);
    ProfileFollower::Outcome outcome = ProfileFollower::Outcome::Waiting;
    if (answer == QLatin1String("done") || answer == QLatin1String("unchanged"))
        outcome = ProfileFollower::Outcome::Taken;
    else if (answer == QLatin1String("missed"))
        outcome = ProfileFollower::Outcome::Missed;
    else if (answer == QLatin1String("unknown"))
        outcome = ProfileFollower::Outcome::NoSuchProfile;
    m_follower.switchEnded(outcome);
    if (outcome == ProfileFollower::Outcome::Waiting)
        m_sceneBlocked = true;
    if (outcome == ProfileFollower::Outcome::NoSuchProfile)
        qCDebug(lcBridge) << "No profile" << due->profile << "to follow: the link is ignored";
    if (answer == QLatin1String("done") || outcome == ProfileFollower::Outcome::Missed)
        emit notice(noticeText(*due, outcome == ProfileFollower::Outcome::Taken));
    arm();
}

QString ProfileFollowerDriver::noticeText(const ProfileFollower::Switch &done, bool taken)
{
    const QString language = m_view.getGlobalData(QStringLiteral("common/language")).toString();
    const QStringList texts = m_view.getLangStrings(QStringLiteral("follow"), language);
    QString name = m_view.profileName(done.profile);
    if (name.isEmpty())
        name = QString::number(done.profile);
    if (done.returning)
        return texts.value(taken ? Back : NotTakenBack).arg(name);
    return texts.value(taken ? Chosen : NotTakenFor).arg(name, done.application);
}
