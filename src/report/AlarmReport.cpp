#include "report/AlarmReport.h"

#include "alarm/AlarmRecord.h"
#include "log/LogDatabase.h"
#include "log/LogStateTables.h"
#include "log/LogText.h"
#include "log/LogWriteThread.h"

#include <QCoreApplication>
#include <QHash>
#include <QPair>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {
// The columns each scan reads: the signal's identity, the type, the id and both times. The names are read once
// per signal afterwards: texts cost the most of a row.
const char* const Columns = "select ip, portType, portID, trackID, alarmType, id, start_time, end_time from alarm2 ";

// Alarms started inside the period, found through the index on datetime(start_time); with whole-second bounds
// datetime() cuts nothing that matters.
const char* const StartedInside = "where datetime(start_time) >= datetime(?) and datetime(start_time) < datetime(?)";
// Alarms started before the period that were still on when it began. The times' text sorts as the times do, so
// the end is compared as text, which spares a conversion for each of the older rows.
const char* const StartedBefore = "where datetime(start_time) < datetime(?) and (end_time is null or end_time > ?)";
// Ids per statement of the name look-up, well below SQLite's limit of bound values.
constexpr int NamesPerStatement = 500;

constexpr int CancelCheckRows = 4096;

// Port kind, port and track in one number, for the signal lookup.
qint64 PortKey(int portType, int portID, int trackID)
{
    return (qint64(portType & 0xffff) << 40) | (qint64(portID & 0xfffff) << 20) | qint64(trackID & 0xfffff);
}
} // namespace

qint64 AlarmReport::WallMs(const QDateTime& time)
{
    return QDateTime(time.date(), time.time(), Qt::UTC).toMSecsSinceEpoch();
}

QDateTime AlarmReport::WallTime(qint64 milliseconds)
{
    return QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC);
}

