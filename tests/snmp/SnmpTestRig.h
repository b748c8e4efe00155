#pragma once

#include "AlarmRecords.h"
#include "AlarmRoad.h"
#include "ProbeSimProcess.h"
#include "snmp/SnmpServer.h"

// The address of simulated probe n.
QString Device(int n);

// The station's SNMP side wired as the main window wires it, with simulated probes to talk to and a recording
// display at the end of the alarm road. One rig serves every case of a test, so that the simulator starts once.
struct SnmpTestRig
{
    // Starts probe-sim on Device(first) to Device(last), all configured, and the server on a free trap port.
    bool Start(int first, int last, QString* error);
    // Sends simulator commands, waits until they are carried out and forgets the simulator's lines so far.
    bool Prepare(const QString& commands = QString());
    // What the station tells the devices: "127.0.0.1:<trap port>".
    QString TrapDestination() const;
    QList<AlarmRecord> RecordsOf(const QString& ip) const;
    // Levels of ip's connection records in order, e.g. "31" for lost, then found again.
    QString ConnectionLevels(const QString& ip) const;
    // The simulator's lines for GETs of the presence object from ip, answered or not; for every SET.
    QStringList ProbesOf(const QString& ip);
    QStringList SetsOf(const QString& ip);
    // State reads of ip begun and ended, as "begun/ended": the GETs of a read's first and of its last request.
    QString Reads(const QString& ip);

    AlarmRoad road;
    SnmpServer server;
    ProbeSimProcess sim;
    quint16 trapPort = 0;
};
