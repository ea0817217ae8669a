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
// Images 1..4 hold the DPI stages and lighting of the four stage profiles.
constexpr int kFirstStageImage = 1;
constexpr int kLastStageImage = 4;
// Last byte of a single-colour lighting triple: 2, except in image 1 of a 560
// mouse without gun functions, which takes 3.
constexpr uchar kPlainSecondValue = 2;
constexpr uchar kPlainSecondValueNoGun = 3;

QString keyMatrixKey(int button)
{
    return QStringLiteral("mouseKeyMatrix/") + QString::number(button);
}

QString factoryKeyMatrixKey(int button)
{
    return QStringLiteral("mouseFwKeyMatrix/") + QString::number(button);
}

} // namespace

MouseOperations::MouseOperations(Hid_Thread *hid, const MouseModel &model)
    : m_hid(hid)
    , m_model(model)
{
    if (m_hid)
        m_hid->setGunModel(m_model.isGun);
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
    if (m_hid)
        m_hid->setGunModel(m_model.isGun);
}

bool MouseOperations::sendImage(int n)
{
    if (!m_hid || !ProfileImages::isValidIndex(n))
        return false;
    if (!m_images.isRead(n)) {
        // Sending it would overwrite the mouse's own profile with bytes that
        // never came from it.
        qDebug().noquote() << QStringLiteral("Profile image %1 not read from the mouse, not sent").arg(n);
        return false;
    }
    m_hid->hid560_0CH_setProfile(m_images.image(n).data(), static_cast<uchar>(n));
    return true;
}

void MouseOperations::sendStageImages()
{
    sendImage(kFirstStageImage);
    if (m_model.isGun) {
        for (int n = kFirstStageImage + 1; n <= kLastStageImage; ++n)
            sendImage(n);
    }
}

void MouseOperations::sendKeyMatrix(KeyMatrix matrix, uchar indexAddOne)
{
    if (m_model.is560())
        m_hid->hid560_0DH_SetKeyMatrix(matrix.data(), indexAddOne);
    else
        m_hid->hid553_12H_SetKeyMatrix(matrix.data(), indexAddOne);
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
    const KeyMatrix user = ButtonEncoding::userMatrix(src64, family560);
    if (!ButtonEncoding::hasGunButton(user)) {
        sendKeyMatrix(user, 1);
        return;
    }

    QList<QVariantList> factoryEntries;
    for (int button = 0; button < ButtonEncoding::kButtons; ++button)
        factoryEntries.append(VariantBytes::asList(profile.value(factoryKeyMatrixKey(button))));
    const ButtonEncoding::GunMatrices gun = ButtonEncoding::gunMatrices(
        user, ButtonEncoding::deviceMatrix(factoryEntries), otherParam, family560);

    if (family560) {
        if (gun.gunOptionByte)
            m_images.image(0)[ImageBytes::kGunOption] = *gun.gunOptionByte;
        sendImage(0);
    }
    sendKeyMatrix(gun.user, 1);
    for (int n = 0; n < 3; ++n)
        sendKeyMatrix(gun.gun[static_cast<std::size_t>(n)], static_cast<uchar>(n + 2));
    if (family560)
        m_hid->hid560_02H_SetCurrentProfile(1);
    else
        m_hid->hid553_02H_SetCurrentKeyMatrix(1);
}

void MouseOperations::mouseResetKeyMatrix(QSettings &profile)
{
    if (!m_hid)
        return;
    QList<QVariantList> factoryEntries;
    for (int button = 0; button < ButtonEncoding::kButtons; ++button)
        factoryEntries.append(VariantBytes::asList(profile.value(factoryKeyMatrixKey(button))));
    const KeyMatrix factory = ButtonEncoding::deviceMatrix(factoryEntries);
    // Matrix 1 is the user's; the factory matrix only replaces the gun matrices.
    for (uchar n = 2; n <= 4; ++n)
        sendKeyMatrix(factory, n);
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
    const auto deviceSlot = static_cast<uchar>(slot + 1);
    if (m_model.is560())
        m_hid->hid560_0FH_SetMacroKey(deviceSlot, block.data());
    else
        m_hid->hid553_13H_SetMacroKey(deviceSlot, block.data());
    return true;
}

