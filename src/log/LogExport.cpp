#include "log/LogExport.h"

#include "alarm/AlarmRecord.h"
#include "log/LogDatabase.h"
#include "log/LogResult.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDevice>
#include <QStringList>

#include <vector>

namespace {
QString Pad(const QString& text, int width)
{
    return QStringLiteral("%1").arg(text, -width);
}

// RFC 4180: a field with a separator, a quote or a line break goes in quotes, its quotes doubled.
QString CsvField(QString field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')) &&
        !field.contains(QLatin1Char('\r')))
        return field;
    field.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QStringList HeaderTexts()
{
    return {QCoreApplication::translate("LogManageDialog", "ID"),
            QCoreApplication::translate("LogManageDialog", "Starting Time"),
            QCoreApplication::translate("LogManageDialog", "End Time"),
            QCoreApplication::translate("LogManageDialog", "Duration"),
            QCoreApplication::translate("LogManageDialog", "IP Address"),
            QCoreApplication::translate("LogManageDialog", "Device Name"),
            QCoreApplication::translate("LogManageDialog", "Alarm Type"),
            QCoreApplication::translate("LogManageDialog", "Port"),
            QCoreApplication::translate("LogManageDialog", "Signal Name"),
            QCoreApplication::translate("LogManageDialog", "Note")};
}

// The station zone's offset from UTC at a clock reading, in milliseconds. Asking the C library costs more than the
// rest of an export line, and rows come in time order while offsets change on whole hours a few times a year: one
// question per hour of clock time.
qint64 LocalOffsetMs(const QDateTime& clockReading)
{
    thread_local QDate cachedDate;
    thread_local int cachedHour = -1;
    thread_local qint64 cachedOffset = 0;
    const QDate date = clockReading.date();
    const int hour = clockReading.time().hour();
    if (date != cachedDate || hour != cachedHour) {
        cachedDate = date;
        cachedHour = hour;
        cachedOffset = qint64(QDateTime(date, clockReading.time(), Qt::LocalTime).offsetFromUtc()) * 1000;
    }
    return cachedOffset;
}

// Digits put by hand: Qt's formatter parses its format text on every call, three times a row of an export.
QChar* Put(QChar* at, qint64 value, int digits)
{
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        at[i] = QLatin1Char(char('0' + value % 10));
    return at + digits;
}

QChar* PutClock(QChar* at, qint64 milliseconds)
{
    at = Put(at, milliseconds / 3600000, 2);
    *at++ = QLatin1Char(':');
    at = Put(at, milliseconds / 60000 % 60, 2);
    *at++ = QLatin1Char(':');
    at = Put(at, milliseconds / 1000 % 60, 2);
    *at++ = QLatin1Char('.');
    return Put(at, milliseconds % 1000, 3);
}

bool WriteAll(QFileDevice& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}
} // namespace

QString LogExport::DurationText(const QDateTime& start, const QDateTime& end)
{
    if (start.isNull() || end.isNull())
        return QString();
    // The stored times are clock readings of the station's zone: across a change to or from daylight saving time
    // the clock jumped, and the offsets tell by how much.
    return DurationText(
        QDateTime(start.date(), start.time(), Qt::UTC).msecsTo(QDateTime(end.date(), end.time(), Qt::UTC)) -
        (LocalOffsetMs(end) - LocalOffsetMs(start)));
}

QString LogExport::DurationText(qint64 milliseconds)
{
    const qint64 days = milliseconds / 86400000;
    // A time of day: an end before its start wraps round as QTime does.
    QString time(12, Qt::Uninitialized);
    PutClock(time.data(), (milliseconds % 86400000 + 86400000) % 86400000);
    return days == 0 ? time : QCoreApplication::translate("LogManageDialog", "%1 day %2").arg(days).arg(time);
}

QString LogExport::CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(CsvField(field));
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString LogExport::TimeText(const QDateTime& time)
{
    if (time.isNull())
        return QString();
    const QDate date = time.date();
    QString text(23, Qt::Uninitialized);
    QChar* at = Put(text.data(), date.year(), 4);
    *at++ = QLatin1Char('-');
    at = Put(at, date.month(), 2);
    *at++ = QLatin1Char('-');
    at = Put(at, date.day(), 2);
    *at++ = QLatin1Char(' ');
    PutClock(at, time.time().msecsSinceStartOfDay());
    return text;
}

QString LogExport::PortText(const AlarmRecord& record)
{
    return IsSignalAlarm(record.alarmType) ? PortDisplayName(record.portType, record.portID) : QString();
}

