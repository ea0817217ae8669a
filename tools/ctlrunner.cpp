#include "ctlrunner.h"

#include "applicationrules.h"
#include "ctlapply.h"
#include "ctlmacros.h"
#include "ctlprofiles.h"
#include "ctlsession.h"
#include "mousecontrollines.h"
#include "protocolclock.h"
#include "protocoltable.h"
#include "reportrates.h"
#include "emulatorbackend.h"
#include "keycodestring.h"
#include "macrolibrary.h"
#include "modulesfolder.h"
#include "settingsfiles.h"
#include "settingspath.h"
#include "signalwatcher.h"
#include "storeconventions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>

#include <atomic>
#include <fcntl.h>
#include <unistd.h>

using namespace CtlCommands;

namespace {

std::atomic<bool> g_showDiagnostics{false};

void messageFilter(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if ((type == QtDebugMsg || type == QtInfoMsg) && !g_showDiagnostics.load())
        return;
    const char *kind = type == QtDebugMsg || type == QtInfoMsg ? "debug" : "warning";
    std::fprintf(stderr, "kx20ctl: %s: %s\n", kind, message.toLocal8Bit().constData());
}

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

QString usagePair(quint16 page, quint16 usage)
{
    return hex4(page) + QLatin1Char(':') + hex4(usage);
}

QString onOff(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool patchesImages(const CommandRequest &request, const std::optional<ButtonsPlan> &buttons)
{
    switch (request.id) {
    case CommandId::Dpi:
    case CommandId::Light:
    case CommandId::Colors:
    case CommandId::Gun:
    case CommandId::Apply:
    case CommandId::Profile:
        return true;
    case CommandId::Buttons:
        // Gun buttons put their option into image 0.
        return buttons && buttons->hasGunButton;
    default:
        return false;
    }
}

QVariantList variants(const QList<int> &values)
{
    QVariantList out;
    for (int v : values)
        out.append(v);
    return out;
}

bool switches(const CommandRequest &request)
{
    return request.id == CommandId::Profile && request.profileAction == ProfileAction::Switch;
}

// What a failed switch leaves: the profile in use as it was.
QString inUseStays(const ConfigSnapshot &config)
{
    const std::optional<int> before = configInt(config.profileNo);
    return before ? QStringLiteral("the profile in use stays %1").arg(*before)
                  : QStringLiteral("mouse/profileNo is left as it was");
}

// What a profile's send held, for the line that says it went out.
QString sentProfile(CtlSession &session, int profile, const ApplyPlan &plan)
{
    return QStringLiteral("sent profile %1 (%2): buttons%3, report rate %4 Hz, %5 DPI stages, lighting "
                          "effect %6, colours")
        .arg(profile)
        .arg(session.profileFileName(profile),
             plan.buttons.hasGunButton ? QStringLiteral(" with gun matrices") : QString())
        .arg(ReportRates::hz(plan.rateIndex))
        .arg(plan.dpiCount)
        .arg(plan.light.effect);
}

QString joined(const QList<int> &values)
{
    QStringList texts;
    for (int v : values)
        texts.append(QString::number(v));
    return texts.join(QLatin1Char(' '));
}

} // namespace

CtlRunner::CtlRunner(std::FILE *out, std::FILE *err)
    : m_out(out)
    , m_err(err)
{}

void CtlRunner::installMessageFilter()
{
    qInstallMessageHandler(messageFilter);
}

void CtlRunner::print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), m_out);
    std::fflush(m_out);
}

void CtlRunner::printLine(const QString &line)
{
    print(line + QLatin1Char('\n'));
}

int CtlRunner::fail(int code, const QString &message)
{
    std::fprintf(m_err, "kx20ctl: %s\n", message.toUtf8().constData());
    std::fflush(m_err);
    return code;
}

int CtlRunner::usage(const QString &message)
{
    return fail(kExitUsage, message);
}

int CtlRunner::help(const CtlOptions &options)
{
    QString topic = options.command;
    if (topic == QLatin1String("help"))
        topic = options.arguments.value(0);
    if (topic.isEmpty()) {
        print(toolHelp());
        return kExitOk;
    }
    const CommandInfo *command = find(topic);
    if (!command)
        return usage(QStringLiteral("unknown command '%1' (see kx20ctl --help)").arg(topic));
    print(commandHelp(*command));
    return kExitOk;
}

