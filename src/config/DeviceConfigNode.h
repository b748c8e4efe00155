#pragma once

#include "config/Ox_XmlNodeBase.h"

#include <QList>

class PortConfigNode;

// One monitored device and its ports; ip is the device's identity everywhere in the station.
class DeviceConfigNode : public Ox_XmlNodeBase
{
public:
    DeviceConfigNode() = default;
    DeviceConfigNode(const QString& ip, const QString& devName);
    DeviceConfigNode(const DeviceConfigNode& other);
    DeviceConfigNode& operator=(const DeviceConfigNode& other);
    ~DeviceConfigNode() override;

    QString NodeName() const override;
    bool WriteToXmlNode(QDomDocument& document, QDomElement& parent) const override;
    bool ReadFromXmlNode(const QDomElement& element) override;

    QString ip() const { return m_ip; }
    void SetIp(const QString& ip) { m_ip = ip; }
    QString dev_name() const { return m_devName; }
    void SetDevName(const QString& devName) { m_devName = devName; }

    // Borrowed pointers in file order; the device keeps ownership.
    const QList<PortConfigNode*>& Ports() const { return m_ports; }
    // Appends a copy.
    void AddPort(const PortConfigNode& port);
    // The first port whose name equals the given one exactly; null when there is none.
    PortConfigNode* FindPort(const QString& name);
    const PortConfigNode* FindPort(const QString& name) const;

    // i is 0-based: GetBncPort(0, ...) looks for "BNC 1". False, and out untouched, when the port is absent.
    bool GetBncPort(int i, PortConfigNode& out) const;
    bool GetAnalogPort(int i, PortConfigNode& out) const;
    bool GetAesPort(int i, PortConfigNode& out) const;
    // Copies the port over the one with the built name (appended when absent); the given port's own name is
    // replaced by the built one.
    void SetBncPort(int i, const PortConfigNode& port);
    void SetAnalogPort(int i, const PortConfigNode& port);
    void SetAesPort(int i, const PortConfigNode& port);

private:
    bool GetPort(int portType, int i, PortConfigNode& out) const;
    void SetPort(int portType, int i, const PortConfigNode& port);
    void ClearPorts();

    QString m_ip;
    QString m_devName;
    QList<PortConfigNode*> m_ports;
};