QString LogExport::NoteText(const AlarmRecord& record)
{
    return IsAudioTrackAlarm(record.alarmType) ? QStringLiteral("CH%1").arg(record.trackID) : record.note;
}

QByteArray LogExport::Header(Format format)
{
    const QStringList texts = HeaderTexts();
    if (format == Format::Csv)
        return CsvLine(texts + QStringList{QCoreApplication::translate("LogManageDialog", "Acknowledged"),
                                           QCoreApplication::translate("LogManageDialog", "Acknowledgement Note")})
            .toUtf8();
    const QString header =
        QStringLiteral("%1  %2\t%3\t\t%4\t%5\t%6\t%7\t%8\t%9\t%10\t\r\n")
            .arg(Pad(texts[0], 8), Pad(texts[1], 23), Pad(texts[2], 23), Pad(texts[3], 23), Pad(texts[4], 15),
                 Pad(texts[5], 16), Pad(texts[6], 16), Pad(texts[7], 10), Pad(texts[8], 16))
            .arg(texts[9]);
    return (header + QStringLiteral("\r\n%1\r\n").arg(QString(), 180, QLatin1Char('-'))).toUtf8();
}

QByteArray LogExport::Line(Format format, qint64 number, const AlarmRecord& record, const QString& ackTime,
                           const QString& ackNote)
{
    QString line;
    AppendLine(format, number, record, line, ackTime, ackNote);
    return line.toUtf8();
}

void LogExport::AppendLine(Format format, qint64 number, const AlarmRecord& record, QString& out,
                           const QString& ackTime, const QString& ackNote)
{
    const QString start = TimeText(record.time);
    const QString end = TimeText(record.end_time);
    const QString duration = DurationText(record.time, record.end_time);
    const QString type = AlarmTypeWord(record.alarmType);
    if (format == Format::Csv) {
        out += CsvLine({QString::number(number), start, end, duration, record.ip, record.deviceName, type,
                        PortText(record), record.signalName, NoteText(record), ackTime, ackNote});
        return;
    }
    // Appended in place: a million-row export spends its time here.
    const auto field = [&out](const QString& text, int width, const char* after) {
        out += text;
        if (text.size() < width)
            out.resize(out.size() + width - text.size(), QLatin1Char(' '));
        out += QLatin1String(after);
    };
    field(QString::number(number), 8, "  ");
    field(start, 0, "\t");
    field(end, 23, "\t\t");
    field(duration, 23, "\t");
    field(record.ip, 15, "\t");
    field(record.deviceName, 16, "\t\t");
    field(type, 16, "\t");
    field(PortText(record), 10, "\t");
    field(record.signalName, 16, "\t");
    field(NoteText(record), 0, "\r\n");
}

LogExport::Outcome LogExport::Write(LogDatabase& database, const LogResult& result, Format format, QFileDevice& file,
                                    const Progress& progress, QString& errorText)
{
    std::vector<AlarmRecord> storage(size_t(BatchPages * LogResult::PageSize));
    QList<AlarmRecord*> batch;
    for (AlarmRecord& record : storage)
        batch.append(&record);

    if (!WriteAll(file, Header(format))) {
        errorText = file.errorString();
        return Outcome::Failed;
    }
    qint64 written = 0;
    for (int page = 0; page < result.PageCount(); page += BatchPages) {
        const int filled = result.ReadPages(database, page, BatchPages, batch);
        if (filled < 0) {
            errorText = database.GetErrorString();
            return Outcome::Failed;
        }
        QStringList ackTimes, ackNotes;
        if (format == Format::Csv && !database.SelectAcknowledgements(batch, filled, ackTimes, ackNotes)) {
            errorText = database.GetErrorString();
            return Outcome::Failed;
        }
        QString lines;
        for (int i = 0; i < filled; ++i)
            AppendLine(format, ++written, *batch[i], lines, ackTimes.value(i), ackNotes.value(i));
        if (!WriteAll(file, lines.toUtf8())) {
            errorText = file.errorString();
            return Outcome::Failed;
        }
        const bool last = page + BatchPages >= result.PageCount();
        if (!last && progress && !progress(int(written * 1000 / qMax<qint64>(1, result.Count()))))
            return Outcome::Cancelled;
    }
    // A full disk shows only when the buffer goes out; a file removed meanwhile is not an export either.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        errorText = file.errorString();
        return Outcome::Failed;
    }
    if (!file.fileName().isEmpty() && !QFile::exists(file.fileName())) {
        errorText = QCoreApplication::translate("LogManageDialog", "The file %1 was removed.").arg(file.fileName());
        return Outcome::Failed;
    }
    return Outcome::Completed;
}
