// The mouse follows the application in front: the follower's driver over the
// compiled scene, a real view and the emulated mouse, with the focus given by
// the test in place of the desktop's and the driver on virtual time.
#include "applicationrules.h"
#include "myqquickview.h"
#include "profilefollowerdriver.h"
#include "reportrates.h"
#include "scenefixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

const WindowApplication kFirefox{QStringLiteral("Navigator"), QStringLiteral("firefox"),
                                 QStringLiteral("firefox-esr")};
const WindowApplication kGimp{QStringLiteral("gimp"), QStringLiteral("Gimp"), QStringLiteral("gimp-2.10")};
const WindowApplication kTerminal{QStringLiteral("xterm"), QStringLiteral("XTerm"), QStringLiteral("xterm")};

// Three profiles, each with its own report rate, and two links.
void threeProfiles(ModulesTree &tree, EmulatedMouse &)
{
    {
        QSettings names(tree.path(QStringLiteral("modules/setting/name.bin")), QSettings::IniFormat);
        names.setValue(
            QStringLiteral("profile/profileName"),
            QStringList{QStringLiteral("Standard0"), QStringLiteral("Work1"), QStringLiteral("Game2")});
    }
    for (int profile : {1, 2}) {
        QSettings file(tree.path(QStringLiteral("modules/setting/p%1.bin").arg(profile + 1)),
                       QSettings::IniFormat);
        file.setValue(QStringLiteral("mouse/reportRate"), profile);
    }
}

struct Following
{
    SceneFixture scene;
    qint64 now = 0;
    ProfileFollowerDriver driver;
    QSignalSpy notices;

    explicit Following(ChipFamily family)
        : scene(family, threeProfiles)
        , driver(scene.view())
        , notices(&driver, &ProfileFollowerDriver::notice)
    {
        driver.setClock([this] {
            return now;
        });
        ApplicationRules &rules = scene.view().applicationRules();
        rules.link(QStringLiteral("firefox"), 1);
        rules.link(QStringLiteral("gimp"), 2);
    }

    void focus(const WindowApplication &application)
    {
        emit scene.view().activeWindows().activeApplicationChanged(application);
    }
    // Virtual time passes; the driver's timer would fire at its wake time.
    void passMs(qint64 ms)
    {
        now += ms;
        driver.wake();
    }
    int storedProfile() const
    {
        return QSettings(scene.tree.path(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat)
            .value(QStringLiteral("mouse/profileNo"))
            .toInt();
    }
    int sceneProfile() const { return scene.root()->property("profileNo").toInt(); }
    QString lastNotice() const { return notices.isEmpty() ? QString() : notices.last().at(0).toString(); }
};

} // namespace

