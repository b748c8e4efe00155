#include "log/SyslogMessage.h"

#include "alarm/AlarmRecord.h"

#include <QDateTime>
#include <QSysInfo>

#include <cstdlib>

const QString SyslogMessage::StructuredDataId = QStringLiteral("alarm@58206");

namespace {
constexpr int FacilityLocal0 = 16;
constexpr int SeverityError = 3;
constexpr int SeverityWarning = 4;
constexpr int SeverityNotice = 5;

int Severity(const AlarmRecord& logged)
{
    if (logged.end_time.isValid() || logged.level == LevelNormal)
        return SeverityNotice;
    // A start of undecided level is still an alarm.
    return logged.level == LevelError ? SeverityError : SeverityWarning;
}

QString ParamValue(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('"'), QLatin1String("\\\""));
    value.replace(QLatin1Char(']'), QLatin1String("\\]"));
    return value;
}
} // namespace

QByteArray SyslogMessage::Format(const AlarmRecord& logged, const QString& hostName, qint64 processId)
{
    const bool end = logged.end_time.isValid();
    const QString header =
        QStringLiteral("<%1>1 %2 %3 vizavovu %4 %5")
            .arg(QString::number(FacilityLocal0 * 8 + Severity(logged)), Timestamp(end ? logged.end_time : logged.time),
                 hostName, QString::number(processId),
                 end ? QStringLiteral("ALARM_END") : QStringLiteral("ALARM_START"));
    QString data = QLatin1Char('[') + StructuredDataId;
    auto add = [&data](const char* name, const QString& value) {
        data += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), ParamValue(value));
    };
    add("ip", logged.ip);
    add("deviceName", logged.deviceName);
    add("signalName", logged.signalName);
    add("portType", QString::number(logged.portType));
    add("portID", QString::number(logged.portID));
    add("trackID", QString::number(logged.trackID));
    add("alarmType", QString::number(logged.alarmType));
    add("level", QString::number(logged.level));
    add("helpkey", AlarmHelpKey(logged));
    add("start_time", Timestamp(logged.time));
    if (end)
        add("end_time", Timestamp(logged.end_time));
    data += QLatin1Char(']');
    return (header + QLatin1Char(' ') + data + QLatin1Char(' ')).toUtf8() + QByteArray("\xEF\xBB\xBF") +
           Summary(logged).toUtf8();
}

QByteArray SyslogMessage::Frame(const QByteArray& message)
{
    return QByteArray::number(message.size()) + ' ' + message;
}

QString SyslogMessage::Summary(const AlarmRecord& logged)
{
    QString text = QLatin1String(AlarmTypeText(logged.alarmType));
    if (logged.end_time.isValid())
        text += QLatin1String(" ended");
    if (logged.portType != PortTypeNone) {
        text += QStringLiteral(" on %1 %2")
                    .arg(QLatin1String(PortTypeText(logged.portType)), QString::number(logged.portID));
        if (IsAudioTrackAlarm(logged.alarmType))
            text += QStringLiteral(" track %1").arg(logged.trackID);
        if (!logged.signalName.isEmpty())
            text += QStringLiteral(" (%1)").arg(logged.signalName);
    }
    text += QLatin1String(" of ");
    if (!logged.deviceName.isEmpty())
        text += logged.deviceName + QLatin1Char(' ');
    return text + logged.ip;
}

QString SyslogMessage::Timestamp(const QDateTime& time)
{
    if (!time.isValid())
        return QStringLiteral("-");
    const int offsetMinutes = time.offsetFromUtc() / 60;
    const int minutes = std::abs(offsetMinutes);
    return time.toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss.zzz")) +
           QStringLiteral("%1%2:%3")
               .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString SyslogMessage::LocalHostName()
{
    QString name;
    for (const QChar c : QSysInfo::machineHostName())
        if (c.unicode() > 32 && c.unicode() < 127 && name.size() < 255)
            name += c;
    return name.isEmpty() ? QStringLiteral("-") : name;
}
