#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The value kinds a simulated probe stores or sends.
struct SimValue
{
    enum Type
    {
        Integer,
        OctetString,
        ObjectId,
        TimeTicks,
    };

    Type type = Integer;
    long integer = 0;
    // Octet string bytes, or the dotted text of an object identifier.
    QByteArray octets;

    static SimValue FromInteger(long value) { return {Integer, value, {}}; }
    static SimValue FromOctets(const QByteArray& value) { return {OctetString, 0, value}; }
    static SimValue FromOid(const QString& oid) { return {ObjectId, 0, oid.toLatin1()}; }
    static SimValue FromTimeTicks(long centiseconds) { return {TimeTicks, centiseconds, {}}; }
};

struct SimVarbind
{
    QString oid;
    SimValue value;
};

// Answers that the probes hold back for their delay: how many now, and the most at one time since the last look.
// The station's requests in flight, as far as delayed probes can see them.
struct HeldAnswers
{
    int now = 0;
    int peak = 0;
};

// One SNMPv2 notification before the sysUpTime.0 and snmpTrapOID.0 varbinds are put in front.
struct Notification
{
    QString trapOid;
    QList<SimVarbind> varbinds;
};

enum class Condition
{
    Lost,
    Freeze,
    Black,
    Silence,
    Overload,
};

// Where a condition sits: a BNC port (track 0 for the video conditions, 1 to 8 for the embedded audio) or a track
// of the probe's one analog or AES/EBU input.
struct Location
{
    enum Kind
    {
        Bnc,
        Analog,
        Aes,
    };

    Kind kind = Bnc;
    int port = 1;
    int track = 0;
};
