#pragma once

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

class AlarmRecord;
class QWidget;

// Tells the desktop about new error alarms through the freedesktop notification service while the station's
// window is not the active one, and marks the window as wanting attention. In a storm it sends at most one
// notification per interval, summing up the alarms that came meanwhile.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultIntervalMs = 10000;

    // Without a window every new error alarm counts as unseen.
    explicit DesktopNotifier(QWidget* window, const QDBusConnection& bus = QDBusConnection::sessionBus(),
                             int intervalMs = DefaultIntervalMs, QObject* parent = nullptr);

public slots:
    // A record as the display applied it.
    void OnAlarmApplied(const AlarmRecord& record);
    // Monitoring stopped: an error alarm that comes back in the next run is new again.
    void OnMonitoringStopped();

private:
    void Flush();
    void Send(const QString& summary, const QString& body);
    void ReportUnavailable(const QString& reason);

    QWidget* m_window;
    QDBusConnection m_bus;
    int m_intervalMs;
    // Alarms in error now, by identity: a repeated or re-read error alarm is not new.
    QSet<QString> m_inError;
    // New error alarms not yet told: their devices as shown, the first few of them in order, and the text of the
    // first alarm.
    int m_pendingCount = 0;
    QSet<QString> m_pendingDevices;
    QStringList m_namedDevices;
    QString m_firstDevice;
    QString m_firstText;
    QElapsedTimer m_sinceSent;
    QTimer m_flushTimer;
    // The banner shown last, which the next one replaces; 0 for none.
    uint m_shownId = 0;
    bool m_unavailableReported = false;
};
