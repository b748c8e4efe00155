#include "log/LogSql.h"

#include "alarm/AlarmRecord.h"
#include "log/LogDatabase.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

bool LogSql::Exec(QSqlQuery& query, const QString& statement, const QVariantList& values, QString& error)
{
    bool ok = query.prepare(statement);
    for (int i = 0; ok && i < values.size(); ++i)
        query.addBindValue(values[i]);
    ok = ok && query.exec();
    if (!ok)
        error = query.lastError().text();
    return ok;
}

bool LogSql::ExecAll(QSqlDatabase& database, std::initializer_list<const char*> statements, QString& error)
{
    QSqlQuery query(database);
    for (const char* statement : statements) {
        if (!Exec(query, QLatin1String(statement), {}, error))
            return false;
    }
    return true;
}

QString LogSql::Text(const QDateTime& time)
{
    return QLocale::c().toString(time, LogDatabase::TimeFormat);
}

QDateTime LogSql::Time(const QVariant& value)
{
    return QDateTime::fromString(value.toString(), LogDatabase::TimeFormat);
}

void LogSql::ReadAlarm(const QSqlQuery& query, int first, AlarmRecord& alarm)
{
    alarm.time = Time(query.value(first));
    alarm.ip = query.value(first + 1).toString();
    alarm.deviceName = query.value(first + 2).toString();
    alarm.portType = query.value(first + 3).toInt();
    alarm.portID = query.value(first + 4).toInt();
    alarm.trackID = query.value(first + 5).toInt();
    alarm.signalName = query.value(first + 6).toString();
    alarm.alarmType = query.value(first + 7).toInt();
    alarm.note = query.value(first + 8).toString();
}
