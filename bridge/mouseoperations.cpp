#include "mouseoperations.h"

#include "buttonencoding.h"
#include "dpiencoding.h"
#include "gunencoding.h"
#include "hidthread.h"
#include "lightingencoding.h"
#include "variantbytes.h"

#include <QDebug>
#include <QSettings>

#include <algorithm>

namespace {

constexpr int kMacroSlots = 12;
constexpr int kMacroBytes = 128;
constexpr int kGunSlots = 3;

QString keyMatrixKey(int button)
{
    return QStringLiteral("mouseKeyMatrix/") + QString::number(button);
}

QString factoryKeyMatrixKey(int button)
{
    return QStringLiteral("mouseFwKeyMatrix/") + QString::number(button);
}

KeyMatrix factoryMatrix(QSettings &profile)
{
    QList<QVariantList> factoryEntries;
    for (int button = 0; button < ButtonEncoding::kButtons; ++button)
        factoryEntries.append(VariantBytes::asList(profile.value(factoryKeyMatrixKey(button))));
    return ButtonEncoding::deviceMatrix(factoryEntries);
}

} // namespace

MouseOperations::MouseOperations(Hid_Thread *hid, const MouseModel &model)
    : m_hid(hid)
{
    setModel(model);
}

void MouseOperations::setHidThread(Hid_Thread *hid)
{
    m_hid = hid;
    if (m_hid)
        m_hid->setGunModel(m_model.isGun);
}

void MouseOperations::setModel(const MouseModel &model)
{
    m_model = model;
    m_family = m_model.is560() ? static_cast<MouseFamily *>(&m_family560) : &m_family553;
    if (m_hid)
        m_hid->setGunModel(m_model.isGun);
}

// --- groups of changes ----------------------------------------------------------

quint64 MouseOperations::failures() const
{
    return m_hid ? m_hid->failedCommands() : 0;
}

bool MouseOperations::noFailureSince(quint64 failuresBefore) const
{
    return failures() == failuresBefore;
}

void MouseOperations::beginChanges()
{
    if (m_groupDepth++ > 0)
        return;
    m_failuresAtGroupStart = failures();
    m_family560.clearMissed();
    m_family560.setDeferring(true);
}

bool MouseOperations::endChanges()
{
    if (m_groupDepth == 0)
        return true;
    if (--m_groupDepth > 0)
        return true;
    if (m_hid) {
        const QMap<uchar, std::array<uchar, kMacroBytes>> pending = m_pendingMacros;
        for (auto it = pending.cbegin(); it != pending.cend(); ++it)
            writeMacro(it.key(), it.value());
    }
    m_family560.setDeferring(false);
    m_family560.writeMarkedImages();
    return !m_family560.missedImage() && noFailureSince(m_failuresAtGroupStart);
}

bool MouseOperations::sendProfile(QSettings &profile, const ProfileSend &send)
{
    beginChanges();
    mouseSetKeyMatrix(profile, send.src64, true, send.firePeriods);
    for (const ProfileSend::Macro &macro : send.macros)
        mouseSendMacroData(macro.data, macro.slot);
    mouseSetReportRate(send.rateCode);
    if (send.withDpi)
        mouseSetDpi(send.dpiCount, send.sensorType, send.dpiValues);
    sendLighting(send.light);
    if (m_model.isGun) {
        // Matrix 1 made current again, and the gun matrices back to the
        // factory's.
        mouseSwitchKeyMatrix(1);
        mouseResetKeyMatrix(profile);
    }
    return endChanges();
}

// --- buttons and macros -----------------------------------------------------

void MouseOperations::mouseSetKeyMatrix(QSettings &profile, const QVariantList &src64, bool isSendData,
                                        const QVariantList &otherParam)
{
    for (int button = 0; button < ButtonEncoding::kButtons; ++button) {
        QVariantList entry;
        for (int i = 4 * button; i < 4 * button + 4; ++i)
            entry.append(i < src64.size() ? src64.at(i) : QVariant(0));
        profile.setValue(keyMatrixKey(button), entry);
    }
    if (!isSendData || !m_hid)
        return;

    const bool family560 = m_model.is560();
    KeyMatrix user = ButtonEncoding::userMatrix(src64, family560);
    if (!ButtonEncoding::hasGunButton(user)) {
        family().sendKeyMatrix(user, 1);
        return;
    }
    ButtonEncoding::GunMatrices gun =
        ButtonEncoding::gunMatrices(user, factoryMatrix(profile), otherParam, family560);
    family().sendGunMatrices(gun);
}

void MouseOperations::mouseResetKeyMatrix(QSettings &profile)
{
    if (!m_hid)
        return;
    KeyMatrix factory = factoryMatrix(profile);
    // Matrix 1 is the user's; the factory matrix only replaces the gun matrices.
    for (uchar n = 2; n <= 4; ++n)
        family().sendKeyMatrix(factory, n);
}

