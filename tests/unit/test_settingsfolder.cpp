#include "settingsfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsFolder : public QObject
{
    Q_OBJECT

private slots:
    void writableFolderIsFine()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
        QFile file(dir.filePath(QStringLiteral("modules/setting/p1.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(SettingsFolder::problem(dir.filePath(QStringLiteral("modules"))), QString());
        // The probe leaves nothing behind.
        QCOMPARE(QDir(dir.filePath(QStringLiteral("modules/setting"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("p1.bin")});
    }

    // Even root cannot create files under /proc, so this holds in CI too.
    void unwritableFolderIsNamed()
    {
        const QString problem = SettingsFolder::problem(QStringLiteral("/proc/kx20-config/modules"));
        QVERIFY(problem.startsWith(QLatin1String("Settings cannot be saved")));
        QVERIFY(problem.contains(QLatin1String("/proc/kx20-config/modules/setting")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFolder)
#include "test_settingsfolder.moc"
