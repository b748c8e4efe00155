#include "log/LogText.h"

#include <QCoreApplication>

namespace {
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
} // namespace

QString LogText::DurationText(const QDateTime& start, const QDateTime& end)
{
    if (start.isNull() || end.isNull())
        return QString();
    return DurationText(ElapsedMs(start, end));
}

qint64 LogText::ElapsedMs(const QDateTime& start, const QDateTime& end)
{
    return QDateTime(start.date(), start.time(), Qt::UTC).msecsTo(QDateTime(end.date(), end.time(), Qt::UTC)) -
           (LocalOffsetMs(end) - LocalOffsetMs(start));
}

QString LogText::DurationText(qint64 milliseconds)
{
    const qint64 days = milliseconds / 86400000;
    // A time of day: an end before its start wraps round as QTime does.
    QString time(12, Qt::Uninitialized);
    PutClock(time.data(), (milliseconds % 86400000 + 86400000) % 86400000);
    return days == 0 ? time : QCoreApplication::translate("LogManageDialog", "%1 day %2").arg(days).arg(time);
}

QString LogText::CsvField(QString field)
{
    static const QString FormulaStarts = QStringLiteral("=+-@\t\r");
    if (!field.isEmpty() && FormulaStarts.contains(field.front()))
        field.prepend(QLatin1Char('\''));
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')) &&
        !field.contains(QLatin1Char('\r')))
        return field;
    field.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString LogText::CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(CsvField(field));
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString LogText::TimeText(const QDateTime& time)
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