int CtlRunner::run(const QStringList &words)
{
    const OptionsResult parsed = parseOptions(words);
    if (!parsed.error.isEmpty())
        return usage(parsed.error);
    const CtlOptions &options = parsed.options;
    if (options.help || options.command == QLatin1String("help")) {
        if (options.command == QLatin1String("help") && options.arguments.size() > 1)
            return usage(QStringLiteral("help takes at most one COMMAND"));
        return help(options);
    }
    const RequestResult request = parseRequest(options);
    if (!request.error.isEmpty())
        return usage(request.error);
    g_showDiagnostics.store(options.trace);

    // The modules/ folder the program beside us uses (the user's copy when
    // the one beside us is read-only), or the one named.
    const bool named = !options.modulesDir.isEmpty();
    const QString root = named ? options.modulesDir
                               : ModulesFolder::workingFolder(QCoreApplication::applicationDirPath())
                                     + QStringLiteral("/modules");
    // A folder named on the command line that is not there is a bad argument;
    // a file missing from a folder that is there is a file error.
    if (!QFileInfo(root).isDir())
        return fail(named ? kExitUsage : kExitDeviceOrFile, QStringLiteral("no modules folder %1").arg(root));
    const QString apConfig = root + QStringLiteral("/setting/apConfig.bin");
    const QString refused = SettingsPath::refusal(apConfig);
    if (!refused.isEmpty())
        return fail(kExitDeviceOrFile, QStringLiteral("%1: %2; not read").arg(apConfig, refused));
    if (!QFileInfo(apConfig).isFile())
        return fail(kExitDeviceOrFile, QStringLiteral("no setting/apConfig.bin in %1").arg(root));
    return execute(options, request.request, root);
}

CtlSession::Setup CtlRunner::sessionSetup(const CtlOptions &options, const QString &modulesRoot) const
{
    CtlSession::Setup setup;
    setup.modulesRoot = modulesRoot;
    setup.emulate = options.emulate;
    setup.skipPauses = options.devNoPauses;
    setup.faults = options.faults;
    if (options.trace) {
        std::FILE *err = m_err;
        // JSON lines stand alone, so that a tool can take every line that
        // starts with '{'.
        const char *format = options.traceJson ? "%s\n" : "trace %s\n";
        setup.trace = [err, format](const QString &line) {
            std::fprintf(err, format, line.toUtf8().constData());
        };
        setup.traceFormat = options.traceJson ? TracingBackend::Format::Json : TracingBackend::Format::Text;
    }
    return setup;
}

std::optional<int> CtlRunner::completeRequest(CtlSession &session, const ConfigSnapshot &config,
                                              CommandRequest &request)
{
    if (request.id == CommandId::Light && request.listEffects) {
        for (const QString &line : effectListing(config))
            printLine(line);
        return kExitOk;
    }
    if (const QString error = resolveEffect(request, config); !error.isEmpty())
        return usage(error);
    if (request.id == CommandId::Dpi && request.dpiValues.size() < kStages) {
        const ProfileChoice choice = chooseProfile(std::nullopt, config.profileNo);
        if (!choice.error.isEmpty())
            return fail(kExitDeviceOrFile, choice.error);
        if (!session.hasProfileFile(choice.profile))
            return fail(kExitDeviceOrFile,
                        QStringLiteral("dpi: no file %1 for the other stages; give COUNT and "
                                       "all eight values")
                            .arg(session.profileFileName(choice.profile)));
        const QString error = completeDpi(request, session.profileData(choice.profile).dpiValueArray,
                                          session.profileFileName(choice.profile));
        if (!error.isEmpty())
            return fail(kExitDeviceOrFile, error);
    }
    // Everything the command will send is judged before the first byte.
    const QString modelError = checkAgainstModel(request, config);
    if (!modelError.isEmpty())
        return usage(modelError);
    return std::nullopt;
}

