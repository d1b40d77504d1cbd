#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per records folder, so that two copies never overwrite
// each other's games. The lock file is freed with the process, even when it
// crashes; a second start asks the running copy, over a local socket, to
// bring its window forward.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& recordsDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        Claimed,        // this copy runs
        ShownRunning,   // another copy runs and was asked to come forward
        AlreadyRunning, // another copy runs and could not be reached
    };
    Claim claim();

    static QString lockFileName() { return QStringLiteral("tazumeki.lock"); }

signals:
    void showRequested();

private:
    QString serverName() const;

    QString m_dir;
    QLockFile m_lock;
    QLocalServer* m_server = nullptr;
};
