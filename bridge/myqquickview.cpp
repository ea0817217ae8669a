#include "myqquickview.h"

#include "dpilimits.h"
#include "hidthread.h"
#include "reportrates.h"
#include "settingsstore.h"
#include "widgetfiledialogs.h"

#include <QDebug>
#include <QFocusEvent>
#include <QJSValue>
#include <QQuickItem>

namespace {

// A list the scene passes as a plain value (the gun slots' "mouse/selectGun")
// arrives wrapped as a script value, which a settings file cannot hold: it
// is stored as the list it is.
QVariant storable(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<QJSValue>() ? value.value<QJSValue>().toVariant() : value;
}

// A list inside a map the scene passes may still be a script value.
QVariantList listOf(const QVariant &value)
{
    return storable(value).toList();
}

constexpr const char *kLanguageKey = "common/language";

} // namespace

myQQuickView::myQQuickView(QWidget *parent, const QString &modulesRoot)
    : QQuickWidget(parent)
    , m_files(std::make_unique<SettingsFiles>(modulesRoot))
    , m_macros(*m_files)
    , m_guns(*m_files)
    , m_languages(modulesRoot)
    , m_languageChoice(modulesRoot)
    , m_operations(nullptr, MouseModel::fromConfig(m_files->application()))
    , m_rules(*m_files)
{
    // Damaged DPI limits are told here once; the DPI page falls back by the
    // same check.
    DpiLimits::read(*m_files);
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setHidThread(Hid_Thread *hid)
{
    hidThread = hid;
    m_operations.setHidThread(hid);
    if (hid)
        hid->setChipFamily(model().icType);
}

void myQQuickView::setFileDialogs(FileDialogs *dialogs)
{
    m_dialogs = dialogs;
}

FileDialogs &myQQuickView::dialogs()
{
    if (m_dialogs)
        return *m_dialogs;
    if (!m_ownDialogs)
        m_ownDialogs = std::make_unique<WidgetFileDialogs>(this);
    return *m_ownDialogs;
}

void myQQuickView::beginConnection()
{
    m_operations.resetForConnection();
}

void myQQuickView::callScene(const char *function, Qt::ConnectionType type, const QVariantList &arguments)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    switch (arguments.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, arguments[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, arguments[0]),
                                  Q_ARG(QVariant, arguments[1]));
        break;
    default:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, arguments.value(0)),
                                  Q_ARG(QVariant, arguments.value(1)), Q_ARG(QVariant, arguments.value(2)),
                                  Q_ARG(QVariant, arguments.value(3)));
        break;
    }
}

bool myQQuickView::askToQuit()
{
    QQuickItem *root = rootObject();
    QVariant mayQuit = true;
    if (root
        && !QMetaObject::invokeMethod(root, "requestQuit", Qt::DirectConnection,
                                      Q_RETURN_ARG(QVariant, mayQuit)))
        mayQuit = true;
    return mayQuit.toBool();
}

QString myQQuickView::followProfile(int profile)
{
    QQuickItem *root = rootObject();
    QVariant answer;
    if (!root
        || !QMetaObject::invokeMethod(root, "followProfile", Qt::DirectConnection,
                                      Q_RETURN_ARG(QVariant, answer), Q_ARG(QVariant, profile)))
        return QStringLiteral("waiting");
    return answer.toString();
}

void myQQuickView::notifyKeyboard(bool isDown, uchar usbCode)
{
    callScene("detectKeyboard", Qt::QueuedConnection, {isDown, int(usbCode)});
}

void myQQuickView::notifyMouse(bool isDown, uint buttonCode, uint x, uint y)
{
    callScene("detectMouse", Qt::QueuedConnection, {isDown, buttonCode, x, y});
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    // The translucent scene can be left half drawn behind other windows.
    repaint();
    event->accept();
}

// --- The scene's operations, in the operation table's order -----------------

void myQQuickView::clearHidBusy()
{
    if (hidThread)
        hidThread->freeLink();
}

void myQQuickView::initUI()
{
    callScene("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    callScene("run", Qt::QueuedConnection);
}

void myQQuickView::resetApconfig()
{
    m_files->resetApconfig();
}

bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    return m_macros.loadMacroFile(macroFileName.toString(), dialogs());
}

void myQQuickView::saveMacroFile(QVariant macroFileName)
{
    m_macros.saveMacroFile(macroFileName.toString(), dialogs());
}

bool myQQuickView::loadProfile(int profile)
{
    return m_files->loadProfile(profile, dialogs());
}

QString myQQuickView::profileName(int profile)
{
    // The name list holds each profile's name followed by its number digit.
    QString name;
    const QString digit = QString::number(profile);
    for (const QVariant &entry : m_macros.getNameList(MacroLibrary::kProfileNames)) {
        const QString text = entry.toString();
        if (digit.size() == 1 && text.size() > 1 && text.endsWith(digit))
            name = text.chopped(1);
    }
    return name;
}

void myQQuickView::saveProfile(int profile)
{
    m_files->saveProfile(profile, dialogs(), profileName(profile));
}

