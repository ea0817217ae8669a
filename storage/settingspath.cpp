#include "settingspath.h"

#include <QDebug>
#include <QFileInfo>

namespace {

// Below a file that is not a folder nothing can exist or be created, so a
// store there neither opens nor writes anything.
const QString kDetached = QStringLiteral("/.not-read");

void warnIgnored(const QString &path, const QString &why)
{
    qWarning().noquote()
        << QStringLiteral("Settings file %1 ignored (%2): read as empty, left as it is").arg(path, why);
}

} // namespace

namespace SettingsPath {

QString refusal(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QString();
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    if (info.size() > kMaxBytes)
        return QStringLiteral("%1 bytes, more than a settings file holds").arg(info.size());
    return QString();
}

bool isReadable(const QString &path)
{
    const QString why = refusal(path);
    if (!why.isEmpty())
        warnIgnored(path, why);
    return why.isEmpty() && QFileInfo::exists(path);
}

QString forStore(const QString &path)
{
    const QString why = refusal(path);
    if (why.isEmpty())
        return path;
    warnIgnored(path, why);
    // A store on a folder fails to open it and to write it, without blocking.
    if (QFileInfo(path).isDir())
        return path;
    return path + kDetached;
}

QString original(const QString &storePath)
{
    if (storePath.endsWith(kDetached))
        return storePath.chopped(kDetached.size());
    return storePath;
}

} // namespace SettingsPath
