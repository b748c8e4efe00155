#pragma once

#include "config/DeviceConfigFile.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What the device configuration says of each device's ports for its pictures: their captions, and which ports have
// their monitoring switched off (their pictures show disabled). The switched-off ports are read once, because the
// pictures ask for every alarm's device; the captions are made on request, in the language of the moment.
class DevicePortSettings
{
public:
    static constexpr int BncCount = 16;

    void Read(const DeviceConfigFile& config);
    // Sets the states of the device's switched-off ports to 0 (disabled).
    void Disable(const QString& ip, int& aes, int& analog, int* bnc) const;
    // The signal names of the device's ports, or their place on the device; false for a device not configured.
    bool Captions(const QString& ip, QString& analog, QString& aes, QStringList& bnc) const;

private:
    struct Ports
    {
        bool analog = false;
        bool aes = false;
        bool bnc[BncCount] = {};
    };
    DeviceConfigFile m_config;
    QHash<QString, Ports> m_switchedOff;
};
