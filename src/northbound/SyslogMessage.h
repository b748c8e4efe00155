#pragma once

#include "alarm/AlarmAcknowledgement.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

// One alarm start or end that the log has written, as an RFC 5424 message of facility local0. The record is the
// log row: time is the alarm's start; end_time is null for a start and the end time for an end.
class SyslogMessage
{
public:
    // The element that carries the alarm's fields; 58206 is the enterprise number of the devices' objects.
    static const QString StructuredDataId;

    static QByteArray Format(const AlarmRecord& logged, const QString& hostName, qint64 processId);
    // MSGID ALARM_ACK, stamped with the acknowledgement time; the note and that time go into the structured data
    // as ack_note and ack_time.
    static QByteArray FormatAcknowledgement(const AlarmAcknowledgement& acknowledgement, const QString& hostName,
                                            qint64 processId);
    // RFC 6587 octet counting, for a stream transport.
    static QByteArray Frame(const QByteArray& message);
    // The readable part, in English whatever the station's language: "Video Lost on BNC 3 (CAM 3) of Studio A
    // 10.0.0.2".
    static QString Summary(const AlarmRecord& logged);
    // RFC 3339 with milliseconds and the local offset, or the NILVALUE for a null time.
    static QString Timestamp(const QDateTime& time);
    // This machine's name as HOSTNAME allows it: printable ASCII without blanks, at most 255 characters.
    static QString LocalHostName();

private:
    static QByteArray Compose(const AlarmRecord& alarm, const QString& messageId, int severity, const QDateTime& time,
                              const QList<QPair<const char*, QString>>& extra, const QString& summary,
                              const QString& hostName, qint64 processId);
};
