#pragma once

#include "config/Ox_XmlFileBase.h"

#include <QList>

class DeviceConfigNode;

// config/device_config.xml: the monitored devices and the monitoring configuration of their ports.
// Copies are deep, so that every thread can keep its own.
class DeviceConfigFile : public Ox_XmlFileBase
{
public:
    DeviceConfigFile() = default;
    DeviceConfigFile(const DeviceConfigFile& other);
    DeviceConfigFile& operator=(const DeviceConfigFile& other);
    ~DeviceConfigFile() override;

    QString RootName() const override;

    // Borrowed pointers in file order; the file keeps ownership.
    const QList<DeviceConfigNode*>& Devices() const { return m_devices; }
    // The first device with this ip; null when there is none.
    DeviceConfigNode* FindDevice(const QString& ip);
    const DeviceConfigNode* FindDevice(const QString& ip) const;
    // Copies the first device with the node's ip into out; false, and out untouched, when there is none.
    bool GetDevice(const QString& ip, DeviceConfigNode& out) const;
    // Appends a copy; false when a device with the same ip exists.
    bool AddDevice(const DeviceConfigNode& node);
    // Copies the node over the first device with the same ip; nothing when there is none.
    void UpdateDevice(const DeviceConfigNode& node);
    void RemoveDevice(const QString& ip);

protected:
    bool ReadFromXml(const QDomElement& root) override;
    bool WriteToXml(QDomDocument& document, QDomElement& root) override;

private:
    void ClearDevices();

    QList<DeviceConfigNode*> m_devices;
};
