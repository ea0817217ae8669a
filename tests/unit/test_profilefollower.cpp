// When the mouse follows the application in front, on virtual time: a table
// of the cases a user meets, then seeded random sequences of focus changes,
// blocks, the user's own changes and the scene's answers checked against a
// small model of what the user expects.
#include "profilefollower.h"

#include <QRandomGenerator>
#include <QTest>

using Outcome = ProfileFollower::Outcome;

namespace {

constexpr qint64 kRest = ProfileFollower::kRestMs;

// One step of a case: at time `t`, an event, or what the follower must ask
// for (a switch with its answer, or nothing).
struct Step
{
    enum Kind { Focus, Block, Unblock, UserPicks, Nothing, Expect } kind;
    qint64 t;
    QString application;
    int profile = -1;
    bool returning = false;
    Outcome answer = Outcome::Taken;
};

Step focus(qint64 t, const char *application, int linked)
{
    return {Step::Focus, t, QString::fromLatin1(application), linked};
}
Step block(qint64 t)
{
    return {Step::Block, t, {}};
}
Step unblock(qint64 t)
{
    return {Step::Unblock, t, {}};
}
Step userPicks(qint64 t, int profile)
{
    return {Step::UserPicks, t, {}, profile};
}
// Nothing may be due at `t`, nor before the next step.
Step nothing(qint64 t)
{
    return {Step::Nothing, t, {}};
}
// Due exactly at `t` (not a moment sooner), answered with `answer`.
Step expect(qint64 t, int profile, Outcome answer = Outcome::Taken)
{
    return {Step::Expect, t, {}, profile, false, answer};
}
Step expectBack(qint64 t, int profile, Outcome answer = Outcome::Taken)
{
    return {Step::Expect, t, {}, profile, true, answer};
}

struct Case
{
    const char *name;
    int inUse;
    QList<Step> steps;
};

// How the scene would answer: a switch taken or missed leaves the program on
// the profile, and the scene says so before the answer.
void answer(ProfileFollower &follower, int profile, Outcome outcome)
{
    if (outcome == Outcome::Taken || outcome == Outcome::Missed)
        follower.profileInUseChanged(profile);
    follower.switchEnded(outcome);
}

} // namespace

Q_DECLARE_METATYPE(Case)

class TestProfileFollower : public QObject
{
    Q_OBJECT

private slots:
    void cases_data();
    void cases();
    void randomSequencesMatchTheModel();
};

