// kx20ctl's words as typed: each checked for form and range.
#include "ctlcommands.h"

#include "applicationrules.h"
#include "ctloptions.h"
#include "reportrates.h"

#include <QRegularExpression>

namespace CtlCommands {

namespace {

bool parseInt(const QString &word, int &value)
{
    bool ok = false;
    const int v = word.toInt(&ok, 10);
    if (ok)
        value = v;
    return ok;
}

// A whole number within [low, high], or an error naming what it is.
bool parseRanged(const QString &word, int low, int high, const QString &what, int &value, QString &error)
{
    int v = 0;
    if (!parseInt(word, v) || v < low || v > high) {
        error = QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
                    .arg(what)
                    .arg(low)
                    .arg(high)
                    .arg(word);
        return false;
    }
    value = v;
    return true;
}

bool parseHexByte(const QString &word, uchar &value)
{
    QString digits = word;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty() || digits.size() > 2)
        return false;
    bool ok = false;
    const uint v = digits.toUInt(&ok, 16);
    if (!ok)
        return false;
    value = static_cast<uchar>(v);
    return true;
}

bool parseHexData(const QString &text, QByteArray &bytes)
{
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("[\\s:,-]")));
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    if (!hex.match(digits).hasMatch())
        return false;
    bytes = QByteArray::fromHex(digits.toLatin1());
    return true;
}

bool parseColour(const QString &word, Rgb &colour)
{
    static const QRegularExpression hash(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch m = hash.match(word);
    if (m.hasMatch()) {
        const uint v = m.captured(1).toUInt(nullptr, 16);
        colour = {int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)};
        return true;
    }
    const QStringList parts = word.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    int c[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (!parseInt(parts.at(i).trimmed(), c[i]) || c[i] < 0 || c[i] > 255)
            return false;
    }
    colour = {c[0], c[1], c[2]};
    return true;
}

QString countError(const char *name, const char *what, int got)
{
    return QStringLiteral("%1 takes %2, got %3 argument%4")
        .arg(QLatin1String(name), QLatin1String(what))
        .arg(got)
        .arg(got == 1 ? QString() : QStringLiteral("s"));
}

// The words of a command that takes exactly `count` of them.
bool expectCount(const CommandInfo &info, const QStringList &args, int count, const char *what,
                 QString &error)
{
    if (args.size() == count)
        return true;
    error = countError(info.name, what, int(args.size()));
    return false;
}

void parseRaw(const QStringList &args, RawRequest &raw, QString &error)
{
    QStringList bytes;
    bool hasBulk = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &word = args.at(i);
        const bool isBulk = word == QLatin1String("--bulk") || word.startsWith(QLatin1String("--bulk="));
        const bool isRecv = word == QLatin1String("--recv") || word.startsWith(QLatin1String("--recv="));
        if (isBulk || isRecv) {
            const int eq = int(word.indexOf(QLatin1Char('=')));
            QString value;
            if (eq >= 0) {
                value = word.mid(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args.at(++i);
            } else {
                error = QStringLiteral("raw: %1 needs a value")
                            .arg(isBulk ? QStringLiteral("--bulk") : QStringLiteral("--recv"));
                return;
            }
            if (isBulk) {
                if (hasBulk) {
                    error = QStringLiteral("raw: --bulk given twice");
                    return;
                }
                hasBulk = true;
                if (!parseHexData(value, raw.bulk) || raw.bulk.isEmpty()) {
                    error = QStringLiteral("raw: --bulk takes hex bytes, not '%1'").arg(value);
                    return;
                }
                if (raw.bulk.size() > kBulkBytes) {
                    error = QStringLiteral("raw: --bulk takes at most %1 bytes, got %2")
                                .arg(kBulkBytes)
                                .arg(raw.bulk.size());
                    return;
                }
            } else {
                if (raw.receive) {
                    error = QStringLiteral("raw: --recv given twice");
                    return;
                }
                int n = 0;
                if (!parseRanged(value, 0, kBulkBytes, QStringLiteral("raw: --recv"), n, error))
                    return;
                raw.receive = n;
            }
        } else if (word.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("raw: unknown option '%1'").arg(word);
            return;
        } else {
            bytes.append(word);
        }
    }
    if (hasBulk && raw.receive) {
        error =
            QStringLiteral("raw: --bulk and --recv do not go together (a command either sends or receives "
                           "bulk data)");
        return;
    }
    if (bytes.isEmpty() || bytes.size() > 7) {
        error = countError("raw", "CODE and up to six parameters", int(bytes.size()));
        return;
    }
    for (int i = 0; i < bytes.size(); ++i) {
        uchar value = 0;
        if (!parseHexByte(bytes.at(i), value)) {
            error = QStringLiteral("raw: %1 must be a hex byte (00-FF), not '%2'")
                        .arg(i == 0 ? QStringLiteral("CODE") : QStringLiteral("P%1").arg(i - 1), bytes.at(i));
            return;
        }
        if (i == 0)
            raw.code = value;
        else
            raw.params[static_cast<std::size_t>(i - 1)] = value;
    }
}

