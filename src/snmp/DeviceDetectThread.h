#pragma once

#include <QString>

class SnmpServer;

// Watches whether every registered device is still reachable.
class DeviceDetectThread
{
public:
    explicit DeviceDetectThread(SnmpServer* server);
    virtual ~DeviceDetectThread() = default;

    void AddDevice(const QString& ip);
    void NotifyAlive(const QString& ip);
    void Stop();

private:
    SnmpServer* m_server;
};
