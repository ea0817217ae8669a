// The profile and gun pages of the compiled scene over the emulated mouse:
// pointer events on the pages' controls, checked against the settings files
// on disk and the bytes the mouse received.
#include "myqquickview.h"
#include "profileimages.h"
#include "scenefixture.h"

#include <QApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

// The centre of a scene item in the view, where a person would click it.
QPoint centre(QQuickItem *item)
{
    return item ? item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint() : QPoint();
}

bool settled(QQuickItem *list, bool open)
{
    return list && list->property("isDrop").toBool() == open && !list->property("isAnimating").toBool();
}

// A visual descendant: list rows are the view's children only as items.
QQuickItem *child(QQuickItem *parent, const QString &objectName)
{
    if (!parent)
        return nullptr;
    const QList<QQuickItem *> children = parent->childItems();
    for (QQuickItem *item : children) {
        if (item->objectName() == objectName)
            return item;
        if (QQuickItem *found = child(item, objectName))
            return found;
    }
    return nullptr;
}

// Opens a drop-down list by its head and picks one of its rows.
bool pick(SceneFixture &scene, QQuickItem *list, int row)
{
    scene.click(list->mapToScene(QPointF(list->width() / 2, 12)).toPoint());
    if (!QTest::qWaitFor([list] {
            return settled(list, true);
        }))
        return false;
    scene.click(centre(child(list, QStringLiteral("dropRow%1").arg(row))));
    return QTest::qWaitFor([list] {
        return settled(list, false);
    });
}

void addFamilies()
{
    QTest::addColumn<ChipFamily>("family");
    QTest::newRow("553") << ChipFamily::F553;
    QTest::newRow("560") << ChipFamily::F560;
}

QQuickItem *body(SceneFixture &scene, const char *page)
{
    QQuickItem *item = scene.item(page);
    return item ? qvariant_cast<QQuickItem *>(item->property("bodyItem")) : nullptr;
}

} // namespace

class TestScenePages : public QObject
{
    Q_OBJECT

private slots:
    // Profile 2 is deleted and a new profile takes its number as the fourth
    // row; the title-area list's fourth row then works on p3.bin, not p4.bin.
    void newProfileAfterADeletionIsItsOwnFile_data() { addFamilies(); }
    void newProfileAfterADeletionIsItsOwnFile()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family, [](ModulesTree &tree, EmulatedMouse &) {
            tree.write(QStringLiteral("modules/setting/name.bin"),
                       "[profile]\nprofileName=Standard0, work1, play2, guest3\n");
            tree.write(QStringLiteral("modules/setting/p3.bin"), "[mouse]\nreportRate=1\n");
        });
        QVERIFY(scene.start());
        const QString p4 = scene.fileText(QStringLiteral("modules/setting/p4.bin"));

        scene.click(centre(scene.item("configButton")));
        QQuickItem *rows = body(scene, "profile");
        QVERIFY(rows);
        scene.click(centre(child(rows, QStringLiteral("profileRow2"))), Qt::RightButton);
        QTRY_VERIFY(child(rows, QStringLiteral("profileMenu"))->isVisible());
        scene.click(centre(child(rows, QStringLiteral("profileDeleteItem"))));
        scene.click(centre(child(rows, QStringLiteral("profileNewButton"))));
        QTRY_VERIFY(scene.fileText(QStringLiteral("modules/setting/name.bin"))
                        .contains(QLatin1String("profileName=Standard0, work1, guest3, profile_02")));
        // The new profile starts from the factory profile.
        QCOMPARE(scene.fileText(QStringLiteral("modules/setting/p3.bin")),
                 scene.fileText(QStringLiteral("modules/setting/pD.bin")));
        scene.click(centre(child(scene.item("profile"), QStringLiteral("closeButton"))));
        QTRY_VERIFY(!scene.item("profile")->isVisible());

        QQuickItem *profiles = scene.item("profileList");
        QVERIFY(pick(scene, profiles, 3));
        QTRY_VERIFY(scene.view().isEnabled());
        QCOMPARE(profiles->property("textValue").toString(), QStringLiteral("profile_0"));
        QVERIFY(scene.fileText(QStringLiteral("modules/setting/apConfig.bin"))
                    .contains(QLatin1String("profileNo=2")));

        scene.link.forgetHistory();
        QVERIFY(pick(scene, scene.item("reportRateList"), 0));
        QTRY_COMPARE(scene.mouse->reportRate(), 8);
        QTRY_VERIFY(
            scene.fileText(QStringLiteral("modules/setting/p3.bin")).contains(QLatin1String("reportRate=0")));
        QCOMPARE(scene.fileText(QStringLiteral("modules/setting/p4.bin")), p4);
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }

    // Slot 2 gets SCAR-L (Y 6) on the gun page; closing the page sends all
    // three slots: M416 (Y 5), SCAR-L and M16A4 (Y 8), none endless-limited.
    void closingTheGunPageSendsTheSlots_data() { addFamilies(); }
    void closingTheGunPageSendsTheSlots()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family);
        QVERIFY(scene.start());
        scene.click(centre(scene.item("gunEditorEntry")));
        QQuickItem *gun = body(scene, "gunControl");
        QVERIFY(gun);
        QVERIFY(pick(scene, child(gun, QStringLiteral("gunSlotList")), 1));
        scene.click(centre(child(gun, QStringLiteral("gunRow3"))));
        QTRY_VERIFY(scene.fileText(QStringLiteral("modules/setting/apConfig.bin"))
                        .contains(QLatin1String("selectGun=0, 3, 2")));
        QVERIFY(scene.commands(0x04).isEmpty());
        QVERIFY(scene.commands(0x0C).isEmpty());

        scene.click(centre(child(scene.item("gunControl"), QStringLiteral("closeButton"))));
        const int ys[3] = {5, 6, 8};
        if (family == ChipFamily::F553) {
            QTRY_COMPARE(scene.commands(0x04).size(), 3);
            for (int slot = 0; slot < 3; ++slot)
                QCOMPARE(scene.commands(0x04).at(slot), commandReport({0x04, 0, 0, 0, ys[slot], slot}));
        } else {
            // Slot s lives in the mouse's profile image s + 1.
            QTRY_COMPARE(scene.commands(0x0C).size(), 3);
            for (int slot = 0; slot < 3; ++slot) {
                const QByteArray image = scene.mouse->profileImage(slot + 2);
                QCOMPARE(uchar(image.at(ImageBytes::kGunMark)), uchar(0xF0));
                QCOMPARE(image.mid(ImageBytes::kGunValues, 3), QByteArray::fromHex("0000") + char(ys[slot]));
            }
        }
        // Closing again without a change sends nothing.
        scene.link.forgetHistory();
        scene.click(centre(scene.item("gunEditorEntry")));
        scene.click(centre(child(scene.item("gunControl"), QStringLiteral("closeButton"))));
        QTRY_VERIFY(!scene.item("gunControl")->isVisible());
        QVERIFY(scene.commands(0x04).isEmpty());
        QVERIFY(scene.commands(0x0C).isEmpty());
        const QString leftovers = scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestScenePages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scenepages.moc"
