#include "gunlibrary.h"
#include "modulestree.h"
#include "settingsfiles.h"

#include <QTest>

namespace {

const QString kGuns = QStringLiteral("modules/gun/gunData.bin");

QVariantList gun(const QString &name)
{
    return {name, QStringLiteral("L-Click"), 10, 0, 12, 0};
}

QVariantList texts(const QStringList &list)
{
    QVariantList result;
    for (const QString &text : list)
        result.append(text);
    return result;
}

} // namespace

class TestGunLibrary : public QObject
{
    Q_OBJECT

private slots:
    void withoutTheLibraryNothingIsWritten()
    {
        ModulesTree tree;
        SettingsFiles files;
        GunLibrary guns(files);
        QVERIFY(!guns.mouseSaveGundata(QStringLiteral("2"), gun(QStringLiteral("AKM"))));
        QVERIFY(!guns.modifyGundata(0, {QStringLiteral("AKM")}));
        QVERIFY(guns.getGunData(QStringLiteral("2")).isEmpty());
        QVERIFY(guns.getGunDataKey().isEmpty());
        QVERIFY(!tree.exists(QStringLiteral("modules/gun")));
    }

    void entriesAreStoredAndRenamed()
    {
        ModulesTree tree;
        tree.write(kGuns, "[gunData]\nAKM=L-Click, 9, 0, 7, 0\nM416=L-Click, 9, 0, 5, 0\n");
        SettingsFiles files;
        GunLibrary guns(files);
        QVERIFY(guns.mouseSaveGundata(QStringLiteral("2"), gun(QStringLiteral("M16A4")) + QVariantList{99}));
        QVERIFY(tree.read(kGuns).contains("\n2=M16A4, L-Click, 10, 0, 12, 0\n"));
        QCOMPARE(guns.getGunData(QStringLiteral("2")),
                 texts({QStringLiteral("M16A4"), QStringLiteral("L-Click"), QStringLiteral("10"),
                        QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("0")}));
        QVERIFY(guns.getGunData(QStringLiteral("3")).isEmpty());
        QVERIFY(!guns.mouseSaveGundata(QStringLiteral("3"), gun(QStringLiteral("short")).mid(0, 5)));

        QVERIFY(guns.modifyGundata(0, {QStringLiteral("AKM")}));
        QCOMPARE(guns.getGunDataKey(), QStringList({QStringLiteral("2"), QStringLiteral("M416")}));

        QVERIFY(guns.modifyGundata(1, gun(QStringLiteral("HK416")) + QVariantList{QStringLiteral("M416")}));
        QCOMPARE(guns.getGunDataKey(), QStringList({QStringLiteral("2"), QStringLiteral("HK416")}));
        QCOMPARE(guns.getGunData(QStringLiteral("HK416")).size(), 5);

        // A name that would address the whole group, an unknown type or a short
        // list change nothing.
        const QByteArray before = tree.read(kGuns);
        QVERIFY(!guns.modifyGundata(0, {QString()}));
        QVERIFY(!guns.modifyGundata(0, {QStringLiteral("/")}));
        QVERIFY(!guns.modifyGundata(2, {QStringLiteral("2")}));
        QVERIFY(!guns.modifyGundata(QStringLiteral("remove"), {QStringLiteral("2")}));
        QVERIFY(!guns.modifyGundata(1, gun(QStringLiteral("X"))));
        QCOMPARE(tree.read(kGuns), before);
    }

    void sensitivityAndSelectionBelongToTheCurrentProfile()
    {
        ModulesTree tree;
        SettingsFiles files;
        GunLibrary guns(files);
        files.setCurrentProfile(3);
        QCOMPARE(guns.getXYSensitive(QStringLiteral("0")), QVariant(4));
        QCOMPARE(guns.getselectGun(QStringLiteral("0")), QVariant(QString()));
        guns.setXYSensitive(QStringLiteral("0"), 7);
        guns.setSelectGun(QStringLiteral("1"), QStringLiteral("AKM"));
        QCOMPARE(tree.read(QStringLiteral("modules/setting/p4.bin")),
                 QByteArray("[XYSensitive]\n0=7\n\n[selectGun]\n1=AKM\n"));
        QCOMPARE(guns.getXYSensitive(QStringLiteral("0")).toInt(), 7);
        files.setCurrentProfile(0);
        QCOMPARE(guns.getXYSensitive(QStringLiteral("0")), QVariant(4));
    }
};

QTEST_GUILESS_MAIN(TestGunLibrary)
#include "test_gunlibrary.moc"
