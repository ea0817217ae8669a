#include "fakefiledialogs.h"
#include "modulestree.h"
#include "settingsfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

const QString kP1 = QStringLiteral("modules/setting/p1.bin");
const QString kP2 = QStringLiteral("modules/setting/p2.bin");
const QString kP3 = QStringLiteral("modules/setting/p3.bin");
const QString kP4 = QStringLiteral("modules/setting/p4.bin");
const QString kP5 = QStringLiteral("modules/setting/p5.bin");
const QString kPD = QStringLiteral("modules/setting/pD.bin");
const QString kAp = QStringLiteral("modules/setting/apConfig.bin");

const QByteArray kFactory = "[mouse]\nreportRate=1\n\n[mouseKeyMatrix]\n3=0, 0, 244, 0\n";

// Lets every deferred deletion and queued settings update run, so a store
// that could still write has done so before the bytes are checked.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private slots:
    void missingFilesReadAsDefaultsAndFirstWriteCreatesThem()
    {
        ModulesTree tree;
        QDir(tree.path(QStringLiteral("modules"))).removeRecursively();
        SettingsFiles files;
        QVERIFY(!files.getData(QStringLiteral("mouse/reportRate"), false).isValid());
        QVERIFY(files.getDataList(QStringLiteral("mouse/fixColor"), true).isEmpty());
        QVERIFY(files.mouseGetKeydefine(QStringLiteral("0"), false).isEmpty());
        QVERIFY(!files.getGlobalBool(QStringLiteral("mouse/isGun")));
        QVERIFY(files.getGlobalData(QStringLiteral("mouse/icType")).toString().isEmpty());
        QVERIFY(!tree.exists(QStringLiteral("modules")));

        files.setData(QStringLiteral("mouse/reportRate"), 2);
        QCOMPARE(tree.read(kP1), QByteArray("[mouse]\nreportRate=2\n"));
        // A key that names nothing writes nothing.
        files.setGlobalData(QString(), 1);
        files.setGlobalData(QStringLiteral("//"), 1);
        QVERIFY(!tree.exists(kAp));
    }

    void valuesKeepTheStoreForms()
    {
        ModulesTree tree;
        tree.write(kP1, "[mouse]\nreportRate=2\nplain=7\n");
        SettingsFiles files;
        QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), false), QVariant(QStringLiteral("2")));
        QVERIFY(files.getDataList(QStringLiteral("mouse/plain"), false).isEmpty());

        files.setDataList(QStringLiteral("mouse/fixColor"), {255, 0, 16});
        QVERIFY(tree.read(kP1).contains("\nfixColor=255, 0, 16\n"));
        const QVariantList texts{QStringLiteral("255"), QStringLiteral("0"), QStringLiteral("16")};
        QCOMPARE(files.getDataList(QStringLiteral("mouse/fixColor"), false), texts);

        // One element is written as plain text, never as a binary blob, and
        // reads back as a plain value, now and after a restart.
        files.setDataList(QStringLiteral("mouse/one"), {7});
        QVERIFY(tree.read(kP1).contains("\none=7\n"));
        QVERIFY(files.getDataList(QStringLiteral("mouse/one"), false).isEmpty());
        QCOMPARE(files.getData(QStringLiteral("mouse/one"), false).toString(), QStringLiteral("7"));
        SettingsFiles fresh;
        QVERIFY(fresh.getDataList(QStringLiteral("mouse/one"), false).isEmpty());
        QCOMPARE(fresh.getData(QStringLiteral("mouse/one"), false).toString(), QStringLiteral("7"));
        QCOMPARE(fresh.getDataList(QStringLiteral("mouse/fixColor"), false), texts);

        // A list given to setGlobalData is stored as a list too.
        files.setGlobalData(QStringLiteral("mouse/selectGun"), QVariantList{0, 1, 2});
        QVERIFY(tree.read(kAp).contains("selectGun=0, 1, 2\n"));
    }

    void flagsFollowTheBoolRule()
    {
        ModulesTree tree;
        tree.write(kAp,
                   "[mouse]\na=true\nb=TRUE\nc=yes\nd=-1\ne=false\nf=False\ng=0\nh=\ni=\"x, y\"\nj=x, y\n");
        SettingsFiles files;
        for (const char *key : {"a", "b", "c", "d", "i"})
            QVERIFY2(files.getGlobalBool(QStringLiteral("mouse/") + QLatin1String(key)), key);
        for (const char *key : {"e", "f", "g", "h", "j", "absent"})
            QVERIFY2(!files.getGlobalBool(QStringLiteral("mouse/") + QLatin1String(key)), key);
    }

    void damagedContentGivesDefinedResults()
    {
        ModulesTree tree;
        tree.write(kP1, QByteArray("\x00\xff\xfe[[[\n=\n;;\n\"\"\"\nmouse/x\n", 25));
        QByteArray many = "[mouse]\nmany=0";
        for (int i = 1; i < 5000; ++i)
            many += ", " + QByteArray::number(i);
        tree.write(kP2, many + "\nrate=1, 2\n\n[mouseKeyMatrix]\n3=a, b, c, d\n4=5\n");
        SettingsFiles files;
        QVERIFY(!files.getData(QStringLiteral("mouse/reportRate"), false).isValid());
        QVERIFY(files.mouseGetKeydefine(QStringLiteral("3"), false).isEmpty());

        files.setCurrentProfile(1);
        QCOMPARE(files.getDataList(QStringLiteral("mouse/many"), false).size(), 5000);
        QCOMPARE(files.getData(QStringLiteral("mouse/rate"), false).toStringList(),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("3"), false).size(), 4);
        QVERIFY(files.mouseGetKeydefine(QStringLiteral("4"), false).isEmpty());
        QVERIFY(files.mouseGetKeydefine(QStringLiteral("/"), false).isEmpty());
    }

    void currentProfileSelectsTheFile()
    {
        ModulesTree tree;
        tree.write(kPD, kFactory);
        tree.write(kP1, "[mouseKeyMatrix]\n3=2, 1, 4, 0\n");
        SettingsFiles files;
        const QVariantList factoryButton{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("244"),
                                         QStringLiteral("0")};
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("3"), true), factoryButton);
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("3"), false).value(0), QVariant(QStringLiteral("2")));

        files.setCurrentProfile(2);
        files.setData(QStringLiteral("mouse/reportRate"), 0);
        QCOMPARE(tree.read(kP3), QByteArray("[mouse]\nreportRate=0\n"));
        QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), true), QVariant(QStringLiteral("1")));
        QCOMPARE(files.mouseGetKeydefine(QStringLiteral("3"), true), factoryButton);
        QVERIFY(files.mouseGetKeydefine(QStringLiteral("3"), false).isEmpty());

        // Numbers outside the ten profiles leave the current one in place.
        files.setCurrentProfile(10);
        files.setCurrentProfile(-1);
        QCOMPARE(files.currentProfile(), 2);
        QVERIFY(!files.profile(10));
        QVERIFY(!files.resetProfile(10) && !files.copyProfile(-1, 0) && !files.copyProfile(0, 12));
    }

    void resetProfileLeavesAByteCopyOfTheFactoryProfile()
    {
        ModulesTree tree;
        tree.write(kPD, kFactory);
        tree.write(kP5, "[mouse]\nreportRate=3\nextra=1\n");
        {
            SettingsFiles files;
            files.setCurrentProfile(4);
            files.setData(QStringLiteral("mouse/reportRate"), 0);
            QVERIFY(files.resetProfile(4));
            QCOMPARE(tree.read(kP5), kFactory);
            QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), false), QVariant(QStringLiteral("1")));
            QVERIFY(!files.getData(QStringLiteral("mouse/extra"), false).isValid());
        }
        settle();
        QCOMPARE(tree.read(kP5), kFactory);
    }

    void replacedFileNeverGetsOldValuesBack()
    {
        // The same size on purpose: a store that judged the file by size and
        // time stamp alone would keep serving the old content.
        ModulesTree tree;
        tree.write(kP2, "[mouse]\nreportRate=1\n");
        tree.write(kP4, "[mouse]\nreportRate=3\n");
        {
            SettingsFiles files;
            files.setCurrentProfile(1);
            files.setData(QStringLiteral("mouse/reportRate"), 2);
            QCOMPARE(tree.read(kP2), QByteArray("[mouse]\nreportRate=2\n"));
            // Written by other code through the store, not yet on disk.
            files.current().setValue(QStringLiteral("mouse/dpiCount"), 8);

            QVERIFY(files.copyProfile(1, 3));
            QCOMPARE(tree.read(kP2), tree.read(kP4));
            QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), false), QVariant(QStringLiteral("3")));
            QVERIFY(!files.getData(QStringLiteral("mouse/dpiCount"), false).isValid());
            settle();
            files.setData(QStringLiteral("mouse/scrollRate"), 5);
        }
        settle();
        const QByteArray p2 = tree.read(kP2);
        QVERIFY2(p2.contains("reportRate=3\n") && p2.contains("scrollRate=5\n"), p2.constData());
        QVERIFY2(!p2.contains("reportRate=2") && !p2.contains("dpiCount"), p2.constData());
        QCOMPARE(tree.read(kP4), QByteArray("[mouse]\nreportRate=3\n"));

        SettingsFiles again;
        again.setCurrentProfile(1);
        QCOMPARE(again.getData(QStringLiteral("mouse/reportRate"), false), QVariant(QStringLiteral("3")));
    }

    void copyProfileCopiesOnlyOntoAnotherProfile()
    {
        ModulesTree tree;
        tree.write(kP2, "[mouse]\nreportRate=0\n");
        tree.write(kP3, "[mouse]\nreportRate=2\nscrollRate=3\n");
        tree.write(kP4, "[mouse]\nreportRate=3\ndpiCount=6\n");
        const QDateTime p3Stamp = QFileInfo(tree.path(kP3)).lastModified();
        SettingsFiles files;
        QVERIFY(files.copyProfile(1, 3));
        QCOMPARE(tree.read(kP2), tree.read(kP4));
        QCOMPARE(tree.read(kP4), QByteArray("[mouse]\nreportRate=3\ndpiCount=6\n"));

        QVERIFY(!files.copyProfile(2, 2));
        QCOMPARE(tree.read(kP3), QByteArray("[mouse]\nreportRate=2\nscrollRate=3\n"));
        QCOMPARE(QFileInfo(tree.path(kP3)).lastModified(), p3Stamp);
    }

    void failedReplacementKeepsTheOldFile()
    {
        ModulesTree tree;
        const QByteArray ap = "[mouse]\nicType=553\n";
        tree.write(kAp, ap);
        tree.write(kP1, "[mouse]\nreportRate=2\n");
        tree.write(QStringLiteral("big.pf"), QByteArray(2 * 1024 * 1024, 'x'));
        SettingsFiles files;
        QVERIFY(!files.resetApconfig()); // no apConfigD.bin
        QCOMPARE(tree.read(kAp), ap);
        QCOMPARE(files.getGlobalData(QStringLiteral("mouse/icType")), QVariant(QStringLiteral("553")));

        for (const QString &chosen :
             {tree.path(QStringLiteral("absent.pf")), tree.path(QStringLiteral("modules")),
              tree.path(QStringLiteral("big.pf"))}) {
            QVERIFY2(!files.loadProfile(0, chosen), qPrintable(chosen));
            QCOMPARE(tree.read(kP1), QByteArray("[mouse]\nreportRate=2\n"));
        }
        QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), false), QVariant(QStringLiteral("2")));

        tree.write(QStringLiteral("modules/setting/apConfigD.bin"), "[mouse]\nicType=560\n");
        QVERIFY(files.resetApconfig());
        QCOMPARE(tree.read(kAp), QByteArray("[mouse]\nicType=560\n"));
        QCOMPARE(files.getGlobalData(QStringLiteral("mouse/icType")), QVariant(QStringLiteral("560")));
    }

    void importAndExportAskTheUser()
    {
        ModulesTree tree;
        const QByteArray original = "[mouse]\nreportRate=2\n";
        tree.write(kP1, original);
        SettingsFiles files;
        FakeFileDialogs dialogs;

        QVERIFY(!files.loadProfile(0, dialogs));
        QCOMPARE(dialogs.asked, QStringList(QStringLiteral("open|Open File|Profile(*.pf)")));
        QCOMPARE(tree.read(kP1), original);

        const QByteArray imported = "[mouse]\nreportRate=1\n; whatever the file holds\n";
        tree.write(QStringLiteral("chosen.pf"), imported);
        dialogs.answer = tree.path(QStringLiteral("chosen.pf"));
        QVERIFY(files.loadProfile(0, dialogs));
        QCOMPARE(tree.read(kP1), imported);
        QCOMPARE(files.getData(QStringLiteral("mouse/reportRate"), false), QVariant(QStringLiteral("1")));

        // Export takes what was written through the store, and replaces an
        // existing file.
        files.current().setValue(QStringLiteral("mouse/scrollRate"), 4);
        tree.write(QStringLiteral("out.pf"), "old export, much longer than the profile itself ...........\n");
        dialogs.answer = tree.path(QStringLiteral("out.pf"));
        dialogs.asked.clear();
        QVERIFY(files.saveProfile(0, dialogs, QStringLiteral("Work")));
        QCOMPARE(dialogs.asked, QStringList(QStringLiteral("save|Save File|Profile(*.pf)|Work.pf")));
        QCOMPARE(tree.read(QStringLiteral("out.pf")), tree.read(kP1));
        QVERIFY(tree.read(QStringLiteral("out.pf")).contains("scrollRate=4"));

        // A name typed without an extension gets the profile one; one typed
        // with its own is kept.
        for (const auto &[typed, written] :
             {std::pair{"bare", "bare.pf"}, std::pair{"named.txt", "named.txt"}}) {
            dialogs.answer = tree.path(QLatin1String(typed));
            QVERIFY(files.saveProfile(0, dialogs));
            QCOMPARE(tree.read(QLatin1String(written)), tree.read(kP1));
        }
        QVERIFY(!tree.exists(QStringLiteral("bare")));

        dialogs.answer.clear();
        QVERIFY(!files.saveProfile(1, dialogs));
        QVERIFY(!tree.exists(QStringLiteral("p2.pf")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "test_settingsfiles.moc"
