#pragma once

#include "mousefamily.h"
#include "profileimages.h"

// The 560 family: the settings live in five 128-byte profile images, which
// are patched and sent back whole, plus a few small commands.
class MouseFamily560 final : public MouseFamily
{
public:
    // `images` outlives the family.
    MouseFamily560(Hid_Thread *&hid, const MouseModel &model, ProfileImages &images);

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

    // Sends image `n` as profile `n` (or marks it while deferring), unless
    // it has not been read from the mouse since the connection began: then
    // it is logged and skipped.
    bool sendImage(int n);
    // True when the image came from the mouse; a failed read leaves the
    // image as it was and marks it not read.
    bool readImage(int n);
    uchar currentProfile();

    // While deferring, a patched image is only marked; writeMarkedImages
    // then writes each marked image once, in image order, unless the mouse
    // already holds exactly those bytes.
    void setDeferring(bool deferring);
    void writeMarkedImages();
    // An image had to be skipped because it was never read (since the last
    // clearMissed).
    bool missedImage() const { return m_missed; }
    void clearMissed() { m_missed = false; }

private:
    bool writeImage(int n);
    // Image 1, and 2..4 on a gun model.
    void sendStageImages();

    ProfileImages &m_images;
    bool m_deferring = false;
    bool m_missed = false;
    std::array<bool, ProfileImages::kCount> m_marked{};
};
