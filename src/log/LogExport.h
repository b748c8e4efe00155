#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class AlarmRecord;
class LogDatabase;
class LogResult;
class QFileDevice;

// Writes a log search result to a file, and the texts that the result table and the file show for a row.
class LogExport
{
public:
    // The operator's choice in the save dialog: the station's own column layout, or comma-separated values.
    enum class Format
    {
        Log,
        Csv,
    };
    enum class Outcome
    {
        Completed,
        Cancelled,
        Failed,
    };
    // Pages per batch read: 210 rows.
    static constexpr int BatchPages = 7;

    // Told the progress in thousandths after each full batch; returns false to stop.
    using Progress = std::function<bool(int thousandths)>;

    // Header, then every row of the result, newest first, numbered from 1. Cancelled keeps what was written;
    // Failed leaves the error text (the database's or the file's) in errorText.
    static Outcome Write(LogDatabase& database, const LogResult& result, Format format, QFileDevice& file,
                         const Progress& progress, QString& errorText);

    // CSV starts with the UTF-8 byte-order mark.
    static QByteArray Header(Format format);
    // The acknowledgement (time and note) goes only into CSV, as its last two fields; the log layout has no place
    // for it.
    static QByteArray Line(Format format, qint64 number, const AlarmRecord& record, const QString& ackTime = {},
                           const QString& ackNote = {});
    static void AppendLine(Format format, qint64 number, const AlarmRecord& record, QString& out,
                           const QString& ackTime = {}, const QString& ackNote = {});

    // The port's display name for the alarms of a signal, empty otherwise.
    static QString PortText(const AlarmRecord& record);
    // The audio track for silence and overload, the record's note otherwise.
    static QString NoteText(const AlarmRecord& record);
};
