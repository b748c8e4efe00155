#include "snmp/SnmpServer.h"

#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "snmp/DeviceConversation.h"
#include "snmp/DeviceDetectThread.h"
#include "snmp/DeviceObjects.h"
#include "snmp/DeviceStateQuery.h"
#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpConversations.h"
#include "snmp/SnmpDeviceSession.h"
#include "snmp/TrapDecoder.h"
#include "snmp/TrapListener.h"

#include <QDebug>
#include <QMutexLocker>

SnmpServer::SnmpServer()
    : m_videoStandardNames{"486i59",   "576i50",   "720p60",    "720p59",   "720p50",   "1080i60", "1080i59", "1080i50",
                           "1080sf24", "1080sf23", "1080p30",   "1080p29",  "1080p25",  "1080p24", "1080p23", "1080p60",
                           "1080p59",  "1080p50",  "2K1080p24", "1080sf30", "1080sf29", "1080sf25"}
{
    NetSnmpLibrary::Init();
    m_deviceDetectThread = new DeviceDetectThread(this);
}

SnmpServer::~SnmpServer()
{
    m_trapListener.reset();
    m_deviceDetectThread->Stop();
    delete m_deviceDetectThread;
}

void SnmpServer::SetAlarmHandler(AlarmHandler* handler)
{
    m_alarmHandler = handler;
}

bool SnmpServer::Start(const QString& localAddress, quint32 trapPort)
{
    {
        // A run begins with no device registered, whatever a registration racing the last Stop did.
        QMutexLocker locker(&m_registeredLock);
        m_registeredDevices.clear();
        m_refusingDevices.clear();
        m_stopping = false;
        m_localAddress = localAddress;
    }
    m_trapPort = trapPort;
    m_listening = false;
    m_trapListener.reset();

    auto listener = std::make_unique<TrapListener>([this](const TrapMessage& message) { OnTrap(message); },
                                                   [this](quint64 dropped) { OnTrapsDropped(dropped); });
    // Port 0 would bind an ephemeral port that no device is ever told, and devices would be told "address:0".
    const bool validPort = trapPort > 0 && trapPort <= 65535;
    if (!validPort || !listener->Open(quint16(trapPort))) {
        m_errorString = !validPort ? QStringLiteral("%1 is not a UDP port").arg(trapPort) : listener->ErrorString();
        qDebug() << "Create Snmp object failed!" << m_errorString;
        return false;
    }
    m_errorString.clear();
    m_trapListener = std::move(listener);
    m_listening = true;
    return true;
}

QString SnmpServer::ErrorString() const
{
    return m_errorString;
}

void SnmpServer::MarkStopping()
{
    m_stopping = true;
}

void SnmpServer::Stop()
{
    {
        QMutexLocker locker(&m_registeredLock);
        m_stopping = true;
        m_registeredDevices.clear();
        m_refusingDevices.clear();
    }
    m_deviceDetectThread->Stop();
    m_listening = false;
    m_trapListener.reset();
}

void SnmpServer::RemoveDevice(const QString& ip)
{
    QMutexLocker locker(&m_registeredLock);
    m_registeredDevices.removeAll(ip);
    m_refusingDevices.removeAll(ip);
}

bool SnmpServer::SetServer(const QString& ip, SnmpConversations* conversations, std::function<void(int)> done)
{
    QByteArray destination;
    {
        QMutexLocker locker(&m_registeredLock);
        // Checked under the lock that Stop empties the list with, so that a registration queued while monitoring
        // stops never registers a device afterwards.
        if (MustStop() || m_registeredDevices.contains(ip))
            return false;
        if (m_localAddress.isEmpty()) {
            qDebug() << "Set Server refused:" << ip << "would be told no address to send its traps to";
            return false;
        }
        destination = QStringLiteral("%1:%2").arg(m_localAddress).arg(m_trapPort).toUtf8();
    }
    auto conversation = std::make_unique<DeviceConversation>(ip, 3, [this] { return MustStop(); });
    conversation->Set(DeviceObjects::TrapDestination(), destination,
                      [this, ip, done](DeviceConversation& device, const DeviceConversation::Answer& answer) {
                          const int status = SnmpDeviceSession::SetStatus(answer);
                          OnSetAnswered(ip, status, device);
                          done(status);
                      });
    conversations->Add(std::move(conversation));
    return true;
}