QString AlarmReport::PeriodTimeText(qint64 milliseconds)
{
    return WallTime(milliseconds).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

bool AlarmReport::Build(LogDatabase& database, const QDateTime& from, const QDateTime& to, const QString& ip,
                        const QDateTime& now, const std::atomic<bool>* cancelled)
{
    *this = AlarmReport();
    m_from = WallMs(from) / 1000 * 1000;
    m_to = WallMs(to) / 1000 * 1000;
    if (!from.isValid() || !to.isValid() || m_to <= m_from) {
        m_errorString = QCoreApplication::translate("AlarmReport", "The period must end after it begins.");
        return false;
    }
    m_measuredEnd = std::clamp(WallMs(now), m_from, m_to);
    m_histogramBinMs = m_to - m_from > HourlyHistogramLimit ? DayMs : HourMs;
    m_histogramOrigin = m_from - m_from % m_histogramBinMs;
    m_histogram.fill(0, int((m_to - m_histogramOrigin + m_histogramBinMs - 1) / m_histogramBinMs));

    const QString fromText = PeriodTimeText(m_from);
    const QString toText = PeriodTimeText(m_to);
    const QString device = ip.isEmpty() ? QString() : QStringLiteral(" and ip=?");
    const QVariantList deviceValue = ip.isEmpty() ? QVariantList() : QVariantList{ip};

    QHash<QPair<QString, qint64>, int> signalIndex;
    // The newest row of each signal, whose names the report shows.
    QVector<qint64> newestIds;
    int rows = 0;
    const auto scan = [&](bool inside) {
        return [&, inside](const QSqlQuery& query) {
            if (++rows % CancelCheckRows == 0 && cancelled && *cancelled)
                return false;
            Bar bar;
            if (!LogDatabase::WallMs(query.value(6).toString(), bar.start))
                return true;
            const QVariant end = query.value(7);
            if (end.isNull() || !LogDatabase::WallMs(end.toString(), bar.end))
                bar.end = OpenEnd;
            bar.alarmType = query.value(4).toInt();
            const bool signal = IsSignalAlarm(bar.alarmType);
            const int portType = signal ? query.value(1).toInt() : 0;
            const int portID = signal ? query.value(2).toInt() : -1;
            const int trackID = IsAudioTrackAlarm(bar.alarmType) ? query.value(3).toInt() : -1;
            const QPair<QString, qint64> key(query.value(0).toString(), PortKey(portType, portID, trackID));
            auto found = signalIndex.find(key);
            if (found == signalIndex.end()) {
                Signal added;
                added.ip = key.first;
                added.portType = portType;
                added.portID = portID;
                added.trackID = trackID;
                found = signalIndex.insert(key, m_signals.size());
                m_signals.append(added);
                newestIds.append(0);
            }
            newestIds[*found] = std::max(newestIds[*found], query.value(5).toLongLong());
            Add(*found, bar, inside);
            return true;
        };
    };
    if (!database.ForEachRow(QLatin1String(Columns) + QLatin1String(StartedBefore) + device,
                             QVariantList{fromText, fromText + QStringLiteral(".000")} + deviceValue, scan(false)) ||
        !database.ForEachRow(QLatin1String(Columns) + QLatin1String(StartedInside) + device,
                             QVariantList{fromText, toText} + deviceValue, scan(true))) {
        m_errorString = database.GetErrorString();
        return false;
    }
    if (cancelled && *cancelled) {
        m_errorString = QCoreApplication::translate("AlarmReport", "Cancelled");
        return false;
    }
    if (!ReadNames(database, newestIds) || !ReadRuns(database, WallMs(now))) {
        m_errorString = database.GetErrorString();
        return false;
    }
    Finish();
    return true;
}

bool AlarmReport::ReadNames(LogDatabase& database, const QVector<qint64>& newestIds)
{
    QHash<qint64, int> signalOfId;
    for (int i = 0; i < newestIds.size(); ++i)
        signalOfId.insert(newestIds[i], i);
    for (int first = 0; first < newestIds.size(); first += NamesPerStatement) {
        const int count = std::min<int>(NamesPerStatement, newestIds.size() - first);
        QVariantList ids;
        for (int i = first; i < first + count; ++i)
            ids.append(newestIds[i]);
        QStringList marks;
        for (int i = 0; i < count; ++i)
            marks.append(QStringLiteral("?"));
        const QString statement = QStringLiteral("select id, deviceName, signalName from alarm2 where id in (%1)")
                                      .arg(marks.join(QLatin1Char(',')));
        const bool ok = database.ForEachRow(statement, ids, [&](const QSqlQuery& query) {
            Signal& signal = m_signals[signalOfId.value(query.value(0).toLongLong())];
            signal.deviceName = query.value(1).toString();
            if (signal.portType != 0)
                signal.signalName = query.value(2).toString();
            return true;
        });
        if (!ok)
            return false;
    }
    return true;
}

bool AlarmReport::ReadRuns(LogDatabase& database, qint64 now)
{
    // A run that is still going is last alive at most this long ago.
    constexpr qint64 aliveLag = 2 * LogWriteThread::AliveIntervalMs;
    std::vector<LogStateTables::Run> runs;
    QDateTime firstStart;
    if (!database.Run([&](QSqlDatabase& connection, QString& error) {
            return LogStateTables::LoadRuns(connection, WallTime(m_from - aliveLag), WallTime(m_measuredEnd), runs,
                                            firstStart, error);
        }))
        return false;
    if (!firstStart.isValid())
        return true;
    qint64 from = std::max(m_from, WallMs(firstStart));
    for (size_t i = 0; i < runs.size() && from < m_measuredEnd; ++i) {
        const LogStateTables::Run& run = runs[i];
        const bool going = !run.stop.isValid() && i + 1 == runs.size() && WallMs(run.alive) >= now - aliveLag;
        const qint64 start = WallMs(run.start);
        const qint64 end = going ? m_measuredEnd : WallMs(run.stop.isValid() ? run.stop : run.alive);
        if (start > from)
            m_notMonitored.append({from, std::min(start, m_measuredEnd)});
        from = std::max(from, end);
    }
    if (from < m_measuredEnd)
        m_notMonitored.append({from, m_measuredEnd});
    return true;
}

qint64 AlarmReport::MonitoredPart(qint64 start, qint64 end) const
{
    qint64 part = end - start;
    for (const auto& gap : m_notMonitored)
        part -= std::max<qint64>(0, std::min(end, gap.second) - std::max(start, gap.first));
    return part;
}

qint64 AlarmReport::MonitoredMs() const
{
    return MonitoredPart(m_from, m_measuredEnd);
}

void AlarmReport::Add(int signal, const Bar& bar, bool startedInside)
{
    m_signals[signal].bars.append(bar);
    ++m_barCount;
    if (!startedInside)
        return;
    ++m_signals[signal].alarms;
    const qint64 bin = (bar.start - m_histogramOrigin) / m_histogramBinMs;
    if (bin >= 0 && bin < m_histogram.size())
        ++m_histogram[int(bin)];
}

void AlarmReport::Finish()
{
    for (Signal& signal : m_signals) {
        std::stable_sort(signal.bars.begin(), signal.bars.end(),
                         [](const Bar& a, const Bar& b) { return a.start < b.start; });
        // The union of the clipped bars: a bar that starts inside the covered stretch only lengthens it.
        qint64 coveredStart = 0;
        qint64 coveredEnd = -1;
        for (const Bar& bar : signal.bars) {
            const qint64 start = ClippedStart(bar);
            const qint64 end = ClippedEnd(bar);
            signal.longestMs = std::max(signal.longestMs, MonitoredPart(start, end));
            if (start > coveredEnd) {
                signal.alarmMs += MonitoredPart(coveredStart, std::max(coveredStart, coveredEnd));
                coveredStart = start;
                coveredEnd = end;
            } else {
                coveredEnd = std::max(coveredEnd, end);
            }
        }
        signal.alarmMs += MonitoredPart(coveredStart, std::max(coveredStart, coveredEnd));
    }
    std::sort(m_signals.begin(), m_signals.end(), [](const Signal& a, const Signal& b) {
        if (a.alarmMs != b.alarmMs)
            return a.alarmMs > b.alarmMs;
        if (a.alarms != b.alarms)
            return a.alarms > b.alarms;
        return std::tie(a.ip, a.portType, a.portID, a.trackID) < std::tie(b.ip, b.portType, b.portID, b.trackID);
    });
}

qint64 AlarmReport::ClippedStart(const Bar& bar) const
{
    return std::clamp(bar.start, m_from, m_measuredEnd);
}

qint64 AlarmReport::ClippedEnd(const Bar& bar) const
{
    return std::clamp(bar.end, ClippedStart(bar), m_measuredEnd);
}

double AlarmReport::Availability(const Signal& signal) const
{
    const qint64 span = MonitoredMs();
    return span <= 0 ? 1.0 : 1.0 - double(signal.alarmMs) / double(span);
}

QString AlarmReport::PortText(const Signal& signal)
{
    if (signal.portType == 0)
        return QStringLiteral("--");
    const QString port = PortDisplayName(signal.portType, signal.portID);
    return signal.trackID < 0 ? port : QStringLiteral("%1 CH%2").arg(port).arg(signal.trackID);
}

QStringList AlarmReport::FigureHeaders()
{
    return {QCoreApplication::translate("AlarmReport", "Device Name"),
            QCoreApplication::translate("AlarmReport", "IP Address"),
            QCoreApplication::translate("AlarmReport", "Signal Name"),
            QCoreApplication::translate("AlarmReport", "Port"),
            QCoreApplication::translate("AlarmReport", "Alarms"),
            QCoreApplication::translate("AlarmReport", "Time in Alarm"),
            QCoreApplication::translate("AlarmReport", "Longest Alarm"),
            QCoreApplication::translate("AlarmReport", "Availability")};
}

QStringList AlarmReport::FigureTexts(const Signal& signal) const
{
    // Rounded down, so that 100.00 % means no alarm at all.
    const double percent = std::floor(Availability(signal) * 10000.0) / 100.0;
    return {signal.deviceName,
            signal.ip,
            signal.portType == 0 ? QStringLiteral("--") : signal.signalName,
            PortText(signal),
            QString::number(signal.alarms),
            LogText::DurationText(signal.alarmMs),
            LogText::DurationText(signal.longestMs),
            MonitoredMs() > 0 ? QStringLiteral("%1%").arg(percent, 0, 'f', 2) : QStringLiteral("--")};
}

QByteArray AlarmReport::Csv() const
{
    QString text = LogText::CsvLine(FigureHeaders());
    for (const Signal& signal : m_signals)
        text += LogText::CsvLine(FigureTexts(signal));
    return text.toUtf8();
}
