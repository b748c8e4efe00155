#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <limits>

class LogDatabase;

// What the alarm log says about a period: per signal how often and how long it was in alarm, every alarm as a bar
// for the timeline, and the alarm starts per hour or per day. Time while the station was not monitoring (between
// its recorded runs) is neither in alarm nor available: the figures count only the monitored time.
//
// Times are wall-clock milliseconds: the log's "yyyy-MM-dd hh:mm:ss.zzz" texts read as if they were UTC, which no
// daylight saving shifts (WallTime turns them back into a date-time that prints the same text).
class AlarmReport
{
public:
    static constexpr qint64 OpenEnd = std::numeric_limits<qint64>::max();
    static constexpr qint64 HourMs = 3600000;
    static constexpr qint64 DayMs = 24 * HourMs;
    // Longer periods count alarm starts per day instead of per hour.
    static constexpr qint64 HourlyHistogramLimit = 3 * DayMs;

    // One alarm as logged: its end is OpenEnd while no recovery was seen.
    struct Bar
    {
        qint64 start = 0;
        qint64 end = OpenEnd;
        int alarmType = 0;
    };

    // A port of a device (and a track, for audio alarms); alarms that concern no port (connection, fan, power)
    // make one row for the device, with port type 0.
    struct Signal
    {
        QString ip;
        QString deviceName;
        QString signalName;
        int portType = 0;
        int portID = -1;
        int trackID = -1;
        // Alarms that started inside the period.
        int alarms = 0;
        // Inside the period, alarms of several types at once counted once.
        qint64 alarmMs = 0;
        qint64 longestMs = 0;
        // In order of start.
        QVector<Bar> bars;
    };

    // The rows of the log that lie in [from, to) (whole seconds; an empty ip means every device) as of now: an
    // open alarm counts up to the period's end or up to now, whichever comes first. Runs on any thread with that
    // thread's own connection; cancelled, when set, stops it early. False, with the error text, when the period is
    // empty or a statement fails.
    bool Build(LogDatabase& database, const QDateTime& from, const QDateTime& to, const QString& ip,
               const QDateTime& now, const std::atomic<bool>* cancelled = nullptr);

    QString ErrorString() const { return m_errorString; }
    qint64 From() const { return m_from; }
    qint64 To() const { return m_to; }
    // Where the figures stop: the period's end, or now when that comes first.
    qint64 MeasuredEnd() const { return m_measuredEnd; }
    // Sorted by time in alarm, longest first: the noisiest signal is lane 0 of the timeline.
    const QVector<Signal>& Signals() const { return m_signals; }
    int BarCount() const { return m_barCount; }

    // Alarm starts per bin; bin i begins at HistogramOrigin() + i * HistogramBinMs().
    const QVector<int>& Histogram() const { return m_histogram; }
    qint64 HistogramOrigin() const { return m_histogramOrigin; }
    qint64 HistogramBinMs() const { return m_histogramBinMs; }

    // The stretches of the measured period while no monitoring run was recorded, in order.
    const QVector<QPair<qint64, qint64>>& NotMonitored() const { return m_notMonitored; }
    // The measured period without those stretches.
    qint64 MonitoredMs() const;
    // The share of the monitored time without alarm on the signal, from 0 to 1.
    double Availability(const Signal& signal) const;
    // A bar cut to the measured period.
    qint64 ClippedStart(const Bar& bar) const;
    qint64 ClippedEnd(const Bar& bar) const;

    // The figure table's header and one row of texts: device name, IP address, signal name, port, alarms, time in
    // alarm, longest alarm, availability.
    static QStringList FigureHeaders();
    QStringList FigureTexts(const Signal& signal) const;
    // The figures as comma-separated values (RFC 4180), header first.
    QByteArray Csv() const;

    static qint64 WallMs(const QDateTime& time);
    static QDateTime WallTime(qint64 milliseconds);
    // "yyyy-MM-dd hh:mm:ss".
    static QString PeriodTimeText(qint64 milliseconds);
    static QString PortText(const Signal& signal);

private:
    void Add(int signal, const Bar& bar, bool startedInside);
    // Finds the stretches between the recorded runs; a log from before runs were recorded has none.
    bool ReadRuns(LogDatabase& database, qint64 now);
    // The monitored part of start..end.
    qint64 MonitoredPart(qint64 start, qint64 end) const;
    // Fills the device and signal names of each signal from its newest row.
    bool ReadNames(LogDatabase& database, const QVector<qint64>& newestIds);
    void Finish();

    QString m_errorString;
    qint64 m_from = 0;
    qint64 m_to = 0;
    qint64 m_measuredEnd = 0;
    QVector<Signal> m_signals;
    QVector<QPair<qint64, qint64>> m_notMonitored;
    int m_barCount = 0;
    QVector<int> m_histogram;
    qint64 m_histogramOrigin = 0;
    qint64 m_histogramBinMs = HourMs;
};
