#include "fakefiledialogs.h"
#include "macrolibrary.h"
#include "modulestree.h"
#include "settingsfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

const QString kNames = QStringLiteral("modules/setting/name.bin");

QString macroFile(const QString &name)
{
    return QStringLiteral("modules/macro/") + name + QStringLiteral(".bin");
}

QString profileFile(int n)
{
    return QStringLiteral("modules/setting/p%1.bin").arg(n + 1);
}

} // namespace

class TestMacroLibrary : public QObject
{
    Q_OBJECT

private slots:
    void nameListsCarryTheFiller()
    {
        ModulesTree tree;
        SettingsFiles files;
        MacroLibrary macros(files);
        QVERIFY(macros.updataNameList(0, {QStringLiteral("m1")}));
        QCOMPARE(tree.read(kNames), QByteArray("[macro]\nmacroName=m1, loadersentry\n"));
        QCOMPARE(macros.getNameList(0), QVariantList({QStringLiteral("m1"), QStringLiteral("loadersentry")}));

        QVERIFY(macros.updataNameList(QStringLiteral("2"),
                                      {QStringLiteral("Standard0"), QStringLiteral("p_11")}));
        QVERIFY(tree.read(kNames).contains("profileName=Standard0, p_11\n"));
        QVERIFY(macros.updataNameList(2, {}));
        QVERIFY(!tree.read(kNames).contains("profileName"));
        QVERIFY(macros.getNameList(2).isEmpty());

        // Unknown codes store and read nothing.
        const QByteArray before = tree.read(kNames);
        QVERIFY(!macros.updataNameList(4, {QStringLiteral("x"), QStringLiteral("y")}));
        QVERIFY(!macros.updataNameList(QStringLiteral("zero"), {QStringLiteral("x"), QStringLiteral("y")}));
        QCOMPARE(tree.read(kNames), before);
        QVERIFY(macros.getNameList(-1).isEmpty());

        tree.write(kNames, "[gun]\ngunName=single\n");
        QVERIFY(macros.getNameList(1).isEmpty());
    }

    void macroFilesRoundTrip()
    {
        ModulesTree tree;
        SettingsFiles files;
        MacroLibrary macros(files);
        QVERIFY(!macros.saveMacroIni(QStringLiteral("A"), {QStringLiteral("1,A")}, 1));
        QVERIFY(!tree.exists(macroFile(QStringLiteral("A"))));
        QVERIFY(macros.loadMacroIni(QStringLiteral("A")).isEmpty());

        QVERIFY(macros.createMacroIni(QStringLiteral("A"), 0));
        QCOMPARE(tree.read(macroFile(QStringLiteral("A"))),
                 QByteArray("[config]\ndid=-1\nindex=0\nrepeat=1\ntotal=0\n"));
        QCOMPARE(macros.loadMacroIni(QStringLiteral("A")), QStringList(QStringLiteral("1")));

        const QStringList three{QStringLiteral("1,A"), QStringLiteral("0,120"), QStringLiteral("2,A")};
        QVERIFY(macros.saveMacroIni(QStringLiteral("A"), three, 5));
        QCOMPARE(macros.loadMacroIni(QStringLiteral("A")), three + QStringList(QStringLiteral("5")));
        QVERIFY(tree.read(macroFile(QStringLiteral("A"))).contains("\n0=\"1,A\"\n"));

        QVERIFY(macros.saveMacroIni(QStringLiteral("A"), three.mid(0, 2), 2));
        const QByteArray shrunk = tree.read(macroFile(QStringLiteral("A")));
        QVERIFY2(!shrunk.contains("\n2=") && shrunk.contains("total=2\n"), shrunk.constData());
        QCOMPARE(macros.loadMacroIni(QStringLiteral("A")),
                 QStringList({three[0], three[1], QStringLiteral("2")}));

        // A damaged count is bounded; an unquoted event reads as an empty text.
        tree.write(macroFile(QStringLiteral("B")), "[config]\ntotal=2000000000\nrepeat=3\n[macro]\n0=1,A\n");
        const QStringList damaged = macros.loadMacroIni(QStringLiteral("B"));
        QCOMPARE(damaged.size(), MacroLibrary::kMaxEvents + 1);
        QCOMPARE(damaged.first(), QString());
        QCOMPARE(damaged.at(1), QStringLiteral("0"));
        QCOMPARE(damaged.last(), QStringLiteral("3"));

        QVERIFY(macros.deleteMacroIni(QStringLiteral("A")));
        QVERIFY(!tree.exists(macroFile(QStringLiteral("A"))));
        QVERIFY(!macros.deleteMacroIni(QStringLiteral("A")));
    }

