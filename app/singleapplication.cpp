#include "singleapplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
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

QString SingleApplication::instanceKey(const QString &executablePath)
{
    const QByteArray id = (executablePath + QLatin1Char('|') + currentUser()).toUtf8();
    return QStringLiteral("kx20-config-")
           + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_key(instanceKey(QCoreApplication::applicationFilePath()))
    , m_lock(std::make_unique<QLockFile>(QDir::temp().filePath(m_key + QStringLiteral(".lock"))))
{
    // A lock left by a crashed instance is stale (its process is gone) and is
    // taken over by QLockFile.
    m_lock->setStaleLockTime(0);
    m_running = !m_lock->tryLock(0);
    if (!m_running)
        listen();
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
    QLocalServer::removeServer(m_key);
    if (!m_server->listen(m_key)) {
        qWarning("Single instance channel unavailable: %s", qPrintable(m_server->errorString()));
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
        socket.connectToServer(m_key);
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
