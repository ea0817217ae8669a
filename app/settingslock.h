#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One writer per settings folder: a lock file inside modules/ held for the
// program's life. Whatever became of the single-instance guard (no private
// runtime folder, another copy of the program), a second instance on the same
// folder finds the lock and does not start, so two instances never write the
// same files.
class SettingsLock
{
public:
    explicit SettingsLock(const QString &modulesRoot);
    ~SettingsLock();
    SettingsLock(const SettingsLock &) = delete;
    SettingsLock &operator=(const SettingsLock &) = delete;

    static QString lockPath(const QString &modulesRoot);

    // False when another live instance holds the folder. A folder where no
    // lock file can be made (read-only) holds nothing to protect: true.
    bool isHeld() const { return m_refusal.isEmpty(); }
    // The line that says why this instance does not start; empty when held.
    const QString &refusal() const { return m_refusal; }

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_refusal;
};
