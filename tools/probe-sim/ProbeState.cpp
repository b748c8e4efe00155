#include "ProbeState.h"

#include <QStringList>

namespace {

const QString Enterprise = QStringLiteral("1.3.6.1.4.1.58206");

QString Oid(const QString& suffix)
{
    return Enterprise + QLatin1Char('.') + suffix;
}

const QString TrapDestination = Oid(QStringLiteral("1.1.1.1.1"));
const QString Presence = Oid(QStringLiteral("1.2.3.1.6.1"));
const QString FanSpeed = Oid(QStringLiteral("1.2.3.1.2"));
const QString PowerState = Oid(QStringLiteral("1.2.3.1.3"));
const QString VideoEntry = Oid(QStringLiteral("1.2.3.2.1.2.1"));
const QString EmbeddedEntry = Oid(QStringLiteral("1.2.3.2.2.2.1"));
const QString DiscreteEntry = Oid(QStringLiteral("1.2.3.2.3.2.1"));
const QString SysName = QStringLiteral("1.3.6.1.2.1.1.5.0");

constexpr int BncPorts = 16;
constexpr int EmbeddedTracks = 8;
constexpr int AnalogTracks = 12;
constexpr int AesTracks = 32;
constexpr int Fans = 6;
constexpr long DefaultStandard = 7; // 1080i50
constexpr long DefaultFanRpm = 6000;

// Column numbers inside the table entries; columns 1 to 3 are the indexes, sent in notifications only.
constexpr int KindColumn = 1;
constexpr int PortColumn = 2;
constexpr int TrackColumn = 3;
constexpr int StandardColumn = 5;
constexpr int VideoLostColumn = 6;
constexpr int FreezeColumn = 7;
constexpr int BlackColumn = 8;
constexpr int SilenceColumn = 7;
constexpr int OverloadColumn = 8;
constexpr int EmbeddedSpareColumn = 9;

// SNMPv2 error statuses used for SET.
constexpr int WrongType = 7;
constexpr int WrongLength = 8;
constexpr int WrongValue = 10;
constexpr int NoCreation = 11;
constexpr int NotWritable = 17;

QString Cell(const QString& entry, int column, const QList<int>& index)
{
    QString oid = entry + QLatin1Char('.') + QString::number(column);
    for (int part : index)
        oid += QLatin1Char('.') + QString::number(part);
    return oid;
}

int DiscreteKind(Location::Kind kind)
{
    return kind == Location::Analog ? 1 : 2;
}

int TrackCount(Location::Kind kind)
{
    switch (kind) {
    case Location::Bnc:
        return EmbeddedTracks;
    case Location::Analog:
        return AnalogTracks;
    case Location::Aes:
        return AesTracks;
    }
    return 0;
}

bool IsVideo(Condition condition)
{
    return condition == Condition::Lost || condition == Condition::Freeze || condition == Condition::Black;
}

SimVarbind Varbind(const QString& oid, long value)
{
    return {oid, SimValue::FromInteger(value)};
}

} // namespace

bool IsLoopbackAddress(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok);
        if (!ok || value > 255 || part.size() > 3)
            return false;
    }
    return parts[0] == QLatin1String("127");
}

// "127.0.0.10-59" stands for 127.0.0.10 to 127.0.0.59.
bool ExpandAddresses(const QString& argument, QStringList* addresses)
{
    const int dash = argument.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        addresses->append(argument);
        return IsLoopbackAddress(argument);
    }
    const QString first = argument.left(dash);
    const int lastDot = first.lastIndexOf(QLatin1Char('.'));
    bool ok = false;
    const int last = argument.mid(dash + 1).toInt(&ok);
    const int start = first.mid(lastDot + 1).toInt();
    if (!IsLoopbackAddress(first) || !ok || last < start || last > 255)
        return false;
    for (int number = start; number <= last; ++number)
        addresses->append(first.left(lastDot + 1) + QString::number(number));
    return true;
}

