#pragma once

#include "SimTypes.h"

#include <QElapsedTimer>
#include <QMap>
#include <QString>
#include <QStringList>

// Dotted IPv4 text inside 127.0.0.0/8: the only addresses the simulator listens on or sends to.
bool IsLoopbackAddress(const QString& text);
// Appends the loopback address, or the range of last numbers ("127.0.0.10-59" for 127.0.0.10 to 127.0.0.59), that
// the text names; false when it names neither.
bool ExpandAddresses(const QString& text, QStringList* addresses);
constexpr int MaxProbes = 1000;

// One simulated probe: the objects the station reads and writes, and how the probe behaves on the wire. Every
// change that a real probe would announce returns the notification to send, so the tables and the notifications
// never disagree.
class ProbeState
{
public:
    enum class Lookup
    {
        Found,
        NoSuchObject,
        NoSuchInstance,
    };

    explicit ProbeState(const QString& address);

    QString Address() const { return m_address; }
    // MIB-II sysName.0, answered from now on; without it a GET of sysName.0 answers noSuchObject.
    void SetSysName(const QString& name);

    Lookup Find(const QString& oid, SimValue* value) const;
    // SNMP error status that a SET of this object would get; 0 when it would be accepted.
    int CheckWrite(const QString& oid, const SimValue& value) const;
    void Write(const QString& oid, const SimValue& value);
    // Where notifications go: what the station last wrote, once it names a loopback address and a port.
    bool Destination(QString* host, quint16* port) const;

    // False with a reason when the location does not exist for the condition.
    bool SetCondition(Condition condition, const Location& location, long severity, Notification* notification,
                      QString* error);
    bool SetStandard(int port, long index, QString* error);
    bool SetFan(int fan, long rpm, Notification* notification, QString* error);
    bool SetPower(int supply, bool on, Notification* notification, QString* error);
    Notification SignOfLife(const QString& text) const;
    Notification Connection(bool connected) const;

    // Hundredths of a second since the probe started, for sysUpTime.0.
    long UpTime() const;

    // A silent probe neither answers nor notifies, like one that lost power or its network.
    bool IsSilent() const { return m_silent; }
    void SetSilent(bool silent) { m_silent = silent; }
    // A busy probe answers no GET, like one handling a storm of its own, but still takes SETs and notifies.
    bool IsBusy() const { return m_busy; }
    void SetBusy(bool busy) { m_busy = busy; }
    // Milliseconds that every answer is held back before it goes out.
    long AnswerDelay() const { return m_answerDelayMs; }
    void SetAnswerDelay(long ms) { m_answerDelayMs = ms; }
    bool RefusesSet() const { return m_refuseSet; }
    void SetRefuseSet(bool refuse) { m_refuseSet = refuse; }
    bool SendsInforms() const { return m_sendInforms; }
    void SetSendInforms(bool informs) { m_sendInforms = informs; }

private:
    static bool ParseDestination(const QByteArray& text, QString* host, quint16* port);

    QString m_address;
    bool m_silent = false;
    bool m_busy = false;
    long m_answerDelayMs = 0;
    bool m_refuseSet = false;
    bool m_sendInforms = false;
    QMap<QString, SimValue> m_objects;
    QElapsedTimer m_upTime;
};
