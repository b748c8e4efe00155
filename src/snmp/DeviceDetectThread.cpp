#include "snmp/DeviceDetectThread.h"

#include "snmp/DeviceProber.h"
#include "snmp/SnmpDeviceSession.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QMutexLocker>

namespace {
int Slots()
{
    return SnmpConversations::WithinDescriptorLimit(DeviceDetectThread::MaxInFlight, 0.875);
}
} // namespace

DeviceDetectThread::DeviceDetectThread(DeviceProber* server, QObject* parent)
    : QThread(parent), m_server(server), m_conversations(Slots(), qMax(1, Slots() / 4))
{
}

DeviceDetectThread::~DeviceDetectThread()
{
    Stop();
}

void DeviceDetectThread::AddDevice(const QString& ip, State state)
{
    QMutexLocker locker(&m_devicesLock);
    if (m_stopping)
        return;
    m_devices.insert(ip, Entry{state, 0, false});
    // Started once and never waited for here: the thread runs until Stop.
    if (!m_started) {
        m_started = true;
        start(QThread::InheritPriority);
    }
}

void DeviceDetectThread::NotifyAlive(const QString& ip)
{
    QMutexLocker locker(&m_devicesLock);
    const auto it = m_devices.find(ip);
    if (it == m_devices.end())
        return;
    // A lost device that speaks again is probed at the next cycle rather than after three.
    it->silentCycles = it->state == Lost ? SilentCycles : 0;
    if (it->readPending && it->state == Reachable && !m_dueReads.contains(ip)) {
        m_dueReads.insert(ip);
        m_conversations.Wake();
    }
}

void DeviceDetectThread::MarkReadPending(const QString& ip)
{
    QMutexLocker locker(&m_devicesLock);
    const auto it = m_devices.find(ip);
    if (it != m_devices.end())
        it->readPending = true;
}

void DeviceDetectThread::Stop()
{
    {
        QMutexLocker locker(&m_devicesLock);
        m_stopping = true;
        m_devices.clear();
        m_dueReads.clear();
    }
    m_conversations.Wake();
    // No lock is held while waiting: the thread takes it to end.
    wait();
    QMutexLocker locker(&m_devicesLock);
    m_stopping = false;
    m_started = false;
}

void DeviceDetectThread::run()
{
    QStringList checks;
    QDeadlineTimer cycle(0);
    forever
    {
        QStringList probes;
        QStringList reads;
        {
            QMutexLocker locker(&m_devicesLock);
            if (!m_server || m_stopping)
                break;
            if (cycle.hasExpired()) {
                // The probes that the last count found due go out when its cycle is over.
                probes.swap(checks);
                checks = CountCycle();
                cycle.setRemainingTime(CycleMs);
            }
            reads = TakeDueReads();
        }
        for (const QString& ip : qAsConst(probes))
            Probe(ip);
        for (const QString& ip : qAsConst(reads))
            ReadAgain(ip);
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

QStringList DeviceDetectThread::TakeDueReads()
{
    QStringList reads;
    for (auto due = m_dueReads.begin(); due != m_dueReads.end();) {
        const auto it = m_devices.find(*due);
        // One lost meanwhile is read when it is found; one whose probe still runs waits for it to end.
        const bool pending = it != m_devices.end() && it->readPending && it->state == Reachable;
        if (pending && m_conversations.Has(*due)) {
            ++due;
            continue;
        }
        if (pending) {
            it->readPending = false;
            reads.append(*due);
        }
        due = m_dueReads.erase(due);
    }
    return reads;
}

void DeviceDetectThread::Probe(const QString& ip)
{
    // A device still being probed or read from the last time waits for its next turn.
    if (m_conversations.Has(ip))
        return;
    m_server->ProbeDevice(ip, &m_conversations, [this, ip](int status) { OnProbeAnswered(ip, status); });
}

void DeviceDetectThread::OnProbeAnswered(const QString& ip, int status)
{
    const bool answered = status == 0;
    {
        QMutexLocker locker(&m_devicesLock);
        const auto it = m_devices.find(ip);
        if (it == m_devices.end())
            return;
        if (status == SnmpDeviceSession::NotSent) {
            // Nothing was learnt of the device: it is probed again at the next cycle.
            it->silentCycles = SilentCycles - 1;
            return;
        }
        // Judged against the state now, not the one the probe was counted with: a probe counted before the
        // previous one failed must not report the same loss a second time.
        if ((it->state == Reachable) == answered) {
            if (answered && it->readPending)
                m_dueReads.insert(ip);
            return;
        }
        // A device found again is read anew below, which stands for a read still pending.
        *it = Entry{answered ? Reachable : Lost, 0, it->readPending && !answered};
    }
    // The read is queued before the report, whose answers come only through this thread's next poll: a device that
    // was not registered is not read here, because the report queues its registration, which reads it once. Asked
    // after the report, a quick registration could already count and the device would be read twice.
    if (answered)
        m_server->QueryDeviceState(ip, &m_conversations);
    m_server->ReportConnectionState(ip, answered);
}

void DeviceDetectThread::ReadAgain(const QString& ip)
{
    if (m_server->QueryDeviceState(ip, &m_conversations))
        qDebug() << "State read of" << ip << "done again: the last one was cut short";
}
