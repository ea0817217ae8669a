#include "mousefamily560.h"

#include "hidthread.h"

#include <QDebug>

namespace {

// Images 1..4 hold the DPI stages and lighting of the four stage profiles.
constexpr int kFirstStageImage = 1;
constexpr int kLastStageImage = 4;
// Last byte of a single-colour lighting triple: 2, except in image 1 of a 560
// mouse without gun functions, which takes 3.
constexpr uchar kPlainSecondValue = 2;
constexpr uchar kPlainSecondValueNoGun = 3;

} // namespace

MouseFamily560::MouseFamily560(Hid_Thread *&hid, const MouseModel &model, ProfileImages &images)
    : MouseFamily(hid, model)
    , m_images(images)
{}

void MouseFamily560::setDeferring(bool deferring)
{
    m_deferring = deferring;
    if (deferring)
        m_marked.fill(false);
}

void MouseFamily560::writeMarkedImages()
{
    // Several patches of one image within the group cost one write of it.
    for (int n = 0; n < ProfileImages::kCount; ++n) {
        if (!m_marked[static_cast<std::size_t>(n)])
            continue;
        m_marked[static_cast<std::size_t>(n)] = false;
        if (m_images.isRead(n) && m_images.matchesMouse(n))
            continue;
        writeImage(n);
    }
}

bool MouseFamily560::sendImage(int n)
{
    if (!m_hid || !ProfileImages::isValidIndex(n))
        return false;
    if (m_deferring) {
        m_marked[static_cast<std::size_t>(n)] = true;
        return true;
    }
    return writeImage(n);
}

bool MouseFamily560::writeImage(int n)
{
    if (!m_images.isRead(n)) {
        // Sending it would overwrite the mouse's own profile with bytes that
        // never came from it.
        qDebug().noquote() << QStringLiteral("Profile image %1 not read from the mouse, not sent").arg(n);
        m_missed = true;
        return false;
    }
    const quint64 before = m_hid->failedCommands();
    m_hid->hid560_0CH_setProfile(m_images.image(n).data(), static_cast<uchar>(n));
    if (m_hid->failedCommands() != before)
        return false;
    m_images.storeWritten(n);
    return true;
}

void MouseFamily560::sendStageImages()
{
    sendImage(kFirstStageImage);
    if (m_model.isGun) {
        for (int n = kFirstStageImage + 1; n <= kLastStageImage; ++n)
            sendImage(n);
    }
}

bool MouseFamily560::readImage(int n)
{
    if (!m_hid || !ProfileImages::isValidIndex(n))
        return false;
    ProfileImage read = m_images.image(n);
    if (!m_hid->readProfileImage(read.data(), static_cast<uchar>(n))) {
        qDebug().noquote() << QStringLiteral("Profile image %1 could not be read from the mouse").arg(n);
        return false;
    }
    m_images.storeRead(n, read);
    return true;
}

uchar MouseFamily560::currentProfile()
{
    uchar profile = 0;
    if (m_hid)
        m_hid->hid560_82H_GetCurrentProfile(profile);
    return profile;
}

void MouseFamily560::sendKeyMatrix(KeyMatrix &matrix, uchar indexAddOne)
{
    m_hid->hid560_0DH_SetKeyMatrix(matrix.data(), indexAddOne);
}

void MouseFamily560::sendGunMatrices(ButtonEncoding::GunMatrices &gun)
{
    if (gun.gunOptionByte)
        m_images.image(0)[ImageBytes::kGunOption] = *gun.gunOptionByte;
    sendImage(0);
    sendKeyMatrix(gun.user, 1);
    for (int n = 0; n < 3; ++n)
        sendKeyMatrix(gun.gun[static_cast<std::size_t>(n)], static_cast<uchar>(n + 2));
    m_hid->hid560_02H_SetCurrentProfile(1);
}

void MouseFamily560::sendMacro(uchar deviceSlot, uchar *block128)
{
    m_hid->hid560_0FH_SetMacroKey(deviceSlot, block128);
}

void MouseFamily560::setKeyboardOptions(uchar byte1, uchar byte2, uchar, uchar)
{
    // Two option bytes under a command of their own; this family's 03H would
    // set the report rate instead.
    if (m_hid)
        m_hid->hid560_01H_SetKeyboardoption(byte1, byte2);
}

std::array<uchar, 4> MouseFamily560::keyboardOptions()
{
    std::array<uchar, 4> bytes{};
    if (m_hid)
        m_hid->hid560_81H_GetKeyboardoption(bytes[0], bytes[1]);
    return bytes;
}

void MouseFamily560::setReportRate(uchar rate)
{
    if (m_hid)
        m_hid->hid560_03H_SetReportRate(rate);
}

void MouseFamily560::setCurrentDpi(uchar stage)
{
    if (m_hid)
        m_hid->hid560_04H_SetCurrentDPI(stage);
}

uchar MouseFamily560::currentDpi()
{
    uchar stage = 0;
    if (m_hid) {
        uchar series = 1;
        m_hid->hid560_84H_GetCurrentDPI(series, stage);
    }
    return stage;
}

void MouseFamily560::setDpi(int dpiCount, const QString &sensorType, const DpiEncoding::Registers &registers)
{
    const bool highRange = DpiEncoding::usesHighRangeMask(sensorType);
    for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
        DpiEncoding::patchImage(m_images.image(n), registers, dpiCount, highRange);
    sendStageImages();
}

void MouseFamily560::setColourfulEffect(const LightingTriple &triple)
{
    for (int n = kFirstStageImage; n <= kLastStageImage; ++n)
        LightingEncoding::patchTriple(m_images.image(n), triple);
    sendStageImages();
}

void MouseFamily560::setPlainEffect(const LightingTriple &t)
{
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

void MouseFamily560::setColours(uchar, LightingEncoding::ColourBuffer &buffer)
{
    if (m_model.isColorful) {
        LightingEncoding::patchColours(m_images.image(0), ImageBytes::kColourfulColours, buffer);
        sendImage(0);
    } else {
        LightingEncoding::patchColours(m_images.image(1), ImageBytes::kPlainColours, buffer);
        sendImage(1);
    }
}

void MouseFamily560::setFixColour(uchar *)
{
    if (!m_hid)
        return;
    // 0CH writes a whole profile image on this family; the colour bytes
    // would be taken for a profile number and a length.
    qDebug().noquote() << QStringLiteral("No fixed colour command on the 560 family, not sent");
}

void MouseFamily560::sendGunData(int slot, GunValues gun)
{
    // Gun slot s lives in profile image s + 1.
    GunEncoding::patchImage(m_images.image(slot + 1), gun);
    sendImage(slot + 1);
}

void MouseFamily560::switchKeyMatrix(int indexNo)
{
    if (m_hid)
        m_hid->hid560_02H_SetCurrentProfile(static_cast<uchar>(indexNo & 0xFF));
}
