#include "snmp/DeviceDetectThread.h"

#include "snmp/SnmpServer.h"

#include <QDeadlineTimer>
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
    }
    m_conversations.Wake();
    wait();
    QMutexLocker locker(&m_devicesLock);
    m_active = false;
}

void DeviceDetectThread::run()
{
    QList<Check> checks;
    QDeadlineTimer cycle(0);
    forever
    {
        if (cycle.hasExpired()) {
            // The probes that the last count found due go out when its cycle is over.
            QMutexLocker locker(&m_devicesLock);
            // Decided under the lock, so that an AddDevice either sees this run going on or starts a new one.
            if (!m_server || m_stopRequested || m_devices.isEmpty()) {
                m_active = false;
                break;
            }
            locker.unlock();
            for (const Check& check : qAsConst(checks))
                Probe(check);
            locker.relock();
            checks = CountCycle();
            cycle.setRemainingTime(CycleMs);
        }
        if (m_stopRequested)
            break;
        // Answers are handled here without the lock, so that a slow device never blocks a sign of life or a
        // registration.
        m_conversations.Poll(int(cycle.remainingTime()));
    }
    m_conversations.Clear();
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
    // A device still being probed or read from the last time waits for its next turn.
    if (m_conversations.Has(check.first))
        return;
    m_server->ProbeDevice(check.first, &m_conversations,
                          [this, check](bool answered) { OnProbeAnswered(check, answered); });
}

void DeviceDetectThread::OnProbeAnswered(const Check& check, bool answered)
{
    const QString& ip = check.first;
    if (m_stopRequested)
        return;
    if (answered && check.second == Lost) {
        SetState(ip, Reachable);
        m_server->ReportConnectionState(ip, true);
        m_server->QueryDeviceState(ip, &m_conversations);
    } else if (!answered && check.second == Reachable) {
        SetState(ip, Lost);
        m_server->ReportConnectionState(ip, false);
    }
}
