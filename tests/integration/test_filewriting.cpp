// How every writer of the settings files puts them on disk: a link planted
// in place of one of our files is replaced, never written through; files we
// create are never writable by other users whatever the umask; an imported
// file is never readable by more users than its source; and text outside
// ASCII is stored as "\x" escapes that every install reads, while files in
// raw UTF-8 still read.
#include "gunlibrary.h"
#include "macrolibrary.h"
#include "modulestree.h"
#include "settingsfiles.h"
#include "settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include <functional>

#include <sys/stat.h>

namespace {

using Writer = std::function<void(SettingsFiles &, MacroLibrary &, GunLibrary &, const QString &outside)>;

const QByteArray kOutside("[mouse]\nreportRate=1\n");

void installTree(ModulesTree &tree)
{
    tree.install(QStringLiteral("setting"));
    tree.install(QStringLiteral("gun"));
    tree.write(QStringLiteral("modules/macro/Burst.bin"), "[config]\ntotal=0\nrepeat=1\n");
}

bool isAscii(const QByteArray &bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

class TestFileWriting : public QObject
{
    Q_OBJECT

private slots:
    void noWriteFollowsALink_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Writer>("writer");
        auto row = [](const char *tag, const char *file, Writer writer) {
            QTest::newRow(tag) << QString::fromLatin1(file) << writer;
        };
        row("setData", "setting/p1.bin", [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &) {
            f.setData(QStringLiteral("mouse/reportRate"), 3);
        });
        row("setGlobalData", "setting/apConfig.bin",
            [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &) {
                f.setGlobalData(QStringLiteral("mouse/profileNo"), 2);
            });
        row("name list", "setting/name.bin",
            [](SettingsFiles &, MacroLibrary &m, GunLibrary &, const QString &) {
                m.updataNameList(0, {QStringLiteral("Burst"), QStringLiteral("Rapid")});
            });
        row("gun entry", "gun/gunData.bin",
            [](SettingsFiles &, MacroLibrary &, GunLibrary &g, const QString &) {
                g.mouseSaveGundata(QStringLiteral("9"), {1, 2, 3, 4, 5, 6});
            });
        row("resetProfile", "setting/p2.bin",
            [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &) {
                f.resetProfile(1);
            });
        row("copyProfile", "setting/p3.bin",
            [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &) {
                f.copyProfile(2, 0);
            });
        row("resetApconfig", "setting/apConfig.bin",
            [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &) {
                f.resetApconfig();
            });
        row("import profile", "setting/p1.bin",
            [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &outside) {
                f.loadProfile(0, outside + QStringLiteral(".pf"));
            });
        row("macro rename", "setting/p1.bin",
            [](SettingsFiles &, MacroLibrary &m, GunLibrary &, const QString &) {
                m.modifyMacroNameUpdateProfile(QStringLiteral("Burst"), QStringLiteral("Rapid"));
            });
        row("macro save", "macro/Burst.bin",
            [](SettingsFiles &, MacroLibrary &m, GunLibrary &, const QString &) {
                m.saveMacroIni(QStringLiteral("Burst"), {QStringLiteral("1,A")}, 2);
            });
        row("export over a link", "../exported.pf",
            [](SettingsFiles &f, MacroLibrary &, GunLibrary &, const QString &) {
                f.saveProfile(0, QFileInfo(QStringLiteral("exported.pf")).absoluteFilePath());
            });
    }
    void noWriteFollowsALink()
    {
        QFETCH(QString, file);
        QFETCH(Writer, writer);
        ModulesTree tree;
        installTree(tree);
        // The macro rename writes profile 1 only when a button runs the macro.
        tree.write(QStringLiteral("modules/setting/p1.bin"),
                   tree.read(QStringLiteral("modules/setting/p1.bin")) + "\n[mouseMacroKey]\n1=Burst\n");
        tree.write(QStringLiteral("elsewhere.ini"), kOutside + "[mouseMacroKey]\n1=Burst\n");
        tree.write(QStringLiteral("elsewhere.ini.pf"), "[mouse]\nreportRate=0\n");
        const QString outside = tree.path(QStringLiteral("elsewhere.ini"));
        const QByteArray outsideBefore = tree.read(QStringLiteral("elsewhere.ini"));
        const QString path = QFileInfo(tree.path(QStringLiteral("modules/") + file)).absoluteFilePath();
        QFile::remove(path);
        QVERIFY(QFile::link(outside, path));
        {
            SettingsFiles files(tree.path(QStringLiteral("modules")));
            MacroLibrary macros(files);
            GunLibrary guns(files);
            writer(files, macros, guns, outside);
            files.syncAll();
        }
        QCOMPARE(tree.read(QStringLiteral("elsewhere.ini")), outsideBefore);
        const QFileInfo after(path);
        QVERIFY2(after.isFile() && !after.isSymLink(), qPrintable(path));
        QVERIFY(!after.permissions().testFlag(QFileDevice::WriteOther));
    }

    void createdFilesAreNeverWritableByOthers()
    {
        ModulesTree tree;
        installTree(tree);
        for (const char *gone : {"setting/p7.bin", "setting/name.bin"})
            QFile::remove(tree.path(QStringLiteral("modules/") + QLatin1String(gone)));
        QVERIFY(QDir(tree.path(QStringLiteral("modules/macro"))).removeRecursively());
        const mode_t previous = ::umask(0);
        {
            SettingsFiles files(tree.path(QStringLiteral("modules")));
            MacroLibrary macros(files);
            files.setCurrentProfile(6);
            files.setData(QStringLiteral("mouse/reportRate"), 3);
            macros.updataNameList(0, {QStringLiteral("Burst"), QStringLiteral("Rapid")});
            macros.createMacroIni(QStringLiteral("Rapid"), 0);
            files.saveProfile(6, tree.path(QStringLiteral("exported.pf")));
        }
        ::umask(previous);
        for (const char *made : {"modules/setting/p7.bin", "modules/setting/name.bin",
                                 "modules/macro/Rapid.bin", "exported.pf"}) {
            const QFileInfo info(tree.path(QLatin1String(made)));
            QVERIFY2(info.exists(), made);
            QVERIFY2(!(info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther)), made);
        }
    }