std::optional<int> CtlRunner::prepare(CtlSession &session, const ConfigSnapshot &config,
                                      const CommandRequest &request, const QString &modulesRoot,
                                      Prepared &prepared)
{
    // A profile is switched to or linked only when the window lists it; a
    // link to a profile no longer listed may still be removed.
    if (request.id == CommandId::Profile && request.profile
        && request.profileAction != ProfileAction::Unlink) {
        const CtlProfiles::Listing listing = CtlProfiles::read(session);
        if (ProfileList::rowOf(listing.entries, *request.profile) < 0) {
            QStringList numbers;
            for (const ProfileList::Entry &entry : listing.entries)
                numbers << QString::number(entry.profile);
            return usage(QStringLiteral("profile: %1 is not in the profile list (%2); nothing changed")
                             .arg(*request.profile)
                             .arg(numbers.isEmpty()
                                      ? QStringLiteral("the list is empty")
                                      : QStringLiteral("it holds ") + numbers.join(QStringLiteral(", "))));
        }
    }
    if (request.id == CommandId::Buttons || request.id == CommandId::Apply || request.id == CommandId::Slots
        || switches(request)) {
        const ProfileChoice choice = chooseProfile(request.profile, config.profileNo);
        if (!choice.error.isEmpty())
            return fail(kExitDeviceOrFile, choice.error);
        const int profile = choice.profile;
        prepared.profile = profile;
        const QString profilePath = session.files().profilePath(profile);
        const QString refused = SettingsPath::refusal(profilePath);
        if (!refused.isEmpty())
            return fail(kExitDeviceOrFile, QStringLiteral("profile %1: %2: %3; not read")
                                               .arg(QString::number(profile), profilePath, refused));
        if (!session.hasProfileFile(profile))
            return fail(kExitDeviceOrFile, QStringLiteral("profile %1: no file %2 in %3/setting")
                                               .arg(profile)
                                               .arg(session.profileFileName(profile), modulesRoot));
        const ProfileData data = session.profileData(profile);
        const GunRecords guns = session.gunRecords();
        QString error;
        if (request.id == CommandId::Slots) {
            // Only words: nothing is checked for sending.
        } else if (request.id == CommandId::Buttons) {
            prepared.buttons = planButtons(data, config, guns, error);
        } else {
            prepared.apply = planApply(data, config, guns, error);
            if (prepared.apply)
                prepared.buttons = prepared.apply->buttons;
        }
        if (!error.isEmpty())
            return fail(kExitDeviceOrFile, error);
    }

    // The macro's bytes, from the library in the program's key texts.
    if (request.id == CommandId::SendMacro) {
        KeyCodeString keys;
        CtlMacros::loadKeyTexts(keys, modulesRoot, session.language());
        const MacroLibrary library(session.files());
        prepared.macro =
            CtlMacros::macroBytes(request.macroName, library.loadMacroIni(request.macroName), keys);
        if (!prepared.macro.error.isEmpty())
            return fail(kExitDeviceOrFile, prepared.macro.error);
    }
    return std::nullopt;
}

int CtlRunner::execute(const CtlOptions &options, const CommandRequest &typed, const QString &modulesRoot)
{
    CtlSession session(sessionSetup(options, modulesRoot));
    const ConfigSnapshot config = session.config();

    CommandRequest request = typed;
    if (const std::optional<int> ended = completeRequest(session, config, request))
        return *ended;
    Prepared prepared;
    if (const std::optional<int> ended = prepare(session, config, request, modulesRoot, prepared))
        return *ended;

    if (request.id == CommandId::List)
        return finish(session, options, runList(session, options), true);
    if (request.id == CommandId::Slots)
        return finish(session, options, runSlots(session, options, prepared.profile), true);
    if (request.id == CommandId::Profile && !switches(request))
        return finish(session, options, runProfiles(session, options, request), true);

    if (session.connectMouse() < 0)
        return finish(session, options, fail(kExitNoDevice, noDeviceMessage(session)), false);

    if (session.model().is560() && patchesImages(request, prepared.buttons)) {
        // The mouse's own profiles are the base every change is patched into.
        const QList<int> unread = session.readImagesBack();
        if (!unread.isEmpty())
            return finish(
                session, options,
                fail(kExitDeviceOrFile,
                     QStringLiteral("could not read profile image %1 from the mouse; nothing sent%2")
                         .arg(unread.first())
                         .arg(switches(request) ? QStringLiteral(", ") + inUseStays(config) : QString())),
                false);
    }
    // A raw command may be anything; what the emulated mouse makes of it is
    // worth seeing but is no failure of ours.
    return finish(session, options, dispatch(session, options, request, config, prepared),
                  request.id != CommandId::Raw);
}

int CtlRunner::dispatch(CtlSession &session, const CtlOptions &options, const CommandRequest &request,
                        const ConfigSnapshot &config, const Prepared &prepared)
{
    switch (request.id) {
    case CommandId::Info:
        return runInfo(session, options);
    case CommandId::Rate:
    case CommandId::Stage:
    case CommandId::Dpi:
    case CommandId::Light:
    case CommandId::Colors:
    case CommandId::Gun:
        return runSet(session, request, config);
    case CommandId::Buttons:
        return runButtons(session, prepared.profile, *prepared.buttons);
    case CommandId::Apply:
        return runApply(session, prepared.profile, *prepared.apply, config);
    case CommandId::Profile:
        return runSwitch(session, prepared.profile, *prepared.apply, config);
    case CommandId::ReadProfile:
        return runReadProfile(session, request.image);
    case CommandId::SendMacro:
        return runSendMacro(session, request, prepared.macro.bytes);
    case CommandId::Raw:
        return runRaw(session, request.raw);
    case CommandId::Listen:
        return runListen(session);
    case CommandId::List:
    case CommandId::Slots:
    case CommandId::Help:
        break;
    }
    return kExitOk;
}