class TestFollow : public QObject
{
    Q_OBJECT

private slots:
    void families_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::newRow("553") << ChipFamily::F553;
        QTest::newRow("560") << ChipFamily::F560;
    }

    // The rest, the switch as the title-area list makes it (stored, on the
    // mouse), the notice, and the way back.
    void followsAndComesBack_data() { families_data(); }
    void followsAndComesBack()
    {
        QFETCH(ChipFamily, family);
        Following f(family);
        QVERIFY(f.scene.start());

        f.focus(kFirefox);
        QVERIFY(f.driver.timer().isActive());
        f.passMs(999);
        QCOMPARE(f.sceneProfile(), 0);
        f.passMs(1);
        QCOMPARE(f.sceneProfile(), 1);
        QCOMPARE(f.storedProfile(), 1);
        QCOMPARE(f.scene.mouse->reportRate(), ReportRates::code(1));
        QCOMPARE(f.lastNotice(), QStringLiteral("Profile “Work” chosen: firefox is in front"));
        QVERIFY(!f.driver.timer().isActive());

        f.focus(kGimp);
        f.passMs(1000);
        QCOMPARE(f.storedProfile(), 2);
        QCOMPARE(f.scene.mouse->reportRate(), ReportRates::code(2));

        f.focus(kTerminal);
        f.passMs(1000);
        QCOMPARE(f.storedProfile(), 0);
        // The installed profile's 1000 Hz.
        QCOMPARE(f.scene.mouse->reportRate(), ReportRates::code(3));
        QCOMPARE(f.lastNotice(), QStringLiteral("Back to profile “Standard”"));
        QCOMPARE(f.notices.size(), 3);
        const QString leftovers = f.scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // An unsaved change holds the switch; when it is discarded the switch
    // happens at once, from the event loop.
    void unsavedChangeHoldsTheSwitch()
    {
        Following f(ChipFamily::F553);
        QVERIFY(f.scene.start());
        QQuickItem *dpi = f.scene.item("dpiSetting");
        dpi->setProperty("isSave", true);
        f.focus(kFirefox);
        QVERIFY(!f.driver.timer().isActive());
        f.passMs(5000);
        QCOMPARE(f.sceneProfile(), 0);
        QVERIFY(QMetaObject::invokeMethod(f.scene.root(), "discardChanges"));
        QVERIFY(f.driver.timer().isActive());
        QCOMPARE(f.driver.timer().interval(), 0);
        QTRY_COMPARE(f.sceneProfile(), 1);
        QCOMPARE(f.storedProfile(), 1);
    }

    // The program's own window in front holds the following and leaves the
    // application before it in front: back there, the rest already counted.
    void ownWindowHoldsTheFollowing()
    {
        Following f(ChipFamily::F553);
        QVERIFY(f.scene.start());
        f.focus(kFirefox);
        f.now = 500;
        WindowApplication own;
        own.executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(f.driver.isOwnApplication(own));
        f.focus(own);
        QVERIFY(!f.driver.timer().isActive());
        f.passMs(2000);
        QCOMPARE(f.sceneProfile(), 0);
        f.focus(kFirefox);
        QVERIFY(f.driver.timer().isActive());
        QCOMPARE(f.driver.timer().interval(), 0);
        QTRY_COMPARE(f.sceneProfile(), 1);
    }

    // A switch the mouse did not take says so, never as success, and is not
    // asked again.
    void switchTheMouseDidNotTakeSaysSo()
    {
        Following f(ChipFamily::F560);
        QVERIFY(f.scene.start());
        f.scene.link.backend.unplug();
        f.focus(kFirefox);
        f.passMs(1000);
        QCOMPARE(f.sceneProfile(), 1);
        QVERIFY(f.scene.root()->property("mouseMissed").toBool());
        QCOMPARE(f.lastNotice(),
                 QStringLiteral("The mouse did not take profile “Work” for firefox. Save sends it again."));
        f.passMs(5000);
        QCOMPARE(f.notices.size(), 1);
        QVERIFY(!f.driver.timer().isActive());
    }

    // The user's own pick is kept: leaving the application returns nothing.
    void usersPickIsKept()
    {
        Following f(ChipFamily::F553);
        QVERIFY(f.scene.start());
        f.focus(kFirefox);
        f.passMs(1000);
        QCOMPARE(f.sceneProfile(), 1);
        QVERIFY(QMetaObject::invokeMethod(f.scene.root(), "changeProfile", Q_ARG(QVariant, 2)));
        QCOMPARE(f.sceneProfile(), 2);
        f.focus(kTerminal);
        f.passMs(5000);
        QCOMPARE(f.sceneProfile(), 2);
        QCOMPARE(f.notices.size(), 1);
    }

    // Texts in the user's language.
    void noticeInTheUsersLanguage()
    {
        Following f(ChipFamily::F553);
        QVERIFY(f.scene.view().chooseLanguage(QStringLiteral("French")));
        QVERIFY(f.scene.start());
        f.focus(kGimp);
        f.passMs(1000);
        QCOMPARE(f.lastNotice(), QStringLiteral("Profil « Game » choisi : Gimp est au premier plan"));
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestFollow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_follow.moc"
