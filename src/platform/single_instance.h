#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QTimer;

// One running copy per records folder, so that two copies never overwrite
// each other's games. The lock file is freed with the process, even when it
// crashes; a second start asks the running copy, over a local socket, to
// bring its window forward. A lock whose owner cannot be checked (a copy on
// another machine sharing the folder, or a lock file that cannot be read)
// counts as left behind once it has not been renewed for kForeignStaleMs:
// the running copy renews its lock much more often.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& recordsDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        Claimed,        // this copy runs
        ShownRunning,   // another copy runs and was asked to come forward
        AlreadyRunning, // another copy holds the lock and could not be reached
        CannotLock,     // the folder takes no lock file: it cannot be written
        NotAFile,       // the lock's place holds a link or no plain file: left alone
    };
    // message: handed to the running copy when there is one (a set file
    // to open); at most kLongestMessage bytes of UTF-8 are read.
    Claim claim(const QString& message = QString());
    static constexpr int kLongestMessage = 4096;

    static QString lockFileName() { return QStringLiteral("tazumeki.lock"); }
    QString lockPath() const;

    static constexpr int kRenewMs = 5 * 60 * 1000;
    static constexpr int kForeignStaleMs = 20 * 60 * 1000;

signals:
    // Another start asked this copy to come forward, with its message.
    void showRequested(const QString& message);

private:
    QString serverName() const;
    bool foreignAndStale();
    void listen();

    QString m_dir;
    QLockFile m_lock;
    QLocalServer* m_server = nullptr;
    QTimer* m_renew = nullptr;
};