int CtlRunner::finish(CtlSession &session, const CtlOptions &options, int code, bool strict)
{
    const QStringList violations = session.emulatorViolations();
    for (const QString &v : violations)
        std::fprintf(m_err, "kx20ctl: emulated mouse: %s\n", v.toUtf8().constData());
    if (!violations.isEmpty() && strict && code == kExitOk)
        code = kExitDeviceOrFile;
    if (options.devMouseReport) {
        const QStringList report = session.emulatorReport();
        for (const QString &line : report)
            std::fprintf(m_err, "kx20ctl: dev: %s\n", line.toUtf8().constData());
    }
    if ((options.trace && !options.traceJson) || options.devPauseTotal)
        std::fprintf(m_err, "pauses %lld ms in %d sleeps%s\n",
                     static_cast<long long>(session.clock().pauseTotal()), session.clock().pauseCount(),
                     session.clock().skipsPauses() ? " (skipped)" : "");
    std::fflush(m_err);
    return code;
}

QString CtlRunner::noDeviceMessage(CtlSession &session) const
{
    const QList<DeviceEntry> &table = session.hid().deviceTable();
    if (table.isEmpty())
        return QStringLiteral("no device: apConfig.bin has no device rows (common/deviceCount)");
    // A failed open empties the row's path; a failed handshake keeps it.
    for (int row = 0; row < table.size(); ++row) {
        if (!table.at(row).commandPath.isEmpty())
            return QStringLiteral("no device: the mouse of row %1 did not answer the secrecy-code handshake")
                .arg(row);
    }
    if (session.backend().failedCalls() > 0)
        return QStringLiteral(
            "no device: the mouse was found but could not be opened (check the permissions of "
            "/dev/hidraw*)");
    return QStringLiteral("no device: no attached HID device matches the rows of apConfig.bin");
}

int CtlRunner::checkSent(CtlSession &session, int failedBefore, const QString &done)
{
    const int failed = session.backend().failedCalls() - failedBefore;
    if (failed > 0)
        return fail(
            kExitDeviceOrFile,
            QStringLiteral("the mouse stopped answering: %1 HID call(s) failed (%2)").arg(failed).arg(done));
    printLine(done);
    return kExitOk;
}

// --- list and info ------------------------------------------------------------

int CtlRunner::runList(CtlSession &session, const CtlOptions &options)
{
    Hid_Thread &hid = session.hid();
    // The program's own matching, on the rows as configured.
    const QList<DeviceEntry> located = hid.locateInterfaces(DeviceEntry::readTable(session.apConfigPath()));
    const int connected = session.connectMouse();
    const QList<DeviceEntry> &after = hid.deviceTable();

    QJsonArray rows;
    for (int row = 0; row < located.size(); ++row) {
        const DeviceEntry &e = located.at(row);
        QString handshake;
        if (e.commandPath.isEmpty())
            handshake = QStringLiteral("no-interface");
        else if (row == connected)
            handshake = QStringLiteral("passed");
        else if (connected >= 0 && row > connected)
            handshake = QStringLiteral("not-tried");
        else if (row < after.size() && after.at(row).commandPath.isEmpty())
            handshake = QStringLiteral("open-failed");
        else
            handshake = QStringLiteral("failed");

        QJsonArray interfaces;
        const QList<HidDeviceInfo> found = session.backend().enumerate(e.vid, e.pid);
        for (const HidDeviceInfo &info : found) {
            QStringList roles;
            if (!info.path.isEmpty() && info.path == e.commandPath)
                roles.append(QStringLiteral("command"));
            if (!info.path.isEmpty() && info.path == e.eventPath)
                roles.append(QStringLiteral("event"));
            interfaces.append(QJsonObject{
                {QStringLiteral("path"), QString::fromLocal8Bit(info.path)},
                {QStringLiteral("vid"), hex4(info.vendorId)},
                {QStringLiteral("pid"), hex4(info.productId)},
                {QStringLiteral("usage"), usagePair(info.usagePage, info.usage)},
                {QStringLiteral("role"),
                 roles.isEmpty() ? QStringLiteral("-") : roles.join(QLatin1Char(','))},
                {QStringLiteral("product"), info.product},
            });
        }
        rows.append(QJsonObject{
            {QStringLiteral("row"), row},
            {QStringLiteral("type"), e.type},
            {QStringLiteral("vid"), hex4(e.vid)},
            {QStringLiteral("pid"), hex4(e.pid)},
            {QStringLiteral("command"), usagePair(e.usagePage, e.usage)},
            {QStringLiteral("event"), usagePair(e.usagePage2, e.usage2)},
            {QStringLiteral("reportLength"), e.reportLength},
            {QStringLiteral("isEncode"), e.isEncode},
            {QStringLiteral("commandPath"), QString::fromLocal8Bit(e.commandPath)},
            {QStringLiteral("eventPath"), QString::fromLocal8Bit(e.eventPath)},
            {QStringLiteral("interfaces"), interfaces},
            {QStringLiteral("handshake"), handshake},
        });
    }

    if (options.json) {
        const QJsonObject root{
            {QStringLiteral("emulated"), session.isEmulated()},
            {QStringLiteral("rows"), rows},
            {QStringLiteral("connectedRow"), connected >= 0 ? QJsonValue(connected) : QJsonValue()},
        };
        print(QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)));
    } else {
        for (const QJsonValue &value : std::as_const(rows)) {
            const QJsonObject r = value.toObject();
            const int n = r.value(QStringLiteral("row")).toInt();
            printLine(QStringLiteral("row %1 vid %2 pid %3 command %4 event %5 reportLength %6 isEncode %7")
                          .arg(n)
                          .arg(r.value(QStringLiteral("vid")).toString(),
                               r.value(QStringLiteral("pid")).toString(),
                               r.value(QStringLiteral("command")).toString(),
                               r.value(QStringLiteral("event")).toString())
                          .arg(r.value(QStringLiteral("reportLength")).toInt())
                          .arg(onOff(r.value(QStringLiteral("isEncode")).toBool())));
            const QJsonArray interfaces = r.value(QStringLiteral("interfaces")).toArray();
            for (const QJsonValue &i : interfaces) {
                const QJsonObject info = i.toObject();
                printLine(QStringLiteral("  interface %1 %2 usage %3 role %4")
                              .arg(n)
                              .arg(info.value(QStringLiteral("path")).toString(),
                                   info.value(QStringLiteral("usage")).toString(),
                                   info.value(QStringLiteral("role")).toString()));
            }
            printLine(QStringLiteral("  handshake %1 %2")
                          .arg(n)
                          .arg(r.value(QStringLiteral("handshake")).toString()));
        }
        printLine(connected >= 0 ? QStringLiteral("connected row %1%2")
                                       .arg(connected)
                                       .arg(session.isEmulated() ? QStringLiteral(" (emulated)") : QString())
                                 : QStringLiteral("connected none"));
    }
    if (connected < 0)
        return fail(kExitNoDevice, noDeviceMessage(session));
    return kExitOk;
}

