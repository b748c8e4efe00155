#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class AlarmHandler;
class LogManager;
class SoundAlarmManager;

// The station's health as Prometheus metrics: what the alarm path has received, filtered and written, the alarms
// active, the devices reachable, the length of every queue, and the process. Reads counters and queue lengths only,
// so that a scrape never holds up an alarm.
class StationMetrics
{
public:
    // Whatever is not given is left out. Each must outlive the object and be safe to read from any thread.
    struct Sources
    {
        const AlarmHandler* handler = nullptr;
        const LogManager* log = nullptr;
        const SoundAlarmManager* speech = nullptr;
        std::function<int()> displayQueueLength;
        std::function<bool()> monitoring;
        QString version;
    };

    explicit StationMetrics(Sources sources) : m_sources(std::move(sources)) {}

    // Any thread: the exposition of the moment.
    QByteArray Exposition() const;

private:
    const Sources m_sources;
};
