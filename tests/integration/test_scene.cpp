// The compiled scene in a real bridge view over the emulated mouse: pointer
// events at the main screen's coordinates, checked against the mouse's state
// and the settings files on disk.
#include "myqquickview.h"
#include "scenefixture.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

// The report-rate list's head and rows in the left panel: below the button
// list (8 buttons) and the editor box of a gun model.
constexpr QPoint kRateHead{188, 479};
QPoint rateRow(int row)
{
    return {188, 479 + 24 * (row + 1)};
}
constexpr QPoint kResetButton{834, 620};
constexpr QPoint kResetOk{674, 350};

bool settled(QQuickItem *list, bool open)
{
    return list && list->property("isDrop").toBool() == open && !list->property("isAnimating").toBool();
}

} // namespace

class TestScene : public QObject
{
    Q_OBJECT

private slots:
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
        QQuickItem *box = scene.root()->findChild<QQuickItem *>(QStringLiteral("resetOkButton"));
        QVERIFY(box && box->isVisible());
        scene.click(kResetOk);
        QTRY_COMPARE(scene.mouse->currentStage(), 2);
        QTRY_VERIFY(scene.view().isEnabled());
        QCOMPARE(scene.item("dpiSetting")->property("currentDPI").toInt(), 1);
        // Gun models go back to the first key matrix and get the factory gun
        // matrices 2 to 4.
        QCOMPARE(scene.commands(0x02), QList<QByteArray>{commandReport({0x02, 1})});
        QCOMPARE(scene.commands(0x0D).size(), 3);
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
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestScene test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scene.moc"
