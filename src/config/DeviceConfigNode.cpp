#include "config/DeviceConfigNode.h"

#include "alarm/AlarmRecord.h"
#include "config/PortConfigNode.h"
#include "config/XmlNodeList.h"

#include <QDebug>
#include <QDomDocument>
#include <QRegularExpression>

#include <algorithm>

namespace {
// Four dotted numbers of 0 to 255; leading zeros, which a hand-edited file may hold, are allowed.
bool IsIPv4Text(const QString& text)
{
    static const QRegularExpression dotted(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}")));
    if (!dotted.match(text).hasMatch())
        return false;
    const QStringList parts = text.split(QLatin1Char('.'));
    return std::all_of(parts.begin(), parts.end(), [](const QString& part) { return part.toUInt() <= 255; });
}
} // namespace

DeviceConfigNode::DeviceConfigNode(const QString& ip, const QString& devName) : m_ip(ip), m_devName(devName) {}

DeviceConfigNode::DeviceConfigNode(const DeviceConfigNode& other)
    : Ox_XmlNodeBase(other), m_ip(other.m_ip), m_devName(other.m_devName)
{
    CopyNodeList(other.m_ports, m_ports);
}

DeviceConfigNode& DeviceConfigNode::operator=(const DeviceConfigNode& other)
{
    m_ip = other.m_ip;
    m_devName = other.m_devName;
    CopyNodeList(other.m_ports, m_ports);
    return *this;
}

DeviceConfigNode::~DeviceConfigNode()
{
    qDeleteAll(m_ports);
}

QString DeviceConfigNode::NodeName() const
{
    return QStringLiteral("device");
}

bool DeviceConfigNode::WriteToXmlNode(QDomDocument& document, QDomElement& parent) const
{
    QDomElement device = document.createElement(NodeName());
    device.setAttribute(QStringLiteral("dev_name"), m_devName);
    device.setAttribute(QStringLiteral("ip"), m_ip);
    parent.appendChild(device);
    if (!WriteNodeList(document, device, m_ports)) {
        qDebug() << QStringLiteral("Write %1 failed!").arg(PortConfigNode().NodeName());
        return false;
    }
    return true;
}

bool DeviceConfigNode::ReadFromXmlNode(const QDomElement& element)
{
    if (!CheckNodeName(element))
        return false;
    m_devName = element.attribute(QStringLiteral("dev_name"));
    m_ip = element.attribute(QStringLiteral("ip"));
    // A host name would be looked up, blocking, by every conversation with the device, and its traps, known by
    // their sender's address, would never match it: the file is refused like any other it cannot use.
    if (!m_ip.isEmpty() && !IsIPv4Text(m_ip)) {
        qDebug() << "The device address" << m_ip << "is not an IPv4 address";
        return false;
    }
    if (!ReadNodeList(element, m_ports)) {
        qDebug() << QStringLiteral("Read '%1' failed!").arg(PortConfigNode().NodeName());
        return false;
    }
    return true;
}

void DeviceConfigNode::AddPort(const PortConfigNode& port)
{
    m_ports.append(new PortConfigNode(port));
}

PortConfigNode* DeviceConfigNode::FindPort(const QString& name)
{
    for (PortConfigNode* port : qAsConst(m_ports)) {
        if (port->name() == name)
            return port;
    }
    return nullptr;
}

const PortConfigNode* DeviceConfigNode::FindPort(const QString& name) const
{
    return const_cast<DeviceConfigNode*>(this)->FindPort(name);
}

bool DeviceConfigNode::GetBncPort(int i, PortConfigNode& out) const
{
    return GetPort(PortTypeBnc, i, out);
}

bool DeviceConfigNode::GetAnalogPort(int i, PortConfigNode& out) const
{
    return GetPort(PortTypeAnalog, i, out);
}

bool DeviceConfigNode::GetAesPort(int i, PortConfigNode& out) const
{
    return GetPort(PortTypeAes, i, out);
}

void DeviceConfigNode::SetBncPort(int i, const PortConfigNode& port)
{
    SetPort(PortTypeBnc, i, port);
}

void DeviceConfigNode::SetAnalogPort(int i, const PortConfigNode& port)
{
    SetPort(PortTypeAnalog, i, port);
}

void DeviceConfigNode::SetAesPort(int i, const PortConfigNode& port)
{
    SetPort(PortTypeAes, i, port);
}

bool DeviceConfigNode::GetPort(int portType, int i, PortConfigNode& out) const
{
    const PortConfigNode* port = FindPort(PortDisplayName(portType, i + 1));
    if (!port)
        return false;
    out = *port;
    return true;
}

void DeviceConfigNode::SetPort(int portType, int i, const PortConfigNode& port)
{
    const QString name = PortDisplayName(portType, i + 1);
    PortConfigNode* stored = FindPort(name);
    if (!stored) {
        stored = new PortConfigNode;
        m_ports.append(stored);
    }
    *stored = port;
    stored->SetName(name);
}
