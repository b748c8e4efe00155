#include "config/DeviceConfigFile.h"

#include "config/DeviceConfigNode.h"
#include "config/XmlNodeList.h"

DeviceConfigFile::DeviceConfigFile(const DeviceConfigFile& other) : Ox_XmlFileBase(other)
{
    CopyNodeList(other.m_devices, m_devices);
}

DeviceConfigFile& DeviceConfigFile::operator=(const DeviceConfigFile& other)
{
    Ox_XmlFileBase::operator=(other);
    CopyNodeList(other.m_devices, m_devices);
    return *this;
}

DeviceConfigFile::~DeviceConfigFile()
{
    qDeleteAll(m_devices);
}

QString DeviceConfigFile::RootName() const
{
    return QStringLiteral("device_config");
}

DeviceConfigNode* DeviceConfigFile::FindDevice(const QString& ip)
{
    for (DeviceConfigNode* device : qAsConst(m_devices)) {
        if (device->ip() == ip)
            return device;
    }
    return nullptr;
}

const DeviceConfigNode* DeviceConfigFile::FindDevice(const QString& ip) const
{
    return const_cast<DeviceConfigFile*>(this)->FindDevice(ip);
}

bool DeviceConfigFile::GetDevice(const QString& ip, DeviceConfigNode& out) const
{
    const DeviceConfigNode* device = FindDevice(ip);
    if (!device)
        return false;
    out = *device;
    return true;
}

bool DeviceConfigFile::AddDevice(const DeviceConfigNode& node)
{
    if (FindDevice(node.ip()))
        return false;
    m_devices.append(new DeviceConfigNode(node));
    return true;
}

void DeviceConfigFile::UpdateDevice(const DeviceConfigNode& node)
{
    if (DeviceConfigNode* device = FindDevice(node.ip()))
        *device = node;
}

void DeviceConfigFile::RemoveDevice(const QString& ip)
{
    if (DeviceConfigNode* device = FindDevice(ip)) {
        m_devices.removeOne(device);
        delete device;
    }
}

bool DeviceConfigFile::ReadFromXml(const QDomElement& root)
{
    if (!ReadNodeList(root, m_devices)) {
        SetErrorString(QStringLiteral("Read '%1' failed!").arg(DeviceConfigNode().NodeName()));
        return false;
    }
    return true;
}

bool DeviceConfigFile::WriteToXml(QDomDocument& document, QDomElement& root)
{
    if (!WriteNodeList(document, root, m_devices)) {
        SetErrorString(QStringLiteral("Write %1 failed!").arg(DeviceConfigNode().NodeName()));
        return false;
    }
    return true;
}