int CtlRunner::runInfo(CtlSession &session, const CtlOptions &options)
{
    MouseOperations &ops = session.operations();
    Hid_Thread &hid = session.hid();
    const MouseModel &model = session.model();
    const ConfigSnapshot config = session.config();
    const int failedBefore = session.backend().failedCalls();

    const int stage = ops.mouseGetCurrentDPI().toInt();
    std::optional<int> deviceProfile;
    if (model.is560())
        deviceProfile = ops.mouseReadCurrentProfile().toInt();
    QList<int> keyboardOptions;
    bool optionsRead = false;
    if (model.is560()) {
        std::array<unsigned char, 2> bytes{};
        optionsRead = hid.readKeyboardOptions560(bytes);
        for (unsigned char b : bytes)
            keyboardOptions.append(b);
    } else {
        std::array<unsigned char, 4> bytes{};
        optionsRead = hid.readKeyboardOptions553(bytes);
        for (unsigned char b : bytes)
            keyboardOptions.append(b);
    }
    const int failed = session.backend().failedCalls() - failedBefore;
    // Stages count from 1: a 0 means the read did not happen.
    if (failed > 0 || !optionsRead || stage == 0)
        return fail(kExitDeviceOrFile, QStringLiteral("the mouse did not answer its status reads"));

    const auto optional = [](const std::optional<int> &v) {
        return v ? QJsonValue(*v) : QJsonValue();
    };
    QJsonArray optionBytes;
    for (int b : keyboardOptions)
        optionBytes.append(b);
    const QJsonObject info{
        {QStringLiteral("emulated"), session.isEmulated()},
        {QStringLiteral("row"), session.connectedRow()},
        {QStringLiteral("family"), model.is560() ? QStringLiteral("560") : QStringLiteral("553")},
        {QStringLiteral("icType"), model.icType},
        {QStringLiteral("isColorful"), model.isColorful},
        {QStringLiteral("isGun"), model.isGun},
        {QStringLiteral("is55328"), model.is55328},
        {QStringLiteral("is571"), model.is571},
        {QStringLiteral("sensorType"),
         config.sensorType.isEmpty() ? QJsonValue() : QJsonValue(config.sensorType)},
        {QStringLiteral("minDPI"), optional(config.minDpi)},
        {QStringLiteral("maxDPI"), optional(config.maxDpi)},
        {QStringLiteral("dpiBase"), optional(config.dpiBase)},
        {QStringLiteral("profileNo"), optional(configInt(config.profileNo))},
        {QStringLiteral("dpiStage"), stage},
        {QStringLiteral("deviceProfile"), optional(deviceProfile)},
        {QStringLiteral("keyboardOptions"), optionBytes},
    };
    if (options.json) {
        print(QString::fromUtf8(QJsonDocument(info).toJson(QJsonDocument::Indented)));
        return kExitOk;
    }
    const QStringList order = {
        QStringLiteral("emulated"),   QStringLiteral("row"),          QStringLiteral("family"),
        QStringLiteral("isColorful"), QStringLiteral("isGun"),        QStringLiteral("is55328"),
        QStringLiteral("is571"),      QStringLiteral("sensorType"),   QStringLiteral("minDPI"),
        QStringLiteral("maxDPI"),     QStringLiteral("dpiBase"),      QStringLiteral("profileNo"),
        QStringLiteral("dpiStage"),   QStringLiteral("deviceProfile")};
    for (const QString &key : order) {
        const QJsonValue v = info.value(key);
        if (v.isNull())
            continue;
        const QString text = v.isBool()     ? onOff(v.toBool())
                             : v.isString() ? v.toString()
                                            : QString::number(v.toInt());
        printLine(key + QLatin1Char(' ') + text);
    }
    QList<uchar> raw;
    for (int b : keyboardOptions)
        raw.append(static_cast<uchar>(b));
    printLine(QStringLiteral("keyboardOptions ") + hexBytes(raw.constData(), int(raw.size())));
    return kExitOk;
}