void SnmpServer::OnSetAnswered(const QString& ip, int status, DeviceConversation& conversation)
{
    // Nothing reached the device, which is neither registered nor lost: the registration is tried again.
    if (status == SnmpDeviceSession::NotSent) {
        qDebug() << "Set Server of" << ip << "not sent; it is tried again";
        return;
    }
    bool wasRefusing = false;
    {
        // The device enters presence detection under the lock too: Stop empties the list under it before it stops
        // presence detection, so nothing registered here outlives a Stop.
        QMutexLocker locker(&m_registeredLock);
        if (MustStop())
            return;
        wasRefusing = m_refusingDevices.removeAll(ip) > 0;
        if (status == 0) {
            // Only a device that took the destination counts as registered, so that registering it again after it
            // was found again really writes the destination.
            if (!m_registeredDevices.contains(ip))
                m_registeredDevices.append(ip);
            m_deviceDetectThread->AddDevice(ip, DeviceDetectThread::Reachable);
        } else {
            if (status < 0)
                m_refusingDevices.append(ip);
            // A device that answered with a refusal is there: marking it lost would have presence detection
            // report it back and re-queue it every few seconds, each time refused again.
            m_deviceDetectThread->AddDevice(ip, status < 0 ? DeviceDetectThread::Reachable : DeviceDetectThread::Lost);
        }
    }
    if (status == 0) {
        // The lost-connection alarm of a refusal ends once the device takes the destination.
        if (wasRefusing)
            ReportConnectionState(ip, true);
        ReadState(ip, &conversation);
        return;
    }
    // A refusing device keeps one open alarm however often the SET is tried again; one that no longer answers
    // passes to presence detection, which reports it when it is found, with that same alarm still open.
    if (!wasRefusing)
        ReportConnectionState(ip, false);
    qDebug() << "Set Server failed!" << ip << SnmpDeviceSession::ErrorText(status);
}

bool SnmpServer::ProbeDevice(const QString& ip, SnmpConversations* conversations, std::function<void(int)> done)
{
    if (!m_listening)
        return false;
    auto conversation = std::make_unique<DeviceConversation>(ip, 2);
    conversation->Get({DeviceObjects::Presence()},
                      [done](DeviceConversation&, const DeviceConversation::Answer& answer) { done(answer.status); });
    conversations->Add(std::move(conversation), SnmpConversations::Urgent);
    return true;
}

bool SnmpServer::QueryDeviceState(const QString& ip, SnmpConversations* conversations)
{
    {
        QMutexLocker locker(&m_registeredLock);
        if (MustStop() || !m_registeredDevices.contains(ip))
            return false;
    }
    auto conversation = std::make_unique<DeviceConversation>(ip, 3, [this] { return MustStop(); });
    ReadState(ip, conversation.get());
    conversations->Add(std::move(conversation));
    return true;
}

void SnmpServer::ReadState(const QString& ip, DeviceConversation* conversation)
{
    DeviceStateQuery::QueryDeviceState(conversation, m_alarmHandler, [this, ip](bool complete) {
        if (!complete)
            m_deviceDetectThread->MarkReadPending(ip);
    });
}

void SnmpServer::ReportConnectionState(const QString& ip, bool connected)
{
    if (!m_listening || !m_alarmHandler)
        return;
    if (connected)
        ForgetRefusal(ip);
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    record->Init(ip);
    record->alarmType = AlarmTypeConnection;
    record->level = connected ? LevelNormal : LevelError;
    m_alarmHandler->AddAlarm(record);
}

QString SnmpServer::VideoStandardName(int index) const
{
    return TrapDecoder::StandardName(m_videoStandardNames, index);
}

void SnmpServer::OnTrapsDropped(quint64 dropped)
{
    qDebug().noquote() << QStringLiteral("%1 traps were dropped: the trap port's receive buffer was full").arg(dropped);
    if (m_alarmHandler)
        m_alarmHandler->CountDropped(dropped);
}

void SnmpServer::OnTrap(const TrapMessage& message)
{
    if (!m_alarmHandler)
        return;
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    record->Init(message.senderIp);
    if (message.errorStatus != 0)
        qWarning().noquote() << QStringLiteral("Response contains error:%1\n")
                                    .arg(SnmpDeviceSession::ErrorText(-int(message.errorStatus)));
    TrapDecoder::Decode(message, m_videoStandardNames, record);
    if (record->alarmType == AlarmTypeConnection && record->level == LevelNormal)
        ForgetRefusal(message.senderIp);
    m_deviceDetectThread->NotifyAlive(message.senderIp);
    m_alarmHandler->AddAlarm(record);
}

void SnmpServer::ForgetRefusal(const QString& ip)
{
    QMutexLocker locker(&m_registeredLock);
    m_refusingDevices.removeAll(ip);
}
