#pragma once

#include "alarm/AlarmRecord.h"
#include "alarm/SpeechVoice.h"

#include <QSemaphore>
#include <QStringList>

// A record as the handler hands it on, at the current time.
AlarmRecord MakeAlarm(const QString& ip, int portType, int portID, int trackID, int alarmType, int level);
// The fields the SNMP side decides, in one comparable text.
QString Fields(const QString& ip, int portType, int portID, int trackID, int alarmType, int level);
QStringList FieldsOf(const QList<AlarmRecord>& records);
// A video-lost alarm of port BNC <portID> on device 10.0.0.7, at that time.
AlarmRecord MakeAlarm(int portID, int level, const QDateTime& time);
// A local time written as the log stores it, "yyyy-MM-dd hh:mm:ss.zzz".
QDateTime At(const QString& text);

// Holds every utterance until the speech manager stops it, so that what is queued stays queued and nothing is
// heard.
class HeldVoice : public SpeechVoice
{
public:
    void Say(const QString& text, const QString& voiceName) override;
    void Stop() override;

private:
    QSemaphore m_stop;
};