QVariant MouseOperations::mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex)
{
    bool isNumber = false;
    const auto slot = static_cast<uchar>(macroIndex.toUInt(&isNumber) & 0xFFu);
    // An index that is no number must not land in slot 1.
    if (!isNumber || slot >= kMacroSlots || !m_hid)
        return true;
    std::array<uchar, kMacroBytes> block{};
    const int n = std::min(static_cast<int>(macroData.size()), kMacroBytes);
    for (int i = 0; i < n; ++i)
        block[static_cast<std::size_t>(i)] = VariantBytes::intByteAt(macroData, i);
    // The mouse counts its macro slots from 1.
    return writeMacro(static_cast<uchar>(slot + 1), block);
}

bool MouseOperations::writeMacro(uchar deviceSlot, const std::array<uchar, kMacroBytes> &block)
{
    std::array<uchar, kMacroBytes> bytes = block;
    const quint64 before = failures();
    family().sendMacro(deviceSlot, bytes.data());
    if (noFailureSince(before)) {
        m_pendingMacros.remove(deviceSlot);
        return true;
    }
    m_pendingMacros.insert(deviceSlot, block);
    return false;
}

// --- keyboard options, report rate, DPI ---------------------------------------

void MouseOperations::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    family().setKeyboardOptions(byte1, byte2, byte3, byte4);
}

QVariantList MouseOperations::GetKeyboardoption()
{
    const std::array<uchar, 4> bytes = family().keyboardOptions();
    return {int(bytes[0]), int(bytes[1]), int(bytes[2]), int(bytes[3])};
}

void MouseOperations::mouseSetReportRate(uchar rate)
{
    family().setReportRate(rate);
}

void MouseOperations::mouseSetCurrentDPI(uchar currentDPI)
{
    family().setCurrentDpi(currentDPI);
}

QVariant MouseOperations::mouseGetCurrentDPI()
{
    return int(family().currentDpi());
}

void MouseOperations::mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray)
{
    family().setDpi(dpiCount, sensorType, DpiEncoding::convert(sensorType, dpiValueArray));
}

// --- lighting -----------------------------------------------------------------

void MouseOperations::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (m_model.isColorful) {
        family().setColourfulEffect(m_model.is571
                                        ? LightingEncoding::colourful571Triple(effect, option1, option2)
                                        : LightingEncoding::colourfulTriple(effect, option1, option2));
        return;
    }
    family().setPlainEffect(LightingEncoding::plainTriple(effect, option1, option2));
}

void MouseOperations::mouseSetRGBColor(uchar type, const QVariantList &src24)
{
    LightingEncoding::ColourBuffer buffer = LightingEncoding::colourBuffer(src24);
    family().setColours(type, buffer);
}

void MouseOperations::mouseSetFixColor(const QVariantList &src3)
{
    uchar rgb[3] = {VariantBytes::intByteAt(src3, 0), VariantBytes::intByteAt(src3, 1),
                    VariantBytes::intByteAt(src3, 2)};
    family().setFixColour(rgb);
}

void MouseOperations::sendLighting(const LightingChoice &choice, LightingRules::Part part)
{
    using LightingRules::Part;
    if (part == Part::All || part == Part::Effect)
        mouseSetRGBEffect(static_cast<uchar>(choice.effect & 0xFF),
                          static_cast<uchar>(LightingRules::clampStep(choice.speed)),
                          static_cast<uchar>(LightingRules::clampStep(choice.brightness)));
    if (part == Part::All || part == Part::Colours) {
        mouseSetRGBColor(LightingRules::colourType(m_model),
                         LightingRules::coloursForEffect(m_model, choice.effect, choice.colours));
        if (LightingRules::sendsFixColour(m_model))
            mouseSetFixColor(choice.fixColour);
    }
}

// --- gun data and profiles ------------------------------------------------------

void MouseOperations::mouseSendGundata(int slot, const QVariantList &values)
{
    if (!m_model.isGun)
        return;
    if (slot < 1 || slot > kGunSlots) {
        qDebug().noquote() << QStringLiteral("Gun slot %1 does not exist, not sent").arg(slot);
        return;
    }
    family().sendGunData(slot, GunEncoding::fromList(values));
}

void MouseOperations::mouseSetProfile(uint profileNo)
{
    if (profileNo >= static_cast<uint>(ProfileImages::kCount))
        return;
    m_family560.sendImage(static_cast<int>(profileNo));
}

bool MouseOperations::mouseReadProfile(uint profileNo)
{
    // Only the 560 family keeps profile images.
    if (!m_hid || !m_model.is560() || profileNo >= static_cast<uint>(ProfileImages::kCount))
        return false;
    return m_family560.readImage(static_cast<int>(profileNo));
}

QVariant MouseOperations::mouseReadCurrentProfile()
{
    // A 553-family mouse has no on-board profiles to ask about.
    return m_model.is560() ? int(m_family560.currentProfile()) : 0;
}

void MouseOperations::useProfileOne()
{
    if (m_model.is560() && m_family560.currentProfile() != 1)
        m_family560.switchKeyMatrix(1);
}

void MouseOperations::mouseSwitchKeyMatrix(int indexNo)
{
    family().switchKeyMatrix(indexNo);
}
