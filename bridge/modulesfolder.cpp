#include "modulesfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace ModulesFolder {

bool canWrite(const QString &modulesRoot)
{
    const QString folder = QDir(modulesRoot).absoluteFilePath(QStringLiteral("setting"));
    // Permission bits do not tell (root, read-only mounts, ACLs): try it.
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    if (!probe.open())
        return false;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.bin")}, QDir::Files);
    for (const QFileInfo &file : files) {
        if (!file.isWritable())
            return false;
    }
    return true;
}

QString userCopy()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/kx20-config/modules");
}

bool copyMissing(const QString &from, const QString &to)
{
    const QDir source(from);
    bool complete = QDir().mkpath(to);
    QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(file));
        if (QFileInfo::exists(target))
            continue;
        const bool copied = QDir().mkpath(QFileInfo(target).absolutePath()) && QFile::copy(file, target);
        // A package's files may be read-only; the user's copies must not be.
        complete = copied && QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner)
                   && complete;
    }
    return complete;
}

QString workingFolder(const QString &programDir)
{
    const QString beside = QDir(programDir).filePath(QStringLiteral("modules"));
    if (canWrite(beside))
        return programDir;
    const QString copy = userCopy();
    if (!QFileInfo(beside).isDir() || !copyMissing(beside, copy) || !canWrite(copy))
        return programDir;
    return QFileInfo(copy).absolutePath();
}

} // namespace ModulesFolder
