// Saved means on the mouse: the compiled scene over an emulated mouse that
// goes away or stops answering while a Save or a macro is on its way.
#include "myqquickview.h"
#include "scenefixture.h"

#include <QApplication>
#include <QDir>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

constexpr QPoint kSaveButton{950, 620};
// Sensor 3389: 5600 DPI is register byte 5600 / 50.
constexpr uchar kStage5600 = 112;

enum class Fault { Unplugged, Silent };

void breakMouse(SceneFixture &scene, Fault fault)
{
    if (fault == Fault::Unplugged)
        scene.link.backend.unplug();
    else
        scene.link.backend.stopAnswering();
}

// As the window does when the mouse is found again: discovery, the images
// read back, then the scene refreshed.
// The mouse back and found by discovery.
void plugBackIn(SceneFixture &scene)
{
    scene.link.backend.plugIn();
    Hid_Thread &hid = scene.link.hid;
    hid.setDeviceTable(hid.locateInterfaces({DeviceLinkFixture::rowFor(scene.mouse->identity())}));
    QVERIFY(hid.chkDeviceIsEnCode(0));
}

void reconnect(SceneFixture &scene, ChipFamily family)
{
    plugBackIn(scene);
    scene.view().beginConnection();
    if (family == ChipFamily::F560) {
        for (uint profile = 0; profile < 5; ++profile)
            scene.view().mouseReadProfile(profile);
    }
    scene.link.forgetHistory();
    scene.view().initUI();
}

uchar thirdStageOnMouse(const SceneFixture &scene, ChipFamily family)
{
    if (family == ChipFamily::F553)
        return uchar(scene.mouse->dpiTable().at(2));
    return uchar(scene.mouse->profileImage(1).at(84 + 2));
}

} // namespace

class TestSceneSave : public QObject
{
    Q_OBJECT

private slots:
    void faults_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::addColumn<Fault>("fault");
        QTest::newRow("553 unplugged") << ChipFamily::F553 << Fault::Unplugged;
        QTest::newRow("553 not answering") << ChipFamily::F553 << Fault::Silent;
        QTest::newRow("560 unplugged") << ChipFamily::F560 << Fault::Unplugged;
        QTest::newRow("560 not answering") << ChipFamily::F560 << Fault::Silent;
    }

    // A Save the mouse did not take: Save stays red, one line says so, and
    // the change goes out when the mouse is back.
    void failedSaveStaysUnsavedUntilTheMouseTakesIt_data() { faults_data(); }
    void failedSaveStaysUnsavedUntilTheMouseTakesIt()
    {
        QFETCH(ChipFamily, family);
        QFETCH(Fault, fault);
        SceneFixture scene(family);
        QVERIFY(scene.start());
        QQuickItem *page = scene.item("dpiSetting");
        QQuickItem *line = scene.item("mouseMissedLine");
        QVERIFY(page && line);
        QVERIFY(!line->isVisible());
        QVERIFY(QMetaObject::invokeMethod(page, "setStageValue", Q_ARG(QVariant, 2), Q_ARG(QVariant, 5600)));
        page->setProperty("isSave", true);

        breakMouse(scene, fault);
        scene.click(kSaveButton);
        QTRY_VERIFY(scene.view().isEnabled());
        QVERIFY(page->property("isSave").toBool());
        QVERIFY(scene.root()->property("hasUnsaved").toBool());
        QVERIFY(line->isVisible());
        QCOMPARE(line->property("text").toString(),
                 QStringLiteral("The mouse did not take the changes. Save sends them again."));
        if (family == ChipFamily::F560 && fault == Fault::Unplugged) {
            // Kept for a look at the line beside Save.
            QDir().mkpath(QStringLiteral(KX20_BIN_DIR "/../tests/artefacts"));
            scene.view().grabFramebuffer().save(
                QStringLiteral(KX20_BIN_DIR "/../tests/artefacts/save-not-taken.png"));
        }
        QVERIFY(thirdStageOnMouse(scene, family) != kStage5600);
        // The file holds the user's value: nothing the user chose is lost.
        QVERIFY(scene.fileText(QStringLiteral("modules/setting/p1.bin")).contains(QLatin1String("5600")));

        reconnect(scene, family);
        QTRY_VERIFY_WITH_TIMEOUT(!page->property("isSave").toBool(), 10000);
        QTRY_VERIFY(scene.view().isEnabled());
        QVERIFY(!line->isVisible());
        QCOMPARE(thirdStageOnMouse(scene, family), kStage5600);
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // A macro sent from the editor that did not arrive makes the buttons
    // unsaved; the next Save sends it.
    void macroTheMouseDidNotTakeGoesWithTheNextSave_data() { faults_data(); }
    void macroTheMouseDidNotTakeGoesWithTheNextSave()
    {
        QFETCH(ChipFamily, family);
        QFETCH(Fault, fault);
        SceneFixture scene(family);
        QVERIFY(scene.start());
        QQuickItem *keys = scene.item("keyMatrix");
        QQuickItem *line = scene.item("mouseMissedLine");
        QVERIFY(keys && line);
        QVERIFY(!keys->property("isSave").toBool());

        breakMouse(scene, fault);
        QVERIFY(QMetaObject::invokeMethod(keys, "sendMacro", Q_ARG(QVariant, 3),
                                          Q_ARG(QVariant, QStringLiteral("m1"))));
        QVERIFY(keys->property("isSave").toBool());
        QVERIFY(line->isVisible());
        QCOMPARE(scene.view().operations().pendingMacroCount(), 1);

        plugBackIn(scene);
        scene.link.forgetHistory();
        scene.click(kSaveButton);
        QTRY_VERIFY(!keys->property("isSave").toBool());
        QVERIFY(!line->isVisible());
        QCOMPARE(scene.view().operations().pendingMacroCount(), 0);
        const QList<QByteArray> macros = scene.commands(family == ChipFamily::F553 ? 0x13 : 0x0F);
        QCOMPARE(macros.size(), 1);
        QCOMPARE(int(macros.first().at(2)), 4); // button slot 3 is the mouse's macro slot 4
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestSceneSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scenesave.moc"
