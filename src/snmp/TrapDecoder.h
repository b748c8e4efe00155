#pragma once

#include <QStringList>

class AlarmRecord;
struct TrapMessage;

// Turns a device notification into the fields of an alarm record. Notifications it does not know, or whose
// varbinds do not have the expected count or types, leave the fields as the record was initialised.
class TrapDecoder
{
public:
    static void Decode(const TrapMessage& message, const QStringList& videoStandardNames, AlarmRecord* record);
    // The name for a device's video standard index; the translated "unknown" outside the table.
    static QString StandardName(const QStringList& videoStandardNames, qint64 index);
};
