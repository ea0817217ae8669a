#include "ctlcommands.h"

#include "buttonencoding.h"
#include "ctloptions.h"
#include "dpiencoding.h"
#include "lighteffects.h"
#include "reportrates.h"
#include "storeconventions.h"

#include <QRegularExpression>

namespace CtlCommands {

namespace {

// When the application file sets no upper limit, no sensor goes this far.
constexpr int kDpiSanityMax = 65535;
constexpr int kMaxSpeed = 4;
constexpr int kMaxBrightness = 4;
constexpr int kMaxGunY = 64;
constexpr int kColoursInImage = 8;
constexpr int kGunRecords = 6;
constexpr int kGunPeriodIndex = 2;

const QList<CommandInfo> kCommands = {
    {CommandId::List, "list", "list", "device rows, their interfaces and the handshake",
     "Shows every device row of apConfig.bin, the HID interfaces found for its vendor and\n"
     "product id (marked command or event where they match the row's usage pairs), and\n"
     "the result of the secrecy-code handshake. Exits with 1 when no row connects.\n"
     "With --json the same as one JSON object."},
    {CommandId::Info, "info", "info", "chip family, flags, DPI stage, profile, keyboard options",
     "Connects and shows the configured chip family and variant flags, the sensor and\n"
     "its DPI limits, the profile in use (mouse/profileNo), and what the mouse reports:\n"
     "its current DPI stage, its current on-board profile (560 family) and its keyboard\n"
     "options. With --json the same as one JSON object."},
    {CommandId::Rate, "rate", "rate 125|250|500|1000", "set the report rate (Hz)",
     "Sets the mouse's report rate. The rate is sent as the report interval in\n"
     "milliseconds (8, 4, 2, 1), as the program does."},
    {CommandId::Stage, "stage", "stage N", "switch to DPI stage N (1-8)",
     "Makes DPI stage N (1 to 8) the mouse's current stage."},
    {CommandId::Dpi, "dpi", "dpi V1 [V2 ... V8] | dpi COUNT V1 ... V8", "set the DPI stages",
     "Sets the DPI stages, converted for the sensor named by mouse/sensorType.\n"
     "  dpi V1 [V2 ... V8]      the values of the first stages; as many stages are in use\n"
     "                          as values are given, the others keep the values stored in\n"
     "                          the profile in use (mouse/dpiValueArray)\n"
     "  dpi COUNT V1 ... V8     how many stages are in use (1 to 8) and all eight values\n"
     "Values must lie within mouse/minDPI and mouse/maxDPI and be multiples of\n"
     "mouse/dpiBase where apConfig.bin sets them. The profile file is only read."},
    {CommandId::Light, "light", "light [EFFECT SPEED BRIGHTNESS]", "set the lighting effect, or list them",
     "Sets the lighting effect, its speed (0-4) and its brightness (0-4). EFFECT is the\n"
     "row of the program's effect list (from 0) or its name in the configured language\n"
     "(case, spaces and dashes do not count: finger-moving). Which effects exist depends\n"
     "on the mouse's variant flags. Without arguments, lists the effects of the\n"
     "configured mouse with the settings each one uses."},
    {CommandId::Colors, "colors", "colors R,G,B [R,G,B ...]", "set the lighting colours",
     "Sets up to twelve lighting colours (eight on a 560-family mouse), each as R,G,B\n"
     "with values 0-255 or as #RRGGBB. Colours not given are sent as black."},
    {CommandId::Gun, "gun", "gun SLOT REPEAT X Y", "set one gun slot",
     "Sets gun slot SLOT (1-3): REPEAT shots (0-255, 0 = endless), the horizontal\n"
     "correction X (-128 to 127) and the vertical pull-down Y (0-64). Only for mice\n"
     "with gun functions (mouse/isGun)."},
    {CommandId::Buttons, "buttons", "buttons [PROFILE]", "send a profile's button table",
     "Sends the button table stored in profile PROFILE (0-9, the file p1.bin to\n"
     "p10.bin; default: the profile in use), with the gun matrices when a button is a\n"
     "gun button. The profile file is only read."},
    {CommandId::Apply, "apply", "apply [PROFILE]", "send everything a profile holds",
     "Sends what profile PROFILE (0-9; default: the profile in use) holds, as the\n"
     "program does after Save or a profile change: the button table with the gun\n"
     "matrices, the report rate, the DPI stages, the lighting effect and the colours.\n"
     "Every stored value is checked before the first byte goes out. The profile file\n"
     "is only read."},
    {CommandId::Slots, "slots", "slots [PROFILE]", "print a profile's sixteen button slots in words",
     "Prints what each of the sixteen button slots (0-15; button n is slot n-1) of\n"
     "profile PROFILE (0-9; default: the profile in use) does, in words, with its four\n"
     "codes: \"4 LCtrl+C\", \"5 macro m1, runs once\", \"7 DPI+\". Key names follow the\n"
     "language of the program (common/language). Needs no mouse. With --json the same\n"
     "as one JSON object."},
    {CommandId::SendMacro, "send-macro", "send-macro NAME SLOT", "send a stored macro for a button slot",
     "Sends the macro NAME of the macro library (modules/macro/NAME.bin) to the mouse as\n"
     "the macro of button slot SLOT (0-11; the mouse's macro slot SLOT+1), encoded as the\n"
     "macro editor does, with the macro's own repeat count. The profile is not changed:\n"
     "a button runs it once its slot is given the macro (kx20-config's button dialog)."},
    {CommandId::ReadProfile, "read-profile", "read-profile N", "print on-board profile image N",
     "Reads the 128-byte on-board profile image N (0-4) of a 560-family mouse and\n"
     "prints it as hex, sixteen bytes a line."},
    {CommandId::Raw, "raw", "raw CODE [P0 ... P5] [--bulk HEX | --recv N]", "send a raw command",
     "Sends one command report through the device link: CODE and up to six parameters\n"
     "as hex bytes (missing ones are 00; the checksum is added). --bulk HEX sends up to\n"
     "128 bytes of bulk data after it (with the settle pauses). --recv N reads the\n"
     "answer report and N bulk bytes (0-128) instead. Prints what was sent (before the\n"
     "scrambling a mouse with isEncode gets), the answer and the received bulk data in hex."},
    {CommandId::Listen, "listen", "listen", "print DPI-button switches until interrupted",
     "Switches the mouse's event reports on and prints 'stage N' each time the DPI\n"
     "button on the mouse selects stage N, until Ctrl+C (SIGINT) or SIGTERM; exits with\n"
     "3 when the event reports cannot be switched on. With --emulate, each line on\n"
     "standard input presses the emulated mouse's DPI button."},
    {CommandId::Help, "help", "help [COMMAND]", "this help, or a command's",
     "Shows the help of the tool or of COMMAND."},
};

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

// The list's values as whole numbers within [low, high]; nothing when one is not.
std::optional<QList<int>> intList(const QVariantList &values, int low, int high)
{
    QList<int> out;
    for (const QVariant &v : values) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok || n < low || n > high)
            return std::nullopt;
        out.append(n);
    }
    return out;
}

