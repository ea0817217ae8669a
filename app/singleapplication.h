#pragma once

#include <QApplication>

#include <memory>

class QLocalServer;
class QLockFile;

// The GUI application that is also the single-instance guard: one instance per
// executable path and user. A later start finds the first through a lock file
// and hands it a message over a local socket, both in a folder that only this
// user can enter, so no other user can take their names first.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(int &argc, char **argv);
    ~SingleApplication() override;

    // True when another instance of this executable runs for this user.
    bool isRunning() const { return m_running; }
    // Sends `message` to the running instance; false when it did not take it
    // within `timeout` milliseconds.
    bool sendMessage(const QString &message, int timeout);

    // The name both instances derive from the executable's path and the user.
    static QString instanceKey(const QString &executablePath);
    // Where the lock file and the socket live: the user's runtime folder, or,
    // where there is none or it is not private, a folder of the user's own
    // with mode 0700. Empty when no such folder can be had.
    static QString channelFolder();

signals:
    void messageReceived(const QString &message);

private:
    bool takeLock(const QString &folder);
    void listen();
    void readConnection();

    QString m_key;
    // The socket's name: a path in the channel folder (a pipe name on Windows).
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    bool m_running = false;
};
