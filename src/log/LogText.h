#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The texts the log's exports and the alarm report share: times, durations and comma-separated lines.
class LogText
{
public:
    // "yyyy-MM-dd hh:mm:ss.zzz" (years 0 to 9999), empty for a null time.
    static QString TimeText(const QDateTime& time);
    // "hh:mm:ss.zzz", or "<days> day hh:mm:ss.zzz" from a whole day on; empty unless both times are set.
    static QString DurationText(const QDateTime& start, const QDateTime& end);
    static QString DurationText(qint64 milliseconds);
    // The time that passed between two clock readings of the station's zone, in milliseconds: across a change to or
    // from daylight saving time the clock jumped, and the offsets tell by how much. Readings as wall-clock times in
    // a date-time of any zone.
    static qint64 ElapsedMs(const QDateTime& start, const QDateTime& end);
    // RFC 4180: a field with a separator, a quote or a line break goes in quotes, its quotes doubled. A field that a
    // spreadsheet would take for a formula (starting with =, +, -, @, a tab or a carriage return) gets a leading '.
    static QString CsvField(QString field);
    // One RFC 4180 line of such fields; ends in CRLF.
    static QString CsvLine(const QStringList& fields);
    // Starts a CSV file, so that spreadsheets read it as UTF-8 and show names in Chinese.
    static QByteArray CsvByteOrderMark() { return QByteArrayLiteral("\xEF\xBB\xBF"); }
};
