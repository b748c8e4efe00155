#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class AlarmHandler;
class DeviceDetectThread;
class TrapListener;
struct TrapMessage;

// The station's one SNMP endpoint: receives every trap and inform on the trap port and turns each into an alarm
// record for the handler, registers the station on devices and reads their state, and owns presence detection.
class SnmpServer
{
public:
    SnmpServer();
    virtual ~SnmpServer();
    SnmpServer(const SnmpServer&) = delete;
    SnmpServer& operator=(const SnmpServer&) = delete;

    void SetAlarmHandler(AlarmHandler* handler);

    // Listens for traps on trapPort of every local address; localAddress is only what devices are told.
    bool Start(const QString& localAddress, quint32 trapPort);
    // Why the last Start failed.
    QString ErrorString() const;
    void MarkStopping();
    void Stop();
    void RemoveDevice(const QString& ip);

    // Writes this station's address and trap port into the device.
    bool SetServer(const QString& ip);
    bool ProbeDevice(const QString& ip);
    // Reads the device's video ports and audio tracks into alarm records.
    void QueryDeviceState(const QString& ip);
    void ReportConnectionState(const QString& ip, bool connected);

    QString VideoStandardName(int index) const;

private:
    void OnTrap(const TrapMessage& message);

    std::unique_ptr<TrapListener> m_trapListener;
    const QStringList m_videoStandardNames;
    // Guards m_registeredDevices, which the registration thread and the GUI thread share.
    mutable QMutex m_registeredLock;
    QStringList m_registeredDevices;
    QString m_localAddress;
    quint32 m_trapPort = 0;
    AlarmHandler* m_alarmHandler = nullptr;
    DeviceDetectThread* m_deviceDetectThread = nullptr;
    std::atomic<bool> m_stopping{false};
    // Whether traps are being received; read by the worker threads that report connection states.
    std::atomic<bool> m_listening{false};
    QString m_errorString;
};
