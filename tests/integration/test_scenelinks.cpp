// Profiles linked to applications, through the profile page's link box of the
// compiled scene over the emulated mouse, checked in apConfig.bin on disk;
// and the scene taking a profile change kx20ctl made while it was away.
#include "myqquickview.h"
#include "scenefixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

const QString kApConfig = QStringLiteral("modules/setting/apConfig.bin");
const QString kNames = QStringLiteral("modules/setting/name.bin");
constexpr QPoint kSaveButton{950, 620};

QPoint centre(QQuickItem *item)
{
    return item ? item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint() : QPoint();
}

QQuickItem *child(QQuickItem *parent, const QString &objectName)
{
    return SceneFixture::descendant(parent, objectName);
}

// The [profileLinks] lines of apConfig.bin as the file holds them.
QStringList linksOnDisk(const SceneFixture &scene)
{
    QStringList lines;
    bool inGroup = false;
    const QStringList all = scene.fileText(kApConfig).split(QLatin1Char('\n'));
    for (const QString &line : all) {
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[profileLinks]");
        else if (inGroup && !line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    lines.sort();
    return lines;
}

void addFamilies()
{
    QTest::addColumn<ChipFamily>("family");
    QTest::newRow("553") << ChipFamily::F553;
    QTest::newRow("560") << ChipFamily::F560;
}

// Three profiles, the links of `links` ("name=N" lines) and, in p3.bin,
// report rate row 0 so profile 2 can be told apart.
std::function<void(ModulesTree &, EmulatedMouse &)> threeProfiles(const QByteArray &links = {})
{
    return [links](ModulesTree &tree, EmulatedMouse &) {
        tree.write(kNames, "[profile]\nprofileName=Standard0, work1, play2\n");
        if (!links.isEmpty())
            tree.write(kApConfig, tree.read(kApConfig) + "\n[profileLinks]\n" + links);
        tree.write(QStringLiteral("modules/setting/p3.bin"), "[mouse]\nreportRate=0\n");
    };
}

struct Page
{
    SceneFixture &scene;
    QQuickItem *profile = nullptr;
    QQuickItem *body = nullptr;

    explicit Page(SceneFixture &s)
        : scene(s)
    {
        scene.click(centre(scene.item("configButton")));
        profile = scene.item("profile");
        body = profile ? qvariant_cast<QQuickItem *>(profile->property("bodyItem")) : nullptr;
    }

    QQuickItem *box() const { return child(profile, QStringLiteral("profileLinkBox")); }

    bool menu(int row, const char *entry)
    {
        scene.click(centre(child(body, QStringLiteral("profileRow%1").arg(row))), Qt::RightButton);
        QQuickItem *menu = child(body, QStringLiteral("profileMenu"));
        if (!menu || !menu->isVisible())
            return false;
        scene.click(centre(child(menu, QString::fromLatin1(entry))));
        return !menu->isVisible();
    }

    bool openBox(int row) { return menu(row, "profileLinkItem") && box() && box()->isVisible(); }

    void type(const QString &text)
    {
        QTest::keyClicks(&scene.view(), text);
        QTest::keyClick(&scene.view(), Qt::Key_Return);
    }

    QString status() const { return child(box(), QStringLiteral("linkStatus"))->property("text").toString(); }

    // The accessible name of a row's mark, empty when the row has none.
    QString mark(int row) const
    {
        QQuickItem *mark = child(body, QStringLiteral("profileLinkMark%1").arg(row));
        return mark && mark->isVisible() ? mark->property("tip").toString() : QString();
    }
};

} // namespace

class TestSceneLinks : public QObject
{
    Q_OBJECT

private slots:
    // Typed names are linked with Enter, a name linked to another profile
    // moves, Remove unlinks, an unusable name is refused in the box; the
    // file holds each step at once and the mouse hears nothing of it.
    void linkBoxWritesApConfig()
    {
        SceneFixture scene(ChipFamily::F553, threeProfiles());
        QVERIFY(scene.start());
        scene.link.forgetHistory();
        Page page(scene);
        QVERIFY(page.body);

        struct Step
        {
            int row;       // the row whose box is used
            QString typed; // typed and Enter; empty: press Remove of `removed`
            QString removed;
            QStringList links;
            QString status; // a part of what the box says
            QString mark1, mark2;
        };
        const QList<Step> steps = {
            {1,
             QStringLiteral("Firefox"),
             {},
             {QStringLiteral("firefox=1")},
             QStringLiteral("Firefox now"),
             QStringLiteral("Linked: firefox"),
             {}},
            {1,
             QStringLiteral(" Code "),
             {},
             {QStringLiteral("code=1"), QStringLiteral("firefox=1")},
             QStringLiteral("Code now"),
             QStringLiteral("Linked: code, firefox"),
             {}},
            {2,
             QStringLiteral("FIREFOX"),
             {},
             {QStringLiteral("code=1"), QStringLiteral("firefox=2")},
             QStringLiteral("FIREFOX moved here from work"),
             QStringLiteral("Linked: code"),
             QStringLiteral("Linked: firefox")},
            {2,
             QStringLiteral("bin/sh"),
             {},
             {QStringLiteral("code=1"), QStringLiteral("firefox=2")},
             QStringLiteral("Not a usable name"),
             QStringLiteral("Linked: code"),
             QStringLiteral("Linked: firefox")},
            {2,
             {},
             QStringLiteral("firefox"),
             {QStringLiteral("code=1")},
             {},
             QStringLiteral("Linked: code"),
             {}},
        };
        int openRow = -1;
        for (const Step &step : steps) {
            if (openRow != step.row) {
                if (openRow >= 0)
                    QTest::keyClick(&scene.view(), Qt::Key_Escape);
                QTRY_VERIFY(!page.box()->isVisible());
                QVERIFY(page.openBox(step.row));
                QTRY_VERIFY(child(page.box(), QStringLiteral("linkNameInput"))->hasActiveFocus());
                openRow = step.row;
            }
            if (step.typed.isEmpty())
                scene.click(centre(child(page.box(), QStringLiteral("linkRemove0"))));
            else
                page.type(step.typed);
            QVERIFY2(linksOnDisk(scene) == step.links, qPrintable(linksOnDisk(scene).join(QLatin1Char(' '))));
            QVERIFY2(page.status().contains(step.status), qPrintable(page.status()));
            QCOMPARE(page.mark(1), step.mark1);
            QCOMPARE(page.mark(2), step.mark2);
        }
        // Escape leaves the box, then the page.
        QTest::keyClick(&scene.view(), Qt::Key_Escape);
        QTRY_VERIFY(!page.box()->isVisible());
        QVERIFY(page.profile->isVisible());
        QTest::keyClick(&scene.view(), Qt::Key_Escape);
        QTRY_VERIFY(!page.profile->isVisible());
        QVERIFY(scene.link.sent(HidCall::SendFeature).isEmpty());
        QVERIFY(scene.link.sent(HidCall::Write).isEmpty());
    }

    // apConfig.bin cannot be written (here it is a folder): the box says so.
    void unwritableApConfigRefusesTheLink()
    {
        SceneFixture scene(ChipFamily::F553, [](ModulesTree &tree, EmulatedMouse &mouse) {
            threeProfiles()(tree, mouse);
            QFile::remove(tree.path(kApConfig));
            QDir().mkpath(tree.path(kApConfig));
        });
        QVERIFY(scene.start());
        Page page(scene);
        QVERIFY(page.openBox(1));
        page.type(QStringLiteral("firefox"));
        QVERIFY2(page.status().contains(QLatin1String("could not be stored")), qPrintable(page.status()));
    }

    // Links are by profile number: a rename keeps them, a delete takes the
    // profile's links with it, and a new profile that reuses a number starts
    // without the old links.
    void rowsKeepTheirLinksByNumber()
    {
        SceneFixture scene(ChipFamily::F553, threeProfiles("firefox=1\ncode=2\nold=3\n"));
        QVERIFY(scene.start());
        Page page(scene);
        QCOMPARE(page.mark(1), QStringLiteral("Linked: firefox"));

        QTest::mouseDClick(&scene.view(), Qt::LeftButton, Qt::NoModifier,
                           centre(child(page.body, QStringLiteral("profileRow1"))));
        QTest::keyClick(&scene.view(), Qt::Key_A, Qt::ControlModifier);
        page.type(QStringLiteral("office"));
        QTRY_VERIFY(scene.fileText(kNames).contains(QLatin1String("office1")));
        QCOMPARE(linksOnDisk(scene), QStringList({QStringLiteral("code=2"), QStringLiteral("firefox=1"),
                                                  QStringLiteral("old=3")}));

        QVERIFY(page.menu(2, "profileDeleteItem"));
        QCOMPARE(linksOnDisk(scene), QStringList({QStringLiteral("firefox=1"), QStringLiteral("old=3")}));
        // The smallest free number is 2 again, then 3.
        scene.click(centre(child(page.body, QStringLiteral("profileNewButton"))));
        scene.click(centre(child(page.body, QStringLiteral("profileNewButton"))));
        QTRY_VERIFY(scene.fileText(kNames).contains(QLatin1String("profile_13")));
        QCOMPARE(linksOnDisk(scene), QStringList({QStringLiteral("firefox=1")}));
        QCOMPARE(page.mark(1), QStringLiteral("Linked: firefox"));
        QCOMPARE(page.mark(2), QString());
        QCOMPARE(page.mark(3), QString());
    }

    // kx20ctl stored profile 2 as the one in use (and sent it), renamed
    // nothing and linked an application: the scene shows profile 2 from its
    // file and sends nothing.
    void outsideProfileChangeIsShownWithoutSending_data() { addFamilies(); }
    void outsideProfileChangeIsShownWithoutSending()
    {
        QFETCH(ChipFamily, family);
        SceneFixture scene(family, threeProfiles());
        QVERIFY(scene.start());
        QQuickItem *profiles = scene.item("profileList");
        QCOMPARE(scene.root()->property("profileNo").toInt(), 0);

        QByteArray config = scene.tree.read(kApConfig);
        config.replace("profileNo=0", "profileNo=2");
        scene.tree.write(kApConfig, config + "\n[profileLinks]\nmpv=2\n");
        scene.link.forgetHistory();
        scene.view().takeOutsideChanges();

        QCOMPARE(scene.root()->property("profileNo").toInt(), 2);
        QCOMPARE(profiles->property("textValue").toString(), QStringLiteral("play"));
        QCOMPARE(scene.item("reportRateList")->property("currentSelect").toInt(), 0);
        QCOMPARE(scene.view().settings().currentProfile(), 2);
        QVERIFY(scene.view().isEnabled());
        QVERIFY(scene.link.sent(HidCall::SendFeature).isEmpty());
        QVERIFY(scene.link.sent(HidCall::Write).isEmpty());
        Page page(scene);
        QCOMPARE(page.mark(2), QStringLiteral("Linked: mpv"));
        // Nothing was written back over kx20ctl's choice.
        QVERIFY(scene.fileText(kApConfig).contains(QLatin1String("profileNo=2")));
    }

    // With unsaved changes the scene keeps showing them and says so; the
    // Save that keeps them sends them, then shows kx20ctl's profile and sends
    // it whole, since the Save just changed what the mouse holds.
    void outsideProfileWaitsForUnsavedChanges()
    {
        SceneFixture scene(ChipFamily::F553, threeProfiles());
        QVERIFY(scene.start());
        QQuickItem *keys = scene.item("keyMatrix");
        keys->setProperty("isSave", true);

        QByteArray config = scene.tree.read(kApConfig);
        config.replace("profileNo=0", "profileNo=2");
        scene.tree.write(kApConfig, config);
        scene.link.forgetHistory();
        scene.view().takeOutsideChanges();
        QCOMPARE(scene.root()->property("profileNo").toInt(), 0);
        QVERIFY(keys->property("isSave").toBool());
        QQuickItem *notice = scene.item("noticeLine");
        QVERIFY(notice->isVisible());
        QVERIFY2(notice->property("text").toString().contains(QLatin1String("kx20ctl chose play")),
                 qPrintable(notice->property("text").toString()));
        QVERIFY(scene.link.sent(HidCall::SendFeature).isEmpty());

        scene.click(kSaveButton);
        QTRY_VERIFY(scene.view().isEnabled());
        QTRY_COMPARE(scene.root()->property("profileNo").toInt(), 2);
        QVERIFY(!scene.root()->property("hasUnsaved").toBool());
        QCOMPARE(scene.view().settings().currentProfile(), 2);
        // Profile 2's report rate (row 0, 1000 Hz) reached the mouse.
        QTRY_COMPARE(scene.mouse->reportRate(), 8);
        QVERIFY(scene.fileText(kApConfig).contains(QLatin1String("profileNo=2")));
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestSceneLinks test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scenelinks.moc"
