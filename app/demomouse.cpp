#include "demomouse.h"

#include "widget.h"
#include "settingspath.h"

#include <QCoreApplication>
#include <QMenu>
#include <QSaveFile>
#include <QSettings>
#include <QTimer>

#ifdef Q_OS_UNIX
#include "dpibuttonlines.h"

#include <unistd.h>
#endif

namespace {

// The stages the installed profile in use enables, which the DPI page shows;
// 4 when it says nothing usable.
int installedStageCount()
{
    const QSettings apConfig(SettingsPath::forStore(Widget::kApConfigPath), QSettings::IniFormat);
    const int profileNo = apConfig.value(QStringLiteral("mouse/profileNo")).toInt();
    const QSettings profile(
        SettingsPath::forStore(QStringLiteral("./modules/setting/p%1.bin").arg(qBound(0, profileNo, 9) + 1)),
        QSettings::IniFormat);
    bool ok = false;
    const int count = profile.value(QStringLiteral("mouse/currentDpiCount")).toInt(&ok);
    return ok && count >= 1 && count <= 8 ? count : 4;
}

} // namespace

DemoMouse::DemoMouse()
{
    m_backend.setRealTimeWaits(true);
}

void DemoMouse::plugInto(Widget &window)
{
    const QList<DeviceEntry> table = DeviceEntry::readTable(Widget::kApConfigPath);
    const DeviceEntry row = table.isEmpty() ? EmulatedMouse::Identity().toEntry() : table.first();
    const QSettings apConfig(SettingsPath::forStore(Widget::kApConfigPath), QSettings::IniFormat);
    const bool is560 = apConfig.value(QStringLiteral("mouse/icType")).toString() == QLatin1String("560");
    EmulatedMouse &mouse = m_backend.addMouse(
        EmulatedMouse::Identity::fromEntry(row, is560 ? ChipFamily::F560 : ChipFamily::F553));
    // The mouse starts as the installed profile describes it, so its DPI
    // button steps through the stages the DPI page shows.
    const int stages = installedStageCount();
    mouse.setDpiStageCount(stages);
    QByteArray image(128, '\0');
    image[100] = static_cast<char>((1u << stages) - 1);
    for (int profile = 0; profile < 5; ++profile)
        mouse.setProfileImage(profile, image);
    window.hid().setBackend(&m_backend);
    addTrayMenu(window);
}

void DemoMouse::addTrayMenu(Widget &window)
{
    QMenu *tray = window.trayIcon().contextMenu();
    if (!tray)
        return;
    QMenu *menu = new QMenu(QStringLiteral("Emulated mouse"), tray);
    menu->setStyleSheet(tray->styleSheet());
    menu->addAction(QStringLiteral("Press DPI button"), &window, [this] {
        m_backend.pressDpiButton();
    });
    // The system would announce the change; the emulated mouse announces it
    // the same way, so the hotplug path is the real one.
    menu->addAction(QStringLiteral("Unplug"), &window, [this, &window] {
        m_backend.unplug();
        window.deviceChangeNoticed();
    });
    menu->addAction(QStringLiteral("Plug in"), &window, [this, &window] {
        m_backend.plugIn();
        window.deviceChangeNoticed();
    });
    tray->insertMenu(tray->actions().value(0), menu);
    tray->insertSeparator(tray->actions().value(1));
}

QString DemoMouse::stateText()
{
    if (m_backend.mouseCount() == 0)
        return {};
    EmulatedMouse &mouse = m_backend.mouse();
    QString text = QStringLiteral("reportRate=%1\nstage=%2\nprofile=%3\n")
                       .arg(mouse.reportRate())
                       .arg(mouse.currentStage())
                       .arg(mouse.currentProfile());
    // What the buttons run: the user key matrix and every macro slot written.
    const QByteArray matrix = mouse.keyMatrix(1);
    if (!matrix.isEmpty())
        text += QStringLiteral("keyMatrix1=%1\n").arg(QString::fromLatin1(matrix.toHex(' ')));
    for (int slot = 1; slot <= 12; ++slot) {
        const QByteArray macro = mouse.macro(slot);
        if (macro.count('\0') != macro.size())
            text += QStringLiteral("macro%1=%2\n").arg(slot).arg(QString::fromLatin1(macro.toHex(' ')));
    }
    return text;
}

void DemoMouse::publishStateTo(const QString &path)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [this, path] {
        const QString state = stateText();
        if (state == m_published)
            return;
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(state.toUtf8()) >= 0 && file.commit())
            m_published = state;
    });
    timer->start(100);
}

void DemoMouse::pressDpiButtonOnInputLines()
{
#ifdef Q_OS_UNIX
    new DpiButtonLines(STDIN_FILENO, m_backend, qApp);
#endif
}