ProbeState::ProbeState(const QString& address) : m_address(address)
{
    m_upTime.start();
    m_objects.insert(TrapDestination, SimValue::FromOctets({}));
    m_objects.insert(Presence, SimValue::FromInteger(1));
    for (int fan = 1; fan <= Fans; ++fan)
        m_objects.insert(Cell(FanSpeed, fan, {}), SimValue::FromInteger(DefaultFanRpm));
    for (int supply = 1; supply <= 2; ++supply)
        m_objects.insert(Cell(PowerState, supply, {}), SimValue::FromInteger(0));
    for (int port = 1; port <= BncPorts; ++port) {
        m_objects.insert(Cell(VideoEntry, StandardColumn, {1, port}), SimValue::FromInteger(DefaultStandard));
        for (int column : {VideoLostColumn, FreezeColumn, BlackColumn})
            m_objects.insert(Cell(VideoEntry, column, {1, port}), SimValue::FromInteger(0));
        for (int track = 1; track <= EmbeddedTracks; ++track) {
            for (int column : {SilenceColumn, OverloadColumn, EmbeddedSpareColumn})
                m_objects.insert(Cell(EmbeddedEntry, column, {1, port, track}), SimValue::FromInteger(0));
        }
    }
    for (Location::Kind kind : {Location::Analog, Location::Aes}) {
        for (int track = 1; track <= TrackCount(kind); ++track) {
            for (int column : {SilenceColumn, OverloadColumn})
                m_objects.insert(Cell(DiscreteEntry, column, {DiscreteKind(kind), 1, track}), SimValue::FromInteger(0));
        }
    }
}

void ProbeState::SetSysName(const QString& name)
{
    m_objects.insert(SysName, SimValue::FromOctets(name.toUtf8()));
}

ProbeState::Lookup ProbeState::Find(const QString& oid, SimValue* value) const
{
    const auto it = m_objects.constFind(oid);
    if (it != m_objects.constEnd()) {
        *value = it.value();
        return Lookup::Found;
    }
    // A column that exists with other instances answers noSuchInstance, as an agent's table would.
    static const QStringList columns = {
        FanSpeed,
        PowerState,
        Cell(VideoEntry, StandardColumn, {}),
        Cell(VideoEntry, VideoLostColumn, {}),
        Cell(VideoEntry, FreezeColumn, {}),
        Cell(VideoEntry, BlackColumn, {}),
        Cell(EmbeddedEntry, SilenceColumn, {}),
        Cell(EmbeddedEntry, OverloadColumn, {}),
        Cell(EmbeddedEntry, EmbeddedSpareColumn, {}),
        Cell(DiscreteEntry, SilenceColumn, {}),
        Cell(DiscreteEntry, OverloadColumn, {}),
    };
    for (const QString& column : columns) {
        if (oid.startsWith(column + QLatin1Char('.')))
            return Lookup::NoSuchInstance;
    }
    return Lookup::NoSuchObject;
}

int ProbeState::CheckWrite(const QString& oid, const SimValue& value) const
{
    if (!m_objects.contains(oid))
        return NoCreation;
    if (oid != TrapDestination)
        return NotWritable;
    if (value.type != SimValue::OctetString)
        return WrongType;
    if (value.octets.size() > 64)
        return WrongLength;
    // Only loopback destinations: the simulator must never send anything off this machine.
    return ParseDestination(value.octets, nullptr, nullptr) ? 0 : WrongValue;
}

void ProbeState::Write(const QString& oid, const SimValue& value)
{
    m_objects.insert(oid, value);
}

bool ProbeState::Destination(QString* host, quint16* port) const
{
    return ParseDestination(m_objects.value(TrapDestination).octets, host, port);
}

bool ProbeState::ParseDestination(const QByteArray& text, QString* host, quint16* port)
{
    const QList<QByteArray> parts = text.split(':');
    if (parts.size() != 2)
        return false;
    bool portOk = false;
    const uint number = parts[1].toUInt(&portOk);
    if (!portOk || number == 0 || number > 65535 || !IsLoopbackAddress(QString::fromLatin1(parts[0])))
        return false;
    if (host)
        *host = QString::fromLatin1(parts[0]);
    if (port)
        *port = quint16(number);
    return true;
}

