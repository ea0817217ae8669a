#include "singleapplication.h"

#include "applog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString currentUser()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERDOMAIN") + QLatin1Char('\\') + qEnvironmentVariable("USERNAME");
#endif
}

constexpr char kAck = 'K';

} // namespace

#ifdef Q_OS_UNIX
namespace {

// A folder only this user can enter: ours, a real folder, mode 0700.
bool isPrivateFolder(const QString &path)
{
    const QFileInfo info(path);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                            | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                            | QFileDevice::WriteOther | QFileDevice::ExeOther;
    return !path.isEmpty() && info.isDir() && !info.isSymLink() && info.ownerId() == ::getuid()
           && (info.permissions() & others) == 0;
}

} // namespace

QString SingleApplication::channelFolder()
{
    // Qt checks the runtime folder it is given; without one it would pick a
    // name in /tmp that anyone could take first.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (isPrivateFolder(runtime))
            return runtime;
    }
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                        + QStringLiteral("/kx20-config");
    // Made private from the start; a folder that is already there is used
    // only when it is private, and its mode is never changed: it may not be
    // ours.
    if (!QFileInfo::exists(own) && !QFileInfo(own).isSymLink()
        && QDir().mkpath(QFileInfo(own).absolutePath()))
        QDir().mkdir(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return isPrivateFolder(own) ? own : QString();
}
#else
QString SingleApplication::channelFolder()
{
    return QDir::tempPath();
}
#endif

QString SingleApplication::instanceKey(const QString &executablePath)
{
    const QByteArray id = (executablePath + QLatin1Char('|') + currentUser()).toUtf8();
    return QStringLiteral("kx20-config-")
           + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_key(instanceKey(QCoreApplication::applicationFilePath()))
{
#ifdef Q_OS_UNIX
    const QString folder = channelFolder();
    m_serverName = folder.isEmpty() ? QString() : folder + QLatin1Char('/') + m_key;
#else
    // Pipe names and the temporary folder are the user's own on Windows.
    const QString folder = QDir::tempPath();
    m_serverName = m_key;
#endif
    if (folder.isEmpty()) {
        qCWarning(lcApp, "Single instance guard unavailable: no private folder for it; starting anyway");
        return;
    }
    m_running = !takeLock(folder);
    if (!m_running)
        listen();
}

bool SingleApplication::takeLock(const QString &folder)
{
    const QString path = folder + QLatin1Char('/') + m_key + QStringLiteral(".lock");
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_lock = std::make_unique<QLockFile>(path);
        // A lock left by a crashed instance is stale (its process is gone) and
        // is taken over by QLockFile.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0))
            return true;
        // Only a live instance holding the lock means another one runs;
        // QLockFile has already taken over the lock of a dead one.
        qint64 pid = 0;
        QString host, application;
        if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &application))
            return false;
        // Anything else in its place is no instance of ours: clear it once
        // (a link itself, never what it leads to; a folder only when empty).
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            QDir().rmdir(path);
        else
            QFile::remove(path);
    }
    qCWarning(lcApp, "Single instance lock %s unusable; starting without it", qPrintable(path));
    m_lock.reset();
    return true;
}

SingleApplication::~SingleApplication()
{
    if (m_server)
        m_server->close();
    delete m_server;
    m_lock.reset();
}

void SingleApplication::listen()
{
    m_server = new QLocalServer;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket of that name can only be a crashed
    // instance's leftover.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        qCWarning(lcApp, "Single instance channel unavailable: %s", qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::readConnection);
}

void SingleApplication::readConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QString message;
            in >> message;
            if (!in.commitTransaction())
                return;
            socket->write(&kAck, 1);
            socket->flush();
            emit messageReceived(message);
        });
    }
}

bool SingleApplication::sendMessage(const QString &message, int timeout)
{
    if (!m_running)
        return false;
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // The first instance may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 0))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << message;
    socket.write(payload);
    if (!socket.waitForBytesWritten(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 0))))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return socket.read(1) == QByteArray(1, kAck);
}
