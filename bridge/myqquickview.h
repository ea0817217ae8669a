#pragma once

#include "activewindowwatcher.h"
#include "applicationrules.h"
#include "gunlibrary.h"
#include "languagechoice.h"
#include "languagestrings.h"
#include "macrolibrary.h"
#include "mouseoperations.h"
#include "pointersettings.h"
#include "settingsfiles.h"

#include <QQuickWidget>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>

class FileDialogs;
class Hid_Thread;

// The one object through which the scene reaches the native side: the view
// that shows the scene, the holder of the settings stores and the translator
// from scene values to device commands. Its public slots are the scene's
// operations, kept in the order of the bridge's operation table (clearHidBusy
// first, openUpdateExe last) so that the list and the table read side by
// side; each forwards to the plain class of its area.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    // `modulesRoot` holds setting/, macro/, gun/ and i18n/.
    explicit myQQuickView(QWidget *parent = nullptr,
                          const QString &modulesRoot = QStringLiteral("./modules"));
    ~myQQuickView() override;

    void setHidThread(Hid_Thread *hid);
    // The dialogs that import and export ask for a file; the system's own by
    // default.
    void setFileDialogs(FileDialogs *dialogs);

    // The configured mouse model, read once at construction.
    const MouseModel &model() const { return m_operations.model(); }
    SettingsFiles &settings() { return *m_files; }
    MouseOperations &operations() { return m_operations; }
    // The links from applications to profiles, and the desktop's focus.
    ApplicationRules &applicationRules() { return m_rules; }
    ActiveWindowWatcher &activeWindows() { return m_activeWindows; }

    // A mouse was just connected: no on-board profile image is known yet.
    void beginConnection();
    // kx20ctl may have changed the profile in use, the profile names or the
    // links while the window was away: the stores read their files again and
    // the scene shows what they now hold.
    void takeOutsideChanges();

    // Queued calls into the scene for the key and button capture.
    void notifyKeyboard(bool isDown, uchar usbCode);
    void notifyMouse(bool isDown, uint buttonCode, uint x, uint y);
    // Whether the program may quit now. With unsaved changes the scene asks
    // the user and answers later through the window controller's onQuit().
    bool askToQuit();

    // Asks the scene to change to `profile` because the application in front
    // calls for it (the root's followProfile): "done", "unchanged", "missed"
    // (the mouse did not take it), "waiting" (not now) or "unknown" (no such
    // profile).
    QString followProfile(int profile);
    // The name the user gave `profile`; empty when it has none.
    QString profileName(int profile);

signals:
    // Told by the scene, for the profile follower.
    void followBlockedChanged(bool blocked);
    void profileInUseChanged(int profile);

public slots:
    void clearHidBusy();
    void initUI();
    void runUI();
    void resetApconfig();
    bool loadMacroFile(QVariant macroFileName);
    void saveMacroFile(QVariant macroFileName);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QStringList getLangStrings(QString typeStr, QString langCode);
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);
    QVariant deleteMacroIni(QVariant name);
    QVariantList getNameList(QVariant type);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);
    QStringList loadMacroIni(QVariant name);
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void mouseSendGundata(int slot, QVariantList values);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getXYSensitive(QVariant index);
    QVariant getselectGun(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setSelectGun(QVariant index, QVariant xyData);
    void setCurrentProfile(int profile);
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(uchar rate);
    void mouseSetCurrentDPI(uchar currentDPI);
    void mouseResetKeyMatrix();
    QVariant mouseGetCurrentDPI();
    void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);
    void mouseSetFixColor(QVariantList src3);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList GetKeyboardoption();
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);
    QVariantList mouseGetKeydefine(QVariant index, bool isRecovery);
    void openUpdateExe();
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    // Which of pointer speed, double-click speed and wheel lines the
    // user's desktop keeps (three booleans, in that order).
    QVariantList pointerSettingsAvailable();
    // The installed languages as {name, title}, and the user's pick of one,
    // kept under "common/language"; false for a language not installed.
    QVariantList installedLanguages();
    bool chooseLanguage(QString language);
    // A Save, a Reset or a profile change: the changes between the two calls
    // go to the mouse as one group. endMouseChanges is true when the mouse
    // took all of them.
    void beginMouseChanges();
    bool endMouseChanges();
    // The lighting page's colour row as it is stored and sent for `effect`.
    QVariantList lightingColours(int effect, QVariantList colours);
    // Sends the lighting page's choice: lightValue = effect, speed step,
    // brightness step; isStep 0 = effect and colours, 1 = effect, 2 = colours.
    void mouseSendLighting(QVariantList lightValue, QVariantList colours, QVariantList fixColor, int isStep);
    // A profile change or a Reset: sends what the pages hold for the current
    // profile, in the program's order (MouseOperations::sendProfile), and
    // stores the button entries. `send` holds "buttons" (64 codes),
    // "firePeriods", "macros" ({slot, data} each), "rateRow", "dpiCount",
    // "sensorType", "dpiValues" (without it no stages are sent), "lightValue"
    // (effect, speed step, brightness step), "colours" and "fixColour". True
    // when the mouse took all of it.
    bool mouseSendProfile(QVariantMap send);
    // At start-up: a 560-family mouse found on another on-board profile is
    // switched to profile 1, the one the program works on.
    void mouseUseProfileOne();

    // Following the application in front: the scene tells when an automatic
    // change of profile must wait, and which profile is in use.
    void noteFollowBlocked(bool blocked);
    void noteProfileInUse(int profile);
    // Links from applications to profiles, for the profile page. A name is
    // a window class or an executable, kept in lower case.
    // The applications linked to `profile`, sorted.
    QStringList profileLinks(int profile);
    // The profile `name` is linked to; -1 when none.
    int linkedProfile(QString name);
    // An empty text when the link is stored; otherwise why not: "linkName"
    // (not a usable application name), "linkProfile" (no such profile) or
    // "linkNotStored" (the settings file could not be written).
    QString linkApplication(QString name, int profile);
    QString unlinkApplication(QString name);
    // A deleted, new or imported profile starts without links.
    QString clearProfileLinks(int profile);
    // The applications with open windows now, each as {name, windowClass,
    // executable}; empty where the desktop does not tell.
    QVariantList openApplications();
    // Whether the desktop tells which application is in front (X11), so
    // that links can be followed.
    bool followsFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    // Calls a function of the scene's root item by name; a missing scene or
    // function makes the call do nothing.
    void callScene(const char *function, Qt::ConnectionType type, const QVariantList &arguments = {});
    FileDialogs &dialogs();

    Hid_Thread *hidThread = nullptr;
    std::unique_ptr<SettingsFiles> m_files;
    MacroLibrary m_macros;
    GunLibrary m_guns;
    LanguageStrings m_languages;
    LanguageChoice m_languageChoice;
    MouseOperations m_operations;
    PointerSettings m_pointer;
    ApplicationRules m_rules;
    ActiveWindowWatcher m_activeWindows;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs *m_dialogs = nullptr;
};
