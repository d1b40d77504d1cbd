#include "platform/single_instance.h"

#include <memory>

#include "platform/files.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTimer>

SingleInstance::SingleInstance(const QString& recordsDir, QObject* parent)
    : QObject(parent), m_dir(QDir(recordsDir).absolutePath()), m_lock(QDir(m_dir).filePath(lockFileName()))
{
    // Held for the whole run: only a dead owner makes a lock of this machine
    // stale, never its age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const
{
    return QDir(m_dir).filePath(lockFileName());
}

QString SingleInstance::serverName() const
{
    const QByteArray hash = QCryptographicHash::hash(m_dir.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("tazumeki-") + QString::fromLatin1(hash);
}

bool SingleInstance::foreignAndStale()
{
    qint64 pid = 0;
    QString host;
    QString application;
    const bool known = m_lock.getLockInfo(&pid, &host, &application);
    if (known && (host.isEmpty() || host == QSysInfo::machineHostName())) {
        return false; // a copy of this machine: Qt has checked that it lives
    }
    const QDateTime renewed = QFileInfo(lockPath()).lastModified();
    return renewed.isValid() && renewed.msecsTo(QDateTime::currentDateTime()) > kForeignStaleMs;
}

SingleInstance::Claim SingleInstance::claim(const QString& message)
{
    const PathKind kind = pathKind(lockPath());
    if (kind == PathKind::Link || kind == PathKind::Other) {
        return Claim::NotAFile;
    }
    bool locked = m_lock.tryLock(0);
    if (!locked && m_lock.error() == QLockFile::LockFailedError && foreignAndStale() && m_lock.removeStaleLockFile()) {
        locked = m_lock.tryLock(0);
    }
    if (locked) {
        listen();
        return Claim::Claimed;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        return Claim::CannotLock;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (socket.waitForConnected(1000)) {
        if (!message.isEmpty()) {
            socket.write(message.toUtf8().left(kLongestMessage));
            socket.waitForBytesWritten(1000);
        }
        socket.disconnectFromServer();
        return Claim::ShownRunning;
    }
    return Claim::AlreadyRunning;
}

void SingleInstance::listen()
{
    QLocalServer::removeServer(serverName()); // left by a crashed copy
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption); // other users have nothing to ask
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            // The message is whatever came before the other copy hung up.
            auto received = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
                received->append(socket->read(kLongestMessage - received->size()));
                if (received->size() >= kLongestMessage) {
                    socket->abort();
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, [this, socket, received] {
                received->append(socket->read(kLongestMessage - received->size()));
                socket->deleteLater();
                emit showRequested(QString::fromUtf8(*received));
            });
            if (socket->state() != QLocalSocket::ConnectedState) { // gone before we looked
                received->append(socket->readAll().left(kLongestMessage));
                socket->deleteLater();
                emit showRequested(QString::fromUtf8(*received));
            }
        }
    });
    m_server->listen(serverName());
    // Copies on other machines see the lock renewed and leave it alone.
    m_renew = new QTimer(this);
    m_renew->setInterval(kRenewMs);
    connect(m_renew, &QTimer::timeout, this, [this] {
        QFile lock(lockPath());
        if (lock.open(QIODevice::ReadWrite)) {
            lock.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        }
    });
    m_renew->start();
}
