#pragma once

#include "buttonencoding.h"
#include "mousemodel.h"
#include "profileimages.h"

#include <QVariant>
#include <QVariantList>

class Hid_Thread;
class QSettings;

// The device side of the bridge: turns what the scene holds (button entries,
// macros, DPI values, lighting, gun values) into commands of the configured
// chip family. For the 560 family it owns the device-profile images, patches
// them and sends them back whole. Without a device link every operation does
// nothing and every read gives 0.
class MouseOperations
{
public:
    explicit MouseOperations(Hid_Thread *hid = nullptr, const MouseModel &model = MouseModel());

    // Not owned. The link's gun-model switch follows the model.
    void setHidThread(Hid_Thread *hid);
    Hid_Thread *hidThread() const { return m_hid; }
    void setModel(const MouseModel &model);
    const MouseModel &model() const { return m_model; }

    ProfileImages &images() { return m_images; }
    const ProfileImages &images() const { return m_images; }
    // A connection begins: no image is known to match the mouse until read.
    void resetForConnection() { m_images.resetForConnection(); }

    // --- buttons and macros -------------------------------------------------
    // Stores the sixteen page entries under "mouseKeyMatrix/0..15" of
    // `profile` and, when `isSendData`, sends the user matrix (and the gun
    // matrices when a gun button is present). `otherParam`: fire periods of
    // gun slots 1..3.
    void mouseSetKeyMatrix(QSettings &profile, const QVariantList &src64, bool isSendData,
                           const QVariantList &otherParam);
    // Sends the factory matrix ("mouseFwKeyMatrix/0..15") as matrices 2, 3, 4.
    void mouseResetKeyMatrix(QSettings &profile);
    // Writes a macro byte string to device slot macroIndex + 1; always true.
    QVariant mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex);

    // --- DPI, report rate, lighting, gun, profiles --------------------------
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(uchar rate);
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, const QVariantList &src24);
    void mouseSetFixColor(const QVariantList &src3);
    void mouseSendGundata(int slot, const QVariantList &values);
    void mouseSetProfile(uint profileNo);
    // True when the image came from the mouse; a failed read leaves the image
    // as it was and marks it not read.
    bool mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList GetKeyboardoption();

private:
    // Sends image `n` as profile `n`, unless it has not been read from the
    // mouse since the connection began: then it is logged and skipped.
    bool sendImage(int n);
    // Image 1, and 2..4 on a gun model.
    void sendStageImages();
    void sendKeyMatrix(KeyMatrix matrix, uchar indexAddOne);

    Hid_Thread *m_hid = nullptr;
    MouseModel m_model;
    ProfileImages m_images;
};
