#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class AlarmRecord;

// One alarm start or end that the log has written, as an RFC 5424 message of facility local0. The record is the
// log row: time is the alarm's start; end_time is null for a start and the end time for an end.
class SyslogMessage
{
public:
    // The element that carries the alarm's fields; 58206 is the enterprise number of the devices' objects.
    static const QString StructuredDataId;

    static QByteArray Format(const AlarmRecord& logged, const QString& hostName, qint64 processId);
    // RFC 6587 octet counting, for a stream transport.
    static QByteArray Frame(const QByteArray& message);
    // The readable part, in English whatever the station's language: "Video Lost on BNC 3 (CAM 3) of Studio A
    // 10.0.0.2".
    static QString Summary(const AlarmRecord& logged);
    // RFC 3339 with milliseconds and the local offset, or the NILVALUE for a null time.
    static QString Timestamp(const QDateTime& time);
    // This machine's name as HOSTNAME allows it: printable ASCII without blanks, at most 255 characters.
    static QString LocalHostName();
};
