#pragma once

#include "mousefamily.h"

// The 553 family: one command per kind of setting.
class MouseFamily553 final : public MouseFamily
{
public:
    using MouseFamily::MouseFamily;

    void sendKeyMatrix(KeyMatrix &matrix, uchar indexAddOne) override;
    void sendGunMatrices(ButtonEncoding::GunMatrices &gun) override;
    void sendMacro(uchar deviceSlot, uchar *block128) override;
    void setKeyboardOptions(uchar byte1, uchar byte2, uchar byte3, uchar byte4) override;
    std::array<uchar, 4> keyboardOptions() override;
    void setReportRate(uchar rate) override;
    void setCurrentDpi(uchar stage) override;
    uchar currentDpi() override;
    void setDpi(int dpiCount, const QString &sensorType, const DpiEncoding::Registers &registers) override;
    void setColourfulEffect(const LightingTriple &triple) override;
    void setPlainEffect(const LightingTriple &triple) override;
    void setColours(uchar type, LightingEncoding::ColourBuffer &buffer) override;
    void setFixColour(uchar *rgb3) override;
    void sendGunData(int slot, GunValues gun) override;
    void switchKeyMatrix(int indexNo) override;
};
