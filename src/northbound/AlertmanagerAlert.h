#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

class AlarmRecord;

// One alarm as Alertmanager's API v2 takes it. The record is a log row: time is the alarm's start; end_time is null
// for a start (a firing alert) and the end time for an end (the same alert, resolved). The labels name the alarm,
// so that its start and its end, and every re-send, are one alert to Alertmanager.
class AlertmanagerAlert
{
public:
    // A firing alert ends at firingUntil unless it is posted again by then, so that a station that died leaves no
    // alert firing for good.
    static QJsonObject ToJson(const AlarmRecord& logged, const QString& station, const QDateTime& firingUntil);
    // "VizavovuWatchdog", firing for as long as the station runs, for a dead man's switch.
    static QJsonObject Watchdog(const QString& station, const QDateTime& since, const QDateTime& firingUntil);
    // "VideoLost", "DeviceConnection": the alertname of an alarm type.
    static QString AlertName(int alarmType);
    // vizavovu://STATION/IP/PORT, or without the port for a device-wide alarm: where the alert comes from.
    static QString GeneratorUrl(const QString& station, const AlarmRecord& logged);
};