    void importsAreNoMoreReadableThanTheirSource()
    {
        ModulesTree tree;
        installTree(tree);
        tree.write(QStringLiteral("private.pf"), "[mouse]\nreportRate=2\n");
        tree.write(QStringLiteral("private.mc"), "[config]\ntotal=0\nrepeat=4\n");
        for (const char *source : {"private.pf", "private.mc"})
            QVERIFY(QFile::setPermissions(tree.path(QLatin1String(source)),
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        {
            SettingsFiles files(tree.path(QStringLiteral("modules")));
            MacroLibrary macros(files);
            QVERIFY(files.loadProfile(0, tree.path(QStringLiteral("private.pf"))));
            QVERIFY(macros.loadMacroFile(QStringLiteral("Secret"), tree.path(QStringLiteral("private.mc"))));
            QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), false).toString(),
                     QStringLiteral("2"));
        }
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther
                                                | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        for (const char *imported : {"modules/setting/p1.bin", "modules/macro/Secret.bin"})
            QVERIFY2(!(QFileInfo(tree.path(QLatin1String(imported))).permissions() & others), imported);
    }

    // Names in the three languages the program ships, and characters that
    // test the edges of the escape: a hexadecimal digit right after an
    // escaped character, a character beyond 0xFFFF, quotes and commas.
    void textOutsideAsciiIsStoredEscaped_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("English") << QStringList{QStringLiteral("Standard0"), QStringLiteral("Rapid fire")}
                                 << QByteArray("Standard0, Rapid fire");
        QTest::newRow("French") << QStringList{QStringLiteral("Élevé1"), QStringLiteral("Tir à l'arc")}
                                << QByteArray("\\xc9lev\\xe9\\x31, Tir \\xe0 l'arc");
        QTest::newRow("Chinese") << QStringList{QStringLiteral("标准0"), QStringLiteral("连发 B")}
                                 << QByteArray("\\x6807\\x51c6\\x30, \\x8fde\\x53d1 B");
        QTest::newRow("beyond 0xFFFF, quoted") << QStringList{QStringLiteral("a😀f"), QStringLiteral("x,é")}
                                               << QByteArray("a\\xd83d\\xde00\\x66, \"x,\\xe9\"");
    }
    void textOutsideAsciiIsStoredEscaped()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArray, stored);
        ModulesTree tree;
        installTree(tree);
        {
            SettingsFiles files(tree.path(QStringLiteral("modules")));
            MacroLibrary macros(files);
            QVERIFY(macros.updataNameList(2, names));
            QVERIFY(macros.createMacroIni(names.first(), 0));
            QVERIFY(macros.saveMacroIni(names.first(), {QStringLiteral("1,") + names.last()}, 1));
            files.setData(QStringLiteral("mouseMacroKey/1"), names.first());
        }
        const QByteArray nameFile = tree.read(QStringLiteral("modules/setting/name.bin"));
        QVERIFY2(isAscii(nameFile), nameFile.constData());
        QVERIFY2(nameFile.contains("profileName=" + stored + "\n"), nameFile.constData());
        QVERIFY(isAscii(tree.read(QStringLiteral("modules/setting/p1.bin"))));
        QVERIFY(isAscii(tree.read(QStringLiteral("modules/macro/") + names.first().toUtf8() + ".bin")));

        // A fresh reader gets every name back, from the escaped file and
        // from the same file in raw UTF-8 as Qt itself writes it.
        const QString copy = tree.path(QStringLiteral("raw.bin"));
        {
            QSettings raw(copy, QSettings::IniFormat);
            raw.setValue(QStringLiteral("profile/profileName"), names);
        }
        QVERIFY(!isAscii(tree.read(QStringLiteral("raw.bin")))
                || names.first() == QLatin1String("Standard0"));
        for (const QString &path : {tree.path(QStringLiteral("modules/setting/name.bin")), copy}) {
            const QSettings reader(path, QSettings::IniFormat);
            QCOMPARE(reader.value(QStringLiteral("profile/profileName")).toStringList(), names);
        }
        SettingsFiles files(tree.path(QStringLiteral("modules")));
        MacroLibrary macros(files);
        QCOMPARE(macros.loadMacroIni(names.first()),
                 QStringList({QStringLiteral("1,") + names.last(), QStringLiteral("1")}));
        QCOMPARE(files.getData(QStringLiteral("mouseMacroKey/1"), false).toString(), names.first());
    }

    void escapingLeavesSectionsKeysAndAsciiAlone()
    {
        const QByteArray ascii("[mouse]\nreportRate=2\n[macro]\n0=\"1,A\"\n");
        QCOMPARE(SettingsStore::escapedNonAscii(ascii), ascii);
        QCOMPARE(SettingsStore::escapedNonAscii("[a]\r\nk=\xc3\xa9\x61\x67\r\n"),
                 QByteArray("[a]\r\nk=\\xe9\\x61g\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFileWriting)
#include "test_filewriting.moc"
