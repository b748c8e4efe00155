#include "config/SystemConfigFile.h"

#include <QDomDocument>
#include <QDomElement>

namespace {
// Each setting is the first child element with its tag; a missing one takes the fallback, which for some
// settings differs from what a new configuration starts with.
QString SettingText(const QDomElement& root, const QString& tag, const QString& fallback)
{
    const QDomElement element = root.firstChildElement(tag);
    return element.isNull() ? fallback : element.text();
}

quint32 ReadUnsigned(const QDomElement& root, const QString& tag, quint32 fallback)
{
    return SettingText(root, tag, QString::number(fallback)).toUInt();
}

bool ReadBool(const QDomElement& root, const QString& tag, bool fallback = true)
{
    return SettingText(root, tag, fallback ? QStringLiteral("true") : QStringLiteral("false")) ==
           QLatin1String("true");
}

void AppendSetting(QDomDocument& document, QDomElement& root, const QString& tag, const QString& text)
{
    QDomElement element = document.createElement(tag);
    element.appendChild(document.createTextNode(text));
    root.appendChild(element);
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

QString SystemConfigFile::RootName() const
{
    return QStringLiteral("system_config");
}

bool SystemConfigFile::ReadFromXml(const QDomElement& root)
{
    m_soundPeriod = ReadUnsigned(root, QStringLiteral("sound_period"), 30);
    m_maxHistory = ReadUnsigned(root, QStringLiteral("max_history"), 400);
    m_logSaveTime = ReadUnsigned(root, QStringLiteral("log_save_time"), 30);
    m_language = SettingText(root, QStringLiteral("language"), QStringLiteral("English"));
    m_serverPort = ReadUnsigned(root, QStringLiteral("server_port"), 3370);
    m_sayAlarmNormal = ReadBool(root, QStringLiteral("say_alarm_normal"));
    m_sayAlarmType = ReadBool(root, QStringLiteral("say_alarm_type"));
    m_speechRate = SettingText(root, QStringLiteral("speech_rate"), QStringLiteral("1")).toInt();
    m_sayOutdatedAlarm = ReadBool(root, QStringLiteral("say_outdated_alarm"));
    m_latchEndedAlarms = ReadBool(root, QStringLiteral("latch_ended_alarms"), false);
    return true;
}

bool SystemConfigFile::WriteToXml(QDomDocument& document, QDomElement& root)
{
    AppendSetting(document, root, QStringLiteral("sound_period"), QString::number(m_soundPeriod));
    AppendSetting(document, root, QStringLiteral("max_history"), QString::number(m_maxHistory));
    AppendSetting(document, root, QStringLiteral("log_save_time"), QString::number(m_logSaveTime));
    AppendSetting(document, root, QStringLiteral("language"), m_language);
    AppendSetting(document, root, QStringLiteral("server_port"), QString::number(m_serverPort));
    AppendSetting(document, root, QStringLiteral("say_alarm_normal"), BoolText(m_sayAlarmNormal));
    AppendSetting(document, root, QStringLiteral("say_alarm_type"), BoolText(m_sayAlarmType));
    AppendSetting(document, root, QStringLiteral("speech_rate"), QString::number(m_speechRate));
    AppendSetting(document, root, QStringLiteral("say_outdated_alarm"), BoolText(m_sayOutdatedAlarm));
    // Written only once turned on, so that a station that never uses it keeps its file as it was.
    if (m_latchEndedAlarms)
        AppendSetting(document, root, QStringLiteral("latch_ended_alarms"), BoolText(m_latchEndedAlarms));
    return true;
}
