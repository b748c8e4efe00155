#pragma once

#include "snmp/DeviceProber.h"

#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class AlarmHandler;
class DeviceDetectThread;
class DeviceConversation;
class SnmpConversations;
class TrapListener;
struct TrapMessage;

// The station's one SNMP endpoint: receives every trap and inform on the trap port and turns each into an alarm
// record for the handler, registers the station on devices and reads their state, and owns presence detection.
class SnmpServer : public DeviceProber
{
public:
    SnmpServer();
    ~SnmpServer() override;
    SnmpServer(const SnmpServer&) = delete;
    SnmpServer& operator=(const SnmpServer&) = delete;

    void SetAlarmHandler(AlarmHandler* handler);

    // Listens for traps on trapPort of every local address; localAddress is only what devices are told.
    bool Start(const QString& localAddress, quint32 trapPort);
    // Why the last Start failed.
    QString ErrorString() const;
    void MarkStopping();
    void Stop();
    // Forgets the device's registration and its refusal, so that queued again it is written to, and a refusal is
    // reported, anew.
    void RemoveDevice(const QString& ip);

    // The requests below run on conversations, driven by the calling thread; their outcomes are handled there.
    // Writes this station's address and trap port into a device not registered yet, then reads its state. done
    // receives the SET's status (0 accepted, negative refused, SnmpDeviceSession::NotSent not sent, other positive
    // unanswered). False when nothing is sent: not started, no local address, stopping, or registered already.
    bool SetServer(const QString& ip, SnmpConversations* conversations, std::function<void(int status)> done);
    // One GET of the presence object; done receives its status. False when not started.
    bool ProbeDevice(const QString& ip, SnmpConversations* conversations,
                     std::function<void(int status)> done) override;
    // Reads a registered device's video ports and audio tracks into alarm records. A device whose registration is
    // still to come is read by that registration instead. A read cut short is read again by presence detection.
    bool QueryDeviceState(const QString& ip, SnmpConversations* conversations) override;
    // A connected record also ends the alarm that a refusal of the destination holds open.
    void ReportConnectionState(const QString& ip, bool connected) override;

    QString VideoStandardName(int index) const;

private:
    void OnTrap(const TrapMessage& message);
    void OnTrapsDropped(quint64 dropped);
    void OnSetAnswered(const QString& ip, int status, DeviceConversation& conversation);
    void ReadState(const QString& ip, DeviceConversation* conversation);
    // Every connected record ends the device's connection alarm, the one a refusal holds open included.
    void ForgetRefusal(const QString& ip);
    bool MustStop() const { return m_stopping || !m_listening; }

    std::unique_ptr<TrapListener> m_trapListener;
    const QStringList m_videoStandardNames;
    // Guards m_registeredDevices, m_refusingDevices and m_localAddress, which the registration thread and the GUI
    // thread share.
    mutable QMutex m_registeredLock;
    QStringList m_registeredDevices;
    // Devices that answered the SET with a refusal and have their lost-connection alarm open for it: the mark lives
    // exactly as long as that alarm.
    QStringList m_refusingDevices;
    QString m_localAddress;
    quint32 m_trapPort = 0;
    AlarmHandler* m_alarmHandler = nullptr;
    DeviceDetectThread* m_deviceDetectThread = nullptr;
    std::atomic<bool> m_stopping{false};
    // Whether traps are being received; read by the worker threads that report connection states.
    std::atomic<bool> m_listening{false};
    QString m_errorString;
};
