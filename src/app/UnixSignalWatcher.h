#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the GUI thread, so that a station stopped by its service
// manager or a terminal shuts down as cleanly as one closed by the operator.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalWatcher(QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

signals:
    void Signalled(int signalNumber);

private:
    static void Handler(int signalNumber);
    void OnReadable();

    QSocketNotifier* m_notifier = nullptr;
};
