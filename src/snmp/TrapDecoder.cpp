#include "snmp/TrapDecoder.h"

#include "alarm/AlarmRecord.h"
#include "snmp/TrapMessage.h"

#include <QCoreApplication>
#include <QHash>

#include <climits>

namespace
{
enum class Notification
{
    SignOfLife,
    Connected,
    Disconnected,
    Fan,
    Power1,
    Power2,
    VideoLost,
    VideoFreeze,
    VideoBlack,
    EmbeddedSilence,
    EmbeddedOverload,
    DiscreteSilence,
    DiscreteOverload,
};

const QString Enterprise = QStringLiteral("1.3.6.1.4.1.58206");

const QHash<QString, Notification>& Notifications()
{
    static const QHash<QString, Notification> table{
        {Enterprise + ".1.1.2.4", Notification::SignOfLife},
        {Enterprise + ".1.1.2.5", Notification::Connected},
        {Enterprise + ".1.1.2.6", Notification::Disconnected},
        {Enterprise + ".1.2.3.1.7.2", Notification::Fan},
        {Enterprise + ".1.2.3.1.7.3", Notification::Power1},
        {Enterprise + ".1.2.3.1.7.4", Notification::Power2},
        {Enterprise + ".1.2.3.2.1.3.2", Notification::VideoLost},
        {Enterprise + ".1.2.3.2.1.3.3", Notification::VideoFreeze},
        {Enterprise + ".1.2.3.2.1.3.4", Notification::VideoBlack},
        {Enterprise + ".1.2.3.2.2.3.2", Notification::EmbeddedSilence},
        {Enterprise + ".1.2.3.2.2.3.3", Notification::EmbeddedOverload},
        {Enterprise + ".1.2.3.2.3.3.2", Notification::DiscreteSilence},
        {Enterprise + ".1.2.3.2.3.3.3", Notification::DiscreteOverload},
    };
    return table;
}

// Values are only ever taken from INTEGER varbinds that fit the record's 32-bit fields.
bool ReadInt(const SnmpVarbindList& varbinds, int index, int* out)
{
    if (index >= varbinds.size() || !varbinds[index].IsInteger())
        return false;
    const qint64 value = varbinds[index].integer;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    *out = int(value);
    return true;
}

void ReadLevel(const SnmpVarbindList& varbinds, int index, AlarmRecord* record)
{
    int severity = 0;
    if (ReadInt(varbinds, index, &severity))
        record->level = LevelFromDeviceSeverity(severity);
}

// Video and embedded audio notifications: varbind 1 is 1 for a BNC port.
void ReadBncPort(const SnmpVarbindList& varbinds, AlarmRecord* record)
{
    int kind = 0;
    record->portType = (ReadInt(varbinds, 0, &kind) && kind == 1) ? PortTypeBnc : PortTypeNone;
    ReadInt(varbinds, 1, &record->portID);
}

// Discrete audio notifications: varbind 1 names the kind of input.
void ReadDiscretePort(const SnmpVarbindList& varbinds, AlarmRecord* record)
{
    int kind = 0;
    ReadInt(varbinds, 0, &kind);
    record->portType = kind == 1 ? PortTypeAnalog : kind == 2 ? PortTypeAes : PortTypeNone;
    ReadInt(varbinds, 1, &record->portID);
}

void DecodeFan(const SnmpVarbindList& varbinds, AlarmRecord* record)
{
    record->alarmType = AlarmTypeFan;
    // Every varbind overwrites level and note, so the last one decides.
    for (const SnmpVarbind& varbind : varbinds) {
        int fan = -1;
        for (int n = 1; n <= 6; ++n) {
            if (varbind.oid == Enterprise + QStringLiteral(".1.2.3.1.2.%1").arg(n))
                fan = n;
        }
        // A speed that cannot be read counts as a warning rather than a healthy fan.
        record->level = varbind.IsInteger() ? (varbind.integer <= 4500 ? LevelError : LevelNormal) : LevelWarn;
        record->note = QStringLiteral("Fan%1 :%2 rpm\n").arg(QString::number(fan), varbind.printable);
    }
}

void DecodePower(const SnmpVarbindList& varbinds, int supply, AlarmRecord* record)
{
    record->alarmType = AlarmTypePower;
    record->portID = supply;
    int value = 1;
    const bool on = ReadInt(varbinds, 0, &value) && value == 0;
    record->level = on ? LevelNormal : LevelWarn;
    record->note = QStringLiteral("Power%1: %2").arg(supply + 1).arg(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}
} // namespace

QString TrapDecoder::StandardName(const QStringList& videoStandardNames, qint64 index)
{
    if (index < 0 || index >= videoStandardNames.size())
        return QCoreApplication::translate("SnmpServer", "unknown");
    return videoStandardNames.at(int(index));
}

void TrapDecoder::Decode(const TrapMessage& message, const QStringList& videoStandardNames, AlarmRecord* record)
{
    const auto found = Notifications().constFind(message.trapOid);
    if (found == Notifications().constEnd())
        return;
    const SnmpVarbindList& vb = message.varbinds;
    const int count = vb.size();
    switch (found.value()) {
    case Notification::SignOfLife:
        if (count > 0)
            record->note = vb.last().printable;
        break;
    case Notification::Connected:
    case Notification::Disconnected:
        if (count == 1) {
            record->alarmType = AlarmTypeConnection;
            record->level = found.value() == Notification::Connected ? LevelNormal : LevelError;
        }
        break;
    case Notification::Fan:
        if (count >= 1)
            DecodeFan(vb, record);
        break;
    case Notification::Power1:
    case Notification::Power2:
        if (count >= 1)
            DecodePower(vb, found.value() == Notification::Power1 ? 0 : 1, record);
        break;
    case Notification::VideoLost:
        record->alarmType = AlarmTypeVideoLost;
        if (count == 4) {
            ReadBncPort(vb, record);
            ReadLevel(vb, 3, record);
            if (record->level == LevelNormal) {
                const qint64 standard = vb[2].IsInteger() ? vb[2].integer : -1;
                record->note = QStringLiteral("VSTD: %1").arg(StandardName(videoStandardNames, standard));
            }
        }
        break;
    case Notification::VideoFreeze:
    case Notification::VideoBlack:
        record->alarmType = found.value() == Notification::VideoFreeze ? AlarmTypeVideoFreeze : AlarmTypeVideoBlack;
        if (count == 3) {
            ReadBncPort(vb, record);
            ReadLevel(vb, 2, record);
        }
        break;
    case Notification::EmbeddedSilence:
    case Notification::EmbeddedOverload:
    case Notification::DiscreteSilence:
    case Notification::DiscreteOverload: {
        const bool silence =
            found.value() == Notification::EmbeddedSilence || found.value() == Notification::DiscreteSilence;
        const bool embedded =
            found.value() == Notification::EmbeddedSilence || found.value() == Notification::EmbeddedOverload;
        record->alarmType = silence ? AlarmTypeSilence : AlarmTypeAudioOverload;
        if (count == 4) {
            if (embedded)
                ReadBncPort(vb, record);
            else
                ReadDiscretePort(vb, record);
            ReadInt(vb, 2, &record->trackID);
            ReadLevel(vb, 3, record);
        }
        break;
    }
    }
}
