#include "snmp/DeviceDetectThread.h"

#include "snmp/SnmpServer.h"

#include <QMutexLocker>

DeviceDetectThread::DeviceDetectThread(SnmpServer* server, QObject* parent) : QThread(parent), m_server(server) {}

DeviceDetectThread::~DeviceDetectThread()
{
    Stop();
}

void DeviceDetectThread::AddDevice(const QString& ip, State state)
{
    QMutexLocker locker(&m_devicesLock);
    m_devices.insert(ip, Entry{state, 0});
    if (!m_active) {
        // A run that has just decided to end holds no lock any more, so waiting for it here is short and safe.
        wait();
        m_active = true;
        m_stopRequested = false;
        start(QThread::InheritPriority);
    }
    m_wakeUp.wakeOne();
}

void DeviceDetectThread::SetState(const QString& ip, State state)
{
    QMutexLocker locker(&m_devicesLock);
    const auto it = m_devices.find(ip);
    if (it != m_devices.end())
        *it = Entry{state, 0};
}

void DeviceDetectThread::NotifyAlive(const QString& ip)
{
    QMutexLocker locker(&m_devicesLock);
    const auto it = m_devices.find(ip);
    if (it == m_devices.end())
        return;
    // A lost device that speaks again is probed at the next cycle rather than after three.
    it->silentCycles = it->state == Lost ? SilentCycles : 0;
}

void DeviceDetectThread::Stop()
{
    {
        QMutexLocker locker(&m_devicesLock);
        m_stopRequested = true;
        m_devices.clear();
        m_wakeUp.wakeAll();
    }
    wait();
    QMutexLocker locker(&m_devicesLock);
    m_active = false;
}

void DeviceDetectThread::run()
{
    forever
    {
        QList<Check> checks;
        {
            QMutexLocker locker(&m_devicesLock);
            // Decided under the lock, so that an AddDevice either sees this run going on or starts a new one.
            if (!m_server || m_stopRequested || m_devices.isEmpty()) {
                m_active = false;
                return;
            }
            checks = CountCycle();
            m_wakeUp.wait(&m_devicesLock, CycleMs);
        }
        // Probes run without the lock, so that a slow device never blocks a sign of life or a registration.
        for (const Check& check : qAsConst(checks)) {
            if (m_stopRequested)
                break;
            Probe(check);
        }
    }
}

QList<DeviceDetectThread::Check> DeviceDetectThread::CountCycle()
{
    QList<Check> checks;
    for (auto it = m_devices.begin(); it != m_devices.end(); ++it) {
        if (++it->silentCycles >= SilentCycles) {
            checks.append({it.key(), it->state});
            it->silentCycles = 0;
        }
    }
    return checks;
}

void DeviceDetectThread::Probe(const Check& check)
{
    const QString& ip = check.first;
    const bool answered = m_server->ProbeDevice(ip);
    if (answered && check.second == Lost) {
        SetState(ip, Reachable);
        m_server->ReportConnectionState(ip, true);
        m_server->QueryDeviceState(ip);
    } else if (!answered && check.second == Reachable) {
        SetState(ip, Lost);
        m_server->ReportConnectionState(ip, false);
    }
}