bool optionalProfile(const CommandInfo &info, const QStringList &args, CommandRequest &request,
                     QString &error)
{
    if (args.size() > 1) {
        error = countError(info.name, "at most one PROFILE", int(args.size()));
        return false;
    }
    if (args.isEmpty())
        return true;
    int profile = 0;
    if (!parseRanged(args.first(), 0, kProfiles - 1,
                     QStringLiteral("%1: PROFILE").arg(QLatin1String(info.name)), profile, error))
        return false;
    request.profile = profile;
    return true;
}

// profile [N] [--link NAME | --unlink NAME]: the link options stand anywhere
// after the command, as NAME=VALUE or as two words.
void parseProfile(const QStringList &args, bool json, CommandRequest &request, QString &error)
{
    QStringList plain;
    for (int i = 0; i < args.size(); ++i) {
        const QString &word = args.at(i);
        const bool isLink = word == QLatin1String("--link") || word.startsWith(QLatin1String("--link="));
        const bool isUnlink =
            word == QLatin1String("--unlink") || word.startsWith(QLatin1String("--unlink="));
        if (!isLink && !isUnlink) {
            if (word.startsWith(QLatin1Char('-')) && !looksLikeNumber(word)) {
                error = QStringLiteral("profile: unknown option '%1'").arg(word);
                return;
            }
            plain.append(word);
            continue;
        }
        const QString option = isLink ? QStringLiteral("--link") : QStringLiteral("--unlink");
        if (request.profileAction != ProfileAction::List) {
            error = QStringLiteral("profile: give one --link or --unlink at a time");
            return;
        }
        QString name;
        const int eq = int(word.indexOf(QLatin1Char('=')));
        if (eq >= 0) {
            name = word.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            name = args.at(++i);
        } else {
            error = QStringLiteral("profile: %1 needs an application NAME").arg(option);
            return;
        }
        if (ApplicationRules::normalName(name).isEmpty()) {
            error = QStringLiteral("profile: '%1' cannot be an application name: it must be a window class "
                                   "or an executable name of 1 to %2 characters, without slashes or "
                                   "control characters")
                        .arg(name)
                        .arg(ApplicationRules::kMaxNameLength);
            return;
        }
        request.applicationName = name;
        request.profileAction = isLink ? ProfileAction::Link : ProfileAction::Unlink;
    }
    if (plain.size() > 1) {
        error = countError("profile", "at most one PROFILE", int(plain.size()));
        return;
    }
    if (!plain.isEmpty()) {
        int profile = 0;
        if (!parseRanged(plain.first(), 0, kProfiles - 1, QStringLiteral("profile: N"), profile, error))
            return;
        request.profile = profile;
    }
    if (request.profileAction != ProfileAction::List && !request.profile) {
        error = QStringLiteral("profile: --%1 needs the profile N: kx20ctl profile N --%1 NAME")
                    .arg(request.profileAction == ProfileAction::Link ? QStringLiteral("link")
                                                                      : QStringLiteral("unlink"));
        return;
    }
    if (request.profileAction == ProfileAction::List && request.profile)
        request.profileAction = ProfileAction::Switch;
    if (json && request.profileAction != ProfileAction::List)
        error = QStringLiteral("profile: --json is for the list (kx20ctl profile --json)");
}

} // namespace

