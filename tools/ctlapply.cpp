#include "ctlapply.h"

#include "ctlsession.h"
#include "reportrates.h"
#include "settingsfiles.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>

namespace CtlApply {

namespace {

// The device operations also store the table in the profile they are given;
// they get a copy, so the user's file is not rewritten by a send.
bool withProfileCopy(CtlSession &session, int profile, QString &error,
                     const std::function<void(QSettings &)> &send)
{
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(session.profileFileName(profile));
    if (!scratch.isValid() || !QFile::copy(session.files().profilePath(profile), copy)) {
        error =
            QStringLiteral("could not copy %1 to a temporary folder").arg(session.profileFileName(profile));
        return false;
    }
    QSettings store(copy, QSettings::IniFormat);
    send(store);
    return true;
}

} // namespace

bool sendButtons(CtlSession &session, int profile, const CtlCommands::ButtonsPlan &plan, QString &error)
{
    return withProfileCopy(session, profile, error, [&](QSettings &store) {
        session.operations().mouseSetKeyMatrix(store, plan.src64, true, plan.firePeriods);
    });
}

bool sendProfile(CtlSession &session, int profile, const CtlCommands::ApplyPlan &plan,
                 const CtlCommands::ConfigSnapshot &config, QString &error)
{
    ProfileSend send;
    send.src64 = plan.buttons.src64;
    send.firePeriods = plan.buttons.firePeriods;
    send.rateCode = uchar(ReportRates::code(plan.rateIndex));
    send.dpiCount = plan.dpiCount;
    send.sensorType = config.sensorType;
    for (int value : plan.dpiValues)
        send.dpiValues.append(value);
    send.light.effect = plan.light.effect;
    send.light.speed = plan.light.speed;
    send.light.brightness = plan.light.brightness;
    send.light.colours = plan.light.colours;
    send.light.fixColour = plan.light.fixColour;
    return withProfileCopy(session, profile, error, [&](QSettings &store) {
        session.operations().sendProfile(store, send);
    });
}

} // namespace CtlApply
