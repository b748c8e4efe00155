#include "log/LogManager.h"

#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "log/LogDatabase.h"
#include "northbound/AlertmanagerSender.h"
#include "northbound/SyslogSender.h"

#include <QDebug>
#include <QDir>

LogManager::LogManager(OpenFailureHandler onOpenFailure, LogClock clock, WriteFailureHandler onWriteFailure)
    : m_onOpenFailure(std::move(onOpenFailure)), m_writer(std::move(clock), std::move(onWriteFailure))
{
    // No receivers yet; the active alarms and the counts follow the log from the start.
    ChangeReceivers([] {});
    m_writer.SetOpenedHandler([this](const std::vector<AlarmRecord>& openRows) { m_activeAlarms.Replace(openRows); });
    Open();
}

LogManager::~LogManager()
{
    Close();
}

void LogManager::Open()
{
    if (m_database)
        return;
    // A directory that cannot be made shows up as the open failing below.
    QDir().mkpath(GetLogDir());
    const QString path = GetLogDatabasePath();
    auto database = std::make_unique<LogDatabase>();
    const bool opened = database->Open(path, LogDatabase::WindowBusyTimeout);
    if (opened && m_writer.Start(path)) {
        m_database = std::move(database);
        return;
    }
    const QString error = opened ? m_writer.GetErrorString() : database->GetErrorString();
    qDebug() << "open database failed";
    qDebug() << error;
    if (m_onOpenFailure)
        m_onOpenFailure(error);
}

void LogManager::Close()
{
    m_writer.Stop();
    m_database.reset();
}

void LogManager::SetSystemConfig(const SystemConfigFile& config)
{
    m_writer.SetDaysToKeep(config.log_save_time());
}

void LogManager::SetDeviceConfig(const DeviceConfigFile& config)
{
    m_deviceConfig = config;
}

QDateTime LogManager::AddAlarm(const AlarmRecord* record)
{
    return record ? m_writer.Append(*record) : QDateTime();
}

void LogManager::Settle(const DeviceStateRead& read)
{
    m_writer.Settle(read);
}

void LogManager::BeginRun()
{
    m_writer.SetRunGoing(true, QDateTime::currentDateTime());
}

void LogManager::EndRun()
{
    m_writer.SetRunGoing(false, QDateTime::currentDateTime());
}

void LogManager::Flush()
{
    m_writer.Flush();
}

void LogManager::AddAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledgements)
{
    if (!acknowledgements.empty())
        m_writer.AppendHandling({acknowledgements, std::nullopt});
}

void LogManager::AddShelfChange(const AlarmShelf& shelf)
{
    m_writer.AppendHandling({{}, shelf});
}

bool LogManager::LoadHandling(const QDateTime& now, QList<AlarmAcknowledgement>& openAcknowledgements,
                              QList<AlarmShelf>& shelves, QList<AlarmRecord>* unacknowledgedEnds)
{
    if (!m_database)
        return false;
    const bool loaded = m_database->LoadHandling(now, openAcknowledgements, shelves, unacknowledgedEnds);
    if (!loaded)
        qDebug() << "acknowledgements and shelves not loaded:" << m_database->GetErrorString();
    return loaded;
}

void LogManager::SetSyslogTargets(const QList<SyslogTarget>& targets)
{
    m_writer.SetAcknowledgedHandler({});
    ChangeReceivers([this, &targets] {
        m_syslogSenders.clear();
        for (const SyslogTarget& target : targets)
            m_syslogSenders.push_back(std::make_unique<SyslogSender>(target));
    });
    if (m_syslogSenders.empty())
        return;
    m_writer.SetAcknowledgedHandler([this](const std::vector<AlarmAcknowledgement>& acknowledged) {
        for (const auto& sender : m_syslogSenders)
            sender->AppendAcknowledgements(acknowledged);
    });
}

void LogManager::SetAlertmanagerTargets(const QList<AlertmanagerTarget>& targets)
{
    ChangeReceivers([this, &targets] {
        m_alertmanagerSenders.clear();
        for (const AlertmanagerTarget& target : targets)
            m_alertmanagerSenders.push_back(std::make_unique<AlertmanagerSender>(target, m_activeAlarms));
    });
}

std::vector<const NorthboundSender*> LogManager::Receivers() const
{
    std::vector<const NorthboundSender*> receivers;
    for (const auto* senders : {&m_syslogSenders, &m_alertmanagerSenders})
        for (const auto& sender : *senders)
            receivers.push_back(sender.get());
    return receivers;
}

void LogManager::Forward(const std::vector<AlarmRecord>& logged)
{
    quint64 ends = 0;
    for (const AlarmRecord& row : logged)
        ends += row.end_time.isValid() ? 1 : 0;
    m_rowEndsWritten += ends;
    m_rowsWritten += logged.size() - ends;

    std::vector<AlarmRecord> alerts;
    m_activeAlarms.Apply(logged, m_alertmanagerSenders.empty() ? nullptr : &alerts);
    for (const auto& sender : m_syslogSenders)
        sender->Append(logged);
    for (const auto& sender : m_alertmanagerSenders)
        sender->Append(alerts);
}

void LogManager::ChangeReceivers(const std::function<void()>& change)
{
    m_writer.SetLoggedHandler({});
    change();
    m_writer.SetLoggedHandler([this](const std::vector<AlarmRecord>& logged) { Forward(logged); });
}
