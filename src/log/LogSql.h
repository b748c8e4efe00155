#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <initializer_list>

class AlarmRecord;
class QSqlQuery;

// What the tables beside alarm2 share: bound statements, the log's time texts, an alarm2 row read back.
namespace LogSql {
// Prepares, binds the values in order and executes; false with the statement's error text.
bool Exec(QSqlQuery& query, const QString& statement, const QVariantList& values, QString& error);
// Each statement in turn, none bound; stops at the first that fails.
bool ExecAll(QSqlDatabase& database, std::initializer_list<const char*> statements, QString& error);
QString Text(const QDateTime& time);
// A stored time text as a local time.
QDateTime Time(const QVariant& value);
// The alarm2 columns start_time, ip, deviceName, portType, portID, trackID, signalName, alarmType and note, from
// column first on.
void ReadAlarm(const QSqlQuery& query, int first, AlarmRecord& alarm);
} // namespace LogSql
