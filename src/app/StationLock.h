#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One station per application directory: an exclusive flock on "alarm.db.lock" beside the alarm log, held for the
// life of the process. The kernel drops it when the process ends, however it ends, so a killed station never blocks
// the next start. The holder also listens beside it, so that a second start can ask it to show its window.
class StationLock : public QObject
{
    Q_OBJECT

public:
    explicit StationLock(const QString& logDir, QObject* parent = nullptr);
    ~StationLock() override;

    // False when another station holds the lock. A lock that cannot be taken at all (a read-only directory) does
    // not stop the station: the log then reports what is wrong with the directory.
    bool Acquire();
    // A second start: asks the holder to show its window; false when nobody answered.
    bool AskHolderToRaise() const;

signals:
    // A second start asked for the window.
    void Sig_RaiseRequested();

private:
    const QString m_lockPath;
    const QString m_socketPath;
    int m_fd = -1;
    QLocalServer* m_server = nullptr;
};
