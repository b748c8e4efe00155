#include "snmp/SnmpServer.h"

#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "snmp/DeviceDetectThread.h"
#include "snmp/DeviceObjects.h"
#include "snmp/DeviceStateQuery.h"
#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpDeviceSession.h"
#include "snmp/TrapDecoder.h"
#include "snmp/TrapListener.h"

#include <QDebug>
#include <QMutexLocker>

SnmpServer::SnmpServer()
    : m_videoStandardNames{"486i59",  "576i50",  "720p60",  "720p59",  "720p50",  "1080i60",   "1080i59", "1080i50",
                           "1080sf24", "1080sf23", "1080p30", "1080p29", "1080p25", "1080p24",   "1080p23", "1080p60",
                           "1080p59", "1080p50", "2K1080p24", "1080sf30", "1080sf29", "1080sf25"}
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
    m_stopping = false;
    m_localAddress = localAddress;
    m_trapPort = trapPort;
    m_listening = false;
    m_trapListener.reset();

    auto listener = std::make_unique<TrapListener>([this](const TrapMessage& message) { OnTrap(message); });
    if (trapPort > 65535 || !listener->Open(quint16(trapPort))) {
        m_errorString = trapPort > 65535 ? QStringLiteral("%1 is not a UDP port").arg(trapPort) : listener->ErrorString();
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
    m_stopping = true;
    m_deviceDetectThread->Stop();
    {
        QMutexLocker locker(&m_registeredLock);
        m_registeredDevices.clear();
    }
    m_listening = false;
    m_trapListener.reset();
}

void SnmpServer::RemoveDevice(const QString& ip)
{
    QMutexLocker locker(&m_registeredLock);
    m_registeredDevices.removeAll(ip);
}

bool SnmpServer::SetServer(const QString& ip)
{
    if (!m_listening)
        return false;
    {
        QMutexLocker locker(&m_registeredLock);
        if (m_registeredDevices.contains(ip))
            return true;
    }
    SnmpDeviceSession session(ip, SnmpDeviceSession::DevicePort(), 3);
    const QByteArray destination = QStringLiteral("%1:%2").arg(m_localAddress).arg(m_trapPort).toUtf8();
    const int status = session.Set(DeviceObjects::TrapDestination(), destination);
    if (status != 0) {
        ReportConnectionState(ip, false);
        // A device that answered with a refusal is there: marking it lost would have presence detection report
        // it back and re-queue it every few seconds, each time refused again.
        m_deviceDetectThread->AddDevice(ip, status < 0 ? DeviceDetectThread::Reachable : DeviceDetectThread::Lost);
        qDebug() << "Set Server failed!" << SnmpDeviceSession::ErrorText(status);
        return false;
    }
    // Only a device that took the destination counts as registered, so that registering it again after it was
    // found again really writes the destination.
    {
        QMutexLocker locker(&m_registeredLock);
        if (!m_registeredDevices.contains(ip))
            m_registeredDevices.append(ip);
    }
    m_deviceDetectThread->AddDevice(ip, DeviceDetectThread::Reachable);
    QueryDeviceState(ip);
    return true;
}

bool SnmpServer::ProbeDevice(const QString& ip)
{
    if (!m_listening)
        return false;
    SnmpDeviceSession session(ip, SnmpDeviceSession::DevicePort(), 2);
    SnmpVarbindList answer;
    long errorStatus = 0;
    return session.Get({DeviceObjects::Presence()}, &answer, &errorStatus) == 0;
}

void SnmpServer::QueryDeviceState(const QString& ip)
{
    DeviceStateQuery query(ip, m_alarmHandler, [this] { return m_stopping || !m_listening; });
    query.QueryDeviceState();
}

void SnmpServer::ReportConnectionState(const QString& ip, bool connected)
{
    if (!m_listening || !m_alarmHandler)
        return;
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
    m_deviceDetectThread->NotifyAlive(message.senderIp);
    m_alarmHandler->AddAlarm(record);
}
