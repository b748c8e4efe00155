#pragma once

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
    // RFC 4180: a field with a separator, a quote or a line break goes in quotes, its quotes doubled.
    static QString CsvField(QString field);
    // One RFC 4180 line of such fields; ends in CRLF.
    static QString CsvLine(const QStringList& fields);
};
