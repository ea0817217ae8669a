// What a typed command asks, checked against the configured mouse.
#include "ctlcommands.h"

#include "ctlstoredvalues.h"
#include "dpiencoding.h"
#include "lighteffects.h"

namespace CtlCommands {

int effectCount(const MouseModel &model)
{
    return int(LightEffects::rows(model).size());
}

QStringList effectNames(const MouseModel &model, const QStringList &languageTexts)
{
    QStringList texts = LightEffects::builtInTexts();
    for (int i = 0; i < texts.size() && i < languageTexts.size(); ++i) {
        if (!languageTexts.at(i).trimmed().isEmpty())
            texts[i] = languageTexts.at(i);
    }
    return LightEffects::names(LightEffects::rows(model), texts);
}

QStringList effectListing(const ConfigSnapshot &config)
{
    const QList<LightEffect> rows = LightEffects::rows(config.model);
    QStringList lines;
    for (int row = 0; row < rows.size(); ++row) {
        QStringList uses;
        if (rows.at(row).hasSpeed)
            uses << QStringLiteral("speed");
        if (rows.at(row).hasBrightness)
            uses << QStringLiteral("brightness");
        const QString name = config.effectNames.value(row);
        lines << QStringLiteral("%1  %2%3")
                     .arg(row, 2)
                     .arg(name.isEmpty() ? QStringLiteral("(no name)") : name)
                     .arg(uses.isEmpty()
                              ? QString()
                              : QStringLiteral("  (") + uses.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
    return lines;
}

QString resolveEffect(CommandRequest &request, const ConfigSnapshot &config)
{
    if (request.effectName.isEmpty())
        return {};
    int row = LightEffects::rowOfName(config.effectNames, request.effectName);
    // The English names hold in every language, so scripts work anywhere.
    if (row < 0)
        row = LightEffects::rowOfName(effectNames(config.model, {}), request.effectName);
    if (row < 0)
        return QStringLiteral("light: this mouse has no effect '%1' (run 'kx20ctl light' for the list)")
            .arg(request.effectName);
    request.effect = row;
    return {};
}

QString completeDpi(CommandRequest &request, const QVariantList &stored, const QString &fileName)
{
    if (request.dpiValues.size() >= kStages)
        return {};
    const std::optional<QList<int>> values = intList(stored, 1, kDpiSanityMax);
    if (!values || values->size() != kStages)
        return QStringLiteral("dpi: %1: mouse/dpiValueArray %2 is not eight DPI values; give COUNT and all "
                              "eight values")
            .arg(fileName, shownList(stored));
    for (int i = int(request.dpiValues.size()); i < kStages; ++i)
        request.dpiValues.append(values->at(i));
    return {};
}

QString checkDpi(int dpiCount, const QList<int> &values, const ConfigSnapshot &config)
{
    if (dpiCount < 1 || dpiCount > kStages)
        return QStringLiteral("the DPI stage count must be 1 to 8, not %1").arg(dpiCount);
    if (values.size() != kStages)
        return QStringLiteral("eight DPI values are needed, got %1").arg(values.size());
    if (config.sensorType.isEmpty())
        return QStringLiteral("apConfig.bin names no sensor type (mouse/sensorType)");
    if (!DpiEncoding::knownSensors().contains(config.sensorType))
        return QStringLiteral("unknown sensor type '%1' in apConfig.bin (mouse/sensorType); known: %2")
            .arg(config.sensorType, DpiEncoding::knownSensors().join(QStringLiteral(", ")));
    for (int i = 0; i < values.size(); ++i) {
        const int v = values.at(i);
        const QString stage = QStringLiteral("stage %1: %2 DPI").arg(i + 1).arg(v);
        if (v < config.minDpi.value_or(1))
            return config.minDpi
                       ? QStringLiteral("%1 is below mouse/minDPI %2").arg(stage).arg(*config.minDpi)
                       : QStringLiteral("%1 is not a DPI value").arg(stage);
        if (v > config.maxDpi.value_or(kDpiSanityMax))
            return config.maxDpi
                       ? QStringLiteral("%1 is above mouse/maxDPI %2").arg(stage).arg(*config.maxDpi)
                       : QStringLiteral("%1 is beyond any sensor").arg(stage);
        if (config.dpiBase && *config.dpiBase > 0 && v % *config.dpiBase != 0)
            return QStringLiteral("%1 is not a multiple of mouse/dpiBase %2").arg(stage).arg(*config.dpiBase);
        if (!DpiEncoding::canEncode(v, config.sensorType))
            return QStringLiteral("%1 is beyond what sensor %2 takes").arg(stage, config.sensorType);
    }
    return {};
}

QString checkAgainstModel(const CommandRequest &request, const ConfigSnapshot &config)
{
    const MouseModel &model = config.model;
    switch (request.id) {
    case CommandId::Dpi:
        if (const QString error = checkDpi(request.dpiCount, request.dpiValues, config); !error.isEmpty())
            return QStringLiteral("dpi: ") + error;
        return {};
    case CommandId::Light:
        if (request.effect >= effectCount(model))
            return QStringLiteral("light: this mouse offers effects 0 to %1, not %2")
                .arg(effectCount(model) - 1)
                .arg(request.effect);
        return {};
    case CommandId::Colors:
        if (model.is560() && request.colours.size() > kColoursInImage)
            return QStringLiteral("colors: a 560-family mouse holds eight colours, got %1")
                .arg(request.colours.size());
        return {};
    case CommandId::Gun:
        if (!model.isGun)
            return QStringLiteral("gun: this mouse has no gun functions (mouse/isGun)");
        return {};
    case CommandId::ReadProfile:
        if (!model.is560())
            return QStringLiteral("read-profile: only a 560-family mouse keeps profile images");
        return {};
    default:
        return {};
    }
}

ProfileChoice chooseProfile(const std::optional<int> &named, const QVariant &profileNo)
{
    ProfileChoice choice;
    if (named) {
        choice.profile = *named;
        return choice;
    }
    if (!profileNo.isValid())
        return choice;
    const std::optional<int> stored = storedInt(profileNo, 0, kProfiles - 1);
    if (stored)
        choice.profile = *stored;
    else
        choice.error =
            QStringLiteral("apConfig.bin: mouse/profileNo %1 is not a profile number 0-9; name the profile")
                .arg(shown(profileNo));
    return choice;
}

} // namespace CtlCommands
