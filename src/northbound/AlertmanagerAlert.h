#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <vector>

class AlarmRecord;

// One alarm as Alertmanager's API v2 takes it. The record is a log row: time is the alarm's start; end_time is null
// for a start (a firing alert) and the end time for an end (the same alert, resolved). The labels name the alarm,
// so that its start and its end, and every re-send, are one alert to Alertmanager.
class AlertmanagerAlert
{
public:
    static QJsonObject ToJson(const AlarmRecord& logged, const QString& station);
    // The body of one POST /api/v2/alerts.
    static QByteArray Batch(const std::vector<AlarmRecord>& logged, const QString& station);
    // "VideoLost", "DeviceConnection": the alertname of an alarm type.
    static QString AlertName(int alarmType);
};