std::optional<int> storedInt(const QVariant &value, int low, int high)
{
    const std::optional<int> v = configInt(value);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return v;
}

QString shown(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("missing");
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return QStringLiteral("'%1'").arg(value.toStringList().join(QStringLiteral(", ")));
    return QStringLiteral("'%1'").arg(value.toString());
}

QString shownList(const QVariantList &values)
{
    return values.isEmpty() ? QStringLiteral("missing") : shown(QVariant(values));
}

QVariantList toVariants(const QList<int> &values)
{
    QVariantList out;
    for (int v : values)
        out.append(v);
    return out;
}

// Fire periods of the gun records chosen for slots 1..3 ("mouse/selectGun";
// the gun page's reset choice 0, 1, 2 when none is stored).
std::optional<QVariantList> firePeriods(const QVariant &selectGun, const GunRecords &guns, QString &error)
{
    const QVariantList chosen = selectGun.isValid() ? Store::toTextList(selectGun) : QVariantList{0, 1, 2};
    const std::optional<QList<int>> records = intList(chosen, 0, kGunRecords - 1);
    if (!records || records->size() != kGunSlots) {
        error = QStringLiteral("apConfig.bin: mouse/selectGun %1 is not three gun records 0-5")
                    .arg(shown(selectGun));
        return std::nullopt;
    }
    QVariantList periods;
    for (int record : *records) {
        const QVariantList gun = record < guns.size() ? guns.at(record) : QVariantList();
        const std::optional<int> period =
            gun.size() > kGunPeriodIndex ? storedInt(gun.at(kGunPeriodIndex), 0, 255) : std::nullopt;
        if (!period) {
            error = QStringLiteral("gunData.bin: gun record %1 has no fire period 0-255").arg(record);
            return std::nullopt;
        }
        periods.append(*period);
    }
    return periods;
}

} // namespace