void TestProfileFollower::cases_data()
{
    QTest::addColumn<Case>("c");
    const QList<Case> cases = {
        {"quick focus changes cause no switch",
         0,
         {focus(0, "firefox", 1), focus(400, "gimp", 2), focus(800, "xterm", -1), focus(1200, "firefox", 1),
          focus(1900, "gimp", 2), nothing(2800), expect(2900, 2)}},
        {"a linked application chooses its profile after the rest",
         0,
         {focus(0, "firefox", 1), nothing(999), expect(1000, 1), nothing(5000)}},
        {"leaving a linked application returns to the earlier profile",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), focus(3000, "xterm", -1), expectBack(4000, 0),
          focus(6000, "other", -1), nothing(9000)}},
        {"no window counts as no link",
         3,
         {focus(0, "firefox", 1), expect(1000, 1), focus(2000, "", -1), expectBack(3000, 3)}},
        {"linked to linked keeps the user's profile to come back to",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), focus(2000, "gimp", 2), expect(3000, 2),
          focus(4000, "xterm", -1), expectBack(5000, 0)}},
        {"a short visit elsewhere sends nothing",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), focus(2000, "xterm", -1), focus(2500, "firefox", 1),
          nothing(9000)}},
        {"another window of the same application is no change",
         0,
         {focus(0, "firefox", 1), focus(800, "Firefox", 1), expect(1000, 1)}},
        {"a new link of the application in front is a change",
         0,
         {focus(0, "firefox", -1), focus(800, "firefox", 2), nothing(1700), expect(1800, 2)}},
        {"an application linked to the profile in use causes no switch",
         1,
         {focus(0, "firefox", 1), nothing(5000), focus(6000, "xterm", -1), nothing(9000)}},
        {"an unsaved change blocks a switch until it is saved, then it happens",
         0,
         {focus(0, "firefox", 1), block(300), nothing(4000), unblock(4000), expect(4000, 1)}},
        {"a block that ends before the rest is over waits for the rest",
         0,
         {focus(0, "firefox", 1), block(100), unblock(600), expect(1000, 1)}},
        {"a skipped switch the focus no longer calls for is dropped",
         0,
         {focus(0, "firefox", 1), block(300), focus(2000, "xterm", -1), unblock(4000), nothing(9000)}},
        {"a skipped return happens when the block ends",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), block(1500), focus(2000, "xterm", -1), nothing(5000),
          unblock(5000), expectBack(5000, 0)}},
        {"the user's own change is kept: no return over it",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), userPicks(2000, 3), nothing(2500),
          focus(3000, "xterm", -1), nothing(9000), focus(10000, "firefox", 1), expect(11000, 1),
          focus(12000, "xterm", -1), expectBack(13000, 3)}},
        {"after the user's change the application in front waits for a new focus",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), userPicks(2000, 0), focus(2200, "firefox", 1),
          nothing(9000), focus(9000, "gimp", 2), expect(10000, 2)}},
        {"a switch the mouse did not take is not asked again",
         0,
         {focus(0, "firefox", 1), expect(1000, 1, Outcome::Missed), block(1000), unblock(3000), nothing(9000),
          focus(9000, "xterm", -1), expectBack(10000, 0)}},
        {"a switch the scene had to put off comes when the scene is free",
         0,
         {focus(0, "firefox", 1), expect(1000, 1, Outcome::Waiting), nothing(4000), unblock(4000),
          expect(4000, 1)}},
        {"a link to a missing profile counts as no link",
         0,
         {focus(0, "gimp", 2), expect(1000, 2), focus(2000, "firefox", 5),
          expect(3000, 5, Outcome::NoSuchProfile), expectBack(3000, 0), nothing(9000)}},
        {"a missing profile to come back to ends the following",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), focus(2000, "xterm", -1),
          expectBack(3000, 0, Outcome::NoSuchProfile), nothing(9000), focus(9000, "gimp", -1),
          nothing(12000)}},
        {"a link to the profile to come back to ends the following there",
         0,
         {focus(0, "firefox", 1), expect(1000, 1), focus(2000, "game", 0), expect(3000, 0),
          focus(4000, "xterm", -1), nothing(9000)}},
    };
    for (const Case &c : cases)
        QTest::newRow(c.name) << c;
}

void TestProfileFollower::cases()
{
    QFETCH(Case, c);
    ProfileFollower follower(c.inUse);
    for (int i = 0; i < c.steps.size(); ++i) {
        const Step &step = c.steps.at(i);
        const QByteArray where = "step " + QByteArray::number(i) + " at " + QByteArray::number(step.t);
        switch (step.kind) {
        case Step::Focus:
            follower.focusChanged(step.t, step.application, step.profile);
            break;
        case Step::Block:
            follower.setBlocked(true);
            break;
        case Step::Unblock:
            follower.setBlocked(false);
            break;
        case Step::UserPicks:
            follower.profileInUseChanged(step.profile);
            break;
        case Step::Nothing: {
            const qint64 next = i + 1 < c.steps.size() ? c.steps.at(i + 1).t : step.t;
            const qint64 wake = follower.nextWake();
            QVERIFY2(wake < 0 || wake >= std::max(next, step.t + 1),
                     where + " wakes at " + QByteArray::number(wake));
            QVERIFY2(!follower.takeDue(step.t), where);
            break;
        }
        case Step::Expect: {
            const qint64 wake = follower.nextWake();
            QVERIFY2(wake >= 0 && wake <= step.t, where + " wakes at " + QByteArray::number(wake));
            // The timer is armed for the exact moment: not due a moment before.
            if (wake == step.t)
                QVERIFY2(!follower.takeDue(step.t - 1), where);
            const std::optional<ProfileFollower::Switch> due = follower.takeDue(step.t);
            QVERIFY2(due, where);
            QCOMPARE(due->profile, step.profile);
            QCOMPARE(due->returning, step.returning);
            // Nothing else while the scene works on it.
            QCOMPARE(follower.nextWake(), qint64(-1));
            answer(follower, due->profile, step.answer);
            break;
        }
        }
    }
}