    void renameCarriesIntoTheSceneProfilesOnly()
    {
        ModulesTree tree;
        for (int p = 0; p < 10; ++p)
            tree.write(profileFile(p), "[mouseMacroKey]\n3=A\n5=C\n");
        SettingsFiles files;
        MacroLibrary macros(files);
        QVERIFY(!macros.modifyMacroNameUpdateProfile(QStringLiteral("A"), QStringLiteral("B")));
        QCOMPARE(tree.read(profileFile(0)), QByteArray("[mouseMacroKey]\n3=A\n5=C\n"));

        macros.createMacroIni(QStringLiteral("A"), 0);
        macros.saveMacroIni(QStringLiteral("A"), {QStringLiteral("1,A")}, 1);
        macros.createMacroIni(QStringLiteral("C"), 0);
        // The name of another macro's file is refused and nothing changes.
        QVERIFY(!macros.modifyMacroNameUpdateProfile(QStringLiteral("A"), QStringLiteral("C")));
        QCOMPARE(tree.read(profileFile(0)), QByteArray("[mouseMacroKey]\n3=A\n5=C\n"));
        QVERIFY(tree.exists(macroFile(QStringLiteral("A"))));

        QVERIFY(macros.modifyMacroNameUpdateProfile(QStringLiteral("A"), QStringLiteral("B")));
        for (int p = 0; p < 10; ++p) {
            const QByteArray expected = p < 6 ? "[mouseMacroKey]\n3=B\n5=C\n" : "[mouseMacroKey]\n3=A\n5=C\n";
            QCOMPARE(tree.read(profileFile(p)), expected);
        }
        QVERIFY(!tree.exists(macroFile(QStringLiteral("A"))));
        QCOMPARE(macros.loadMacroIni(QStringLiteral("B")),
                 QStringList({QStringLiteral("1,A"), QStringLiteral("1")}));
    }