// --- settings -------------------------------------------------------------------

int CtlRunner::runSet(CtlSession &session, const CommandRequest &request, const ConfigSnapshot &config)
{
    MouseOperations &ops = session.operations();
    const int failedBefore = session.backend().failedCalls();
    QString done;
    switch (request.id) {
    case CommandId::Rate: {
        const int index = ReportRates::rowOfHz(request.rateHz);
        ops.mouseSetReportRate(uchar(ReportRates::code(index)));
        done = QStringLiteral("sent report rate %1 Hz").arg(request.rateHz);
        break;
    }
    case CommandId::Stage:
        ops.mouseSetCurrentDPI(static_cast<uchar>(request.stage));
        done = QStringLiteral("sent DPI stage %1").arg(request.stage);
        break;
    case CommandId::Dpi:
        ops.mouseSetDpi(request.dpiCount, config.sensorType, variants(request.dpiValues));
        done = QStringLiteral("sent %1 DPI stages of %2 (sensor %3)")
                   .arg(request.dpiCount)
                   .arg(joined(request.dpiValues), config.sensorType);
        break;
    case CommandId::Light:
        ops.mouseSetRGBEffect(static_cast<uchar>(request.effect), static_cast<uchar>(request.speed),
                              static_cast<uchar>(request.brightness));
        done = QStringLiteral("sent lighting effect %1 speed %2 brightness %3")
                   .arg(request.effect)
                   .arg(request.speed)
                   .arg(request.brightness);
        break;
    case CommandId::Colors:
        ops.mouseSetRGBColor(LightingRules::colourType(config.model), colourList(request.colours));
        done = QStringLiteral("sent %1 colour(s)").arg(request.colours.size());
        break;
    case CommandId::Gun:
        // X travels as its 8-bit two's complement.
        ops.mouseSendGundata(request.gunSlot, {request.gunRepeat, request.gunX & 0xFF, request.gunY});
        done = QStringLiteral("sent gun slot %1 repeat %2 x %3 y %4")
                   .arg(request.gunSlot)
                   .arg(request.gunRepeat)
                   .arg(request.gunX)
                   .arg(request.gunY);
        break;
    default:
        break;
    }
    return checkSent(session, failedBefore, done);
}

int CtlRunner::runButtons(CtlSession &session, int profile, const ButtonsPlan &plan)
{
    const int failedBefore = session.backend().failedCalls();
    QString error;
    if (!CtlApply::sendButtons(session, profile, plan, error))
        return fail(kExitDeviceOrFile, error);
    return checkSent(session, failedBefore,
                     QStringLiteral("sent button table of profile %1 (%2)%3")
                         .arg(profile)
                         .arg(session.profileFileName(profile),
                              plan.hasGunButton ? QStringLiteral(" with gun matrices") : QString()));
}

int CtlRunner::runSlots(CtlSession &session, const CtlOptions &options, int profile)
{
    KeyCodeString keys;
    CtlMacros::loadKeyTexts(keys, session.files().modulesRoot(), session.language());
    const QList<CtlMacros::SlotWords> described =
        CtlMacros::describeSlots(session.profileData(profile), keys);
    if (options.json) {
        QJsonArray rows;
        for (const CtlMacros::SlotWords &words : described)
            rows.append(CtlMacros::slotJson(words));
        const QJsonObject root{{QStringLiteral("profile"), profile},
                               {QStringLiteral("file"), session.profileFileName(profile)},
                               {QStringLiteral("slots"), rows}};
        print(QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)));
        return kExitOk;
    }
    for (const CtlMacros::SlotWords &words : described)
        printLine(CtlMacros::slotLine(words));
    return kExitOk;
}

