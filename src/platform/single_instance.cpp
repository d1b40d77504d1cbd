#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

SingleInstance::SingleInstance(const QString& recordsDir, QObject* parent)
    : QObject(parent), m_dir(QDir(recordsDir).absolutePath()), m_lock(QDir(m_dir).filePath(lockFileName()))
{
    // Held for the whole run: only a dead owner makes the lock stale, never its age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName() const
{
    const QByteArray hash = QCryptographicHash::hash(m_dir.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("tazumeki-") + QString::fromLatin1(hash);
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError) {
        // Locked, or the folder takes no lock file at all (read-only): then
        // no copy can save there either, so nothing is at stake.
        QLocalServer::removeServer(serverName()); // left by a crashed copy
        m_server = new QLocalServer(this);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = m_server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                emit showRequested();
            }
        });
        m_server->listen(serverName());
        return Claim::Claimed;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (socket.waitForConnected(1000)) {
        socket.disconnectFromServer();
        return Claim::ShownRunning;
    }
    return Claim::AlreadyRunning;
}
