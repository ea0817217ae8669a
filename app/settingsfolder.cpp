#include "settingsfolder.h"

#include "modulesfolder.h"

#include <QDir>

namespace SettingsFolder {

QString problem(const QString &modulesRoot)
{
    if (ModulesFolder::canWrite(modulesRoot))
        return {};
    const QString folder = QDir(modulesRoot).absoluteFilePath(QStringLiteral("setting"));
    return QStringLiteral(
               "Settings cannot be saved: the folder %1 is not writable for this user, so the "
               "changes you make will be lost when the program ends. Install kx20-config in a folder "
               "you can write to, or give your user write access to this one.")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace SettingsFolder