void myQQuickView::resetProfile(int profile)
{
    m_files->resetProfile(profile);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    m_files->copyProfile(destprofile, srcprofile);
}

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    return m_languages.getLangStrings(typeStr, langCode);
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    return m_macros.createMacroIni(name.toString(), macroIndex);
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    return m_macros.updataNameList(type, nameList);
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    return m_macros.modifyMacroNameUpdateProfile(oldname.toString(), newname.toString());
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    m_macros.deleteMacroUpdateProfile(macroName.toString());
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return m_macros.deleteMacroIni(name.toString());
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    return m_macros.getNameList(type);
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat)
{
    return m_macros.saveMacroIni(name.toString(), macros, repeat);
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    return m_operations.mouseSendMacroData(macroData, macroIndex);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return m_macros.loadMacroIni(name.toString());
}

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    m_guns.mouseSaveGundata(index.toString(), src6);
}

void myQQuickView::mouseSendGundata(int slot, QVariantList values)
{
    m_operations.mouseSendGundata(slot, values);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    m_guns.modifyGundata(modifyType, src6);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    return m_guns.getGunData(name.toString());
}

QStringList myQQuickView::getGunDataKey()
{
    return m_guns.getGunDataKey();
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    return m_guns.getXYSensitive(index.toString());
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return m_guns.getselectGun(index.toString());
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    m_guns.setXYSensitive(index.toString(), xyData);
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    m_guns.setSelectGun(index.toString(), xyData);
}

void myQQuickView::setCurrentProfile(int profile)
{
    m_files->setCurrentProfile(profile);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    m_operations.mouseSetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::mouseSetReportRate(uchar rate)
{
    m_operations.mouseSetReportRate(rate);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    m_operations.mouseSetCurrentDPI(currentDPI);
}

void myQQuickView::mouseResetKeyMatrix()
{
    m_operations.mouseResetKeyMatrix(m_files->current());
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    return m_operations.mouseGetCurrentDPI();
}

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    m_operations.mouseSetKeyMatrix(m_files->current(), src64, isSendData, otherParam);
    // The entries are the user's: they reach the file now, not at some later
    // synchronisation.
    SettingsStore::commit(m_files->current());
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    m_operations.mouseSetDpi(dpiCount, sensorType, dpiValueArray);
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    m_operations.mouseSetRGBEffect(effect, option1, option2);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    m_operations.mouseSetRGBColor(type, src24);
}

void myQQuickView::mouseSetFixColor(QVariantList src3)
{
    m_operations.mouseSetFixColor(src3);
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    m_operations.mouseSetProfile(profileNo);
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    m_operations.mouseReadProfile(profileNo);
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    return m_operations.mouseReadCurrentProfile();
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    m_operations.mouseSwitchKeyMatrix(indexNo);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    return m_operations.GetKeyboardoption();
}

// The pointer settings belong to the user's desktop, not to the mouse; a
// desktop that has no place for one, or refuses it, leaves the failure line.
void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!m_pointer.setCursorSpeed(cursorSpeed))
        qDebug().noquote() << QStringLiteral("setCursorSpeed Failed");
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    if (!m_pointer.setWheelScrollLines(lines))
        qDebug().noquote() << QStringLiteral("setVerticalScrollLines Failed");
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    if (!m_pointer.setDoubleClickSpeed(speed))
        qDebug().noquote() << QStringLiteral("setDoubleClickSpeed Failed");
}

QVariantList myQQuickView::installedLanguages()
{
    QVariantList languages;
    const QStringList names = m_languageChoice.installed();
    for (const QString &name : names)
        languages.append(QVariantMap{{QStringLiteral("name"), name},
                                     {QStringLiteral("title"), m_languageChoice.title(name)}});
    return languages;
}

bool myQQuickView::chooseLanguage(QString language)
{
    if (!m_languageChoice.isInstalled(language))
        return false;
    m_files->setGlobalData(QLatin1String(kLanguageKey), language);
    return m_files->getGlobalData(QLatin1String(kLanguageKey)).toString() == language;
}

QVariantList myQQuickView::pointerSettingsAvailable()
{
    return {m_pointer.isAvailable(PointerSettings::CursorSpeed),
            m_pointer.isAvailable(PointerSettings::DoubleClickSpeed),
            m_pointer.isAvailable(PointerSettings::WheelScrollLines)};
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    return m_files->mouseGetKeydefine(index.toString(), isRecovery);
}

// Part of the scene's operation table, which names it; this program has no
// updater to start, so it does nothing.
void myQQuickView::openUpdateExe()
{}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    return m_files->getData(key.toString(), isRecovery);
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    const QVariant stored = m_files->getGlobalData(key.toString());
    // Until the user picks a language the scene shows the system's.
    if (key.toString() == QLatin1String(kLanguageKey))
        return m_languageChoice.inUse(stored.toString());
    return stored;
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return m_files->getDataList(key.toString(), isRecovery);
}

void myQQuickView::setData(QVariant key, QVariant value)
{
    m_files->setData(key.toString(), storable(value));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    m_files->setGlobalData(key.toString(), storable(tmpdata));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    m_files->setDataList(key.toString(), datalist);
}

