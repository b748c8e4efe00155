#include "snmp/DeviceDetectThread.h"

#include "snmp/DeviceProber.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

DeviceDetectThread::DeviceDetectThread(DeviceProber* server, QObject* parent) : QThread(parent), m_server(server) {}

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
    QStringList checks;
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
            for (const QString& ip : qAsConst(checks))
                Probe(ip);
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

QStringList DeviceDetectThread::CountCycle()
{
    QStringList checks;
    for (auto it = m_devices.begin(); it != m_devices.end(); ++it) {
        if (++it->silentCycles >= SilentCycles) {
            checks.append(it.key());
            it->silentCycles = 0;
        }
    }
    return checks;
}

void DeviceDetectThread::Probe(const QString& ip)
{
    // A device still being probed or read from the last time waits for its next turn.
    if (m_conversations.Has(ip))
        return;
    m_server->ProbeDevice(ip, &m_conversations, [this, ip](bool answered) { OnProbeAnswered(ip, answered); });
}

void DeviceDetectThread::OnProbeAnswered(const QString& ip, bool answered)
{
    if (m_stopRequested)
        return;
    // Judged against the state now, not the one the probe was counted with: a probe counted before the previous
    // one failed must not report the same loss a second time.
    {
        QMutexLocker locker(&m_devicesLock);
        const auto it = m_devices.find(ip);
        if (it == m_devices.end() || (it->state == Reachable) == answered)
            return;
    }
    SetState(ip, answered ? Reachable : Lost);
    // The read is queued before the report, whose answers come only through this thread's next poll: a device that
    // was not registered is not read here, because the report queues its registration, which reads it once. Asked
    // after the report, a quick registration could already count and the device would be read twice.
    if (answered)
        m_server->QueryDeviceState(ip, &m_conversations);
    m_server->ReportConnectionState(ip, answered);
}
