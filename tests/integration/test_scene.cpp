// The compiled scene in a real bridge view over the emulated mouse: pointer
// events at the main screen's coordinates, checked against the mouse's state
// and the settings files on disk.
#include "myqquickview.h"
#include "scenefixture.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTest>
#include <QWindow>

namespace {

// The report-rate list's head and rows in the left panel: below the button
// list (8 buttons) and the editor box of a gun model.
constexpr QPoint kRateHead{188, 479};
QPoint rateRow(int row)
{
    return {188, 479 + 24 * (row + 1)};
}
constexpr QPoint kResetButton{834, 620};
constexpr QPoint kSaveButton{950, 620};
constexpr QPoint kResetOk{674, 350};

// The macro editor (640 x 448, centred at 192, 96) and the button dialog
// (416 x 404, centred at 304, 118); their bodies start 41 pixels down.
constexpr QPoint kMacroEditorEntry{140, 402};
constexpr QPoint kNewMacro{240, 521};
constexpr QPoint kRecord{452, 521};
constexpr QPoint kMacroEditorClose{808, 116};
QPoint keyRow(int slot)
{
    return {140, 140 + 26 * slot};
}
constexpr QPoint kDialogClose{696, 138};
// The macro list's head with the dialog's content scrolled down 300 pixels.
constexpr QPoint kMacroListHead{408, 252};
constexpr QPoint kFirstMacro{408, 276};

int modelCount(QQuickItem *page, const char *model)
{
    auto *list = qvariant_cast<QObject *>(page->property(model));
    return list ? list->property("count").toInt() : -1;
}

bool settled(QQuickItem *list, bool open)
{
    return list && list->property("isDrop").toBool() == open && !list->property("isAnimating").toBool();
}

// Where a point of an item lies in the view.
QPoint at(QQuickItem *item, const QPointF &local)
{
    return item->mapToScene(local).toPoint();
}

// Drags with the left button from `from` by `offset`, a few pixels a step,
// as a hand would.
void drag(QWidget *view, const QPoint &from, const QPoint &offset)
{
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    constexpr int steps = 8;
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(view, from + offset * i / steps);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, from + offset);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

class TestScene : public QObject
{
    Q_OBJECT

private slots:
    void families_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::newRow("553") << ChipFamily::F553;
        QTest::newRow("560") << ChipFamily::F560;
    }
    void reportRateIsStoredAndSentAtOnce_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::newRow("553") << ChipFamily::F553;
        QTest::newRow("560") << ChipFamily::F560;
    }
    void reportRateIsStoredAndSentAtOnce()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family);
        QVERIFY(scene.start());
        QQuickItem *list = scene.item("reportRateList");
        QVERIFY(list);

        scene.click(kRateHead);
        QTRY_VERIFY(settled(list, true));
        scene.click(rateRow(1));
        QTRY_COMPARE(scene.mouse->reportRate(), 4);
        QTRY_VERIFY(
            scene.fileText(QStringLiteral("modules/setting/p1.bin")).contains(QLatin1String("reportRate=1")));
        QVERIFY(settled(list, false));
        QCOMPARE(list->property("textValue").toString(), QStringLiteral("250Hz"));
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // The pointer leaves Save while the scene is locked and takes no input:
    // once the lock ends, Save is no longer drawn as under the pointer.
    void saveLosesItsHoverWhenTheLockEnds()
    {
        SceneFixture scene(ChipFamily::F553);
        QVERIFY(scene.start());
        QQuickItem *save = scene.item("saveButton");
        QVERIFY(save);
        // Moved as the window system moves the pointer, so that where it is
        // is known even while the view takes no input.
        QWindow *window = scene.view().window()->windowHandle();
        QVERIFY(window);
        QTest::mouseMove(window, scene.view().mapTo(scene.view().window(), kSaveButton));
        QTRY_VERIFY(save->property("hovered").toBool());
        scene.view().setBusy(1000);
        QVERIFY(!scene.view().isEnabled());
        QTest::mouseMove(window, scene.view().mapTo(scene.view().window(), QPoint(500, 300)));
        QVERIFY(save->property("hovered").toBool());
        scene.view().setBusy(0);
        QVERIFY(scene.view().isEnabled());
        QTRY_VERIFY(!save->property("hovered").toBool());
    }

    // Reset on a gun model: the factory settings go out and the mouse ends on
    // its second DPI stage, whatever it was on.
    void resetEndsOnTheSecondStage()
    {
        SceneFixture scene(ChipFamily::F560, [](ModulesTree &, EmulatedMouse &mouse) {
            mouse.setCurrentStage(5);
        });
        QVERIFY(scene.start());
        scene.link.forgetHistory();
        scene.click(kResetButton);
        QQuickItem *box = scene.item("resetOkButton");
        QVERIFY(box && box->isVisible());
        scene.click(kResetOk);
        QTRY_COMPARE(scene.mouse->currentStage(), 2);
        QTRY_VERIFY(scene.view().isEnabled());
        QCOMPARE(scene.item("dpiSetting")->property("currentDPI").toInt(), 1);
        // The profile's button table goes out as matrix 1; gun models go
        // back to the first key matrix and get the factory gun matrices 2 to 4.
        QCOMPARE(scene.commands(0x02), QList<QByteArray>{commandReport({0x02, 1})});
        QList<int> matrices;
        for (const QByteArray &report : scene.commands(0x0D))
            matrices << report.at(2);
        QCOMPARE(matrices, (QList<int>{1, 2, 3, 4}));
        QCOMPARE(scene.mouse->keyMatrix(1).left(4).toHex(' '), QByteArray("01 00 f0 00"));
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // A macro recorded in the editor and bound to button 5 in the dialog:
    // its bytes reach the macro slot at once, the key matrix with Save, and
    // the profile, the macro file and the name list are on disk.
    void recordedMacroOnAButton_data()
    {
        QTest::addColumn<ChipFamily>("family");
        QTest::newRow("553") << ChipFamily::F553;
        QTest::newRow("560") << ChipFamily::F560;
    }
    void recordedMacroOnAButton()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family);
        QVERIFY(scene.start());
        QQuickItem *editor = scene.item("macroEditor");
        scene.click(kMacroEditorEntry);
        QTRY_VERIFY(editor->isVisible());
        scene.click(kNewMacro);
        QTRY_COMPARE(editor->property("currentIndex").toInt(), 0);
        scene.click(kRecord);
        QTRY_VERIFY(editor->property("isInputting").toBool());
        for (uchar code : {0x04, 0x05}) {
            scene.view().notifyKeyboard(true, code);
            scene.view().notifyKeyboard(false, code);
        }
        QTRY_COMPARE(modelCount(editor, "eventModel"), 4);
        scene.click(kRecord);
        QTRY_VERIFY(!editor->property("isInputting").toBool());
        scene.click(kMacroEditorClose);
        QTRY_VERIFY(!editor->isVisible());

        QQuickItem *dialog = scene.item("keyAssigment");
        scene.click(keyRow(4));
        QTRY_VERIFY(dialog->isVisible());
        QQuickItem *scroll = scene.item("keyScroll");
        QVERIFY(scroll);
        scroll->setProperty("contentY", 300);
        QQuickItem *list = scene.item("macroDrop");
        scene.click(kMacroListHead);
        QTRY_VERIFY(settled(list, true));
        scene.click(kFirstMacro);
        QTRY_VERIFY(settled(list, false));
        QCOMPARE(dialog->property("keyString").toString(), QStringLiteral("Macro_0"));
        scene.link.forgetHistory();
        scene.click(kDialogClose);
        QTRY_VERIFY(!dialog->isVisible());

        // The macro goes out at once, to the macro slot of button 5.
        const QByteArray recorded = QByteArray::fromHex("000101048104010581050000");
        QTRY_COMPARE(scene.mouse->macro(5).left(12).toHex(' '), recorded.toHex(' '));
        QCOMPARE(scene.mouse->macro(5).mid(12), QByteArray(128 - 12, '\0'));
        QCOMPARE(scene.commands(family == ChipFamily::F560 ? 0x0D : 0x12).size(), 0);
        // The button runs it once Save has sent the table.
        scene.click(kSaveButton);
        QTRY_COMPARE(scene.mouse->keyMatrix(1).mid(16, 4).toHex(' '), QByteArray("09 00 05 00"));
        QCOMPARE(scene.mouse->keyMatrix(1).left(4).toHex(' '), QByteArray("01 00 f0 00"));

        const QString profile = scene.fileText(QStringLiteral("modules/setting/p1.bin"));
        QVERIFY2(profile.contains(QLatin1String("\n4=4, 0, 4, 0\n")), qPrintable(profile));
        QVERIFY2(profile.contains(QLatin1String("[mouseMacroKey]\n4=Macro_0\n")), qPrintable(profile));
        const QString macro = scene.fileText(QStringLiteral("modules/macro/Macro_0.bin"));
        for (const char *event : {"0=\"1,A\"", "1=\"2,A\"", "2=\"1,B\"", "3=\"2,B\"", "total=4", "repeat=1"})
            QVERIFY2(macro.contains(QLatin1String(event)), qPrintable(macro));
        QVERIFY(scene.fileText(QStringLiteral("modules/setting/name.bin"))
                    .contains(QLatin1String("macroName=Macro_0, loadersentry")));
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // A 560 mouse is put on its on-board profile 1 by the first start-up
    // only when it is on another.
    void firstStartPutsA560OnProfileOne_data()
    {
        QTest::addColumn<int>("onBoard");
        QTest::addColumn<bool>("switched");
        QTest::newRow("on profile 3") << 3 << true;
        QTest::newRow("on profile 1") << 1 << false;
    }
    void firstStartPutsA560OnProfileOne()
    {
        QFETCH(int, onBoard);
        QFETCH(bool, switched);
        SceneFixture scene(ChipFamily::F560, [onBoard](ModulesTree &, EmulatedMouse &mouse) {
            mouse.setCurrentProfile(onBoard);
        });
        QVERIFY(scene.start());
        QCOMPARE(scene.mouse->currentProfile(), 1);
        const QList<QByteArray> expected =
            switched ? QList<QByteArray>{commandReport({0x02, 1})} : QList<QByteArray>{};
        QCOMPARE(scene.commands(0x02), expected);
        // A second start-up (after the next discovery) sends nothing of the kind.
        scene.link.forgetHistory();
        scene.mouse->setCurrentProfile(3);
        scene.view().initUI();
        QTRY_VERIFY(!scene.view().isEnabled());
        QTRY_VERIFY(scene.view().isEnabled());
        QCOMPARE(scene.commands(0x02), QList<QByteArray>{});
    }

    // A stage slider dragged with the pointer and saved: the stages reach
    // the mouse's registers and the profile file. The stages left alone keep
    // the stored values, also those the knob cannot show exactly on this
    // 100-16000 sensor in steps of 50 (100 would show as 200, 1650 as 1700).
    void dpiStageDraggedAndSaved_data() { families_data(); }
    void dpiStageDraggedAndSaved()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family, [](ModulesTree &tree, EmulatedMouse &) {
            QSettings profile(tree.path(QStringLiteral("modules/setting/p1.bin")), QSettings::IniFormat);
            profile.setValue(QStringLiteral("mouse/dpiValueArray"),
                             QStringList{QStringLiteral("100"), QStringLiteral("1650"),
                                         QStringLiteral("1600"), QStringLiteral("3200"),
                                         QStringLiteral("4800"), QStringLiteral("6400"),
                                         QStringLiteral("12800"), QStringLiteral("16000")});
            profile.setValue(QStringLiteral("mouse/currentDpiCount"), 4);
        });
        QVERIFY(scene.start());
        QQuickItem *page = scene.item("dpiSetting");
        QQuickItem *slider = scene.item("dpiSlider2");
        QVERIFY(page && slider && slider->isVisible());
        QVERIFY(!scene.item("dpiSlider4")->isVisible());
        QCOMPARE(page->property("dpiValues").toStringList().mid(0, 3),
                 (QStringList{QStringLiteral("100"), QStringLiteral("1650"), QStringLiteral("1600")}));

        // The knob's centre; up is more DPI. 1600 sits at knob 18; 40 pixels
        // up is knob 58: (55 x 15900 / 158 + 100) in steps of 50 = 5600.
        const qreal knob = slider->property("value").toReal();
        QCOMPARE(knob, 18.0);
        drag(&scene.view(), at(slider, {knob + 6, 6}), {0, -40});
        QTRY_COMPARE(page->property("isSave").toBool(), true);
        QCOMPARE(page->property("dpiValues").toStringList().at(2), QStringLiteral("5600"));
        QCOMPARE(scene.item("dpiLabel2")->property("text").toString(), QStringLiteral("5600"));

        scene.link.forgetHistory();
        scene.click(kSaveButton);
        QTRY_VERIFY(!page->property("isSave").toBool());
        QTRY_VERIFY(scene.view().isEnabled());
        QTRY_VERIFY(
            scene.fileText(QStringLiteral("modules/setting/p1.bin"))
                .contains(QLatin1String("dpiValueArray=100, 1650, 5600, 3200, 4800, 6400, 12800, 16000")));
        // Sensor 3389: DPI / 50, modulo 256.
        const QByteArray stages = bytes({2, 33, 112, 64, 96, 128, 0, 64});
        if (family == ChipFamily::F553) {
            QCOMPARE(scene.mouse->dpiStageCount(), 4);
            QCOMPARE(scene.mouse->dpiTable(), stages.left(4) + QByteArray(4, char(0x80)));
        } else {
            for (int image = 1; image <= 4; ++image) {
                const QByteArray bytesOf = scene.mouse->profileImage(image);
                QCOMPARE(bytesOf.mid(84, 8), stages);
                QCOMPARE(bytesOf.mid(92, 8), stages);
                QCOMPARE(uchar(bytesOf.at(100)), uchar(0x0F));
                QCOMPARE(bytesOf.mid(82, 2), bytes({0xC0, 0xC0}));
            }
        }
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // A damaged apConfig.bin (no minimum, a maximum far past any sensor) and
    // a language that names no file: every control has its English text,
    // name.bin keeps its names, the stored stages are saved as they were,
    // and the mouse gets no value beyond sensor 3389's range.
    void damagedConfigAndLanguage_data() { families_data(); }
    void damagedConfigAndLanguage()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family, [](ModulesTree &tree, EmulatedMouse &) {
            QSettings ap(tree.path(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat);
            ap.remove(QStringLiteral("mouse/minDPI"));
            ap.setValue(QStringLiteral("mouse/maxDPI"), QStringLiteral("2147483647"));
            ap.setValue(QStringLiteral("common/language"), QStringLiteral("Klingon"));
            QSettings profile(tree.path(QStringLiteral("modules/setting/p1.bin")), QSettings::IniFormat);
            profile.setValue(QStringLiteral("mouse/dpiValueArray"),
                             QStringList{QStringLiteral("910641850"), QStringLiteral("6400"),
                                         QStringLiteral("8000"), QStringLiteral("12000"),
                                         QStringLiteral("16000"), QStringLiteral("400"),
                                         QStringLiteral("800"), QStringLiteral("1600")});
            profile.setValue(QStringLiteral("mouse/currentDpiCount"), 4);
        });
        const QByteArray names = scene.tree.read(QStringLiteral("modules/setting/name.bin"));
        QVERIFY(scene.start());
        QCOMPARE(scene.root()->property("mainLang").toStringList().value(4), QStringLiteral("Config"));
        QCOMPARE(scene.tree.read(QStringLiteral("modules/setting/name.bin")), names);

        QQuickItem *page = scene.item("dpiSetting");
        QCOMPARE(page->property("maxDPI").toInt(), 25550);
        QCOMPARE(page->property("dpiValues").toStringList().mid(0, 5),
                 (QStringList{QStringLiteral("910641850"), QStringLiteral("6400"), QStringLiteral("8000"),
                              QStringLiteral("12000"), QStringLiteral("16000")}));
        page->setProperty("isSave", true);
        scene.link.forgetHistory();
        scene.click(kSaveButton);
        QTRY_VERIFY(!page->property("isSave").toBool());
        QTRY_VERIFY(scene.view().isEnabled());
        QVERIFY(scene.fileText(QStringLiteral("modules/setting/p1.bin"))
                    .contains(
                        QLatin1String("dpiValueArray=910641850, 6400, 8000, 12000, 16000, 400, 800, 1600")));
        // The first stage goes out as 25550, the top of the sensor: 511 / 256.
        const QByteArray stages = bytes({0xFF, 128, 160, 240, 64, 8, 16, 32});
        if (family == ChipFamily::F553) {
            QCOMPARE(scene.mouse->dpiTable(), stages.left(4) + QByteArray(4, char(0x80)));
        } else {
            QCOMPARE(scene.mouse->profileImage(1).mid(84, 8), stages);
            QCOMPARE(scene.mouse->profileImage(1).mid(82, 2), bytes({0x11, 0x11}));
        }
    }

    // An effect chosen in the list and a colour picked on the hue bar wait
    // for Save; then the effect and the twelve colours reach the mouse.
    void lightingChosenAndSaved_data() { families_data(); }
    void lightingChosenAndSaved()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family);
        QVERIFY(scene.start());
        QQuickItem *page = scene.item("lightControl");
        QQuickItem *list = scene.item("lightModel");
        QVERIFY(page && list);
        // Static, with the brightness row only.
        QCOMPARE(page->height(), 224.0);

        scene.click(at(list, {75, 12}));
        QTRY_VERIFY(settled(list, true));
        scene.click(at(list, {75, 12 + 24 * 2})); // Breath
        QTRY_VERIFY(settled(list, false));
        QTRY_COMPARE(page->property("effect").toInt(), 1);
        QVERIFY(page->property("isSave").toBool());
        QCOMPARE(page->property("speedStep").toInt(), 0);

        // Block 2 (green) and its marker; the marker dragged to p = 45.
        scene.click(at(scene.item("colourBlock1"), {6, 6}));
        QCOMPARE(page->property("selectColorBlock").toInt(), 1);
        QQuickItem *marker = scene.item("colourMarker");
        QQuickItem *bar = scene.item("colorBar");
        const int left = qRound(marker->x() - bar->x());
        QCOMPARE(left, 52);
        drag(&scene.view(), at(marker, {9, 8}), {45 - 8 - left, 0});
        QTRY_COMPARE(page->property("blockColours").toStringList().at(1), QStringLiteral("#80ff00"));
        QCOMPARE(scene.item("redInput")->property("textValue").toString(), QStringLiteral("128"));

        scene.link.forgetHistory();
        scene.click(kSaveButton);
        QTRY_VERIFY(!page->property("isSave").toBool());
        QTRY_VERIFY(scene.view().isEnabled());
        const QString profile = scene.fileText(QStringLiteral("modules/setting/p1.bin"));
        QVERIFY(profile.contains(QLatin1String("lightValue=1, 0, 4")));
        QVERIFY(profile.contains(QLatin1String("colorValue=255, 0, 0, 128, 255, 0, 0, 0, 255,")));
        // Breath on a full-colour mouse: mode 3, then T1 of speed 0.
        const QByteArray colours = bytes({255, 0, 0, 128, 255, 0, 0, 0, 255});
        if (family == ChipFamily::F553) {
            const auto effect = scene.mouse->rgbEffect();
            QCOMPARE(QList<int>({effect[0], effect[1], effect[2]}), QList<int>({3, 0, 10}));
            QCOMPARE(scene.mouse->ledColorType(), 0);
            QCOMPARE(scene.mouse->ledColors().left(9), colours);
            QCOMPARE(scene.commands(0x10).size(), 2);
        } else {
            for (int image = 1; image <= 4; ++image)
                QCOMPARE(scene.mouse->profileImage(image).mid(71, 3), bytes({3, 0, 10}));
            QCOMPARE(scene.mouse->profileImage(0).mid(24, 9), colours);
        }
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestScene test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scene.moc"
