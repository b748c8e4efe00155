#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmShelf.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

// The operator's acknowledgements and shelves in log/alarm.db, in tables of their own beside alarm2, which they
// only read: alarm_ack names the acknowledged row by its helpkey, alarm_shelf holds one row per shelf. Every value
// is bound, never spliced into the statement.
class AlarmHandlingTables
{
public:
    // Creates the tables when missing; false with the error text when that fails.
    static bool Create(QSqlDatabase& database, QString& error);
    static bool InsertAcknowledgements(QSqlDatabase& database, const std::vector<AlarmAcknowledgement>& acks,
                                       QString& error);
    // A new shelf is inserted; one with unshelved set ends the key's shelves still running.
    static bool WriteShelf(QSqlDatabase& database, const AlarmShelf& shelf, QString& error);
    // The latest acknowledgement of each alarm2 row that has no end time.
    static bool LoadOpenAcknowledgements(QSqlDatabase& database, QList<AlarmAcknowledgement>& acks, QString& error);
    // The last row of each alarm identity when it has ended and nobody acknowledged it, oldest first. Only rows that
    // ended since monitoring runs are recorded: a log kept before then holds ends nobody could acknowledge.
    static bool LoadUnacknowledgedEnds(QSqlDatabase& database, QList<AlarmRecord>& ends, QString& error);
    // Shelves neither ended early nor run out at now; the later of two for one key comes last.
    static bool LoadShelves(QSqlDatabase& database, const QDateTime& now, QList<AlarmShelf>& shelves, QString& error);
    // The latest acknowledgement of each of the first count rows (as read from alarm2): its time as stored and its
    // note, both empty for a row nobody acknowledged.
    static bool LoadAcknowledgements(QSqlDatabase& database, const QList<AlarmRecord*>& rows, int count,
                                     QStringList& times, QStringList& notes, QString& error);
};