// --- keyboard options, report rate, DPI ---------------------------------------

void MouseOperations::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (!m_hid)
        return;
    // A 560-family mouse keeps two option bytes under its own command; its 03H
    // would set the report rate instead.
    if (m_model.is560())
        m_hid->hid560_01H_SetKeyboardoption(byte1, byte2);
    else
        m_hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList MouseOperations::GetKeyboardoption()
{
    uchar bytes[4] = {0, 0, 0, 0};
    if (m_hid) {
        if (m_model.is560())
            m_hid->hid560_81H_GetKeyboardoption(bytes[0], bytes[1]);
        else
            m_hid->hid553_83H_GetKeyboardoption(bytes[0], bytes[1], bytes[2], bytes[3]);
    }
    return {int(bytes[0]), int(bytes[1]), int(bytes[2]), int(bytes[3])};
}

void MouseOperations::mouseSetReportRate(uchar rate)
{
    if (!m_hid)
        return;
    if (m_model.is560())
        m_hid->hid560_03H_SetReportRate(rate);
    else
        m_hid->hid553_01H_SetReportRate(rate);
}

void MouseOperations::mouseSetCurrentDPI(uchar currentDPI)
{
    if (!m_hid)
        return;
    if (m_model.is560())
        m_hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        m_hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant MouseOperations::mouseGetCurrentDPI()
{
    uchar stage = 0;
    if (m_hid) {
        if (m_model.is560()) {
            uchar series = 1;
            m_hid->hid560_84H_GetCurrentDPI(series, stage);
        } else {
            m_hid->hid553_8BH_GetCurrentDPI(stage);
        }
    }
    return int(stage);
}

void MouseOperations::mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray)
{
    const DpiEncoding::Registers registers = DpiEncoding::convert(sensorType, dpiValueArray);
    if (m_model.is560()) {
        const bool highRange = DpiEncoding::usesHighRangeMask(sensorType);
        for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
            DpiEncoding::patchImage(m_images.image(n), registers, dpiCount, highRange);
        sendStageImages();
        return;
    }
    if (!m_hid)
        return;
    std::array<uchar, DpiEncoding::kStages> bytes = DpiEncoding::stageBytes553(registers, dpiCount);
    m_hid->hid553_11H_SetDPISet(static_cast<uchar>(dpiCount), bytes.data());
}

// --- lighting -----------------------------------------------------------------

void MouseOperations::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (m_model.isColorful) {
        const LightingTriple t = m_model.is571
                                     ? LightingEncoding::colourful571Triple(effect, option1, option2)
                                     : LightingEncoding::colourfulTriple(effect, option1, option2);
        if (m_model.is560()) {
            for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
                LightingEncoding::patchTriple(m_images.image(n), t);
            sendStageImages();
        } else if (m_hid) {
            m_hid->hid553_0DH_SetRGBLedEffect(t.mode, t.first, t.second);
        }
        return;
    }

    const LightingTriple t = LightingEncoding::plainTriple(effect, option1, option2);
    if (!m_model.is560()) {
        if (m_hid)
            m_hid->hid553_0DH_SetRGBLedEffect(t.mode, t.first,
                                              m_model.is55328 ? t.second : kPlainSecondValue);
        return;
    }
    const LightingTriple stored{t.mode, t.first, kPlainSecondValue};
    for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
        LightingEncoding::patchTriple(m_images.image(n), stored);
    if (m_model.isGun) {
        for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
            sendImage(n);
    } else {
        m_images.image(kFirstStageImage)[ImageBytes::kLighting + 2] = kPlainSecondValueNoGun;
        sendImage(kFirstStageImage);
    }
}

