#include "alarm/AlarmRecord.h"

#include <QCoreApplication>
#include <QLocale>

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

const char* PortTypeText(int portType)
{
    switch (portType) {
    case PortTypeBnc:
        return QT_TRANSLATE_NOOP("AlarmRecord", "BNC");
    case PortTypeHdmi:
        return QT_TRANSLATE_NOOP("AlarmRecord", "HDMI");
    case PortTypeAes:
        return QT_TRANSLATE_NOOP("AlarmRecord", "AES/EBU");
    case PortTypeAnalog:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Analog");
    default:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Unknown");
    }
}

const char* AlarmTypeText(int alarmType)
{
    switch (alarmType) {
    case AlarmTypeVideoBlack:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Video Black");
    case AlarmTypeVideoFreeze:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Freeze");
    case AlarmTypeVideoLost:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Video Lost");
    case AlarmTypeSilence:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Slience");
    case AlarmTypeAudioOverload:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Audio Overload");
    case AlarmTypeConnection:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Connected Status");
    default:
        return QT_TRANSLATE_NOOP("AlarmRecord", "Unknown");
    }
}

QString PortTypeWord(int portType)
{
    return QCoreApplication::translate("AlarmRecord", PortTypeText(portType));
}

QString AlarmTypeWord(int alarmType)
{
    return QCoreApplication::translate("AlarmRecord", AlarmTypeText(alarmType));
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
           QLocale::c().toString(record.time, QStringLiteral("yyyy-MM-dd_hh:mm:ss.zzz"));
}
