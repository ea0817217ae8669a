// A settings path that is a pipe, a folder, or a file far larger than any of
// ours: every reader of the settings, macro, gun and language files takes it
// as missing, says so once naming it, blocks on nothing, and leaves it as it is.
#include "deviceentry.h"
#include "gunlibrary.h"
#include "languagestrings.h"
#include "macrolibrary.h"
#include "modulestree.h"
#include "settingsfiles.h"
#include "settingspath.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

QStringList g_warnings;

void recordWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        g_warnings.append(message);
}

// Kind, size and content digest; reading a pipe's content would block.
QString describe(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("missing");
    if (!info.isFile())
        return info.isDir() ? QStringLiteral("folder") : QStringLiteral("special");
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QStringLiteral("file %1 %2")
        .arg(info.size())
        .arg(QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()));
}

} // namespace

class TestSpecialFiles : public QObject
{
    Q_OBJECT

private slots:
    void specialPathsReadAsMissing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        const QStringList files = {
            QStringLiteral("setting/apConfig.bin"), QStringLiteral("setting/p1.bin"),
            QStringLiteral("setting/pD.bin"),       QStringLiteral("setting/name.bin"),
            QStringLiteral("macro/Burst.bin"),      QStringLiteral("gun/gunData.bin"),
            QStringLiteral("i18n/English.ini"),
        };
        for (const QString &file : files) {
            for (const char *kind : {"pipe", "folder", "huge"})
                QTest::newRow(qPrintable(file + QLatin1Char(' ') + QLatin1String(kind)))
                    << file << QString::fromLatin1(kind);
        }
    }

    void specialPathsReadAsMissing()
    {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        ModulesTree tree;
        for (const char *folder : {"setting", "gun", "i18n"})
            tree.install(QLatin1String(folder));
        tree.write(QStringLiteral("modules/macro/Burst.bin"), "[config]\ntotal=0\nrepeat=1\n");
        const QString path = tree.path(QStringLiteral("modules/") + file);
        QFile::remove(path);
        if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            // Readable settings, then far more than any of our files holds.
            QByteArray huge("[mouse]\nreportRate=2\n[macro]\nmacroName=Burst, Rapid\n[config]\ntotal=0\n");
            huge.append(QByteArray(int(SettingsPath::kMaxBytes), ';'));
            tree.write(QStringLiteral("modules/") + file, huge);
        }
        const QString before = describe(path);

        g_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordWarnings);
        {
            SettingsFiles files(tree.path(QStringLiteral("modules")));
            MacroLibrary macros(files);
            GunLibrary guns(files);
            const LanguageStrings language(tree.path(QStringLiteral("modules")));
            DeviceEntry::readTable(files.settingPath(QStringLiteral("apConfig.bin")));
            files.getData(QStringLiteral("mouse/reportRate"), false);
            files.getData(QStringLiteral("mouse/reportRate"), true);
            files.setData(QStringLiteral("mouse/reportRate"), 3);
            files.setGlobalData(QStringLiteral("mouse/profileNo"), 0);
            macros.getNameList(0);
            macros.updataNameList(0, {QStringLiteral("Burst"), QStringLiteral("Rapid")});
            macros.loadMacroIni(QStringLiteral("Burst"));
            macros.saveMacroIni(QStringLiteral("Burst"), {QStringLiteral("1,A")}, 2);
            guns.getGunData(QStringLiteral("0"));
            guns.mouseSaveGundata(QStringLiteral("9"), {1, 2, 3, 4, 5, 6});
            language.getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
            files.syncAll();
        }
        qInstallMessageHandler(previous);

        QCOMPARE(describe(path), before);
        QVERIFY2(!g_warnings.filter(path).isEmpty(), qPrintable(g_warnings.join(QLatin1Char('\n'))));
        // Nothing was made beside or below it either.
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".lock")));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(path).isEmpty());
    }

    // What the stores read from such a file: nothing.
    void hugeProfileReadsAsEmpty()
    {
        ModulesTree tree;
        tree.install(QStringLiteral("setting"));
        QByteArray huge("[mouse]\nreportRate=2\n");
        huge.append(QByteArray(int(SettingsPath::kMaxBytes), ';'));
        tree.write(QStringLiteral("modules/setting/p2.bin"), huge);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("p2\\.bin ignored")));
        SettingsFiles files(tree.path(QStringLiteral("modules")));
        files.setCurrentProfile(1);
        QVERIFY(!files.getData(QStringLiteral("mouse/reportRate"), false).isValid());
        files.setCurrentProfile(0);
        QVERIFY(files.getData(QStringLiteral("mouse/reportRate"), false).isValid());
        // Replacing it on purpose still works.
        QVERIFY(files.resetProfile(1));
        QCOMPARE(tree.read(QStringLiteral("modules/setting/p2.bin")),
                 tree.read(QStringLiteral("modules/setting/pD.bin")));
    }
};

QTEST_MAIN(TestSpecialFiles)
#include "test_specialfiles.moc"
