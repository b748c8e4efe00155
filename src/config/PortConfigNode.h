#pragma once

#include "config/Ox_XmlNodeBase.h"

#include <QTime>

// Monitoring configuration of one port of a device, identified inside its device by its name ("BNC 3").
class PortConfigNode : public Ox_XmlNodeBase
{
public:
    QString NodeName() const override;
    bool WriteToXmlNode(QDomDocument& document, QDomElement& parent) const override;
    bool ReadFromXmlNode(const QDomElement& element) override;

    int version() const { return m_version; }
    void SetVersion(int version) { m_version = version; }
    QString name() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    QString signal_name() const { return m_signalName; }
    void SetSignalName(const QString& signalName) { m_signalName = signalName; }
    // Whether the port is monitored at all.
    bool alarm() const { return m_alarm; }
    void SetAlarm(bool alarm) { m_alarm = alarm; }
    // A set bit (an AlarmType code) lets that alarm type through.
    quint32 alarm_type_mask() const { return m_alarmTypeMask; }
    void SetAlarmTypeMask(quint32 mask) { m_alarmTypeMask = mask; }
    // Bit n lets audio track n + 1 through.
    quint32 track_mask() const { return m_trackMask; }
    void SetTrackMask(quint32 mask) { m_trackMask = mask; }

    // Daily windows; a null time means "no time".
    QTime start_time1() const { return m_startTime1; }
    QTime end_time1() const { return m_endTime1; }
    QTime start_time2() const { return m_startTime2; }
    QTime end_time2() const { return m_endTime2; }
    void GetTimeRange1(QTime& start, QTime& end) const;
    void SetTimeRange1(const QTime& start, const QTime& end);
    void GetTimeRange2(QTime& start, QTime& end) const;
    void SetTimeRange2(const QTime& start, const QTime& end);

private:
    int m_version = 1;
    QString m_name;
    QString m_signalName;
    bool m_alarm = true;
    quint32 m_alarmTypeMask = 0xFFFFFFFF;
    quint32 m_trackMask = 3;
    QTime m_startTime1{0, 0, 0};
    QTime m_endTime1{23, 59, 59};
    QTime m_startTime2;
    QTime m_endTime2;
};