bool ProbeState::SetCondition(Condition condition, const Location& location, long severity, Notification* notification,
                              QString* error)
{
    const bool video = IsVideo(condition);
    if (location.port < 1 || location.port > (location.kind == Location::Bnc ? BncPorts : 1)) {
        *error = QStringLiteral("no such port %1").arg(location.port);
        return false;
    }
    if (video && (location.kind != Location::Bnc || location.track != 0)) {
        *error = QStringLiteral("video conditions concern a BNC port, without a track");
        return false;
    }
    if (!video && (location.track < 1 || location.track > TrackCount(location.kind))) {
        *error = QStringLiteral("no such track %1 (1 to %2)").arg(location.track).arg(TrackCount(location.kind));
        return false;
    }

    const int port = location.port;
    if (video) {
        static const QMap<Condition, QPair<int, QString>> videoRows = {
            {Condition::Lost, {VideoLostColumn, QStringLiteral("1.2.3.2.1.3.2")}},
            {Condition::Freeze, {FreezeColumn, QStringLiteral("1.2.3.2.1.3.3")}},
            {Condition::Black, {BlackColumn, QStringLiteral("1.2.3.2.1.3.4")}},
        };
        const auto row = videoRows.value(condition);
        const QString severityOid = Cell(VideoEntry, row.first, {1, port});
        m_objects.insert(severityOid, SimValue::FromInteger(severity));
        notification->trapOid = Oid(row.second);
        notification->varbinds = {Varbind(Cell(VideoEntry, KindColumn, {1, port}), 1),
                                  Varbind(Cell(VideoEntry, PortColumn, {1, port}), port)};
        // Only the lost notification carries the port's video standard.
        if (condition == Condition::Lost) {
            const QString standardOid = Cell(VideoEntry, StandardColumn, {1, port});
            notification->varbinds.append({standardOid, m_objects.value(standardOid)});
        }
        notification->varbinds.append(Varbind(severityOid, severity));
        return true;
    }

    const bool silence = condition == Condition::Silence;
    const int column = silence ? SilenceColumn : OverloadColumn;
    const QString trapSuffix = silence ? QStringLiteral("2") : QStringLiteral("3");
    const int track = location.track;
    QString entry;
    QList<int> index;
    if (location.kind == Location::Bnc) {
        entry = EmbeddedEntry;
        index = {1, port, track};
        notification->trapOid = Oid(QStringLiteral("1.2.3.2.2.3.") + trapSuffix);
    } else {
        entry = DiscreteEntry;
        index = {DiscreteKind(location.kind), port, track};
        notification->trapOid = Oid(QStringLiteral("1.2.3.2.3.3.") + trapSuffix);
    }
    const QString severityOid = Cell(entry, column, index);
    m_objects.insert(severityOid, SimValue::FromInteger(severity));
    notification->varbinds = {Varbind(Cell(entry, KindColumn, index), index[0]),
                              Varbind(Cell(entry, PortColumn, index), port),
                              Varbind(Cell(entry, TrackColumn, index), track), Varbind(severityOid, severity)};
    return true;
}

bool ProbeState::SetStandard(int port, long index, QString* error)
{
    if (port < 1 || port > BncPorts) {
        *error = QStringLiteral("no such port %1").arg(port);
        return false;
    }
    m_objects.insert(Cell(VideoEntry, StandardColumn, {1, port}), SimValue::FromInteger(index));
    return true;
}

bool ProbeState::SetFan(int fan, long rpm, Notification* notification, QString* error)
{
    if (fan < 1 || fan > Fans) {
        *error = QStringLiteral("no such fan %1 (1 to %2)").arg(fan).arg(Fans);
        return false;
    }
    const QString oid = Cell(FanSpeed, fan, {});
    m_objects.insert(oid, SimValue::FromInteger(rpm));
    notification->trapOid = Oid(QStringLiteral("1.2.3.1.7.2"));
    notification->varbinds = {Varbind(oid, rpm)};
    return true;
}

bool ProbeState::SetPower(int supply, bool on, Notification* notification, QString* error)
{
    if (supply < 1 || supply > 2) {
        *error = QStringLiteral("no such power supply %1 (1 or 2)").arg(supply);
        return false;
    }
    const QString oid = Cell(PowerState, supply, {});
    const long state = on ? 0 : 1;
    m_objects.insert(oid, SimValue::FromInteger(state));
    notification->trapOid = Oid(supply == 1 ? QStringLiteral("1.2.3.1.7.3") : QStringLiteral("1.2.3.1.7.4"));
    notification->varbinds = {Varbind(oid, state)};
    return true;
}

Notification ProbeState::SignOfLife(const QString& text) const
{
    return {Oid(QStringLiteral("1.1.2.4")), {{SysName, SimValue::FromOctets(text.toUtf8())}}};
}

Notification ProbeState::Connection(bool connected) const
{
    const QString trapOid = Oid(connected ? QStringLiteral("1.1.2.5") : QStringLiteral("1.1.2.6"));
    return {trapOid, {{SysName, SimValue::FromOctets(QStringLiteral("probe-%1").arg(m_address).toUtf8())}}};
}

long ProbeState::UpTime() const
{
    return long(m_upTime.elapsed() / 10);
}
