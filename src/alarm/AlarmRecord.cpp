#include "alarm/AlarmRecord.h"

#include <QCoreApplication>

void AlarmRecord::Init(const QString& deviceIp)
{
    time = QDateTime::currentDateTime();
    ip = deviceIp;
    deviceName.clear();
    signalName.clear();
    portType = PortTypeNone;
    portID = -1;
    trackID = -1;
    alarmType = AlarmTypeNone;
    level = LevelNone;
    end_time = QDateTime();
    note.clear();
}

bool IsSignalAlarm(int alarmType)
{
    return IsVideoAlarm(alarmType) || IsAudioTrackAlarm(alarmType);
}

bool IsVideoAlarm(int alarmType)
{
    return alarmType == AlarmTypeVideoBlack || alarmType == AlarmTypeVideoFreeze || alarmType == AlarmTypeVideoLost;
}

bool IsAudioTrackAlarm(int alarmType)
{
    return alarmType == AlarmTypeSilence || alarmType == AlarmTypeAudioOverload;
}

int LevelFromDeviceSeverity(long severity)
{
    return (severity >= 0 && severity <= 2) ? int(severity) + 1 : LevelNone;
}

QString PortTypeWord(int portType)
{
    switch (portType) {
    case PortTypeBnc:
        return QCoreApplication::translate("AlarmRecord", "BNC");
    case PortTypeHdmi:
        return QCoreApplication::translate("AlarmRecord", "HDMI");
    case PortTypeAes:
        return QCoreApplication::translate("AlarmRecord", "AES/EBU");
    case PortTypeAnalog:
        return QCoreApplication::translate("AlarmRecord", "Analog");
    default:
        return QCoreApplication::translate("AlarmRecord", "Unknown");
    }
}

QString AlarmTypeWord(int alarmType)
{
    switch (alarmType) {
    case AlarmTypeVideoBlack:
        return QCoreApplication::translate("AlarmRecord", "Video Black");
    case AlarmTypeVideoFreeze:
        return QCoreApplication::translate("AlarmRecord", "Freeze");
    case AlarmTypeVideoLost:
        return QCoreApplication::translate("AlarmRecord", "Video Lost");
    case AlarmTypeSilence:
        return QCoreApplication::translate("AlarmRecord", "Slience");
    case AlarmTypeAudioOverload:
        return QCoreApplication::translate("AlarmRecord", "Audio Overload");
    case AlarmTypeConnection:
        return QCoreApplication::translate("AlarmRecord", "Connected Status");
    default:
        return QCoreApplication::translate("AlarmRecord", "Unknown");
    }
}

QString PortDisplayName(int portType, int portID)
{
    return QStringLiteral("%1 %2").arg(PortTypeWord(portType), QString::number(portID));
}

QString AlarmViewKey(const AlarmRecord& record)
{
    if (!IsSignalAlarm(record.alarmType))
        return QStringLiteral("%1:%2").arg(record.ip, QString::number(record.alarmType));
    if (IsAudioTrackAlarm(record.alarmType))
        return QStringLiteral("%1:%2:%3:%4")
            .arg(record.ip, QString::number(record.portType), QString::number(record.portID),
                 QString::number(record.alarmType));
    return QStringLiteral("%1:%2:%3:video")
        .arg(record.ip, QString::number(record.portType), QString::number(record.portID));
}

QString AlarmIdentityKey(const AlarmRecord& record)
{
    // One-pass substitution: an address read from a file must not be able to inject place-markers.
    return QStringLiteral("%1.%2.%3.%4.%5")
        .arg(record.ip, QString::number(record.portType), QString::number(record.portID),
             QString::number(record.trackID), QString::number(record.alarmType));
}

QString AlarmHelpKey(const AlarmRecord& record)
{
    return AlarmIdentityKey(record) + QLatin1Char('.') +
           record.time.toString(QStringLiteral("yyyy-MM-dd_hh:mm:ss.zzz"));
}