void myQQuickView::setBusy(int busyTime)
{
    callScene("setProtectUI", Qt::DirectConnection, {busyTime});
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    callScene("setCurrentDPI", Qt::DirectConnection, {dpiValue});
}

void myQQuickView::beginMouseChanges()
{
    m_operations.beginChanges();
}

bool myQQuickView::endMouseChanges()
{
    return m_operations.endChanges();
}

QVariantList myQQuickView::lightingColours(int effect, QVariantList colours)
{
    return LightingRules::coloursForEffect(m_operations.model(), effect, colours);
}

void myQQuickView::mouseSendLighting(QVariantList lightValue, QVariantList colours, QVariantList fixColor,
                                     int isStep)
{
    LightingChoice choice;
    choice.effect = lightValue.value(0).toInt();
    choice.speed = lightValue.value(1).toInt();
    choice.brightness = lightValue.value(2).toInt();
    choice.colours = colours;
    choice.fixColour = fixColor;
    const auto part = isStep == 1   ? LightingRules::Part::Effect
                      : isStep == 2 ? LightingRules::Part::Colours
                                    : LightingRules::Part::All;
    m_operations.sendLighting(choice, part);
}

bool myQQuickView::mouseSendProfile(QVariantMap send)
{
    ProfileSend profile;
    profile.src64 = listOf(send.value(QStringLiteral("buttons")));
    profile.firePeriods = listOf(send.value(QStringLiteral("firePeriods")));
    for (const QVariant &entry : listOf(send.value(QStringLiteral("macros")))) {
        const QVariantMap macro = storable(entry).toMap();
        profile.macros.append(
            {macro.value(QStringLiteral("slot")), listOf(macro.value(QStringLiteral("data")))});
    }
    profile.rateCode = uchar(ReportRates::code(send.value(QStringLiteral("rateRow"), -1).toInt()));
    profile.withDpi = send.contains(QStringLiteral("dpiValues"));
    profile.dpiCount = send.value(QStringLiteral("dpiCount")).toInt();
    profile.sensorType = send.value(QStringLiteral("sensorType")).toString();
    profile.dpiValues = listOf(send.value(QStringLiteral("dpiValues")));
    const QVariantList light = listOf(send.value(QStringLiteral("lightValue")));
    profile.light.effect = light.value(0).toInt();
    profile.light.speed = light.value(1).toInt();
    profile.light.brightness = light.value(2).toInt();
    profile.light.colours = listOf(send.value(QStringLiteral("colours")));
    profile.light.fixColour = listOf(send.value(QStringLiteral("fixColour")));
    const bool reached = m_operations.sendProfile(m_files->current(), profile);
    // The button entries are the user's: they reach the file now.
    SettingsStore::commit(m_files->current());
    return reached;
}

void myQQuickView::mouseUseProfileOne()
{
    m_operations.useProfileOne();
}

// --- Following the application in front --------------------------------------

void myQQuickView::noteFollowBlocked(bool blocked)
{
    emit followBlockedChanged(blocked);
}

void myQQuickView::noteProfileInUse(int profile)
{
    emit profileInUseChanged(profile);
}

// --- Links from applications to profiles --------------------------------------

QStringList myQQuickView::profileLinks(int profile)
{
    return m_rules.linksOf(profile);
}

int myQQuickView::linkedProfile(QString name)
{
    return m_rules.profileFor({name});
}

QString myQQuickView::linkApplication(QString name, int profile)
{
    if (ApplicationRules::normalName(name).isEmpty())
        return QStringLiteral("linkName");
    if (!SettingsFiles::isProfile(profile))
        return QStringLiteral("linkProfile");
    return m_rules.link(name, profile) ? QString() : QStringLiteral("linkNotStored");
}

QString myQQuickView::unlinkApplication(QString name)
{
    if (ApplicationRules::normalName(name).isEmpty())
        return QStringLiteral("linkName");
    return m_rules.unlink(name) ? QString() : QStringLiteral("linkNotStored");
}

QString myQQuickView::clearProfileLinks(int profile)
{
    if (!SettingsFiles::isProfile(profile))
        return QStringLiteral("linkProfile");
    return m_rules.removeProfile(profile) ? QString() : QStringLiteral("linkNotStored");
}

QVariantList myQQuickView::openApplications()
{
    // The watcher leaves out nameless windows and this program's own.
    QVariantList list;
    const QList<WindowApplication> open = m_activeWindows.openApplications();
    for (const WindowApplication &app : open) {
        list.append(QVariantMap{{QStringLiteral("name"), app.displayName()},
                                {QStringLiteral("windowClass"), app.windowClass},
                                {QStringLiteral("executable"), app.executable}});
    }
    return list;
}

bool myQQuickView::followsFocus()
{
    return m_activeWindows.isActive();
}

void myQQuickView::takeOutsideChanges()
{
    // A store with nothing pending reads its file again when it changed on
    // disk; the name lists are read fresh on every call anyway.
    m_files->syncAll();
    callScene("takeOutsideChanges", Qt::DirectConnection);
}