RequestResult parseRequest(const CtlOptions &options)
{
    RequestResult result;
    CommandRequest &r = result.request;
    QString &error = result.error;
    const CommandInfo *info = find(options.command);
    if (!info) {
        error = options.command.isEmpty()
                    ? QStringLiteral("no command given (see kx20ctl --help)")
                    : QStringLiteral("unknown command '%1' (see kx20ctl --help)").arg(options.command);
        return result;
    }
    r.id = info->id;
    const QStringList &args = options.arguments;
    if (options.json && r.id != CommandId::List && r.id != CommandId::Info && r.id != CommandId::Slots
        && r.id != CommandId::Profile && r.id != CommandId::Help) {
        error = QStringLiteral("--json is for list, info, slots and profile");
        return result;
    }
    // raw and profile judge their own options.
    if (r.id != CommandId::Raw && r.id != CommandId::Profile) {
        for (const QString &word : args) {
            if (word.startsWith(QLatin1Char('-')) && !looksLikeNumber(word)) {
                error = QStringLiteral("%1: unknown option '%2'").arg(QLatin1String(info->name), word);
                return result;
            }
        }
    }

    switch (r.id) {
    case CommandId::List:
    case CommandId::Info:
    case CommandId::Listen:
        expectCount(*info, args, 0, "no arguments", error);
        break;
    case CommandId::Help:
        if (args.size() > 1) {
            error = countError("help", "at most one COMMAND", int(args.size()));
        } else if (!args.isEmpty()) {
            if (!find(args.first()))
                error = QStringLiteral("help: unknown command '%1'").arg(args.first());
            r.helpTopic = args.first();
        }
        break;
    case CommandId::Rate:
        if (expectCount(*info, args, 1, "one rate", error)) {
            QString word = args.first();
            if (word.endsWith(QLatin1String("hz"), Qt::CaseInsensitive))
                word.chop(2);
            if (!parseInt(word, r.rateHz) || ReportRates::rowOfHz(r.rateHz) < 0)
                error = QStringLiteral("rate takes 125, 250, 500 or 1000 (Hz), not '%1'").arg(args.first());
        }
        break;
    case CommandId::Stage:
        if (expectCount(*info, args, 1, "one stage", error))
            parseRanged(args.first(), 1, kStages, QStringLiteral("stage: N"), r.stage, error);
        break;
    case CommandId::Dpi: {
        // COUNT and eight values, or the values of the stages in use.
        const bool withCount = args.size() == 1 + kStages;
        if (args.isEmpty() || args.size() > 1 + kStages) {
            error = countError("dpi", "one to eight DPI values, or COUNT and eight values", int(args.size()));
            break;
        }
        if (withCount
            && !parseRanged(args.first(), 1, kStages, QStringLiteral("dpi: COUNT"), r.dpiCount, error))
            break;
        if (!withCount)
            r.dpiCount = int(args.size());
        for (int i = withCount ? 1 : 0; i < args.size(); ++i) {
            int v = 0;
            const int stage = withCount ? i : i + 1;
            if (!parseRanged(args.at(i), 1, kDpiSanityMax, QStringLiteral("dpi: V%1").arg(stage), v, error))
                break;
            r.dpiValues.append(v);
        }
        break;
    }
    case CommandId::Light:
        if (args.isEmpty()) {
            r.listEffects = true;
            break;
        }
        if (expectCount(*info, args, 3, "EFFECT, SPEED and BRIGHTNESS (or nothing, to list)", error)) {
            if (args.at(0).trimmed().isEmpty())
                error = QStringLiteral("light: EFFECT is empty; give an effect's number or name");
            else if (!parseInt(args.at(0), r.effect))
                r.effectName = args.at(0);
            else
                parseRanged(args.at(0), 0, 255, QStringLiteral("light: EFFECT"), r.effect, error);
            error.isEmpty()
                && parseRanged(args.at(1), 0, kMaxSpeed, QStringLiteral("light: SPEED"), r.speed, error)
                && parseRanged(args.at(2), 0, kMaxBrightness, QStringLiteral("light: BRIGHTNESS"),
                               r.brightness, error);
        }
        break;
    case CommandId::Colors:
        if (args.isEmpty() || args.size() > kMaxColours) {
            error = countError("colors", "one to twelve colours", int(args.size()));
            break;
        }
        for (const QString &word : args) {
            Rgb c;
            if (!parseColour(word, c)) {
                error = QStringLiteral("colors: a colour is R,G,B with values 0-255 or #RRGGBB, not '%1'")
                            .arg(word);
                break;
            }
            r.colours.append(c);
        }
        break;
    case CommandId::Gun:
        if (expectCount(*info, args, 4, "SLOT, REPEAT, X and Y", error)) {
            parseRanged(args.at(0), 1, kGunSlots, QStringLiteral("gun: SLOT"), r.gunSlot, error)
                && parseRanged(args.at(1), 0, 255, QStringLiteral("gun: REPEAT"), r.gunRepeat, error)
                && parseRanged(args.at(2), -128, 127, QStringLiteral("gun: X"), r.gunX, error)
                && parseRanged(args.at(3), 0, kMaxGunY, QStringLiteral("gun: Y"), r.gunY, error);
        }
        break;
    case CommandId::Buttons:
    case CommandId::Apply:
    case CommandId::Slots:
        optionalProfile(*info, args, r, error);
        break;
    case CommandId::Profile:
        parseProfile(args, options.json, r, error);
        break;
    case CommandId::SendMacro:
        if (expectCount(*info, args, 2, "NAME and SLOT", error)
            && parseRanged(args.at(1), 0, kMacroSlots - 1, QStringLiteral("send-macro: SLOT"), r.macroSlot,
                           error))
            r.macroName = args.at(0);
        break;
    case CommandId::ReadProfile:
        if (expectCount(*info, args, 1, "one image number", error))
            parseRanged(args.first(), 0, kImages - 1, QStringLiteral("read-profile: N"), r.image, error);
        break;
    case CommandId::Raw:
        parseRaw(args, r.raw, error);
        break;
    }
    return result;
}

} // namespace CtlCommands