std::optional<int> configInt(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int v = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

const QList<CommandInfo> &commands()
{
    return kCommands;
}

const CommandInfo *find(const QString &name)
{
    for (const CommandInfo &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

QString toolHelp()
{
    QString text =
        QStringLiteral("Usage: kx20ctl [OPTIONS] COMMAND [ARGUMENTS]\n"
                       "\n"
                       "Drives the KX20 mouse from the command line, with the device link and the\n"
                       "settings files of kx20-config.\n"
                       "\n"
                       "Options:\n"
                       "  --emulate[=553|560]  use the emulated mouse that apConfig.bin describes (its\n"
                       "                       first device row), of the configured or the given family\n"
                       "  --trace              print every HID call on standard error: time since start,\n"
                       "                       direction, interface and report bytes in hex; each command\n"
                       "                       is named, with its request, before its reports\n"
                       "  --trace=json         the same as one JSON object a line: time, direction, call,\n"
                       "                       interface, command, bytes as sent and in the clear\n"
                       "  --fault FAULT        with --emulate, a fault of the emulated mouse (repeatable):\n"
                       "                       unplug@N     unplugged at the Nth HID call\n"
                       "                       silent[@N]   stops answering at the Nth HID call\n"
                       "                       CALL@N       the Nth call of CALL fails; CALL is one of\n"
                       "                                    enumerate, open, nonblocking, send-feature,\n"
                       "                                    get-feature, write, read, read-timeout, close\n"
                       "  --modules DIR        the modules/ folder to use (default: the program's, beside\n"
                       "                       kx20ctl or, where that is read-only, the user's copy)\n"
                       "  --json               JSON output for list, info and slots\n"
                       "  -h, --help           this help; after a command, the command's help\n"
                       "\n"
                       "Commands:\n");
    for (const CommandInfo &c : kCommands)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(c.synopsis).leftJustified(46), QLatin1String(c.summary));
    text +=
        QStringLiteral("\n"
                       "Exit codes: 0 success, 1 no device, 2 usage error, 3 device or file error.\n"
                       "Run 'kx20ctl help COMMAND' or 'kx20ctl COMMAND --help' for a command's details.\n");
    return text;
}

QString commandHelp(const CommandInfo &command)
{
    return QStringLiteral("Usage: kx20ctl [OPTIONS] %1\n\n%2\n")
        .arg(QLatin1String(command.synopsis), QLatin1String(command.details));
}

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
        && r.id != CommandId::Help) {
        error = QStringLiteral("--json is for list, info and slots");
        return result;
    }
    if (r.id != CommandId::Raw) {
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

uchar colourType(const MouseModel &model)
{
    return model.isColorful ? 0 : 1;
}

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
    plan.light.colourType = colourType(config.model);
    plan.light.colours = toVariants(*colours);

    if (config.model.is571 && !config.model.is560()) {
        const std::optional<QList<int>> fix = intList(profile.fixColor, 0, 255);
        if (!fix || fix->size() != 3) {
            error = QStringLiteral("%1: mouse/fixColor %2 is not three values 0-255")
                        .arg(file, shownList(profile.fixColor));
            return std::nullopt;
        }
        plan.light.sendFixColour = true;
        plan.light.fixColour = toVariants(*fix);
    }
    return plan;
}

QString commandName(bool is560, uchar code)
{
    struct Named
    {
        uchar code;
        const char *action;
    };
    // Both families prove the link with the 00H handshake.
    static const Named family553[] = {
        {0x00, "GetSecrecyCode"},    {0x01, "SetReportRate"},   {0x02, "SetCurrentKeyMatrix"},
        {0x03, "SetKeyboardoption"}, {0x04, "SetGunData"},      {0x0B, "SetCurrentDPI"},
        {0x0C, "SetFixLEDColor"},    {0x0D, "SetRGBLedEffect"}, {0x10, "SetLED8StageColor"},
        {0x11, "SetDPISet"},         {0x12, "SetKeyMatrix"},    {0x13, "SetMacroKey"},
        {0x83, "GetKeyboardoption"}, {0x8B, "GetCurrentDPI"},
    };
    static const Named family560[] = {
        {0x00, "GetSecrecyCode"},    {0x01, "SetKeyboardoption"}, {0x02, "SetCurrentProfile"},
        {0x03, "SetReportRate"},     {0x04, "SetCurrentDPI"},     {0x0C, "setProfile"},
        {0x0D, "SetKeyMatrix"},      {0x0F, "SetMacroKey"},       {0x81, "GetKeyboardoption"},
        {0x82, "GetCurrentProfile"}, {0x84, "GetCurrentDPI"},     {0x8C, "readProfile"},
    };
    QString name = QStringLiteral("hid%1_%2H")
                       .arg(is560 ? QStringLiteral("560") : QStringLiteral("553"))
                       .arg(code, 2, 16, QLatin1Char('0'))
                       .toUpper()
                       .replace(QStringLiteral("HID"), QStringLiteral("hid"));
    const auto find = [&](const auto &table) {
        for (const Named &n : table) {
            if (n.code == code)
                return QLatin1Char('_') + QLatin1String(n.action);
        }
        return QString();
    };
    return name + (is560 ? find(family560) : find(family553));
}

QString hexBytes(const uchar *bytes, int count)
{
    QString text;
    text.reserve(count * 3);
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QStringLiteral("%1").arg(uint(bytes[i]), 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

QString hexBytes(const QByteArray &bytes)
{
    return hexBytes(reinterpret_cast<const uchar *>(bytes.constData()), int(bytes.size()));
}

QStringList hexLines(const uchar *bytes, int count)
{
    QStringList lines;
    for (int offset = 0; offset < count; offset += 16)
        lines.append(hexBytes(bytes + offset, std::min(16, count - offset)));
    return lines;
}

} // namespace CtlCommands
