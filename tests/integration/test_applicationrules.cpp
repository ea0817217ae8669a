// The links from applications to profiles in apConfig.bin: which names can
// be links, how hand-written and damaged entries read, and what each change
// leaves in the file.
#include "applicationrules.h"
#include "modulestree.h"
#include "settingsfiles.h"

#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

const QString kApConfig = QStringLiteral("modules/setting/apConfig.bin");

// The [profileLinks] lines of the file as it is on disk, in order.
QStringList storedLinks(const ModulesTree &tree)
{
    return ModulesTree::groupLines(tree.read(kApConfig), "profileLinks");
}

using Links = QMap<QString, int>;

} // namespace

class TestApplicationRules : public QObject
{
    Q_OBJECT

private slots:
    void normalName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal");
        const QString longest(ApplicationRules::kMaxNameLength, QLatin1Char('x'));
        QTest::newRow("class") << "Firefox"
                               << "firefox";
        QTest::newRow("dotted class") << "org.gnome.Nautilus"
                                      << "org.gnome.nautilus";
        QTest::newRow("blanks around") << " \tSteam\n "
                                       << "steam";
        QTest::newRow("blank inside") << "Google Chrome"
                                      << "google chrome";
        QTest::newRow("accented") << QStringLiteral("ÉDITEUR") << QStringLiteral("éditeur");
        QTest::newRow("INI characters") << "a=b;c,d#e"
                                        << "a=b;c,d#e";
        QTest::newRow("longest") << longest << longest;
        QTest::newRow("longest with blanks")
            << QStringLiteral("  ") + longest + QStringLiteral(" ") << longest;
        QTest::newRow("too long") << longest + QLatin1Char('x') << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blanks") << "   " << QString();
        QTest::newRow("slash") << "usr/bin/firefox" << QString();
        QTest::newRow("backslash") << "C:\\firefox.exe" << QString();
        QTest::newRow("tab inside") << "fire\tfox" << QString();
        QTest::newRow("escape") << "fire\x1b"
                                   "fox"
                                << QString();
        QTest::newRow("delete") << "fire\x7f"
                                   "fox"
                                << QString();
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("fox") << QString();
    }

    void normalName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normal);
        QCOMPARE(ApplicationRules::normalName(typed), normal);
    }

    // Hand-written entries: a key in any case names the application in lower
    // case; a value that is not a profile number is no link.
    void storedEntriesRead_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<Links>("links");
        QTest::newRow("plain") << QByteArray("firefox=2\nsteam=0\n")
                               << Links{{QStringLiteral("firefox"), 2}, {QStringLiteral("steam"), 0}};
        QTest::newRow("key in other case")
            << QByteArray("FireFox=9\n") << Links{{QStringLiteral("firefox"), 9}};
        QTest::newRow("blanks around the value")
            << QByteArray("steam=  3  \n") << Links{{QStringLiteral("steam"), 3}};
        QTest::newRow("quoted number") << QByteArray("steam=\"4\"\n") << Links{{QStringLiteral("steam"), 4}};
        QTest::newRow("damaged values") << QByteArray("a=x\nb=-1\nc=10\nd=2.5\ne=\nf=1, 2\ng=0x3\nok=5\n")
                                        << Links{{QStringLiteral("ok"), 5}};
        QTest::newRow("key too long") << QByteArray(ApplicationRules::kMaxNameLength + 1, 'k') + "=1\nok=1\n"
                                      << Links{{QStringLiteral("ok"), 1}};
    }

    void storedEntriesRead()
    {
        QFETCH(QByteArray, lines);
        QFETCH(Links, links);
        ModulesTree tree;
        tree.write(kApConfig, "[mouse]\nprofileNo=0\n\n[profileLinks]\n" + lines);
        SettingsFiles files;
        const ApplicationRules rules(files);
        QCOMPARE(rules.all(), links);
        for (auto it = links.cbegin(); it != links.cend(); ++it) {
            QVERIFY(rules.linksOf(it.value()).contains(it.key()));
            QCOMPARE(rules.profileFor({QStringLiteral("nothing"), it.key().toUpper()}), it.value());
        }
        QCOMPARE(rules.profileFor({QStringLiteral("nothing")}), -1);
    }

    // Every change is in the file when it returns, under the name in lower
    // case, and one name has one link.
    void changesReachTheFile()
    {
        ModulesTree tree;
        tree.write(kApConfig, "[mouse]\nprofileNo=0\n\n[profileLinks]\nFireFox=1\nSteam=2\nbroken=x\n");
        SettingsFiles files;
        ApplicationRules rules(files);

        // Linking again moves the link, whatever the case of the stored key.
        QVERIFY(rules.link(QStringLiteral("FIREFOX"), 3));
        QCOMPARE(storedLinks(tree), (QStringList{QStringLiteral("Steam=2"), QStringLiteral("broken=x"),
                                                 QStringLiteral("firefox=3")}));
        QVERIFY(rules.link(QStringLiteral(" Game "), 2));
        QCOMPARE(rules.linksOf(2), (QStringList{QStringLiteral("game"), QStringLiteral("steam")}));

        // Unlinking finds a key written in another case.
        QVERIFY(rules.unlink(QStringLiteral("STEAM")));
        QCOMPARE(storedLinks(tree), (QStringList{QStringLiteral("broken=x"), QStringLiteral("firefox=3"),
                                                 QStringLiteral("game=2")}));
        // A name without a link is no failure; an unusable one is.
        QVERIFY(rules.unlink(QStringLiteral("steam")));
        QVERIFY(!rules.unlink(QStringLiteral("a/b")));
        QVERIFY(!rules.link(QStringLiteral("a/b"), 1));
        QVERIFY(!rules.link(QStringLiteral("ok"), 10));
        QVERIFY(!rules.link(QStringLiteral("ok"), -1));

        // A deleted profile takes only its own links; a damaged entry stays
        // for the user to see.
        QVERIFY(rules.link(QStringLiteral("Second"), 3));
        QVERIFY(rules.removeProfile(3));
        QCOMPARE(storedLinks(tree), (QStringList{QStringLiteral("broken=x"), QStringLiteral("game=2")}));
        QCOMPARE(rules.all(), (Links{{QStringLiteral("game"), 2}}));
        QVERIFY(rules.removeProfile(7));
        QCOMPARE(storedLinks(tree), (QStringList{QStringLiteral("broken=x"), QStringLiteral("game=2")}));
        // The rest of the file is untouched.
        QVERIFY(tree.read(kApConfig).startsWith("[mouse]\nprofileNo=0\n"));
    }

    // Another program (kx20ctl) changes the links while the store is open:
    // they are read, and changed, as the file holds them now.
    void linksWrittenElsewhereAreSeen()
    {
        ModulesTree tree;
        tree.write(kApConfig, "[profileLinks]\nfirefox=1\n");
        SettingsFiles files;
        ApplicationRules rules(files);
        QCOMPARE(rules.all(), (Links{{QStringLiteral("firefox"), 1}}));
        tree.write(kApConfig, "[profileLinks]\nfirefox=1\nsteam=2\ncode=2\n");
        QCOMPARE(rules.profileFor({QStringLiteral("Steam")}), 2);
        tree.write(kApConfig, "[profileLinks]\nfirefox=1\nsteam=2\ncode=2\nvlc=2\n");
        QVERIFY(rules.removeProfile(2));
        QCOMPARE(storedLinks(tree), QStringList{QStringLiteral("firefox=1")});
    }

    // A file that cannot be written: every change says so, and the links
    // read afterwards are still those of the file.
    void unwritableFileGivesFalse_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file") << "read-only";
        QTest::newRow("larger than a settings file") << "huge";
    }

    void unwritableFileGivesFalse()
    {
        QFETCH(QString, kind);
        ModulesTree tree;
        QByteArray text = "[profileLinks]\nfirefox=1\ngame=2\n";
        if (kind == QLatin1String("huge"))
            text += "\n[padding]\nx=" + QByteArray(2 * 1024 * 1024, 'p') + "\n";
        tree.write(kApConfig, text);
        if (kind == QLatin1String("read-only")) {
            if (::geteuid() == 0)
                QSKIP("the superuser writes read-only files");
            QVERIFY(QFile::setPermissions(tree.path(kApConfig), QFileDevice::ReadOwner));
        }
        SettingsFiles files;
        ApplicationRules rules(files);
        const Links before = rules.all();

        QVERIFY(!rules.link(QStringLiteral("steam"), 3));
        QVERIFY(!rules.link(QStringLiteral("firefox"), 4));
        // Where the file could be read, removing a link it holds fails too.
        if (!before.isEmpty()) {
            QVERIFY(!rules.unlink(QStringLiteral("game")));
            QVERIFY(!rules.removeProfile(1));
        }
        QCOMPARE(tree.read(kApConfig), text);
        QCOMPARE(rules.all(), before);
    }
};

QTEST_MAIN(TestApplicationRules)
#include "test_applicationrules.moc"
