#include "northbound/SyslogMessage.h"

#include "alarm/AlarmRecord.h"

#include <QDateTime>
#include <QLocale>
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
    return Compose(logged, end ? QStringLiteral("ALARM_END") : QStringLiteral("ALARM_START"), Severity(logged),
                   end ? logged.end_time : logged.time, {}, Summary(logged), hostName, processId);
}

QByteArray SyslogMessage::FormatAcknowledgement(const AlarmAcknowledgement& acknowledgement, const QString& hostName,
                                                qint64 processId)
{
    const AlarmRecord& alarm = acknowledgement.alarm;
    return Compose(alarm, QStringLiteral("ALARM_ACK"), SeverityNotice, acknowledgement.time,
                   {{"ack_time", Timestamp(acknowledgement.time)}, {"ack_note", acknowledgement.note}},
                   Summary(alarm) + QLatin1String(" acknowledged"), hostName, processId);
}

QByteArray SyslogMessage::Compose(const AlarmRecord& alarm, const QString& messageId, int severity,
                                  const QDateTime& time, const QList<QPair<const char*, QString>>& extra,
                                  const QString& summary, const QString& hostName, qint64 processId)
{
    const QString header = QStringLiteral("<%1>1 %2 %3 vizavovu %4 %5")
                               .arg(QString::number(FacilityLocal0 * 8 + severity), Timestamp(time), hostName,
                                    QString::number(processId), messageId);
    QString data = QLatin1Char('[') + StructuredDataId;
    auto add = [&data](const char* name, const QString& value) {
        data += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), ParamValue(value));
    };
    add("ip", alarm.ip);
    add("deviceName", alarm.deviceName);
    add("signalName", alarm.signalName);
    add("portType", QString::number(alarm.portType));
    add("portID", QString::number(alarm.portID));
    add("trackID", QString::number(alarm.trackID));
    add("alarmType", QString::number(alarm.alarmType));
    add("level", QString::number(alarm.level));
    add("helpkey", AlarmHelpKey(alarm));
    add("start_time", Timestamp(alarm.time));
    if (alarm.end_time.isValid())
        add("end_time", Timestamp(alarm.end_time));
    for (const auto& [name, value] : extra)
        add(name, value);
    data += QLatin1Char(']');
    return (header + QLatin1Char(' ') + data + QLatin1Char(' ')).toUtf8() + QByteArray("\xEF\xBB\xBF") +
           summary.toUtf8();
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
    // The system locale's digits would be Arabic-Indic or Persian ones on some consoles.
    return QLocale::c().toString(time, QStringLiteral("yyyy-MM-dd'T'hh:mm:ss.zzz")) +
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
