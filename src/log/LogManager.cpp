#include "log/LogManager.h"

#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "log/LogDatabase.h"
#include "log/SyslogSender.h"

#include <QDebug>
#include <QDir>

LogManager::LogManager(OpenFailureHandler onOpenFailure, LogClock clock, WriteFailureHandler onWriteFailure)
    : m_onOpenFailure(std::move(onOpenFailure)), m_writer(std::move(clock), std::move(onWriteFailure))
{
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

void LogManager::AddAlarm(const AlarmRecord* record)
{
    if (record)
        m_writer.Append(*record);
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
                              QList<AlarmShelf>& shelves)
{
    if (!m_database)
        return false;
    // What the operator did a moment ago may still wait for the writer.
    m_writer.Flush();
    const bool loaded = m_database->LoadHandling(now, openAcknowledgements, shelves);
    if (!loaded)
        qDebug() << "acknowledgements and shelves not loaded:" << m_database->GetErrorString();
    return loaded;
}

void LogManager::SetSyslogTargets(const QList<SyslogTarget>& targets)
{
    m_writer.SetLoggedHandler({});
    m_writer.SetAcknowledgedHandler({});
    m_syslogSenders.clear();
    for (const SyslogTarget& target : targets)
        m_syslogSenders.push_back(std::make_unique<SyslogSender>(target));
    if (m_syslogSenders.empty())
        return;
    m_writer.SetLoggedHandler([this](const std::vector<AlarmRecord>& logged) {
        for (const auto& sender : m_syslogSenders)
            sender->Append(logged);
    });
    m_writer.SetAcknowledgedHandler([this](const std::vector<AlarmAcknowledgement>& acknowledged) {
        for (const auto& sender : m_syslogSenders)
            sender->AppendAcknowledgements(acknowledged);
    });
}
