#include "copydata.h"
#include "demomouse.h"
#include "devicelinkfixture.h"
#include "languagestrings.h"
#include "myqquickview.h"
#include "ui_controler.h"
#include "widget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString sceneLog(Widget &window)
{
    return window.view()->rootObject()->property("log").toString();
}

int countCommands(EmulatedMouse &mouse, unsigned char code)
{
    int n = 0;
    for (const EmulatedMouse::Command &command : mouse.commands())
        n += uchar(command.block.at(0)) == code;
    return n;
}

// A window with its own modules/ folder, talking to one emulated mouse whose
// event interface answers in real time while protocol pauses stay virtual.
struct WindowRig
{
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
    VirtualClock clock;
    EmulatorBackend backend{clock};
    EmulatedMouse *mouse = nullptr;
    std::unique_ptr<Widget> window;

    explicit WindowRig(EmulatedMouse::Identity identity, bool isGun = false, bool plugged = true)
    {
        QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
        QFile config(dir.filePath(QStringLiteral("modules/setting/apConfig.bin")));
        if (!config.open(QIODevice::WriteOnly))
            qFatal("cannot write apConfig.bin");
        const DeviceEntry row = identity.toEntry();
        config.write(
            QStringLiteral("[common]\nname=KX20 test\ndeviceCount=1\n"
                           "[0]\ntype=1\nvid=%1\npid=%2\nusagePage=%3\nusage=%4\nusagePage2=%5\n"
                           "usage2=%6\nreportLength=%7\n"
                           "[mouse]\nicType=%8\nisGun=%9\n")
                .arg(QString::number(row.vid, 16), QString::number(row.pid, 16),
                     QString::number(row.usagePage, 16), QString::number(row.usage, 16),
                     QString::number(row.usagePage2, 16), QString::number(row.usage2, 16))
                .arg(row.reportLength)
                .arg(identity.family == ChipFamily::F560 ? QStringLiteral("560") : QStringLiteral("553"))
                .arg(isGun ? QStringLiteral("true") : QStringLiteral("false"))
                .toUtf8());
        config.close();
        QDir::setCurrent(dir.path());

        backend.setRealTimeWaits(true);
        mouse = &backend.addMouse(identity);
        if (!plugged)
            backend.unplug();
        window = std::make_unique<Widget>();
        window->hid().setBackend(&backend);
        window->hid().setClock(&clock);
        window->view()->setSource(
            QUrl::fromLocalFile(QStringLiteral(KX20_SOURCE_DIR "/tests/integration/recordingscene.qml")));
    }

    ~WindowRig()
    {
        window.reset();
        QDir::setCurrent(previousDir);
    }
};

EmulatedMouse::Identity mouseOf(ChipFamily family)
{
    return DeviceLinkFixture::identity(family, 32);
}

} // namespace

