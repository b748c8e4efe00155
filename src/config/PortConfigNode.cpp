#include "config/PortConfigNode.h"

#include <QDomDocument>
#include <QDomElement>
#include <QLocale>

namespace {
const QString TimeFormat = QStringLiteral("hh:mm:ss");

// A null time counts as -1, so that a missing start stays before any end.
int MsecsOrNull(const QTime& time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() : -1;
}

// A window is kept only when both ends are present and in order; anything else becomes midnight to midnight.
void ReadTimeRange(const QDomElement& port, const QString& startTag, const QString& endTag, QTime& start, QTime& end)
{
    const QDomElement startElement = port.firstChildElement(startTag);
    const QDomElement endElement = port.firstChildElement(endTag);
    if (!startElement.isNull() && !endElement.isNull()) {
        start = QTime::fromString(startElement.text(), TimeFormat);
        end = QTime::fromString(endElement.text(), TimeFormat);
        if (MsecsOrNull(start) <= MsecsOrNull(end))
            return;
    }
    start = QTime(0, 0, 0);
    end = QTime(0, 0, 0);
}

// Files written before tracks were configured one by one hold one bit per pair of tracks.
quint32 TrackMaskFromPairMask(quint32 pairMask)
{
    quint32 mask = 0;
    for (int n = 0; n < 16; ++n) {
        if (pairMask & (1u << n))
            mask |= 3u << (2 * n);
    }
    return mask;
}
} // namespace

QString PortConfigNode::NodeName() const
{
    return QStringLiteral("port");
}

bool PortConfigNode::WriteToXmlNode(QDomDocument& document, QDomElement& parent) const
{
    QDomElement port = document.createElement(NodeName());
    port.setAttribute(QStringLiteral("version"), m_version);
    port.setAttribute(QStringLiteral("name"), m_name);
    parent.appendChild(port);
    AppendTextElement(document, port, QStringLiteral("signal_name"), m_signalName);
    AppendBoolElement(document, port, QStringLiteral("alarm"), m_alarm);
    AppendTextElement(document, port, QStringLiteral("alarm_type_mask"), QString::number(m_alarmTypeMask));
    AppendTextElement(document, port, QStringLiteral("track_mask"), QString::number(m_trackMask));
    AppendTextElement(document, port, QStringLiteral("start_time1"), QLocale::c().toString(m_startTime1, TimeFormat));
    AppendTextElement(document, port, QStringLiteral("end_time1"), QLocale::c().toString(m_endTime1, TimeFormat));
    AppendTextElement(document, port, QStringLiteral("start_time2"), QLocale::c().toString(m_startTime2, TimeFormat));
    AppendTextElement(document, port, QStringLiteral("end_time2"), QLocale::c().toString(m_endTime2, TimeFormat));
    return true;
}

bool PortConfigNode::ReadFromXmlNode(const QDomElement& element)
{
    if (!CheckNodeName(element))
        return false;
    m_version = element.attribute(QStringLiteral("version"), QStringLiteral("0")).toInt();
    m_name = element.attribute(QStringLiteral("name"));
    m_signalName = element.firstChildElement(QStringLiteral("signal_name")).text();

    const QDomElement alarm = element.firstChildElement(QStringLiteral("alarm"));
    m_alarm = alarm.isNull() || ReadBoolElement(alarm);

    const QDomElement alarmTypeMask = element.firstChildElement(QStringLiteral("alarm_type_mask"));
    m_alarmTypeMask = alarmTypeMask.isNull() ? 0xFFFFFFFF : alarmTypeMask.text().toUInt();

    const QDomElement trackMask = element.firstChildElement(QStringLiteral("track_mask"));
    if (trackMask.isNull()) {
        m_trackMask = 0xFFFFFFFF;
    } else {
        m_trackMask = trackMask.text().toUInt();
        if (m_version == 0) {
            m_trackMask = TrackMaskFromPairMask(m_trackMask);
            m_version = 1;
        }
    }

    ReadTimeRange(element, QStringLiteral("start_time1"), QStringLiteral("end_time1"), m_startTime1, m_endTime1);
    ReadTimeRange(element, QStringLiteral("start_time2"), QStringLiteral("end_time2"), m_startTime2, m_endTime2);
    return true;
}

void PortConfigNode::GetTimeRange1(QTime& start, QTime& end) const
{
    start = m_startTime1;
    end = m_endTime1;
}

void PortConfigNode::SetTimeRange1(const QTime& start, const QTime& end)
{
    m_startTime1 = start;
    m_endTime1 = end;
}

void PortConfigNode::GetTimeRange2(QTime& start, QTime& end) const
{
    start = m_startTime2;
    end = m_endTime2;
}

void PortConfigNode::SetTimeRange2(const QTime& start, const QTime& end)
{
    m_startTime2 = start;
    m_endTime2 = end;
}