    void deletedMacroButtonsGetTheirFactoryFunction()
    {
        ModulesTree tree;
        tree.write(QStringLiteral("modules/setting/pD.bin"),
                   "[mouseKeyMatrix]\n2=5, 0, 1, 0\n5=5, 0, 2, 0\n");
        const QByteArray bound = "[mouseKeyMatrix]\n2=4, 0, 3, 0\n5=4, 1, 7, 0\n6=4, 0\n7=4, 0, 3, 0\n\n"
                                 "[mouseMacroKey]\n3=A\n7=B\n";
        tree.write(profileFile(1), bound);
        tree.write(profileFile(7), bound);
        SettingsFiles files;
        MacroLibrary macros(files);
        macros.deleteMacroUpdateProfile(QStringLiteral("A"));
        const QVariantList factory{QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("1"),
                                   QStringLiteral("0")};
        files.setCurrentProfile(1);
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("2"), false), factory);
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("5"), false).value(2), QVariant(QStringLiteral("7")));
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("6"), false).size(), 2);
        // No factory entry for button 7: it keeps what it had.
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("7"), false).value(0), QVariant(QStringLiteral("4")));
        QVERIFY(tree.read(profileFile(1)).contains("\n2=5, 0, 1, 0\n"));
        QVERIFY(tree.read(profileFile(1)).contains("\n3=A\n"));
        QCOMPARE(tree.read(profileFile(7)), bound);
    }

    void importAndExportThroughTheDialogs()
    {
        ModulesTree tree;
        SettingsFiles files;
        MacroLibrary macros(files);
        FakeFileDialogs dialogs;
        QVERIFY(!macros.loadMacroFile(QStringLiteral("M"), dialogs));
        QCOMPARE(dialogs.asked, QStringList(QStringLiteral("open|Open File|Macro(*.mc)")));
        QVERIFY(!tree.exists(macroFile(QStringLiteral("M"))));

        const QByteArray chosen = "[config]\ntotal=1\nrepeat=2\n[macro]\n0=\"1,B\"\n";
        tree.write(QStringLiteral("in.mc"), chosen);
        dialogs.answer = tree.path(QStringLiteral("in.mc"));
        QVERIFY(macros.loadMacroFile(QStringLiteral("M"), dialogs));
        QCOMPARE(tree.read(macroFile(QStringLiteral("M"))), chosen);
        QCOMPARE(macros.loadMacroIni(QStringLiteral("M")),
                 QStringList({QStringLiteral("1,B"), QStringLiteral("2")}));

        // Onto an existing macro: true, and the macro stays as it was.
        macros.createMacroIni(QStringLiteral("E"), 0);
        const QByteArray existing = tree.read(macroFile(QStringLiteral("E")));
        QVERIFY(macros.loadMacroFile(QStringLiteral("E"), dialogs));
        QCOMPARE(tree.read(macroFile(QStringLiteral("E"))), existing);

        // A chosen file that cannot be read gives no macro, so the caller
        // creates an empty one.
        dialogs.answer = tree.path(QStringLiteral("absent.mc"));
        QVERIFY(!macros.loadMacroFile(QStringLiteral("N"), dialogs));
        QVERIFY(!tree.exists(macroFile(QStringLiteral("N"))));

        tree.write(QStringLiteral("out.mc"), "keep me");
        dialogs.answer = tree.path(QStringLiteral("out.mc"));
        dialogs.asked.clear();
        QVERIFY(!macros.saveMacroFile(QStringLiteral("N"), dialogs));
        QCOMPARE(tree.read(QStringLiteral("out.mc")), QByteArray("keep me"));
        QVERIFY(macros.saveMacroFile(QStringLiteral("M"), dialogs));
        QCOMPARE(dialogs.asked.last(), QStringLiteral("save|Save File|Macro(*.mc)|M.mc"));
        QCOMPARE(tree.read(QStringLiteral("out.mc")), chosen);

        // A name typed without an extension gets the macro one.
        dialogs.answer = tree.path(QStringLiteral("bare"));
        QVERIFY(macros.saveMacroFile(QStringLiteral("M"), dialogs));
        QCOMPARE(tree.read(QStringLiteral("bare.mc")), chosen);
        QVERIFY(!tree.exists(QStringLiteral("bare")));
    }

    // A macro file that is a link to a file elsewhere: writing the macro
    // replaces the link by our own file and leaves the target alone.
    void writesNeverFollowALink_data()
    {
        QTest::addColumn<bool>("create");
        QTest::addColumn<bool>("dangling");
        QTest::newRow("save through a link") << false << false;
        QTest::newRow("create over a link") << true << false;
        QTest::newRow("create over a dangling link") << true << true;
    }

    void writesNeverFollowALink()
    {
        QFETCH(bool, create);
        QFETCH(bool, dangling);
        ModulesTree tree;
        SettingsFiles files;
        MacroLibrary macros(files);
        const QByteArray outside = "[config]\nindex=7\ntotal=0\nrepeat=1\ndid=-1\n";
        if (!dangling)
            tree.write(QStringLiteral("elsewhere.ini"), outside);
        QDir().mkpath(tree.path(QStringLiteral("modules/macro")));
        QVERIFY(QFile::link(tree.path(QStringLiteral("elsewhere.ini")),
                            tree.path(macroFile(QStringLiteral("m")))));

        if (create)
            QVERIFY(macros.createMacroIni(QStringLiteral("m"), 0));
        else
            QVERIFY(macros.saveMacroIni(QStringLiteral("m"), {QStringLiteral("1,A")}, 3));

        QCOMPARE(tree.exists(QStringLiteral("elsewhere.ini")), !dangling);
        if (!dangling)
            QCOMPARE(tree.read(QStringLiteral("elsewhere.ini")), outside);
        const QFileInfo macro(tree.path(macroFile(QStringLiteral("m"))));
        QVERIFY(macro.isFile() && !macro.isSymLink());
        QCOMPARE(macros.loadMacroIni(QStringLiteral("m")),
                 create ? QStringList{QStringLiteral("1")}
                        : QStringList({QStringLiteral("1,A"), QStringLiteral("3")}));
        // What the macro held before stays, where a write keeps it.
        if (!create)
            QVERIFY(tree.read(macroFile(QStringLiteral("m"))).contains("index=7"));
    }

    void namesThatAreNoFileNamesNeverReachTheDisk_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("dot") << QStringLiteral(".");
        QTest::newRow("dotdot") << QStringLiteral("..");
        QTest::newRow("up into setting") << QStringLiteral("../setting/p1");
        QTest::newRow("absolute") << QStringLiteral("/tmp/kx20-escape");
        QTest::newRow("backslash") << QStringLiteral("..\\escape");
        QTest::newRow("colon") << QStringLiteral("C:x");
        QTest::newRow("star") << QStringLiteral("a*b");
        QTest::newRow("question") << QStringLiteral("a?");
        QTest::newRow("quote") << QStringLiteral("a\"b");
        QTest::newRow("angle") << QStringLiteral("<a>");
        QTest::newRow("pipe") << QStringLiteral("a|b");
        QTest::newRow("tab") << QStringLiteral("a\tb");
        QTest::newRow("newline") << QStringLiteral("a\nb");
        QTest::newRow("trailing dot") << QStringLiteral("macro.");
        QTest::newRow("trailing blank") << QStringLiteral("macro ");
        QTest::newRow("device") << QStringLiteral("con");
        QTest::newRow("device with extension") << QStringLiteral("LPT1.txt");
        QTest::newRow("too long") << QString(300, QLatin1Char('m'));
    }

    void namesThatAreNoFileNamesNeverReachTheDisk()
    {
        QFETCH(QString, name);
        ModulesTree tree;
        tree.write(profileFile(0), "[mouseMacroKey]\n1=A\n");
        tree.write(QStringLiteral("modules/macro/A.bin"), "[config]\ntotal=0\nrepeat=1\n");
        tree.write(QStringLiteral("in.mc"), "[config]\ntotal=0\n");
        tree.write(QStringLiteral("out.mc"), "keep");
        const QStringList before = tree.snapshot();
        SettingsFiles files;
        MacroLibrary macros(files);
        FakeFileDialogs dialogs;
        dialogs.answer = tree.path(QStringLiteral("in.mc"));

        QVERIFY(!macros.createMacroIni(name, 0));
        QVERIFY(!macros.saveMacroIni(name, {QStringLiteral("1,A")}, 1));
        QVERIFY(macros.loadMacroIni(name).isEmpty());
        QVERIFY(!macros.deleteMacroIni(name));
        QVERIFY(!macros.modifyMacroNameUpdateProfile(QStringLiteral("A"), name));
        QVERIFY(!macros.modifyMacroNameUpdateProfile(name, QStringLiteral("A")));
        QVERIFY(!macros.loadMacroFile(name, dialogs));
        QVERIFY(!macros.loadMacroFile(name, tree.path(QStringLiteral("in.mc"))));
        QVERIFY(!macros.saveMacroFile(name, tree.path(QStringLiteral("out.mc"))));
        QVERIFY(dialogs.asked.isEmpty());
        QCOMPARE(tree.snapshot(), before);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/kx20-escape.bin")));
    }
};

QTEST_GUILESS_MAIN(TestMacroLibrary)
#include "test_macrolibrary.moc"