namespace {

// What the user expects, in the fewest words: the application in front
// calls for its linked profile, or for the profile the user was on before
// the automatic changes; it is asked once the focus has rested, nothing is
// asked while blocked, and the user's own change ends the return and
// overrules what the application in front calls for.
struct Model
{
    int inUse = 0;
    int userProfile = -1;
    QString application;
    int linked = -1;
    qint64 since = 0;
    bool overruled = false;
    bool linkIgnored = false;
    bool blocked = false;

    int target() const
    {
        if (overruled)
            return -1;
        return linked >= 0 && !linkIgnored ? linked : userProfile;
    }
    qint64 wake() const
    {
        const int t = target();
        return blocked || t < 0 || t == inUse ? -1 : since + kRest;
    }
};

struct App
{
    const char *name;
    int linked;
};

} // namespace

void TestProfileFollower::randomSequencesMatchTheModel()
{
    const QList<App> apps = {{"firefox", 1}, {"gimp", 2},    {"game", 0}, {"missing", 7},
                             {"xterm", -1},  {"editor", -1}, {"", -1}};
    int switches = 0;
    int returns = 0;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QRandomGenerator random(seed);
        Model model;
        model.inUse = random.bounded(3);
        ProfileFollower follower(model.inUse);
        qint64 now = 0;
        for (int step = 0; step < 300; ++step) {
            const QByteArray where = "seed " + QByteArray::number(seed) + " step " + QByteArray::number(step);
            QCOMPARE(follower.nextWake(), model.wake());
            // The timer fires at the wake time, if it comes before the next event.
            const qint64 next = now + random.bounded(1600);
            while (follower.nextWake() >= 0 && follower.nextWake() <= next) {
                now = std::max(now, follower.nextWake());
                const std::optional<ProfileFollower::Switch> due = follower.takeDue(now);
                QVERIFY2(due, where);
                QVERIFY2(!model.blocked && now - model.since >= kRest, where);
                QCOMPARE(due->profile, model.target());
                const bool returning = model.linked < 0 || model.linkIgnored;
                QCOMPARE(due->returning, returning);
                // The scene's answer; profile 7 has no row.
                const int choice = random.bounded(10);
                Outcome outcome = choice < 6   ? Outcome::Taken
                                  : choice < 7 ? Outcome::Missed
                                  : choice < 9 ? Outcome::Waiting
                                               : Outcome::NoSuchProfile;
                if (due->profile == 7 && outcome != Outcome::Waiting)
                    outcome = Outcome::NoSuchProfile;
                if (!returning && model.userProfile < 0
                    && (outcome == Outcome::Taken || outcome == Outcome::Missed))
                    model.userProfile = model.inUse;
                answer(follower, due->profile, outcome);
                switch (outcome) {
                case Outcome::Taken:
                case Outcome::Missed:
                    ++(returning ? returns : switches);
                    model.inUse = due->profile;
                    if (model.inUse == model.userProfile)
                        model.userProfile = -1;
                    break;
                case Outcome::Waiting:
                    model.blocked = true;
                    break;
                case Outcome::NoSuchProfile:
                    if (returning)
                        model.userProfile = -1;
                    else
                        model.linkIgnored = true;
                    break;
                }
                QCOMPARE(follower.nextWake(), model.wake());
            }
            now = next;
            const int event = random.bounded(10);
            if (event < 6) {
                const App &app = apps.at(random.bounded(int(apps.size())));
                follower.focusChanged(now, QString::fromLatin1(app.name), app.linked);
                if (QString::fromLatin1(app.name) != model.application || app.linked != model.linked) {
                    model.application = QString::fromLatin1(app.name);
                    model.linked = app.linked;
                    model.since = now;
                    model.overruled = false;
                    model.linkIgnored = false;
                }
            } else if (event < 9) {
                model.blocked = !model.blocked;
                follower.setBlocked(model.blocked);
            } else {
                const int picked = random.bounded(4);
                follower.profileInUseChanged(picked);
                if (picked != model.inUse) {
                    model.inUse = picked;
                    model.userProfile = -1;
                    model.overruled = true;
                }
            }
            QCOMPARE(follower.profileInUse(), model.inUse);
            QCOMPARE(follower.returnProfile(), model.userProfile);
        }
    }
    // The sequences reached both kinds of switch often enough to mean something.
    QVERIFY2(switches > 200 && returns > 50,
             qPrintable(QStringLiteral("%1 switches, %2 returns").arg(switches).arg(returns)));
}

QTEST_GUILESS_MAIN(TestProfileFollower)

#include "test_profilefollower.moc"
