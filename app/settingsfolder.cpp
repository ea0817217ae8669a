#include "settingsfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace SettingsFolder {

QString problem(const QString &modulesRoot)
{
    const QString folder = QDir(modulesRoot).absoluteFilePath(QStringLiteral("setting"));
    // Permission bits do not tell (root, read-only mounts, ACLs): try it.
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    bool writable = probe.open();
    if (writable) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.bin")}, QDir::Files);
        for (const QFileInfo &file : files)
            writable = writable && file.isWritable();
    }
    if (writable)
        return {};
    return QStringLiteral(
               "Settings cannot be saved: the folder %1 is not writable for this user, so the "
               "changes you make will be lost when the program ends. Install kx20-config in a folder "
               "you can write to, or give your user write access to this one.")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace SettingsFolder
