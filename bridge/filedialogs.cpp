#include "filedialogs.h"

#include <QFileInfo>
#include <QRegularExpression>

FileDialogs::~FileDialogs() = default;

QString FileDialogs::suffixOf(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

QString FileDialogs::withSuffixOf(const QString &path, const QString &filter)
{
    const QString suffix = suffixOf(filter);
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString FileDialogs::proposedName(const QString &name, const QString &filter)
{
    return name.isEmpty() ? QString() : withSuffixOf(name, filter);
}
