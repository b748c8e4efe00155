#include "northbound/AlertmanagerAlert.h"

#include "alarm/AlarmRecord.h"
#include "northbound/SyslogMessage.h"

#include <QUrl>

namespace {
QString PortLabel(const AlarmRecord& logged)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(PortTypeText(logged.portType)), QString::number(logged.portID));
}

QString StationUrl(const QString& station, const QString& path)
{
    QUrl url;
    url.setScheme(QStringLiteral("vizavovu"));
    url.setHost(station);
    url.setPath(path);
    return url.toString(QUrl::FullyEncoded);
}
} // namespace

QJsonObject AlertmanagerAlert::ToJson(const AlarmRecord& logged, const QString& station, const QDateTime& firingUntil)
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
        labels.insert(QStringLiteral("port"), PortLabel(logged));
    if (IsAudioTrackAlarm(logged.alarmType))
        labels.insert(QStringLiteral("track"), QString::number(logged.trackID));

    // The start's sentence describes the alert also when it is resolved.
    AlarmRecord start = logged;
    start.end_time = QDateTime();
    return QJsonObject{
        {QStringLiteral("labels"), labels},
        {QStringLiteral("annotations"), QJsonObject{{QStringLiteral("summary"), SyslogMessage::Summary(start)},
                                                    {QStringLiteral("signal"), logged.signalName},
                                                    {QStringLiteral("helpkey"), AlarmHelpKey(logged)}}},
        {QStringLiteral("startsAt"), SyslogMessage::Timestamp(logged.time)},
        {QStringLiteral("endsAt"), SyslogMessage::Timestamp(logged.end_time.isValid() ? logged.end_time : firingUntil)},
        {QStringLiteral("generatorURL"), GeneratorUrl(station, logged)},
    };
}

QJsonObject AlertmanagerAlert::Watchdog(const QString& station, const QDateTime& since, const QDateTime& firingUntil)
{
    return QJsonObject{
        {QStringLiteral("labels"), QJsonObject{{QStringLiteral("alertname"), QStringLiteral("VizavovuWatchdog")},
                                               {QStringLiteral("severity"), QStringLiteral("none")},
                                               {QStringLiteral("station"), station}}},
        {QStringLiteral("annotations"),
         QJsonObject{
             {QStringLiteral("summary"), QStringLiteral("Fires for as long as the station %1 runs.").arg(station)}}},
        {QStringLiteral("startsAt"), SyslogMessage::Timestamp(since)},
        {QStringLiteral("endsAt"), SyslogMessage::Timestamp(firingUntil)},
        {QStringLiteral("generatorURL"), StationUrl(station, QString())},
    };
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

QString AlertmanagerAlert::GeneratorUrl(const QString& station, const AlarmRecord& logged)
{
    QString path = QLatin1Char('/') + logged.ip;
    if (logged.portType != PortTypeNone)
        path += QLatin1Char('/') + PortLabel(logged);
    return StationUrl(station, path);
}
