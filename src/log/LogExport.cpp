#include "log/LogExport.h"

#include "alarm/AlarmRecord.h"
#include "log/LogDatabase.h"
#include "log/LogResult.h"
#include "log/LogText.h"

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

bool WriteAll(QFileDevice& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}
} // namespace

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
        return LogText::CsvByteOrderMark() +
               LogText::CsvLine(texts +
                                QStringList{QCoreApplication::translate("LogManageDialog", "Acknowledged"),
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
    const QString start = LogText::TimeText(record.time);
    const QString end = LogText::TimeText(record.end_time);
    const QString duration = LogText::DurationText(record.time, record.end_time);
    const QString type = AlarmTypeWord(record.alarmType);
    if (format == Format::Csv) {
        out += LogText::CsvLine({QString::number(number), start, end, duration, record.ip, record.deviceName, type,
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
