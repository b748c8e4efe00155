#pragma once

#include <QHash>
#include <QString>

class DeviceConfigFile;

// The ports of each configured device whose monitoring is switched off; their pictures show disabled. Read once
// from the configuration, because the pictures ask for every alarm's device.
class UnmonitoredPorts
{
public:
    static constexpr int BncCount = 16;

    void Read(const DeviceConfigFile& config);
    // Sets the states of the device's switched-off ports to 0 (disabled).
    void Disable(const QString& ip, int& aes, int& analog, int* bnc) const;

private:
    struct Ports
    {
        bool analog = false;
        bool aes = false;
        bool bnc[BncCount] = {};
    };
    QHash<QString, Ports> m_devices;
};
