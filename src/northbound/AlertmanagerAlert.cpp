#include "northbound/AlertmanagerAlert.h"

#include "alarm/AlarmRecord.h"
#include "northbound/SyslogMessage.h"

#include <QJsonArray>
#include <QJsonDocument>

QJsonObject AlertmanagerAlert::ToJson(const AlarmRecord& logged, const QString& station)
{
    QJsonObject labels{
        {QStringLiteral("alertname"), AlertName(logged.alarmType)},
        // An unknown level is still an alarm, as the syslog stream has it.
        {QStringLiteral("severity"),
         logged.level == LevelError ? QStringLiteral("critical") : QStringLiteral("warning")},
        {QStringLiteral("station"), station},
        {QStringLiteral("device"), logged.deviceName},
        {QStringLiteral("ip"), logged.ip},
    };
    if (logged.portType != PortTypeNone)
        labels.insert(QStringLiteral("port"), QStringLiteral("%1 %2").arg(QLatin1String(PortTypeText(logged.portType)),
                                                                          QString::number(logged.portID)));
    if (IsAudioTrackAlarm(logged.alarmType))
        labels.insert(QStringLiteral("track"), QString::number(logged.trackID));

    // The start's sentence describes the alert also when it is resolved.
    AlarmRecord start = logged;
    start.end_time = QDateTime();
    QJsonObject alert{
        {QStringLiteral("labels"), labels},
        {QStringLiteral("annotations"), QJsonObject{{QStringLiteral("summary"), SyslogMessage::Summary(start)},
                                                    {QStringLiteral("signal"), logged.signalName},
                                                    {QStringLiteral("helpkey"), AlarmHelpKey(logged)}}},
        {QStringLiteral("startsAt"), SyslogMessage::Timestamp(logged.time)},
    };
    if (logged.end_time.isValid())
        alert.insert(QStringLiteral("endsAt"), SyslogMessage::Timestamp(logged.end_time));
    return alert;
}

QByteArray AlertmanagerAlert::Batch(const std::vector<AlarmRecord>& logged, const QString& station)
{
    QJsonArray alerts;
    for (const AlarmRecord& record : logged)
        alerts.append(ToJson(record, station));
    return QJsonDocument(alerts).toJson(QJsonDocument::Compact);
}

QString AlertmanagerAlert::AlertName(int alarmType)
{
    switch (alarmType) {
    case AlarmTypeVideoLost:
        return QStringLiteral("VideoLost");
    case AlarmTypeVideoFreeze:
        return QStringLiteral("VideoFreeze");
    case AlarmTypeVideoBlack:
        return QStringLiteral("VideoBlack");
    case AlarmTypeSilence:
        return QStringLiteral("AudioSilence");
    case AlarmTypeAudioOverload:
        return QStringLiteral("AudioOverload");
    case AlarmTypeConnection:
        return QStringLiteral("DeviceConnection");
    default:
        return QStringLiteral("Alarm%1").arg(alarmType);
    }
}
