#pragma once

#include "buttonencoding.h"
#include "lightingrules.h"
#include "mousefamily553.h"
#include "mousefamily560.h"
#include "mousemodel.h"
#include "profileimages.h"

#include <QMap>
#include <QVariant>
#include <QVariantList>

class Hid_Thread;
class QSettings;

// What a profile holds that a profile change sends.
struct ProfileSend
{
    QVariantList src64;
    // Fire periods of gun slots 1..3, for a gun button.
    QVariantList firePeriods;
    // A macro a button runs: its bytes for the slot the button names.
    struct Macro
    {
        QVariant slot;
        QVariantList data;
    };
    // The mouse keeps one set of macro slots for all profiles: a profile that
    // comes into use puts its own macros into the slots its buttons run.
    QList<Macro> macros;
    uchar rateCode = 0;
    // False when the profile's stages could not be loaded: the mouse keeps
    // its own.
    bool withDpi = true;
    int dpiCount = 0;
    QString sensorType;
    QVariantList dpiValues;
    LightingChoice light;
};

// The device side of the bridge: turns what the scene holds (button entries,
// macros, DPI values, lighting, gun values) into commands of the configured
// chip family. The rules both families share live here; what a family does
// with a setting lives in its own class (MouseFamily553, MouseFamily560),
// chosen with the model. It owns the 560 family's device-profile images.
// Without a device link every operation does nothing and every read gives 0.
class MouseOperations
{
public:
    explicit MouseOperations(Hid_Thread *hid = nullptr, const MouseModel &model = MouseModel());
    MouseOperations(const MouseOperations &) = delete;
    MouseOperations &operator=(const MouseOperations &) = delete;

    // Not owned. The link's gun-model switch follows the model.
    void setHidThread(Hid_Thread *hid);
    Hid_Thread *hidThread() const { return m_hid; }
    void setModel(const MouseModel &model);
    const MouseModel &model() const { return m_model; }

    ProfileImages &images() { return m_images; }
    const ProfileImages &images() const { return m_images; }
    // A connection begins: no image is known to match the mouse until read.
    void resetForConnection() { m_images.resetForConnection(); }

    // --- groups of changes ----------------------------------------------------
    // A Save, a Reset or a profile change begins. Until the matching
    // endChanges the profile images it patches are only marked; groups nest.
    void beginChanges();
    // The outermost group ends: macros the mouse did not take before go out
    // again, then each marked image once, in image order, unless the mouse
    // already holds exactly those bytes. True when every command of the
    // group reached the mouse.
    bool endChanges();
    bool inChanges() const { return m_groupDepth > 0; }
    // Macros that did not reach the mouse, waiting for the next group.
    int pendingMacroCount() const { return int(m_pendingMacros.size()); }
    // A profile change, in the program's order: the buttons (stored in
    // `profile`), the macros they run, the report rate, the DPI stages, the lighting and, on a gun
    // model, matrix 1 made current with the factory gun matrices, as one
    // group. True when the mouse took all of it.
    bool sendProfile(QSettings &profile, const ProfileSend &send);

    // --- buttons and macros -------------------------------------------------
    // Stores the sixteen page entries under "mouseKeyMatrix/0..15" of
    // `profile` and, when `isSendData`, sends the user matrix (and the gun
    // matrices when a gun button is present). `otherParam`: fire periods of
    // gun slots 1..3.
    void mouseSetKeyMatrix(QSettings &profile, const QVariantList &src64, bool isSendData,
                           const QVariantList &otherParam);
    // Sends the factory matrix ("mouseFwKeyMatrix/0..15") as matrices 2, 3, 4.
    void mouseResetKeyMatrix(QSettings &profile);
    // Writes a macro byte string to device slot macroIndex + 1. False when
    // the mouse did not take it: it is kept and sent again at the end of the
    // next group of changes.
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
    // The lighting page's choice, as its Save sends it: the effect with its
    // steps, the colour row and, where the mouse has its own command for it,
    // the single colour.
    void sendLighting(const LightingChoice &choice, LightingRules::Part part = LightingRules::Part::All);
    void mouseSendGundata(int slot, const QVariantList &values);
    void mouseSetProfile(uint profileNo);
    // True when the image came from the mouse; a failed read leaves the image
    // as it was and marks it not read.
    bool mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    // The program works on a 560-family mouse's on-board profile 1: a mouse
    // found on another is switched to it.
    void useProfileOne();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList GetKeyboardoption();

private:
    MouseFamily &family() { return *m_family; }
    // The commands sent since the reading `failuresBefore` all reached the mouse.
    bool noFailureSince(quint64 failuresBefore) const;
    quint64 failures() const;
    bool writeMacro(uchar deviceSlot, const std::array<uchar, 128> &block);

    Hid_Thread *m_hid = nullptr;
    MouseModel m_model;
    ProfileImages m_images;
    MouseFamily553 m_family553{m_hid, m_model};
    MouseFamily560 m_family560{m_hid, m_model, m_images};
    // The configured family's class.
    MouseFamily *m_family = &m_family553;
    int m_groupDepth = 0;
    quint64 m_failuresAtGroupStart = 0;
    // Device macro slot -> the bytes it should hold.
    QMap<uchar, std::array<uchar, 128>> m_pendingMacros;
};
