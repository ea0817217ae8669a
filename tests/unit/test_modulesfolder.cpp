// Where the program keeps modules/: beside it when it can write there, else
// in the user's copy, which only ever gains the files it lacks.
#include "modulesfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    if (permissions)
        QVERIFY(file.setPermissions(permissions));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestModulesFolder : public QObject
{
    Q_OBJECT

private slots:
    void userCopyFollowsTheDataFolder()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QCOMPARE(ModulesFolder::userCopy(), data.path() + QStringLiteral("/kx20-config/modules"));
        qunsetenv("XDG_DATA_HOME");
    }

    // The first copy takes everything; a later one adds only what a newer
    // package brings and never touches what the user has changed.
    void copyKeepsTheUsersFiles()
    {
        QTemporaryDir dir;
        const QString package = dir.filePath(QStringLiteral("package/modules"));
        const QString copy = dir.filePath(QStringLiteral("home/modules"));
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        writeFile(package + QStringLiteral("/setting/p1.bin"), "[mouse]\nreportRate=3\n", readOnly);
        writeFile(package + QStringLiteral("/i18n/French.ini"), "[main]\ntotal=0\n", readOnly);

        QVERIFY(ModulesFolder::copyMissing(package, copy));
        QCOMPARE(readFile(copy + QStringLiteral("/setting/p1.bin")), QByteArray("[mouse]\nreportRate=3\n"));
        QVERIFY(QFileInfo(copy + QStringLiteral("/setting/p1.bin")).permissions() & QFile::WriteOwner);
        QVERIFY(ModulesFolder::canWrite(copy));

        writeFile(copy + QStringLiteral("/setting/p1.bin"), "[mouse]\nreportRate=0\n");
        writeFile(package + QStringLiteral("/gun/gun1.bin"), "[gun]\n", readOnly);
        QVERIFY(ModulesFolder::copyMissing(package, copy));
        QCOMPARE(readFile(copy + QStringLiteral("/setting/p1.bin")), QByteArray("[mouse]\nreportRate=0\n"));
        QCOMPARE(readFile(copy + QStringLiteral("/gun/gun1.bin")), QByteArray("[gun]\n"));

        // A copy that cannot be made says so.
        QVERIFY(!ModulesFolder::copyMissing(package, QStringLiteral("/proc/kx20-config/modules")));
    }

    // A portable folder the user can write is used as it is, and no copy
    // is made.
    void writableFolderBesideTheProgramIsUsed()
    {
        QTemporaryDir program;
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        writeFile(program.filePath(QStringLiteral("modules/setting/apConfig.bin")), "[common]\n");
        QCOMPARE(ModulesFolder::workingFolder(program.path()), program.path());
        QVERIFY(!QFileInfo::exists(ModulesFolder::userCopy()));
        // Nothing to copy from and nowhere to write: the folder beside the
        // program, whose problem the program then reports.
        QCOMPARE(ModulesFolder::workingFolder(QStringLiteral("/proc/kx20-config")),
                 QStringLiteral("/proc/kx20-config"));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_GUILESS_MAIN(TestModulesFolder)
#include "test_modulesfolder.moc"
