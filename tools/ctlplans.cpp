// What a profile file holds, checked and planned for sending.
#include "ctlcommands.h"

#include "buttonencoding.h"
#include "ctlstoredvalues.h"
#include "lightingrules.h"

namespace CtlCommands {

QVariantList colourList(const QList<Rgb> &colours)
{
    QVariantList list;
    for (const Rgb &c : colours)
        list << c.r << c.g << c.b;
    return list;
}

std::optional<ButtonsPlan> planButtons(const ProfileData &profile, const ConfigSnapshot &config,
                                       const GunRecords &guns, QString &error)
{
    ButtonsPlan plan;
    for (int button = 0; button < kButtons; ++button) {
        const QVariantList &entry = profile.keyMatrix[static_cast<std::size_t>(button)];
        const std::optional<QList<int>> values = intList(entry, 0, 255);
        if (entry.size() != 4 || !values) {
            error = QStringLiteral("%1: mouseKeyMatrix/%2 %3 is not four numbers 0-255")
                        .arg(profile.name)
                        .arg(button)
                        .arg(shownList(entry));
            return std::nullopt;
        }
        plan.src64 += toVariants(*values);
    }
    plan.hasGunButton =
        ButtonEncoding::hasGunButton(ButtonEncoding::userMatrix(plan.src64, config.model.is560()));
    if (plan.hasGunButton) {
        const std::optional<QVariantList> periods = firePeriods(config.selectGun, guns, error);
        if (!periods)
            return std::nullopt;
        plan.firePeriods = *periods;
    }
    return plan;
}

std::optional<ApplyPlan> planApply(const ProfileData &profile, const ConfigSnapshot &config,
                                   const GunRecords &guns, QString &error)
{
    ApplyPlan plan;
    const std::optional<ButtonsPlan> buttons = planButtons(profile, config, guns, error);
    if (!buttons)
        return std::nullopt;
    plan.buttons = *buttons;

    const QString &file = profile.name;
    const std::optional<int> rate = storedInt(profile.reportRate, 0, 3);
    if (!rate) {
        error = QStringLiteral("%1: mouse/reportRate %2 is not 0-3").arg(file, shown(profile.reportRate));
        return std::nullopt;
    }
    plan.rateIndex = *rate;

    const std::optional<int> offered = storedInt(profile.dpiCount, 1, kStages);
    if (!offered) {
        error = QStringLiteral("%1: mouse/dpiCount %2 is not 1-8").arg(file, shown(profile.dpiCount));
        return std::nullopt;
    }
    const std::optional<int> inUse = storedInt(profile.currentDpiCount, 1, *offered);
    if (!inUse) {
        error = QStringLiteral("%1: mouse/currentDpiCount %2 is not 1-%3")
                    .arg(file, shown(profile.currentDpiCount))
                    .arg(*offered);
        return std::nullopt;
    }
    const std::optional<QList<int>> dpi = intList(profile.dpiValueArray, 1, kDpiSanityMax);
    if (!dpi || dpi->size() != kStages) {
        error = QStringLiteral("%1: mouse/dpiValueArray %2 is not eight DPI values")
                    .arg(file, shownList(profile.dpiValueArray));
        return std::nullopt;
    }
    const QString dpiError = checkDpi(*inUse, *dpi, config);
    if (!dpiError.isEmpty()) {
        error = QStringLiteral("%1: mouse/dpiValueArray: %2").arg(file, dpiError);
        return std::nullopt;
    }
    plan.dpiCount = *inUse;
    plan.dpiValues = *dpi;

    const std::optional<QList<int>> light = intList(profile.lightValue, 0, 255);
    const int effects = effectCount(config.model);
    if (!light || light->size() != 3 || light->at(0) >= effects || light->at(1) > kMaxSpeed
        || light->at(2) > kMaxBrightness) {
        error =
            QStringLiteral("%1: mouse/lightValue %2 is not an effect 0-%3, a speed 0-4 and a brightness 0-4")
                .arg(file, shownList(profile.lightValue))
                .arg(effects - 1);
        return std::nullopt;
    }
    plan.light.effect = light->at(0);
    plan.light.speed = light->at(1);
    plan.light.brightness = light->at(2);

    const std::optional<QList<int>> colours = intList(profile.colorValue, 0, 255);
    if (!colours || colours->isEmpty() || colours->size() % 3 != 0 || colours->size() > 3 * kMaxColours) {
        error = QStringLiteral("%1: mouse/colorValue %2 is not up to twelve colours of three values 0-255")
                    .arg(file, shownList(profile.colorValue));
        return std::nullopt;
    }
    plan.light.colours = toVariants(*colours);

    if (LightingRules::sendsFixColour(config.model)) {
        const std::optional<QList<int>> fix = intList(profile.fixColor, 0, 255);
        if (!fix || fix->size() != 3) {
            error = QStringLiteral("%1: mouse/fixColor %2 is not three values 0-255")
                        .arg(file, shownList(profile.fixColor));
            return std::nullopt;
        }
        plan.light.fixColour = toVariants(*fix);
    }
    return plan;
}

} // namespace CtlCommands
