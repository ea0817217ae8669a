#include "devicelinkfixture.h"
#include "fakefiledialogs.h"
#include "modulestree.h"
#include "myqquickview.h"

#include <QApplication>
#include <QMetaMethod>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

class TestBridge : public QObject
{
    Q_OBJECT

private slots:
    // The scene finds the operations by name; their names and order are the
    // contract between the two sides.
    void offersTheSceneItsOperationsInOrder()
    {
        const QStringList expected = {"clearHidBusy",
                                      "initUI",
                                      "runUI",
                                      "resetApconfig",
                                      "loadMacroFile",
                                      "saveMacroFile",
                                      "loadProfile",
                                      "saveProfile",
                                      "resetProfile",
                                      "copyProfile",
                                      "getLangStrings",
                                      "createMacroIni",
                                      "updataNameList",
                                      "modifyMacroNameUpdateProfile",
                                      "deleteMacroUpdateProfile",
                                      "deleteMacroIni",
                                      "getNameList",
                                      "saveMacroIni",
                                      "mouseSendMacroData",
                                      "loadMacroIni",
                                      "mouseSaveGundata",
                                      "mouseSendGundata",
                                      "modifyGundata",
                                      "getGunData",
                                      "getGunDataKey",
                                      "getXYSensitive",
                                      "getselectGun",
                                      "setXYSensitive",
                                      "setSelectGun",
                                      "setCurrentProfile",
                                      "mouseSetKeyboardoption",
                                      "mouseSetReportRate",
                                      "mouseSetCurrentDPI",
                                      "mouseResetKeyMatrix",
                                      "mouseGetCurrentDPI",
                                      "mouseSetKeyMatrix",
                                      "mouseSetDpi",
                                      "mouseSetRGBEffect",
                                      "mouseSetRGBColor",
                                      "mouseSetFixColor",
                                      "mouseSetProfile",
                                      "mouseReadProfile",
                                      "mouseReadCurrentProfile",
                                      "mouseSwitchKeyMatrix",
                                      "GetKeyboardoption",
                                      "mouseSetCursorSpeed",
                                      "mouseSetVerticalScrollLines",
                                      "mouseSetDoubleClickSpeed",
                                      "mouseGetKeydefine",
                                      "openUpdateExe",
                                      "getData",
                                      "getGlobalData",
                                      "getDataList",
                                      "setData",
                                      "setGlobalData",
                                      "setDataList",
                                      "setBusy",
                                      "setCurrentDPI",
                                      "pointerSettingsAvailable",
                                      "installedLanguages",
                                      "chooseLanguage",
                                      "beginMouseChanges",
                                      "endMouseChanges",
                                      "lightingColours",
                                      "mouseSendLighting",
                                      "mouseSendProfile",
                                      "mouseUseProfileOne",
                                      "noteFollowBlocked",
                                      "noteProfileInUse",
                                      "profileLinks",
                                      "linkedProfile",
                                      "linkApplication",
                                      "unlinkApplication",
                                      "clearProfileLinks",
                                      "openApplications",
                                      "followsFocus"};
        const QMetaObject &meta = myQQuickView::staticMetaObject;
        QStringList offered;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Slot
                && meta.method(i).access() == QMetaMethod::Public)
                offered.append(QString::fromLatin1(meta.method(i).name()));
        }
        QCOMPARE(offered, expected);
    }

    void startsWithoutAnyFile()
    {
        ModulesTree tree;
        myQQuickView view;
        QVERIFY(!view.model().isGun && !view.model().isColorful && view.model().icType.isEmpty());
        QVERIFY(!view.getData(QStringLiteral("mouse/reportRate"), false).isValid());
        view.openUpdateExe();
        QCOMPARE(tree.snapshot(), QStringList());
    }

    // Away from any desktop that keeps pointer settings (the tests run
    // with none) the page learns that none is kept, each change leaves its
    // failure line, and nothing is written.
    void pointerSettingsWithoutADesktop()
    {
        ModulesTree tree;
        myQQuickView view;
        QCOMPARE(view.pointerSettingsAvailable(), (QVariantList{false, false, false}));
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        view.mouseSetCursorSpeed(5);
        QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
        view.mouseSetDoubleClickSpeed(0);
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        view.mouseSetVerticalScrollLines(1000);
        QCOMPARE(tree.snapshot(), QStringList());
    }

    // The language: the system's until one is picked; only an installed
    // one can be picked, and the pick is kept in apConfig.bin.
    void languageIsPickedAmongTheInstalled()
    {
        ModulesTree tree;
        tree.install(QStringLiteral("setting"));
        tree.install(QStringLiteral("i18n"));
        myQQuickView view;
        const QString key = QStringLiteral("common/language");
        QCOMPARE(view.getGlobalData(key).toString(), QStringLiteral("English")); // the tests' C locale
        QCOMPARE(view.installedLanguages().size(), 3);
        QCOMPARE(view.installedLanguages().at(2).toMap().value(QStringLiteral("title")).toString(),
                 QStringLiteral("Fran\u00e7ais"));
        QVERIFY(!view.chooseLanguage(QStringLiteral("Klingon")));
        QVERIFY(!view.chooseLanguage(QStringLiteral("../setting/apConfig")));
        QVERIFY(!tree.read(QStringLiteral("modules/setting/apConfig.bin")).contains("language"));
        QVERIFY(view.chooseLanguage(QStringLiteral("French")));
        QCOMPARE(view.getGlobalData(key).toString(), QStringLiteral("French"));
        QVERIFY(tree.read(QStringLiteral("modules/setting/apConfig.bin")).contains("language=French"));
    }

    // What the scene calls reaches the files and the mouse, script numbers
    // included.
    void sceneCallsReachFilesAndMouse()
    {
        ModulesTree tree;
        tree.install(QStringLiteral("setting"));
        DeviceLinkFixture link;
        // The installed apConfig.bin describes a 560 gun model.
        EmulatedMouse &mouse = link.connect(DeviceLinkFixture::identity(ChipFamily::F560, 32));

        myQQuickView view;
        FakeFileDialogs dialogs;
        view.setFileDialogs(&dialogs);
        view.setHidThread(&link.hid);
        view.rootContext()->setContextProperty(QStringLiteral("ui_View"), &view);
        view.setSource(
            QUrl::fromLocalFile(QStringLiteral(KX20_SOURCE_DIR "/tests/integration/bridgecalls.qml")));
        QVERIFY(view.rootObject());
        QVariant result;
        QMetaObject::invokeMethod(view.rootObject(), "exercise", Q_RETURN_ARG(QVariant, result));

        QCOMPARE(result.toString(), QStringLiteral("1;255,0,16;3;1,2,0,0;560;false"));
        QVERIFY(tree.read(QStringLiteral("modules/setting/p3.bin")).contains("fixColor=255, 0, 16"));
        QCOMPARE(mouse.reportRateOfSeries(1), 2);
        QCOMPARE(mouse.currentStage(), 3);
        QCOMPARE(mouse.macro(1).left(4), QByteArray("\x01\x02\x03\x00", 4));
        QCOMPARE(mouse.keyboardOptions560(), (std::array<uchar, 2>{1, 2}));
        QCOMPARE(link.backend.violations(), QStringList());
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestBridge test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_bridge.moc"
