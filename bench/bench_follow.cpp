// Time from a focus change to the mouse holding the new profile, per chip
// family, on virtual time: the focus's rest, then the profile change as the
// scene makes it (the sum of the protocol pauses on the virtual clock), to a
// linked profile and back again, for a plain model and a gun model (whose
// change also puts the gun matrices back). Printed against the budget: the
// rest plus what a plain model's profile change may cost on the mouse.
#include "applicationrules.h"
#include "myqquickview.h"
#include "profilefollowerdriver.h"
#include "scenefixture.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>

#include <cstdio>

namespace {

// The most a profile change may cost on the mouse.
constexpr qint64 kBudget553Ms = 2200;
constexpr qint64 kBudget560Ms = 4600;

struct Timing
{
    qint64 restMs = -1;
    int deviceMs = -1;
};

// The focus moves to `application` at virtual time `now`; the driver's timer
// fires when the follower says, and the switch runs.
Timing follow(SceneFixture &scene, ProfileFollowerDriver &driver, qint64 &now,
              const WindowApplication &application)
{
    const qint64 focusAt = now;
    emit scene.view().activeWindows().activeApplicationChanged(application);
    const qint64 wake = driver.follower().nextWake();
    if (wake < 0)
        return {};
    now = wake;
    scene.link.clock.clearPauses();
    driver.wake();
    return {wake - focusAt, scene.link.pausedMs()};
}

void measure(ChipFamily family, bool gun)
{
    const QByteArray name = (family == ChipFamily::F560 ? "560" : "553") + QByteArray(gun ? " gun" : "    ");
    SceneFixture scene(family, [gun](ModulesTree &tree, EmulatedMouse &) {
        QSettings names(tree.path(QStringLiteral("modules/setting/name.bin")), QSettings::IniFormat);
        names.setValue(QStringLiteral("profile/profileName"),
                       QStringList{QStringLiteral("Standard0"), QStringLiteral("Browser1")});
        QSettings config(tree.path(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat);
        config.setValue(QStringLiteral("mouse/isGun"), gun);
    });
    if (!scene.start()) {
        std::printf("%s: the scene did not start\n", name.constData());
        return;
    }
    qint64 now = 0;
    ProfileFollowerDriver driver(scene.view());
    driver.setClock([&now] {
        return now;
    });
    scene.view().applicationRules().link(QStringLiteral("firefox"), 1);
    const qint64 budget =
        ProfileFollower::kRestMs + (family == ChipFamily::F560 ? kBudget560Ms : kBudget553Ms);
    const struct
    {
        const char *step;
        WindowApplication application;
        int profile;
    } steps[] = {
        {"to the linked profile", {QStringLiteral("Navigator"), QStringLiteral("firefox"), {}}, 1},
        {"back again", {QStringLiteral("xterm"), QStringLiteral("XTerm"), {}}, 0},
    };
    for (const auto &step : steps) {
        now += 5000;
        const Timing t = follow(scene, driver, now, step.application);
        const bool held = scene.root()->property("profileNo").toInt() == step.profile;
        if (t.restMs < 0 || !held) {
            std::printf("%s %-22s the mouse did not follow\n", name.constData(), step.step);
            continue;
        }
        const qint64 total = t.restMs + t.deviceMs;
        std::printf(
            "%s %-22s rest %5lld ms + profile change %5d ms = %5lld ms   budget %5lld ms   ratio %.2f\n",
            name.constData(), step.step, static_cast<long long>(t.restMs), t.deviceMs,
            static_cast<long long>(total), static_cast<long long>(budget), double(total) / double(budget));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    std::printf("Focus change to the mouse holding the new profile (virtual time)\n");
    for (ChipFamily family : {ChipFamily::F553, ChipFamily::F560}) {
        for (bool gun : {false, true})
            measure(family, gun);
    }
    std::printf("A gun model's change also puts the gun matrices back (see bench_saves).\n");
    return 0;
}
