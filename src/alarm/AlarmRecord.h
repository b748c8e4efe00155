#pragma once

#include <QDateTime>
#include <QString>

// Port kinds a record can concern; 0 means the event concerns no port.
enum PortType
{
    PortTypeNone = 0,
    PortTypeBnc = 1,
    PortTypeHdmi = 2,
    PortTypeAes = 3,
    PortTypeAnalog = 4,
};

// Alarm kinds are single bits so that a port's alarm type mask is a set of them.
enum AlarmType
{
    AlarmTypeNone = 0,
    AlarmTypeVideoBlack = 1,
    AlarmTypeVideoFreeze = 2,
    AlarmTypeVideoLost = 4,
    AlarmTypeSilence = 8,
    AlarmTypeAudioOverload = 16,
    AlarmTypeConnection = 32,
    AlarmTypeFan = 64,
    AlarmTypePower = 128,
};

enum AlarmLevel
{
    LevelNone = 0,
    LevelNormal = 1,
    LevelWarn = 2,
    LevelError = 3,
};

// One event learnt about a device. Records come from AlarmRecordPool and go back there; see AlarmRecordPool.
class AlarmRecord
{
public:
    QDateTime time;
    QString ip;
    QString deviceName;
    QString signalName;
    int portType = PortTypeNone;
    int portID = -1;
    int trackID = -1;
    int alarmType = AlarmTypeNone;
    int level = LevelNone;
    QDateTime end_time;
    QString note;

    // Pooled records keep the values of their previous use; every producer starts from this.
    void Init(const QString& deviceIp);
};

bool IsSignalAlarm(int alarmType);
bool IsVideoAlarm(int alarmType);
bool IsAudioTrackAlarm(int alarmType);

// Devices report severities 0, 1 and 2; the station stores v + 1, and 0 for anything else.
int LevelFromDeviceSeverity(long severity);

// The words in English, untranslated: for texts that leave the station, whatever its language.
const char* PortTypeText(int portType);
const char* AlarmTypeText(int alarmType);
QString PortTypeWord(int portType);
QString AlarmTypeWord(int alarmType);
// "BNC 3", "AES/EBU 1": how the device configuration names its ports.
QString PortDisplayName(int portType, int portID);

// Finds the current alarm that a new record continues or ends (views).
QString AlarmViewKey(const AlarmRecord& record);
// Pairs an alarm start with its end (alarm log).
QString AlarmIdentityKey(const AlarmRecord& record);
// Names the log row that one occurrence created.
QString AlarmHelpKey(const AlarmRecord& record);
