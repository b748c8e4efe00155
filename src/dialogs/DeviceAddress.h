#pragma once

#include <QString>

// The address of a device as the operator types it into the device dialog.
class DeviceAddress
{
public:
    // What the address field accepts: four dotted numbers, the first three 0 to 255 and the last 0 to 254, so that a
    // broadcast address ending in .255 is refused.
    static QString Pattern();
    // The plain dotted form ("010.000.000.001" becomes "10.0.0.1"). Traps are matched to their device by the text
    // of their sender's address, which never carries leading zeros. Text that is not four dotted numbers is
    // returned as it is.
    static QString Normalized(const QString& text);
};
