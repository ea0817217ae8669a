#pragma once

#include "buttonencoding.h"
#include "dpiencoding.h"
#include "gunencoding.h"
#include "lightingencoding.h"
#include "mousemodel.h"

#include <QtGlobal>

#include <array>

class Hid_Thread;

// What a chip family does with each setting: the commands that carry it to
// the mouse. One class per family, chosen once for the configured mouse;
// MouseOperations holds the rules that are the same for both. A family
// without a device link sends nothing and reads 0.
class MouseFamily
{
public:
    MouseFamily(Hid_Thread *&hid, const MouseModel &model)
        : m_hid(hid)
        , m_model(model)
    {}
    virtual ~MouseFamily() = default;
    MouseFamily(const MouseFamily &) = delete;
    MouseFamily &operator=(const MouseFamily &) = delete;

    virtual void sendKeyMatrix(KeyMatrix &matrix, uchar indexAddOne) = 0;
    // A gun button is in use: the gun option and the four matrices, then
    // matrix or profile 1 made current.
    virtual void sendGunMatrices(ButtonEncoding::GunMatrices &gun) = 0;
    virtual void sendMacro(uchar deviceSlot, uchar *block128) = 0;
    virtual void setKeyboardOptions(uchar byte1, uchar byte2, uchar byte3, uchar byte4) = 0;
    virtual std::array<uchar, 4> keyboardOptions() = 0;
    virtual void setReportRate(uchar rate) = 0;
    virtual void setCurrentDpi(uchar stage) = 0;
    virtual uchar currentDpi() = 0;
    virtual void setDpi(int dpiCount, const QString &sensorType, const DpiEncoding::Registers &registers) = 0;
    // Full-colour mice.
    virtual void setColourfulEffect(const LightingTriple &triple) = 0;
    // Single-colour mice.
    virtual void setPlainEffect(const LightingTriple &triple) = 0;
    virtual void setColours(uchar type, LightingEncoding::ColourBuffer &buffer) = 0;
    virtual void setFixColour(uchar *rgb3) = 0;
    // Gun slot 1..3.
    virtual void sendGunData(int slot, GunValues gun) = 0;
    virtual void switchKeyMatrix(int indexNo) = 0;

protected:
    // The operations' link, followed when it is replaced.
    Hid_Thread *&m_hid;
    const MouseModel &m_model;
};
