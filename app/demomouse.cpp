#include "demomouse.h"

#include "filewriting.h"
#include "widget.h"
#include "settingspath.h"

#include <QCoreApplication>
#include <QMenu>
#include <QSettings>
#include <QTimer>

#ifdef Q_OS_UNIX
#include "mousecontrollines.h"

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
    // Nobody reads the demo's call log; it must not grow while the program
    // stays in the tray.
    m_backend.setCallLogLimit(1024);
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
    // A hung firmware: attached, but taking nothing and sending nothing.
    menu->addAction(QStringLiteral("Stop answering"), &window, [this] {
        m_backend.stopAnswering();
    });
    menu->addAction(QStringLiteral("Answer again"), &window, [this] {
        m_backend.resumeAnswering();
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
    return text + (mouse.identity().family == ChipFamily::F560 ? imageState(mouse) : settingState553(mouse));
}

QString DemoMouse::settingState553(const EmulatedMouse &mouse)
{
    const auto hex = [](const auto &bytes) {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size())).toHex(' '));
    };
    QString text = QStringLiteral("dpiCount=%1\ndpiStages=%2\n")
                       .arg(mouse.dpiStageCount())
                       .arg(QString::fromLatin1(mouse.dpiTable().toHex(' ')));
    // The lighting as the mouse holds it: effect mode and its two values
    // (speed, brightness), colour type, colours and the single colour.
    text += QStringLiteral("lighting=%1\nledColorType=%2\nledColors=%3\nfixedColor=%4\n")
                .arg(hex(mouse.rgbEffect()))
                .arg(mouse.ledColorType())
                .arg(QString::fromLatin1(mouse.ledColors().toHex(' ')), hex(mouse.fixedLedColor()));
    for (int slot = 0; slot < 3; ++slot)
        text += QStringLiteral("gun%1=%2\n").arg(slot + 1).arg(hex(mouse.gunSlot(slot)));
    return text;
}

QString DemoMouse::imageState(const EmulatedMouse &mouse)
{
    // Where a 560 keeps its settings inside profile image 1 (stages, lighting)
    // and images 2 to 4 (gun slots 1 to 3).
    constexpr int kDpiStages = 84;
    constexpr int kStageMask = 100;
    constexpr int kLighting = 71;
    constexpr int kGunValues = 79;
    const QByteArray stages = mouse.profileImage(1);
    QString text = QStringLiteral("dpiCount=%1\ndpiStages=%2\nlighting=%3\n")
                       .arg(mouse.stageCount())
                       .arg(QString::fromLatin1(stages.mid(kDpiStages, 8).toHex(' ')),
                            QString::fromLatin1(stages.mid(kLighting, 3).toHex(' ')));
    text += QStringLiteral("stageMask=%1\n").arg(QString::fromLatin1(stages.mid(kStageMask, 1).toHex()));
    for (int slot = 1; slot <= 3; ++slot) {
        text += QStringLiteral("gun%1=%2\n")
                    .arg(slot)
                    .arg(QString::fromLatin1(mouse.profileImage(slot + 1).mid(kGunValues, 3).toHex(' ')));
    }
    for (int image = 0; image < 5; ++image)
        text += QStringLiteral("image%1=%2\n")
                    .arg(image)
                    .arg(QString::fromLatin1(mouse.profileImage(image).toHex(' ')));
    return text;
}

void DemoMouse::publishStateTo(const QString &path)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [this, path] {
        const QString state = stateText();
        if (state == m_published)
            return;
        // Replaced whole, never written through a link.
        if (FileWriting::replace(path, state.toUtf8()))
            m_published = state;
    });
    timer->start(100);
}

void DemoMouse::controlFromInputLines(Widget &window)
{
#ifdef Q_OS_UNIX
    auto *lines = new MouseControlLines(STDIN_FILENO, m_backend, qApp);
    // The system would announce the change, as for the tray menu's entries.
    QObject::connect(lines, &MouseControlLines::pluggingChanged, &window, &Widget::deviceChangeNoticed);
#else
    Q_UNUSED(window)
#endif
}