class TestWidget : public QObject
{
    Q_OBJECT

private slots:
    void windowIsTheFramelessSceneWithItsTitle()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w.view()->objectName(), QStringLiteral("ui_View"));
        QCOMPARE(w.windowTitle(), QStringLiteral("KX20 test"));
        QCOMPARE(w.trayIcon().toolTip(), QStringLiteral("MARQUON SKARN MOUSE KX20"));
    }

    void shippedSceneLoadsAndStaysHiddenUntilInitUI()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        w.view()->setSource(QUrl(QString::fromLatin1(Ui_Controler::kScene)));
        QVERIFY2(w.view()->errors().isEmpty(), qPrintable(w.view()->errors().value(0).toString()));
        QCOMPARE(w.view()->size(), QSize(1024, 640));
        QVERIFY(!w.view()->rootObject()->isVisible());
        w.checkDevice();
        QTRY_VERIFY(w.view()->rootObject()->isVisible());
    }

    void refreshQueuesInitUIBeforeRun()
    {
        WindowRig rig(mouseOf(ChipFamily::F553), false, false);
        QTest::ignoreMessage(QtDebugMsg, "Device DisConnect");
        rig.window->checkDevice();
        QVERIFY(!Widget::isDeviceConnected());
        QCOMPARE(sceneLog(*rig.window), QString());
        QTRY_COMPARE(sceneLog(*rig.window), QStringLiteral("initUI;run;"));
    }

    void restoreOnlyOnDoubleClickWhileConnected()
    {
        WindowRig rig(mouseOf(ChipFamily::F553), false, false);
        Widget &w = *rig.window;
        w.checkDevice();
        w.hide();
        for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick,
                            QSystemTrayIcon::DoubleClick})
            w.trayIconActivated(reason);
        w.receiveMessage(QString());
        QCoreApplication::processEvents();
        QVERIFY(w.isHidden());

        rig.backend.plugIn();
        w.checkDevice();
        QVERIFY(Widget::isDeviceConnected());
        w.trayIconActivated(QSystemTrayIcon::Trigger);
        QCoreApplication::processEvents();
        QVERIFY(w.isHidden());
        w.trayIconActivated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(w.isVisible());
        w.hide();
        w.receiveMessage(QString());
        QTRY_VERIFY(w.isVisible());
    }

    // kx20ctl may have switched profiles meanwhile: the scene looks at the
    // files again when a mouse is found and when the window comes back from
    // the tray, before it refreshes.
    void outsideChangesAreTakenAtDiscoveryAndRestore()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        w.checkDevice();
        QVERIFY(Widget::isDeviceConnected());
        QCOMPARE(sceneLog(w), QStringLiteral("outside;"));
        QTRY_COMPARE(sceneLog(w), QStringLiteral("outside;initUI;run;"));
        w.hide();
        w.trayIconActivated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(w.isVisible());
        QTRY_COMPARE(sceneLog(w), QStringLiteral("outside;initUI;run;outside;"));
        w.hide();
        w.receiveMessage(QString());
        QTRY_COMPARE(sceneLog(w), QStringLiteral("outside;initUI;run;outside;outside;"));
    }

    void deviceChangeBurstGivesOneDiscovery()
    {
        WindowRig rig(mouseOf(ChipFamily::F553), false, false);
        Widget &w = *rig.window;
        for (int i = 0; i < 3; ++i)
            w.deviceChangeNoticed();
        QVERIFY(w.deviceCheckTimer().isActive());
        QVERIFY(w.deviceCheckTimer().isSingleShot());
        QCOMPARE(w.deviceCheckTimer().interval(), Widget::kDeviceCheckDelayMs);
        QVERIFY(rig.backend.calls(HidCall::Enumerate).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(rig.backend.calls(HidCall::Enumerate).size(), 1, 5000);
        QVERIFY(!w.deviceCheckTimer().isActive());

        // While the listener watches a mouse, notices are ignored.
        rig.backend.plugIn();
        w.checkDevice();
        QVERIFY(w.hid().isListening());
        w.deviceChangeNoticed();
        QVERIFY(!w.deviceCheckTimer().isActive());
    }

    void quitLeavesTheEventLoopWithZero()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        rig.window->checkDevice();
        QVERIFY(rig.window->hid().isListening());
        QTimer::singleShot(0, rig.window.get(), &Widget::exitSYS);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!rig.window->hid().isListening());
    }

    // The tray's Quit asks the scene first: with changes unsaved the program
    // runs on until the scene answers through the window controller.
    void trayQuitWaitsForTheSceneWhenChangesAreUnsaved()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        w.checkDevice();
        QVERIFY(w.hid().isListening());
        w.view()->rootObject()->setProperty("unsaved", true);
        w.quitFromTray();
        QVERIFY(sceneLog(w).contains(QLatin1String("requestQuit;")));
        QCoreApplication::processEvents();
        QVERIFY(w.hid().isListening());

        auto *controller = qobject_cast<Ui_Controler *>(
            w.view()->rootContext()->contextProperty(QStringLiteral("ui_Ctl")).value<QObject *>());
        QVERIFY(controller);
        controller->onQuit();
        QTRY_VERIFY(!w.hid().isListening());
    }

    void trayQuitWithNothingUnsavedQuitsAtOnce()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        w.checkDevice();
        w.quitFromTray();
        QVERIFY(!w.hid().isListening());
    }

    void connectEnablesEventReportsKeepingOtherOptions()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        rig.mouse->setKeyboardOptions553({0x01, 0x02, 0x03, 0x04});
        QTest::ignoreMessage(QtDebugMsg, "Info: Detect Device");
        rig.window->checkDevice();
        QCOMPARE(rig.mouse->keyboardOptions553(), (std::array<uchar, 4>{0x01, 0x02, 0x03, 0x44}));

        WindowRig rig560(mouseOf(ChipFamily::F560));
        rig560.mouse->setKeyboardOptions560({0x21, 0x05});
        rig560.window->checkDevice();
        QCOMPARE(rig560.mouse->keyboardOptions560(), (std::array<uchar, 2>{0x29, 0x05}));
    }

    void failedOptionReadWritesNothing()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        rig.backend.failCall(HidCall::GetFeature, 2); // the first answers the handshake
        rig.window->checkDevice();
        QVERIFY(Widget::isDeviceConnected());
        QCOMPARE(countCommands(*rig.mouse, 0x83), 1);
        QCOMPARE(countCommands(*rig.mouse, 0x03), 0);
        QVERIFY(rig.window->hid().isListening());
    }

    void dpiButtonReachesTheScene()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        rig.window->checkDevice();
        rig.mouse->setCurrentStage(1);
        // No language file in this tree: the built-in English text.
        QTest::ignoreMessage(QtDebugMsg, "Info: DPI switched to stage 2 ");
        rig.backend.pressDpiButton();
        QTRY_VERIFY(sceneLog(*rig.window).contains(QLatin1String("dpi:2;")));
    }

    void eventReportsAreFiltered()
    {
        LanguageStrings::setDpiSwitchTexts({QStringLiteral("one"), QStringLiteral("two"),
                                            QStringLiteral("three"), QStringLiteral("four"),
                                            QStringLiteral("five"), QStringLiteral("six"),
                                            QStringLiteral("seven"), QStringLiteral("eight")});
        QTest::ignoreMessage(QtDebugMsg, "Info: three ");
        QTest::ignoreMessage(QtDebugMsg, "Info: eight ");
        QTest::ignoreMessage(QtDebugMsg, "Info: eight ");
        WindowRig rig(mouseOf(ChipFamily::F560));
        rig.window->checkDevice();
        QTRY_VERIFY(sceneLog(*rig.window).endsWith(QLatin1String("run;")));
        for (const QByteArray &report : {QByteArray("\x06\x07\x00\x03", 4), QByteArray("\x06\x05\x00\x02", 4),
                                         QByteArray("\x06\x07\x00\x08", 4), QByteArray("\x05\x07\x00\x05", 4),
                                         QByteArray("\x06\x07\x00\x00", 4)})
            rig.backend.sendEventReport(report);
        QTRY_VERIFY(sceneLog(*rig.window).endsWith(QLatin1String("dpi:0;")));
        QVERIFY(sceneLog(*rig.window).endsWith(QLatin1String("run;dpi:3;dpi:8;dpi:0;")));
        LanguageStrings::resetDpiSwitchTexts();
    }

    // Unplugging is noticed by the listener; plugging back in and the system's
    // device-change notice bring the window back to life.
    void unplugAndPlugBackIn()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        w.checkDevice();
        QVERIFY(w.view()->isEnabled());
        QTest::ignoreMessage(QtDebugMsg, "Device removed");
        rig.backend.unplug();
        QTRY_VERIFY(!w.hid().isListening());
        QTRY_VERIFY(!w.view()->isEnabled());
        QTRY_VERIFY(w.hid().deviceTable().at(0).eventPath.isEmpty());

        rig.backend.plugIn();
        w.deviceChangeNoticed();
        QTRY_VERIFY_WITH_TIMEOUT(w.hid().isListening() && w.view()->isEnabled(), 5000);
        QVERIFY(Widget::isDeviceConnected());
    }

    void mouseWithoutEventInterfaceKeepsTheFlag()
    {
        auto identity = mouseOf(ChipFamily::F553);
        identity.hasEventInterface = false;
        WindowRig rig(identity);
        rig.window->checkDevice();
        QVERIFY(rig.window->hid().isListening());
        rig.window->hid().waitForListener();
        QVERIFY(rig.window->hid().isListening());
        QVERIFY(rig.backend.calls(HidCall::ReadTimeout).isEmpty());
    }

    void connectReadsTheOnBoardProfiles_data()
    {
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<int>("reads");
        QTest::newRow("plain") << false << 2;
        QTest::newRow("gun") << true << 5;
    }

    void connectReadsTheOnBoardProfiles()
    {
        QFETCH(bool, isGun);
        QFETCH(int, reads);
        WindowRig rig(mouseOf(ChipFamily::F560), isGun);
        rig.window->checkDevice();
        QCOMPARE(countCommands(*rig.mouse, 0x8C), reads);

        WindowRig rig553(mouseOf(ChipFamily::F553), isGun);
        rig553.window->checkDevice();
        QCOMPARE(countCommands(*rig553.mouse, 0x8C), 0);
    }

    void controllerMovesHidesAndLocks()
    {
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        auto *controller = qobject_cast<Ui_Controler *>(
            w.view()->rootContext()->contextProperty(QStringLiteral("ui_Ctl")).value<QObject *>());
        QVERIFY(controller);
        w.show();
        const QPoint start = w.pos();
        controller->onXChanged(0);
        controller->onYChanged(0);
        QCOMPARE(w.pos(), start);
        controller->onXChanged(5);
        controller->onYChanged(-3);
        QCOMPARE(w.pos(), start + QPoint(5, -3));
        controller->setBusy(5000);
        controller->setBusy();
        QCOMPARE(sceneLog(w), QStringLiteral("protect:5000;protect:0;"));
        controller->onClose();
        QVERIFY(w.isHidden());
    }

    // The demo's tray menu drives its emulated mouse through the real paths.
    void demoMenuPressesUnplugsAndPlugsIn()
    {
        DemoMouse demo; // outlives the window, whose listener reads from it
        WindowRig rig(mouseOf(ChipFamily::F553));
        Widget &w = *rig.window;
        demo.plugInto(w);
        QMenu *menu = nullptr;
        for (QAction *action : w.trayIcon().contextMenu()->actions()) {
            if (action->menu() && action->text() == QStringLiteral("Emulated mouse"))
                menu = action->menu();
        }
        QVERIFY(menu);
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), 5);
        w.checkDevice();
        QVERIFY(w.hid().isListening());

        actions[0]->trigger(); // press DPI button
        QTRY_VERIFY(sceneLog(w).contains(QLatin1String("dpi:")));
        QTest::ignoreMessage(QtDebugMsg, "Device removed");
        actions[1]->trigger(); // unplug
        QTRY_VERIFY(!w.view()->isEnabled());
        actions[2]->trigger(); // plug in
        QTRY_VERIFY_WITH_TIMEOUT(w.view()->isEnabled() && w.hid().isListening(), 5000);
        actions[3]->trigger(); // stop answering
        QVERIFY(!demo.backend().isAnswering());
        actions[4]->trigger(); // answer again
        QVERIFY(demo.backend().isAnswering() && demo.backend().isPluggedIn());
    }

    // The demo's mouse starts with the stages of the installed profile in
    // use: its DPI button steps through those only.
    void demoMouseStartsAsTheInstalledProfile_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::newRow("553") << ChipFamily::F553;
        QTest::newRow("560") << ChipFamily::F560;
    }
    void demoMouseStartsAsTheInstalledProfile()
    {
        QFETCH(ChipFamily, family);
        DemoMouse demo;
        WindowRig rig(mouseOf(family));
        QFile profile(rig.dir.filePath(QStringLiteral("modules/setting/p3.bin")));
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("[mouse]\ncurrentDpiCount=3\n");
        profile.close();
        QSettings(rig.dir.filePath(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat)
            .setValue(QStringLiteral("mouse/profileNo"), 2);
        demo.plugInto(*rig.window);
        EmulatedMouse &mouse = demo.backend().mouse();
        mouse.setCurrentProfile(1);
        QList<int> stages;
        for (int press = 0; press < 4; ++press) {
            mouse.pressDpiButton();
            stages.append(mouse.currentStage());
        }
        QCOMPARE(stages, QList<int>({2, 3, 1, 2}));
    }

    void copyDataText()
    {
        QCOMPARE(CopyData::text(0x250F, "abc", 3), std::optional<QString>(QStringLiteral("abc")));
        QCOMPARE(CopyData::text(0x250F, "abc", 4), std::nullopt);
        QCOMPARE(CopyData::text(0x250E, "abc", 3), std::nullopt);
        QCOMPARE(CopyData::text(0x250F, "caf\xc3\xa9", 5), std::optional<QString>(QStringLiteral("café")));
        QCOMPARE(CopyData::text(0x250F, "\xff\xfe", 2), std::nullopt);
        QCOMPARE(CopyData::text(0x250F, nullptr, 0), std::nullopt);
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_widget.moc"
