#include "platform/single_instance.h"

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

SingleInstance::Claim SingleInstance::claim()
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
        socket.disconnectFromServer();
        return Claim::ShownRunning;
    }
    return Claim::AlreadyRunning;
}

void SingleInstance::listen()
{
    QLocalServer::removeServer(serverName()); // left by a crashed copy
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit showRequested();
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
