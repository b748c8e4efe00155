#pragma once

#include <QString>

// Registers the station on queued devices, one at a time.
class ConnectDeviceThread
{
public:
    virtual ~ConnectDeviceThread() = default;

    void AddIP(const QString& ip);
};
