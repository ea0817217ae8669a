#include "ctlsession.h"

#include "dpilimits.h"
#include "emulatorbackend.h"
#include "gunlibrary.h"
#include "hidapibackend.h"
#include "languagechoice.h"
#include "languagestrings.h"
#include "scrambling.h"
#include "settingsfiles.h"

#include <QFileInfo>

namespace {

constexpr int kStageMaskByte = 100;
constexpr char kFourStages = 0x0F;

} // namespace

CtlSession::CtlSession(const Setup &setup)
    : m_clock(setup.skipPauses)
    , m_files(std::make_unique<SettingsFiles>(setup.modulesRoot))
    , m_model(MouseModel::fromConfig(m_files->application()))
{
    if (setup.emulate == CtlOptions::Emulate::Family553)
        m_model.icType = QStringLiteral("553");
    else if (setup.emulate == CtlOptions::Emulate::Family560)
        m_model.icType = QStringLiteral("560");
    if (setup.emulate != CtlOptions::Emulate::Off)
        plugInEmulatedMouse(setup.faults);

    HidBackend &chosen = m_emulator ? static_cast<HidBackend &>(*m_emulator) : HidapiBackend::instance();
    m_tracer = std::make_unique<TracingBackend>(chosen, m_clock);
    if (setup.trace) {
        m_tracer->setSink(setup.trace, setup.traceFormat);
        m_tracer->setDecoder([this](const QByteArray &onWire) {
            return inClear(onWire);
        });
        const bool is560 = m_model.is560();
        m_hid.setRequestObserver([this, is560](const unsigned char *request) {
            m_tracer->noteCommand(CtlCommands::commandName(is560, request[1]), request);
        });
    }

    m_hid.setBackend(m_tracer.get());
    m_hid.setClock(&m_clock);
    m_hid.setChipFamily(m_model.icType);
    m_operations.setModel(m_model);
    m_operations.setHidThread(&m_hid);
}

CtlSession::~CtlSession()
{
    m_hid.setListening(false);
    m_hid.waitForListener();
}

void CtlSession::plugInEmulatedMouse(const QList<CtlFault> &faults)
{
    m_emulator = std::make_unique<EmulatorBackend>(m_clock);
    // The listener waits for reports as it would on a real mouse.
    m_emulator->setRealTimeWaits(true);
    const QList<DeviceEntry> table = DeviceEntry::readTable(apConfigPath());
    // Without a device row there is nothing the program would look for.
    if (table.isEmpty())
        return;
    EmulatedMouse &mouse = m_emulator->addMouse(EmulatedMouse::Identity::fromEntry(
        table.first(), m_model.is560() ? ChipFamily::F560 : ChipFamily::F553));
    // Plausible on-board profiles: four DPI stages enabled in each.
    QByteArray image(CtlCommands::kBulkBytes, '\0');
    image[kStageMaskByte] = kFourStages;
    for (int profile = 0; profile < CtlCommands::kImages; ++profile)
        mouse.setProfileImage(profile, image);
    for (const CtlFault &fault : faults)
        fault.applyTo(*m_emulator);
}

QByteArray CtlSession::inClear(const QByteArray &onWire) const
{
    const DeviceEntry *row = m_hid.currentEntry();
    if (!row || !row->isEncode || onWire.size() < 1 + 8)
        return onWire;
    QByteArray clear = onWire;
    Scrambling::unscramble(reinterpret_cast<unsigned char *>(clear.data()) + 1, Hid_Thread::secrecyCode());
    return clear;
}

QString CtlSession::apConfigPath() const
{
    return m_files->settingPath(QStringLiteral("apConfig.bin"));
}

CtlCommands::ConfigSnapshot CtlSession::config() const
{
    CtlCommands::ConfigSnapshot c;
    c.model = m_model;
    c.sensorType = m_files->getGlobalData(QStringLiteral("mouse/sensorType")).toString().trimmed();
    // The program's own check: damaged limits give way to the sensor's range.
    const DpiLimits limits = DpiLimits::read(*m_files);
    c.minDpi = limits.range.min;
    c.maxDpi = limits.range.max;
    c.dpiBase = limits.range.step;
    c.profileNo = m_files->getGlobalData(QStringLiteral("mouse/profileNo"));
    c.selectGun = m_files->getGlobalData(QStringLiteral("mouse/selectGun"));
    c.effectNames = CtlCommands::effectNames(
        m_model,
        LanguageStrings(m_files->modulesRoot()).getLangStrings(QStringLiteral("lightControl"), language()));
    return c;
}

