#include "settingslock.h"

#include "filewriting.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

SettingsLock::SettingsLock(const QString &modulesRoot)
{
    const QString path = lockPath(modulesRoot);
    m_lock = std::make_unique<QLockFile>(path);
    // Only a live process holds the folder; a crashed one's lock is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        QFile::setPermissions(path, FileWriting::createdPermissions());
        return;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &application)) {
        m_refusal = QStringLiteral("Another kx20-config (process %1) already uses the settings in %2; "
                                   "not starting a second one, so that neither loses the other's changes.")
                        .arg(pid)
                        .arg(QDir::toNativeSeparators(QDir(modulesRoot).absolutePath()));
        return;
    }
    qWarning("Settings folder lock %s unusable (%d); starting without it", qPrintable(path),
             int(m_lock->error()));
    m_lock.reset();
}

SettingsLock::~SettingsLock() = default;

QString SettingsLock::lockPath(const QString &modulesRoot)
{
    return QDir(modulesRoot).absoluteFilePath(QStringLiteral(".kx20-config.lock"));
}
