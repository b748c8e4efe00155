#pragma once

#include <QString>

// Object identifiers of a device that the station reads and writes, all below the maker's enterprise subtree.
// Port, track and kind are appended as single sub-identifiers.
class DeviceObjects
{
public:
    enum VideoColumn
    {
        VideoStandard = 5,
        VideoLostSeverity = 6,
        VideoFreezeSeverity = 7,
        VideoBlackSeverity = 8,
    };

    enum AudioColumn
    {
        SilenceSeverity = 7,
        OverloadSeverity = 8,
        // Read with the embedded tracks because devices answer it there; not used.
        EmbeddedSpare = 9,
    };

    // The station's trap destination inside the device: an OCTET STRING "address:port".
    static QString TrapDestination();
    // Read by the presence probe; only the success of the request counts.
    static QString Presence();
    static QString VideoPort(VideoColumn column, int port);
    static QString EmbeddedTrack(AudioColumn column, int port, int track);
    static QString DiscreteTrack(AudioColumn column, int portType, int port, int track);
    // Discrete audio kind of a port type: Analog 1, AES/EBU 2, anything else 0.
    static int DiscreteKind(int portType);
};
