#include "snmp/ConnectDeviceThread.h"

#include "snmp/SnmpServer.h"

#include <QDebug>
#include <QMutexLocker>

ConnectDeviceThread::ConnectDeviceThread(SnmpServer* server, QObject* parent) : QThread(parent), m_server(server) {}

ConnectDeviceThread::~ConnectDeviceThread()
{
    Stop();
}

void ConnectDeviceThread::AddIP(const QString& ip)
{
    if (ip.isEmpty())
        return;
    QMutexLocker locker(&m_queueLock);
    if (m_queue.contains(ip))
        return;
    qDebug() << "add IP:" << ip;
    m_queue.append(ip);
    m_conversations.Wake();
    if (!m_active) {
        // A run that has just decided to end holds no lock any more, so waiting for it here is short and safe;
        // without it the address would sit in the queue until the next AddIP.
        wait();
        m_active = true;
        m_stopRequested = false;
        start(QThread::InheritPriority);
    }
}

void ConnectDeviceThread::Stop()
{
    {
        QMutexLocker locker(&m_queueLock);
        m_stopRequested = true;
        m_queue.clear();
    }
    m_conversations.Wake();
    wait();
    // An address queued while the thread was ending is discarded with the rest.
    QMutexLocker locker(&m_queueLock);
    m_queue.clear();
    m_retries.clear();
    m_active = false;
}

void ConnectDeviceThread::run()
{
    forever
    {
        QStringList due;
        {
            QMutexLocker locker(&m_queueLock);
            if (!m_server || m_stopRequested ||
                (m_queue.isEmpty() && m_retries.isEmpty() && m_conversations.IsIdle())) {
                m_active = false;
                break;
            }
            due = TakeDue();
        }
        for (const QString& ip : qAsConst(due)) {
            qDebug() << ip;
            m_server->SetServer(ip, &m_conversations, [this, ip](int status) { OnSetAnswered(ip, status); });
        }
        const int untilRetry = MillisecondsToRetry();
        // Nothing in flight and nothing to retry: the check above ends the run or takes what came meanwhile. A wait
        // without limit here could sleep through the end, because one wake-up may stand for several addresses.
        if (m_conversations.IsIdle() && untilRetry < 0)
            continue;
        m_conversations.Poll(untilRetry);
    }
    m_conversations.Clear();
}

QStringList ConnectDeviceThread::TakeDue()
{
    QStringList due;
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        // A device queued again while its registration runs is taken once that has ended.
        if (m_conversations.Has(*it)) {
            ++it;
            continue;
        }
        m_retries.remove(*it);
        due.append(*it);
        it = m_queue.erase(it);
    }
    for (auto it = m_retries.begin(); it != m_retries.end();) {
        if (!it->hasExpired() || m_conversations.Has(it.key())) {
            ++it;
            continue;
        }
        due.append(it.key());
        it = m_retries.erase(it);
    }
    return due;
}

void ConnectDeviceThread::OnSetAnswered(const QString& ip, int status)
{
    // Asked again only while it answers: a device that went silent is presence detection's, which has the alarm
    // handler queue it again when it is found.
    if (status < 0)
        m_retries.insert(ip, QDeadlineTimer(m_refusedRetryMs));
}

int ConnectDeviceThread::MillisecondsToRetry() const
{
    qint64 next = -1;
    for (const QDeadlineTimer& retry : m_retries) {
        const qint64 remaining = retry.remainingTime();
        if (next < 0 || remaining < next)
            next = remaining;
    }
    // A retry that is due while the device's last registration still runs waits for that to end.
    return next < 0 ? -1 : int(qMax<qint64>(next, 50));
}
