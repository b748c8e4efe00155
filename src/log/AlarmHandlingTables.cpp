#include "log/AlarmHandlingTables.h"

#include "log/LogSql.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using LogSql::Exec;
using LogSql::ReadAlarm;
using LogSql::Text;
using LogSql::Time;

bool AlarmHandlingTables::Create(QSqlDatabase& database, QString& error)
{
    return LogSql::ExecAll(
        database,
        {"CREATE TABLE IF NOT EXISTS [alarm_ack] ( [id] INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, "
         "[helpkey] VARCHAR(100) NOT NULL, [identity] VARCHAR(100) NOT NULL, [ack_time] TIMESTAMP NOT NULL, "
         "[note] VARCHAR(300) NULL )",
         "CREATE INDEX IF NOT EXISTS [alarm_ack_helpkey] ON [alarm_ack] ([helpkey])",
         "CREATE INDEX IF NOT EXISTS [alarm_ack_identity] ON [alarm_ack] ([identity], [id])",
         "CREATE TABLE IF NOT EXISTS [alarm_shelf] ( [id] INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, "
         "[view_key] VARCHAR(100) NOT NULL, [shelved_time] TIMESTAMP NOT NULL, [until_time] TIMESTAMP NOT NULL, "
         "[note] VARCHAR(300) NULL, [unshelved_time] TIMESTAMP NULL )"},
        error);
}

bool AlarmHandlingTables::InsertAcknowledgements(QSqlDatabase& database, const std::vector<AlarmAcknowledgement>& acks,
                                                 QString& error)
{
    QSqlQuery query(database);
    if (!query.prepare(QStringLiteral("INSERT INTO alarm_ack (helpkey,identity,ack_time,note) VALUES (?,?,?,?)"))) {
        error = query.lastError().text();
        return false;
    }
    for (const AlarmAcknowledgement& ack : acks) {
        query.bindValue(0, AlarmHelpKey(ack.alarm));
        query.bindValue(1, AlarmIdentityKey(ack.alarm));
        query.bindValue(2, Text(ack.time));
        query.bindValue(3, ack.note);
        if (!query.exec()) {
            error = query.lastError().text();
            return false;
        }
    }
    return true;
}

bool AlarmHandlingTables::WriteShelf(QSqlDatabase& database, const AlarmShelf& shelf, QString& error)
{
    QSqlQuery query(database);
    if (shelf.unshelved.isValid())
        return Exec(query,
                    QStringLiteral("UPDATE alarm_shelf SET unshelved_time=? WHERE view_key=? AND unshelved_time IS "
                                   "NULL AND until_time>?"),
                    {Text(shelf.unshelved), shelf.key, Text(shelf.unshelved)}, error);
    return Exec(query,
                QStringLiteral("INSERT INTO alarm_shelf (view_key,shelved_time,until_time,note) VALUES (?,?,?,?)"),
                {shelf.key, Text(shelf.from), Text(shelf.until), shelf.note}, error);
}

bool AlarmHandlingTables::LoadOpenAcknowledgements(QSqlDatabase& database, QList<AlarmAcknowledgement>& acks,
                                                   QString& error)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    // An acknowledgement names one row by its helpkey: it never carries over to a later occurrence.
    const QString statement = QStringLiteral(
        "SELECT k.ack_time, k.note, a.start_time, a.ip, a.deviceName, a.portType, a.portID, a.trackID, "
        "a.signalName, a.alarmType, a.note FROM alarm2 a JOIN alarm_ack k ON k.helpkey = a.helpkey "
        "WHERE a.end_time IS NULL AND k.id IN (SELECT max(id) FROM alarm_ack GROUP BY helpkey) ORDER BY k.id");
    if (!Exec(query, statement, {}, error))
        return false;
    while (query.next()) {
        AlarmAcknowledgement ack;
        ack.time = Time(query.value(0));
        ack.note = query.value(1).toString();
        ReadAlarm(query, 2, ack.alarm);
        acks.append(ack);
    }
    return true;
}

bool AlarmHandlingTables::LoadUnacknowledgedEnds(QSqlDatabase& database, QList<AlarmRecord>& ends, QString& error)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    const QString statement = QStringLiteral(
        "SELECT a.start_time, a.ip, a.deviceName, a.portType, a.portID, a.trackID, a.signalName, a.alarmType, a.note, "
        "a.end_time FROM alarm2 a WHERE a.id IN (SELECT max(id) FROM alarm2 GROUP BY ip, portType, portID, trackID, "
        "alarmType) AND a.end_time >= (SELECT min(start_time) FROM station_run) AND NOT EXISTS (SELECT 1 FROM "
        "alarm_ack k WHERE k.helpkey = a.helpkey) ORDER BY a.id");
    if (!Exec(query, statement, {}, error))
        return false;
    while (query.next()) {
        AlarmRecord alarm;
        ReadAlarm(query, 0, alarm);
        alarm.end_time = Time(query.value(9));
        ends.append(alarm);
    }
    return true;
}

bool AlarmHandlingTables::LoadShelves(QSqlDatabase& database, const QDateTime& now, QList<AlarmShelf>& shelves,
                                      QString& error)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!Exec(query,
              QStringLiteral("SELECT view_key, shelved_time, until_time, note FROM alarm_shelf WHERE unshelved_time "
                             "IS NULL AND until_time > ? ORDER BY id"),
              {Text(now)}, error))
        return false;
    while (query.next())
        shelves.append({query.value(0).toString(), Time(query.value(1)), Time(query.value(2)),
                        query.value(3).toString(), QDateTime()});
    return true;
}

bool AlarmHandlingTables::LoadAcknowledgements(QSqlDatabase& database, const QList<AlarmRecord*>& rows, int count,
                                               QStringList& times, QStringList& notes, QString& error)
{
    times.clear();
    notes.clear();
    QStringList helpkeys;
    QStringList marks;
    QVariantList values;
    for (int i = 0; i < count; ++i) {
        helpkeys.append(AlarmHelpKey(*rows[i]));
        marks.append(QStringLiteral("?"));
        values.append(helpkeys.last());
        times.append(QString());
        notes.append(QString());
    }
    if (count == 0)
        return true;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!Exec(query,
              QStringLiteral("SELECT helpkey, ack_time, note FROM alarm_ack WHERE helpkey IN (%1) ORDER BY id")
                  .arg(marks.join(QLatin1Char(','))),
              values, error))
        return false;
    QHash<QString, int> rowOf;
    for (int i = count - 1; i >= 0; --i)
        rowOf.insert(helpkeys[i], i);
    // Later acknowledgements of a row overwrite earlier ones.
    while (query.next()) {
        const int row = rowOf.value(query.value(0).toString(), -1);
        if (row < 0)
            continue;
        times[row] = query.value(1).toString();
        notes[row] = query.value(2).toString();
    }
    return true;
}
