#pragma once

#include "config/Ox_XmlFileBase.h"

// config/system_config.xml: the station-wide settings.
class SystemConfigFile : public Ox_XmlFileBase
{
public:
    QString RootName() const override;

    // Seconds between repetitions of a spoken alarm.
    quint32 sound_period() const { return m_soundPeriod; }
    void SetSoundPeriod(quint32 seconds) { m_soundPeriod = seconds; }
    // Rows kept in a history table.
    quint32 max_history() const { return m_maxHistory; }
    void SetMaxHistory(quint32 rows) { m_maxHistory = rows; }
    // Days after which alarm-log rows are purged.
    quint32 log_save_time() const { return m_logSaveTime; }
    void SetLogSaveTime(quint32 days) { m_logSaveTime = days; }
    // Name of the current language, matched against lang_config.xml.
    QString language() const { return m_language; }
    void SetLanguage(const QString& name) { m_language = name; }
    // UDP port on which traps are received.
    quint32 server_port() const { return m_serverPort; }
    void SetServerPort(quint32 port) { m_serverPort = port; }
    bool say_alarm_type() const { return m_sayAlarmType; }
    void SetSayAlarmType(bool say) { m_sayAlarmType = say; }
    bool say_alarm_normal() const { return m_sayAlarmNormal; }
    void SetSayAlarmNormal(bool say) { m_sayAlarmNormal = say; }
    int speech_rate() const { return m_speechRate; }
    void SetSpeechRate(int rate) { m_speechRate = rate; }
    bool say_outdated_alarm() const { return m_sayOutdatedAlarm; }
    void SetSayOutdatedAlarm(bool say) { m_sayOutdatedAlarm = say; }
    // Ended alarms stay in the current tables until acknowledged; off unless the operator turns it on.
    bool latch_ended_alarms() const { return m_latchEndedAlarms; }
    void SetLatchEndedAlarms(bool latch) { m_latchEndedAlarms = latch; }

protected:
    bool ReadFromXml(const QDomElement& root) override;
    bool WriteToXml(QDomDocument& document, QDomElement& root) override;

private:
    quint32 m_soundPeriod = 30;
    quint32 m_maxHistory = 400;
    quint32 m_logSaveTime = 30;
    QString m_language = QStringLiteral("English");
    quint32 m_serverPort = 3703;
    bool m_sayAlarmType = false;
    bool m_sayAlarmNormal = false;
    int m_speechRate = 1;
    bool m_sayOutdatedAlarm = true;
    bool m_latchEndedAlarms = false;
};
