#include "modulestree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

ModulesTree::ModulesTree()
    : m_previous(QDir::currentPath())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("modules/setting"));
    QDir::setCurrent(m_dir.path());
}

ModulesTree::~ModulesTree()
{
    QDir::setCurrent(m_previous);
}

QString ModulesTree::path(const QString &relative) const
{
    return m_dir.filePath(relative);
}

void ModulesTree::write(const QString &relative, const QByteArray &bytes) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(target));
}

QByteArray ModulesTree::read(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ModulesTree::exists(const QString &relative) const
{
    return QFileInfo::exists(path(relative));
}

QStringList ModulesTree::snapshot() const
{
    QStringList files;
    QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        files.append(file + QLatin1Char('=') + QString::fromLatin1(f.readAll().toHex()));
    }
    files.sort();
    return files;
}

void ModulesTree::install(const QString &folder) const
{
    const QDir source(QStringLiteral(KX20_SOURCE_DIR "/modules/") + folder);
    const QStringList names = source.entryList(QDir::Files);
    for (const QString &name : names) {
        QFile file(source.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        write(QStringLiteral("modules/") + folder + QLatin1Char('/') + name, file.readAll());
    }
}

QStringList ModulesTree::groupLines(const QByteArray &ini, const QByteArray &group)
{
    QStringList lines;
    bool inGroup = false;
    const QList<QByteArray> all = ini.split('\n');
    for (const QByteArray &line : all) {
        if (line.startsWith('['))
            inGroup = line == '[' + group + ']';
        else if (inGroup && !line.trimmed().isEmpty())
            lines << QString::fromUtf8(line);
    }
    return lines;
}
