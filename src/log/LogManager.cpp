#include "log/LogManager.h"

#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "log/LogDatabase.h"

#include <QDebug>
#include <QDir>

LogManager::LogManager(OpenFailureHandler onOpenFailure, LogClock clock)
    : m_onOpenFailure(std::move(onOpenFailure)), m_writer(std::move(clock))
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
    QDir().mkpath(GetLogDir());
    auto database = std::make_unique<LogDatabase>();
    QString error;
    if (!database->Open(GetLogDatabasePath()))
        error = database->GetErrorString();
    else if (!m_writer.Start(GetLogDatabasePath()))
        error = m_writer.GetErrorString();
    if (!error.isEmpty()) {
        qDebug() << "open database failed";
        qDebug() << error;
        if (m_onOpenFailure)
            m_onOpenFailure(error);
        return;
    }
    m_database = std::move(database);
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