int CtlRunner::runSendMacro(CtlSession &session, const CommandRequest &request, const QByteArray &bytes)
{
    QVariantList data;
    for (char byte : bytes)
        data.append(int(uchar(byte)));
    const int failedBefore = session.backend().failedCalls();
    session.operations().mouseSendMacroData(data, request.macroSlot);
    return checkSent(session, failedBefore,
                     QStringLiteral("sent macro %1 (%2 bytes) for button slot %3 (macro slot %4)")
                         .arg(request.macroName)
                         .arg(bytes.size())
                         .arg(request.macroSlot)
                         .arg(request.macroSlot + 1));
}

int CtlRunner::runApply(CtlSession &session, int profile, const ApplyPlan &plan, const ConfigSnapshot &config)
{
    const int failedBefore = session.backend().failedCalls();
    QString error;
    if (!CtlApply::sendProfile(session, profile, plan, config, error))
        return fail(kExitDeviceOrFile, error);
    return checkSent(session, failedBefore, sentProfile(session, profile, plan));
}

int CtlRunner::runSwitch(CtlSession &session, int profile, const ApplyPlan &plan,
                         const ConfigSnapshot &config)
{
    const QString stays = inUseStays(config);
    const int failedBefore = session.backend().failedCalls();
    QString error;
    if (!CtlApply::sendProfile(session, profile, plan, config, error))
        return fail(kExitDeviceOrFile, QStringLiteral("%1; nothing sent, %2").arg(error, stays));
    // The profile is in use only once the mouse holds all of it: a switch
    // that stopped part-way must not look done.
    const int failed = session.backend().failedCalls() - failedBefore;
    if (failed > 0 || !session.emulatorViolations().isEmpty())
        return fail(kExitDeviceOrFile,
                    QStringLiteral("the mouse did not take profile %1 (%2); %3, and the mouse may hold part "
                                   "of profile %1 until a profile is sent again")
                        .arg(profile)
                        .arg(failed > 0 ? QStringLiteral("%1 HID call(s) failed").arg(failed)
                                        : QStringLiteral("the emulated mouse found faults in what it got"),
                             stays));
    const CtlProfiles::Listing listing = CtlProfiles::read(session);
    if (!Store::write(session.files().application(), QStringLiteral("mouse/profileNo"), profile))
        return fail(kExitDeviceOrFile,
                    QStringLiteral("the mouse holds profile %1, but %2 could not be written: %3")
                        .arg(profile)
                        .arg(session.apConfigPath(), stays));
    printLine(sentProfile(session, profile, plan));
    printLine(CtlProfiles::label(listing, profile) + QStringLiteral(" in use"));
    return kExitOk;
}

int CtlRunner::runProfiles(CtlSession &session, const CtlOptions &options, const CommandRequest &request)
{
    const CtlProfiles::Listing listing = CtlProfiles::read(session);
    if (request.profileAction == ProfileAction::List) {
        if (options.json)
            print(QString::fromUtf8(
                QJsonDocument(CtlProfiles::json(listing, session)).toJson(QJsonDocument::Indented)));
        else
            for (const QString &line : CtlProfiles::lines(listing))
                printLine(line);
        return kExitOk;
    }
    const int profile = *request.profile;
    ApplicationRules rules(session.files());
    const QString name = ApplicationRules::normalName(request.applicationName);
    const int linked = rules.all().value(name, -1);
    if (request.profileAction == ProfileAction::Unlink) {
        if (linked != profile)
            return usage(QStringLiteral("profile: %1 is not linked to profile %2 (%3)")
                             .arg(name)
                             .arg(profile)
                             .arg(linked < 0 ? QStringLiteral("it has no link")
                                             : QStringLiteral("it is linked to %1")
                                                   .arg(CtlProfiles::label(listing, linked))));
        if (!rules.unlink(name))
            return fail(kExitDeviceOrFile,
                        QStringLiteral("could not write %1; %2 is still linked to profile %3")
                            .arg(session.apConfigPath(), name)
                            .arg(profile));
        printLine(QStringLiteral("unlinked %1 from %2").arg(name, CtlProfiles::label(listing, profile)));
        return kExitOk;
    }
    if (linked == profile) {
        printLine(
            QStringLiteral("%1 is already linked to %2").arg(name, CtlProfiles::label(listing, profile)));
        return kExitOk;
    }
    if (!rules.link(name, profile))
        return fail(kExitDeviceOrFile, QStringLiteral("could not write %1; %2 is not linked to profile %3")
                                           .arg(session.apConfigPath(), name)
                                           .arg(profile));
    printLine(QStringLiteral("linked %1 to %2%3")
                  .arg(name, CtlProfiles::label(listing, profile),
                       linked < 0
                           ? QString()
                           : QStringLiteral(", moved from %1").arg(CtlProfiles::label(listing, linked))));
    return kExitOk;
}

