#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder holding a modules/ tree, made the working directory for
// as long as the object lives, so code under test uses its usual relative
// paths ("./modules/setting/p1.bin").
class ModulesTree
{
public:
    ModulesTree();
    ~ModulesTree();
    ModulesTree(const ModulesTree &) = delete;
    ModulesTree &operator=(const ModulesTree &) = delete;

    // `relative` is relative to the temporary folder, e.g. "modules/setting/p1.bin".
    QString path(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;
    // Every file below the temporary folder with its content, for "nothing
    // else changed" checks.
    QStringList snapshot() const;
    // Copies the installed files of modules/<folder> from the source tree.
    void install(const QString &folder) const;

    // The non-blank lines of section `[group]` of an INI file's bytes, in
    // order, as they are on disk.
    static QStringList groupLines(const QByteArray &ini, const QByteArray &group);

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
