#include "ctlapply.h"

#include "ctlsession.h"
#include "reportrates.h"
#include "settingsfiles.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace CtlApply {

bool sendButtons(CtlSession &session, int profile, const CtlCommands::ButtonsPlan &plan, QString &error)
{
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(session.profileFileName(profile));
    if (!scratch.isValid() || !QFile::copy(session.files().profilePath(profile), copy)) {
        error =
            QStringLiteral("could not copy %1 to a temporary folder").arg(session.profileFileName(profile));
        return false;
    }
    QSettings store(copy, QSettings::IniFormat);
    session.operations().mouseSetKeyMatrix(store, plan.src64, true, plan.firePeriods);
    return true;
}

bool sendProfile(CtlSession &session, int profile, const CtlCommands::ApplyPlan &plan,
                 const CtlCommands::ConfigSnapshot &config, QString &error)
{
    MouseOperations &ops = session.operations();
    ops.beginChanges();
    if (!sendButtons(session, profile, plan.buttons, error)) {
        ops.endChanges();
        return false;
    }
    ops.mouseSetReportRate(uchar(ReportRates::code(plan.rateIndex)));
    QVariantList dpi;
    for (int value : plan.dpiValues)
        dpi.append(value);
    ops.mouseSetDpi(plan.dpiCount, config.sensorType, dpi);
    LightingChoice light;
    light.effect = plan.light.effect;
    light.speed = plan.light.speed;
    light.brightness = plan.light.brightness;
    light.colours = plan.light.colours;
    light.fixColour = plan.light.fixColour;
    ops.sendLighting(light);
    ops.endChanges();
    return true;
}

} // namespace CtlApply