// --- profile images, raw commands ------------------------------------------------

int CtlRunner::runReadProfile(CtlSession &session, int image)
{
    MouseOperations &ops = session.operations();
    if (!ops.mouseReadProfile(static_cast<uint>(image)))
        return fail(kExitDeviceOrFile,
                    QStringLiteral("could not read profile image %1 from the mouse").arg(image));
    const ProfileImage &bytes = ops.images().image(image);
    print(hexLines(bytes.data(), int(bytes.size())).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return kExitOk;
}

int CtlRunner::runRaw(CtlSession &session, const RawRequest &raw)
{
    Hid_Thread &hid = session.hid();
    if (!hid.waitLinkFree())
        return fail(kExitDeviceOrFile, QStringLiteral("the device link is busy"));
    hid.prepareRequest(raw.code, raw.params);
    // Before the transport scrambles it for a mouse that expects that; a
    // command the family knows is named and paced as the program sends it.
    const ProtocolTable::Command *known =
        ProtocolTable::find(ProtocolTable::familyOf(session.model().is560()), raw.code);
    const QString request = hexBytes(hid.requestBuffer(), 9)
                            + (known ? QStringLiteral(" (%1)").arg(QLatin1String(known->name)) : QString());
    if (raw.receive) {
        const int length = *raw.receive;
        std::fill_n(hid.bulkBuffer(), kBulkBytes, uchar(0));
        const bool ok = hid.hidSendRecv(length);
        printLine(QStringLiteral("sent ") + request);
        if (!ok)
            return fail(kExitDeviceOrFile, QStringLiteral("the exchange failed"));
        printLine(QStringLiteral("answer ") + hexBytes(hid.answerBuffer(), 9));
        const QStringList lines = hexLines(hid.bulkBuffer(), length);
        for (const QString &line : lines)
            printLine(QStringLiteral("bulk ") + line);
        return kExitOk;
    }
    std::copy(raw.bulk.constBegin(), raw.bulk.constEnd(), hid.bulkBuffer());
    const bool shortPace = known && known->pace == ProtocolTable::Pace::Short;
    const bool ok = hid.hidSend(int(raw.bulk.size()), !shortPace);
    if (shortPace)
        hid.clock().sleep(ProtocolTable::kShortPauseMs);
    printLine(QStringLiteral("sent ") + request);
    if (!raw.bulk.isEmpty()) {
        const QStringList lines =
            hexLines(reinterpret_cast<const uchar *>(raw.bulk.constData()), int(raw.bulk.size()));
        for (const QString &line : lines)
            printLine(QStringLiteral("sent bulk ") + line);
    }
    return ok ? kExitOk : fail(kExitDeviceOrFile, QStringLiteral("the send failed"));
}

// --- listen ------------------------------------------------------------------------

int CtlRunner::runListen(CtlSession &session)
{
    Hid_Thread &hid = session.hid();
    const int row = session.connectedRow();
    if (hid.deviceTable().at(row).eventPath.isEmpty())
        return fail(kExitDeviceOrFile, QStringLiteral("the mouse has no event interface to listen on"));

    QObject context;
    int code = kExitOk;
    SignalWatcher stopOnSignal([](int) {
        QCoreApplication::exit(kExitOk);
    });
    QObject::connect(
        &hid, &Hid_Thread::dpiStageSwitched, &context,
        [this](int stage) {
            printLine(QStringLiteral("stage %1").arg(stage));
        },
        Qt::QueuedConnection);
    QObject::connect(
        &hid, &Hid_Thread::eventInterfaceLost, &context,
        [this, &code] {
            code =
                fail(kExitDeviceOrFile, QStringLiteral("the mouse is gone (its event interface was lost)"));
            QCoreApplication::exit(code);
        },
        Qt::QueuedConnection);

    if (!hid.startReportListener(static_cast<uint>(row))) {
        hid.setListening(false);
        hid.waitForListener();
        return fail(kExitDeviceOrFile,
                    QStringLiteral("could not switch the mouse's event reports on; nothing to listen to"));
    }

    // The emulated mouse's DPI button: a line on standard input presses it.
    std::unique_ptr<MouseControlLines> presses;
    if (EmulatorBackend *emulator = session.emulator(); emulator && ::fcntl(STDIN_FILENO, F_GETFD) != -1)
        presses = std::make_unique<MouseControlLines>(STDIN_FILENO, *emulator);
    std::fprintf(m_err, "kx20ctl: listening for DPI-button switches; Ctrl+C stops\n");
    std::fflush(m_err);
    const int loop = QCoreApplication::exec();
    presses.reset();
    hid.setListening(false);
    hid.waitForListener();
    return loop != kExitOk ? loop : code;
}
