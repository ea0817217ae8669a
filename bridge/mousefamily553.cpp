#include "mousefamily553.h"

#include "hidthread.h"

namespace {

// The mouse takes the second value of a single-colour effect as 2, except
// the 55328 variant, which takes the value the effect computes.
constexpr uchar kPlainSecondValue = 2;

} // namespace

void MouseFamily553::sendKeyMatrix(KeyMatrix &matrix, uchar indexAddOne)
{
    m_hid->hid553_12H_SetKeyMatrix(matrix.data(), indexAddOne);
}

void MouseFamily553::sendGunMatrices(ButtonEncoding::GunMatrices &gun)
{
    sendKeyMatrix(gun.user, 1);
    for (int n = 0; n < 3; ++n)
        sendKeyMatrix(gun.gun[static_cast<std::size_t>(n)], static_cast<uchar>(n + 2));
    m_hid->hid553_02H_SetCurrentKeyMatrix(1);
}

void MouseFamily553::sendMacro(uchar deviceSlot, uchar *block128)
{
    m_hid->hid553_13H_SetMacroKey(deviceSlot, block128);
}

void MouseFamily553::setKeyboardOptions(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (m_hid)
        m_hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

std::array<uchar, 4> MouseFamily553::keyboardOptions()
{
    std::array<uchar, 4> bytes{};
    if (m_hid)
        m_hid->hid553_83H_GetKeyboardoption(bytes[0], bytes[1], bytes[2], bytes[3]);
    return bytes;
}

void MouseFamily553::setReportRate(uchar rate)
{
    if (m_hid)
        m_hid->hid553_01H_SetReportRate(rate);
}

void MouseFamily553::setCurrentDpi(uchar stage)
{
    if (m_hid)
        m_hid->hid553_0BH_SetCurrentDPI(stage);
}

uchar MouseFamily553::currentDpi()
{
    uchar stage = 0;
    if (m_hid)
        m_hid->hid553_8BH_GetCurrentDPI(stage);
    return stage;
}

void MouseFamily553::setDpi(int dpiCount, const QString &, const DpiEncoding::Registers &registers)
{
    if (!m_hid)
        return;
    std::array<uchar, DpiEncoding::kStages> bytes = DpiEncoding::stageBytes553(registers, dpiCount);
    m_hid->hid553_11H_SetDPISet(static_cast<uchar>(dpiCount), bytes.data());
}

void MouseFamily553::setColourfulEffect(const LightingTriple &t)
{
    if (m_hid)
        m_hid->hid553_0DH_SetRGBLedEffect(t.mode, t.first, t.second);
}

void MouseFamily553::setPlainEffect(const LightingTriple &t)
{
    if (m_hid)
        m_hid->hid553_0DH_SetRGBLedEffect(t.mode, t.first, m_model.is55328 ? t.second : kPlainSecondValue);
}

void MouseFamily553::setColours(uchar type, LightingEncoding::ColourBuffer &buffer)
{
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
        // Not a slip: the plain 553 mice take their colour table reliably
        // only when it comes twice in a row, so the second send stays even
        // though it costs another half second.
        m_hid->hid553_10H_SetLED8StageColor(type, buffer.data());
        m_hid->hid553_10H_SetLED8StageColor(type, buffer.data());
    }
}

void MouseFamily553::setFixColour(uchar *rgb3)
{
    if (m_hid)
        m_hid->hid553_0CH_SetFixLEDColor(rgb3);
}

void MouseFamily553::sendGunData(int slot, GunValues gun)
{
    if (!m_hid)
        return;
    uchar options[4] = {0, 0, 0, 0};
    m_hid->hid553_83H_GetKeyboardoption(options[0], options[1], options[2], options[3]);
    if (options[2] != 0)
        gun.y = GunEncoding::negated(gun.y);
    m_hid->hid553_04H_SetGunData(gun.repetitions, gun.x, gun.y, static_cast<uchar>(slot - 1));
}

void MouseFamily553::switchKeyMatrix(int indexNo)
{
    if (m_hid)
        m_hid->hid553_02H_SetCurrentKeyMatrix(static_cast<uchar>((indexNo - 1) & 0xFF));
}
