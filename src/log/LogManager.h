#pragma once

#include "alarm/AlarmHandlingLog.h"
#include "config/DeviceConfigFile.h"
#include "log/LogWriteThread.h"
#include "northbound/ActiveAlarms.h"
#include "northbound/AlertmanagerTarget.h"
#include "northbound/SyslogTarget.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class AlarmRecord;
class LogDatabase;
class NorthboundSender;
struct LogBrowserPrompts;
class SystemConfigFile;
struct DeviceStateRead;

// Turns the stream of routed alarms into alarm-log rows: a row when an alarm starts, its end time when the
// matching recovery arrives, old rows purged once a day. The writing runs on the log's own thread, so that
// AddAlarm never waits on the disk; the GUI thread has its own connection for the log browser.
class LogManager : public AlarmHandlingLog
{
public:
    // Receives the error text when the log cannot be opened; the window shows it to the operator.
    using OpenFailureHandler = std::function<void(const QString& errorText)>;

    // Opens the log at once. onWriteFailure is called on the log's thread.
    explicit LogManager(OpenFailureHandler onOpenFailure = {}, LogClock clock = {},
                        WriteFailureHandler onWriteFailure = {});
    ~LogManager() override;
    LogManager(const LogManager&) = delete;
    LogManager& operator=(const LogManager&) = delete;

    // GUI thread. Opens the log if it is not open.
    void Open();
    // GUI thread. Writes what has been accepted, then closes the file completely (nothing left in a side
    // journal), so that alarm.db can be copied; alarms that arrive while closed are not logged.
    void Close();
    // GUI thread. Keeps log_save_time for the daily purge; while open, purges at once.
    void SetSystemConfig(const SystemConfigFile& config);
    // GUI thread. Keeps a copy for the log browser.
    void SetDeviceConfig(const DeviceConfigFile& config);
    // Alarm handler's thread; the record is borrowed for the call and copied. Returns the start of the log row the
    // record belongs to (its own time for a new alarm); null when it belongs to none or the log is closed.
    QDateTime AddAlarm(const AlarmRecord* record);
    // Any thread. A device's complete state read: its open rows that the read found no longer active end.
    void Settle(const DeviceStateRead& read);
    // GUI thread. Monitoring starts or stops: recorded beside the alarms, so that the time between runs shows as not
    // monitored.
    void BeginRun();
    void EndRun();
    // Never on the GUI thread, which must not wait for the disk. Returns once every alarm added before the call is
    // in the file.
    void Flush();
    // GUI thread, before alarms arrive. Called on the log's thread with how many alarms were lost while the log
    // could not be written.
    void SetLostHandler(LostHandler handler) { m_writer.SetLostHandler(std::move(handler)); }
    // GUI thread. Runs the log browser modally on the GUI thread's connection; defined with the browser in the gui
    // library.
    void ShowLogDialog(const LogBrowserPrompts& prompts);
    // GUI thread. From now on every alarm start and end that reaches the file also goes to these collectors as a
    // syslog message; an empty list sends nothing.
    void SetSyslogTargets(const QList<SyslogTarget>& targets);
    // GUI thread. Likewise to these Alertmanagers, each active alarm again once a minute.
    void SetAlertmanagerTargets(const QList<AlertmanagerTarget>& targets);

    // For the metrics, from any thread; never waits for the writer. The receivers must not be replaced meanwhile.
    quint64 RowsWrittenCount() const { return m_rowsWritten; }
    quint64 RowEndsWrittenCount() const { return m_rowEndsWritten; }
    quint64 WriteFailureCount() const { return m_writer.WriteFailureCount(); }
    size_t QueueLength() const { return m_writer.QueueLength(); }
    const ActiveAlarms& Active() const { return m_activeAlarms; }
    std::vector<const NorthboundSender*> Receivers() const;

    // AlarmHandlingLog, GUI thread. While closed nothing is kept or loaded.
    void AddAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledgements) override;
    void AddShelfChange(const AlarmShelf& shelf) override;
    bool LoadHandling(const QDateTime& now, QList<AlarmAcknowledgement>& openAcknowledgements,
                      QList<AlarmShelf>& shelves, QList<AlarmRecord>* unacknowledgedEnds) override;

private:
    // On the writer's thread, after each commit.
    void Forward(const std::vector<AlarmRecord>& logged);
    // Keeps the writer from forwarding while the receivers change.
    void ChangeReceivers(const std::function<void()>& change);

    OpenFailureHandler m_onOpenFailure;
    // Declared before the writer, so that they outlive its last call into them.
    ActiveAlarms m_activeAlarms;
    std::vector<std::unique_ptr<NorthboundSender>> m_syslogSenders;
    std::vector<std::unique_ptr<NorthboundSender>> m_alertmanagerSenders;
    std::atomic<quint64> m_rowsWritten{0};
    std::atomic<quint64> m_rowEndsWritten{0};
    // The GUI thread's connection, handed to the log browser; null while closed.
    std::unique_ptr<LogDatabase> m_database;
    DeviceConfigFile m_deviceConfig;
    LogWriteThread m_writer;
};
