#include "storeconventions.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestStoreConventions : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &bytes) const
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static QByteArray bytesOf(const QString &path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    QStringList folderContent() const
    {
        QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    }

private slots:
    void plainFileNames()
    {
        // Names the user may well type must stay usable; the refused ones are
        // checked against the macro operations.
        for (const QString &name :
             {QStringLiteral("Macro_0"), QStringLiteral("a, b = c; d"), QStringLiteral(" lead"),
              QStringLiteral("Répétition 连发"), QStringLiteral("CONSOLE"), QStringLiteral("COM10"),
              QString(251, QLatin1Char('x'))})
            QVERIFY2(Store::isSafeFileName(name), qPrintable(name));
        // Short in characters but too long once encoded for Linux; a lone
        // surrogate has no file-name form; DEL is a control character.
        QVERIFY(!Store::isSafeFileName(QString(100, QChar(0x8FDE))));
        QVERIFY(!Store::isSafeFileName(QString(QChar(0xD800))));
        QVERIFY(!Store::isSafeFileName(QStringLiteral("a\x7f")));
    }

    void replaceFileSwapsWholeFilesOnly()
    {
        const QString target = file(QStringLiteral("target.bin"), "old content");
        const QStringList before = folderContent();
        const QDateTime oldStamp = QFileInfo(target).lastModified();
        QVERIFY(!Store::replaceFile(m_dir.filePath(QStringLiteral("absent")), target));
        QVERIFY(!Store::replaceFile(m_dir.path(), target));
        QVERIFY(!Store::replaceFile(file(QStringLiteral("big"), QByteArray(Store::kMaxFileBytes + 1, 'b')),
                                    target));
#ifdef Q_OS_UNIX
        QVERIFY(!Store::replaceFile(QStringLiteral("/dev/zero"), target));
#endif
        QCOMPARE(bytesOf(target), QByteArray("old content"));
        QStringList expected = before + QStringList(QStringLiteral("big"));
        expected.sort();
        QCOMPARE(folderContent(), expected);

        // Same size, written at once: the new file still has a later stamp.
        QVERIFY(Store::replaceFile(file(QStringLiteral("source"), "new content"), target));
        QCOMPARE(bytesOf(target), QByteArray("new content"));
        QVERIFY(QFileInfo(target).lastModified() > oldStamp);
        QVERIFY(!Store::replaceFile(target, m_dir.path()));
    }

    void newFilesNeverReplaceOldOnes()
    {
        const QString source = file(QStringLiteral("in"), "macro");
        const QString taken = file(QStringLiteral("taken.bin"), "mine");
        QVERIFY(!Store::copyToNewFile(source, taken));
        QVERIFY(!Store::renameToNewFile(source, taken));
        QCOMPARE(bytesOf(taken), QByteArray("mine"));

        const QString fresh = m_dir.filePath(QStringLiteral("sub/fresh.bin"));
        QVERIFY(Store::copyToNewFile(source, fresh));
        QCOMPARE(bytesOf(fresh), QByteArray("macro"));
        QCOMPARE(QDir(m_dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files),
                 QStringList(QStringLiteral("fresh.bin")));
        QVERIFY(!Store::copyToNewFile(m_dir.filePath(QStringLiteral("absent")),
                                      m_dir.filePath(QStringLiteral("x"))));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("x"))));

        QVERIFY(Store::renameToNewFile(fresh, m_dir.filePath(QStringLiteral("moved.bin"))));
        QVERIFY(!QFileInfo::exists(fresh));
        QCOMPARE(bytesOf(m_dir.filePath(QStringLiteral("moved.bin"))), QByteArray("macro"));
    }
};

QTEST_GUILESS_MAIN(TestStoreConventions)
#include "test_storeconventions.moc"