void MouseOperations::mouseSetRGBColor(uchar type, const QVariantList &src24)
{
    LightingEncoding::ColourBuffer buffer = LightingEncoding::colourBuffer(src24);
    if (m_model.is560()) {
        if (m_model.isColorful) {
            LightingEncoding::patchColours(m_images.image(0), ImageBytes::kColourfulColours, buffer);
            sendImage(0);
        } else {
            LightingEncoding::patchColours(m_images.image(1), ImageBytes::kPlainColours, buffer);
            sendImage(1);
        }
        return;
    }
    if (!m_hid)
        return;
    if (m_model.is55328) {
        // Without an eighth colour the mouse shows one fixed colour.
        if (buffer[21] == 0 && buffer[22] == 0 && buffer[23] == 0)
            m_hid->hid553_0CH_SetFixLEDColor(buffer.data());
        else
            m_hid->hid553_10H_SetLED8StageColor(0, buffer.data());
    } else if (m_model.is571) {
        m_hid->hid553_10H_SetLED8StageColor(0, buffer.data());
    } else {
        m_hid->hid553_10H_SetLED8StageColor(type, buffer.data());
        m_hid->hid553_10H_SetLED8StageColor(type, buffer.data());
    }
}

void MouseOperations::mouseSetFixColor(const QVariantList &src3)
{
    if (!m_hid)
        return;
    if (m_model.is560()) {
        // 0CH writes a whole profile image on this family; the colour bytes
        // would be taken for a profile number and a length.
        qDebug().noquote() << QStringLiteral("No fixed colour command on the 560 family, not sent");
        return;
    }
    uchar rgb[3] = {VariantBytes::intByteAt(src3, 0), VariantBytes::intByteAt(src3, 1),
                    VariantBytes::intByteAt(src3, 2)};
    m_hid->hid553_0CH_SetFixLEDColor(rgb);
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
    GunValues gun = GunEncoding::fromList(values);
    if (m_model.is560()) {
        // Gun slot s lives in profile image s + 1.
        GunEncoding::patchImage(m_images.image(slot + 1), gun);
        sendImage(slot + 1);
        return;
    }
    if (!m_hid)
        return;
    uchar options[4] = {0, 0, 0, 0};
    m_hid->hid553_83H_GetKeyboardoption(options[0], options[1], options[2], options[3]);
    if (options[2] != 0)
        gun.y = GunEncoding::negated(gun.y);
    m_hid->hid553_04H_SetGunData(gun.repetitions, gun.x, gun.y, static_cast<uchar>(slot - 1));
}

void MouseOperations::mouseSetProfile(uint profileNo)
{
    if (profileNo >= static_cast<uint>(ProfileImages::kCount))
        return;
    sendImage(static_cast<int>(profileNo));
}

bool MouseOperations::mouseReadProfile(uint profileNo)
{
    // Only the 560 family keeps profile images.
    if (!m_hid || !m_model.is560() || profileNo >= static_cast<uint>(ProfileImages::kCount))
        return false;
    const int n = static_cast<int>(profileNo);
    ProfileImage read = m_images.image(n);
    if (!m_hid->readProfileImage(read.data(), static_cast<uchar>(n))) {
        qDebug().noquote() << QStringLiteral("Profile image %1 could not be read from the mouse").arg(n);
        return false;
    }
    m_images.storeRead(n, read);
    return true;
}

QVariant MouseOperations::mouseReadCurrentProfile()
{
    uchar profile = 0;
    // A 553-family mouse has no on-board profiles to ask about.
    if (m_hid && m_model.is560())
        m_hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}

void MouseOperations::mouseSwitchKeyMatrix(int indexNo)
{
    if (!m_hid)
        return;
    if (m_model.is560())
        m_hid->hid560_02H_SetCurrentProfile(static_cast<uchar>(indexNo & 0xFF));
    else
        m_hid->hid553_02H_SetCurrentKeyMatrix(static_cast<uchar>((indexNo - 1) & 0xFF));
}