QString CtlSession::language() const
{
    return LanguageChoice(m_files->modulesRoot())
        .inUse(m_files->getGlobalData(QStringLiteral("common/language")).toString());
}

bool CtlSession::hasProfileFile(int profile) const
{
    return SettingsFiles::isProfile(profile) && QFileInfo(m_files->profilePath(profile)).isFile();
}

QString CtlSession::profileFileName(int profile) const
{
    return QFileInfo(m_files->profilePath(profile)).fileName();
}

CtlCommands::ProfileData CtlSession::profileData(int profile)
{
    CtlCommands::ProfileData data;
    data.name = profileFileName(profile);
    // The program's own readers, on the profile asked for; which profile the
    // files call current is ours alone and never stored.
    SettingsFiles &files = *m_files;
    const int previous = files.currentProfile();
    files.setCurrentProfile(profile);
    for (int button = 0; button < CtlCommands::kButtons; ++button)
        data.keyMatrix[static_cast<std::size_t>(button)] =
            files.getDataList(QStringLiteral("mouseKeyMatrix/") + QString::number(button), false);
    for (int slot = 0; slot < CtlCommands::kButtons; ++slot)
        data.macroNames[std::size_t(slot)] =
            files.getData(QStringLiteral("mouseMacroKey/") + QString::number(slot), false).toString();
    data.reportRate = files.getData(QStringLiteral("mouse/reportRate"), false);
    data.dpiCount = files.getData(QStringLiteral("mouse/dpiCount"), false);
    data.currentDpiCount = files.getData(QStringLiteral("mouse/currentDpiCount"), false);
    data.dpiValueArray = files.getDataList(QStringLiteral("mouse/dpiValueArray"), false);
    data.lightValue = files.getDataList(QStringLiteral("mouse/lightValue"), false);
    data.colorValue = files.getDataList(QStringLiteral("mouse/colorValue"), false);
    data.fixColor = files.getDataList(QStringLiteral("mouse/fixColor"), false);
    files.setCurrentProfile(previous);
    return data;
}

CtlCommands::GunRecords CtlSession::gunRecords() const
{
    const GunLibrary library(*m_files);
    CtlCommands::GunRecords records;
    for (int record = 0; record < 6; ++record)
        records.append(library.getGunData(QString::number(record)));
    return records;
}

int CtlSession::connectMouse()
{
    m_row = m_hid.discoverDevice(apConfigPath());
    if (m_row >= 0)
        m_operations.resetForConnection();
    return m_row;
}

QList<int> CtlSession::readImagesBack()
{
    QList<int> unread;
    if (!m_model.is560())
        return unread;
    m_operations.resetForConnection();
    const int images = m_model.isGun ? CtlCommands::kImages : 2;
    for (int n = 0; n < images; ++n) {
        if (!m_operations.mouseReadProfile(static_cast<uint>(n)))
            unread.append(n);
    }
    return unread;
}

QStringList CtlSession::emulatorViolations()
{
    return m_emulator ? m_emulator->violations() : QStringList();
}

QStringList CtlSession::emulatorReport()
{
    if (!m_emulator)
        return {};
    QStringList lines{QStringLiteral("link %1, %2 open handle(s)")
                          .arg(m_hid.isLinkFree() ? QStringLiteral("free") : QStringLiteral("busy"))
                          .arg(m_emulator->openHandleCount())};
    if (m_emulator->mouseCount() == 0)
        return lines;
    const QList<EmulatedMouse::Command> commands = m_emulator->mouse().commands();
    for (const EmulatedMouse::Command &c : commands)
        lines.append(QStringLiteral("mouse took %1 bulk %2")
                         .arg(CtlCommands::hexBytes(c.block), CtlCommands::hexBytes(c.bulk)));
    return lines;
}
