#include "snmp/ConnectDeviceThread.h"

#include "snmp/SnmpDeviceSession.h"
#include "snmp/SnmpServer.h"

#include <QDebug>
#include <QMutexLocker>

ConnectDeviceThread::ConnectDeviceThread(SnmpServer* server, QObject* parent)
    : QThread(parent), m_server(server), m_conversations(SnmpConversations::WithinDescriptorLimit(MaxInFlight, 0.125))
{
}

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
    // Started once and never waited for here: the thread runs until Stop, which alone waits for it.
    if (!m_stopping && !m_started) {
        m_started = true;
        start(QThread::InheritPriority);
    }
}

void ConnectDeviceThread::Stop()
{
    {
        QMutexLocker locker(&m_queueLock);
        m_stopping = true;
    }
    m_conversations.Wake();
    // No lock is held while waiting: the thread takes it to end.
    wait();
    QMutexLocker locker(&m_queueLock);
    m_queue.clear();
    m_stopping = false;
    m_started = false;
}

void ConnectDeviceThread::run()
{
    Retries retries;
    forever
    {
        QStringList due;
        {
            QMutexLocker locker(&m_queueLock);
            if (!m_server || m_stopping)
                break;
            due = TakeDue(&retries);
        }
        for (const QString& ip : qAsConst(due)) {
            qDebug() << ip;
            m_server->SetServer(ip, &m_conversations,
                                [this, &retries, ip](int status) { OnSetAnswered(&retries, ip, status); });
        }
        // Without a retry to wait for, only an address or Stop ends the wait; their wake-up is kept until then.
        m_conversations.Poll(MillisecondsToRetry(retries));
    }
    // The answers that would touch the retries are dropped with them.
    m_conversations.Clear();
}

QStringList ConnectDeviceThread::TakeDue(Retries* retries)
{
    QStringList due;
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        // A device queued again while its registration runs is taken once that has ended.
        if (m_conversations.Has(*it)) {
            ++it;
            continue;
        }
        retries->remove(*it);
        due.append(*it);
        it = m_queue.erase(it);
    }
    for (auto it = retries->begin(); it != retries->end();) {
        if (!it->hasExpired() || m_conversations.Has(it.key())) {
            ++it;
            continue;
        }
        due.append(it.key());
        it = retries->erase(it);
    }
    return due;
}

void ConnectDeviceThread::OnSetAnswered(Retries* retries, const QString& ip, int status) const
{
    // Asked again only while it answers: a device that went silent is presence detection's, which has the alarm
    // handler queue it again when it is found.
    if (status < 0)
        retries->insert(ip, QDeadlineTimer(m_refusedRetryMs));
    else if (status == SnmpDeviceSession::NotSent)
        retries->insert(ip, QDeadlineTimer(NotSentRetryMs));
}

int ConnectDeviceThread::MillisecondsToRetry(const Retries& retries)
{
    qint64 next = -1;
    for (const QDeadlineTimer& retry : retries) {
        const qint64 remaining = retry.remainingTime();
        if (next < 0 || remaining < next)
            next = remaining;
    }
    // A retry that is due while the device's last registration still runs waits for that to end.
    return next < 0 ? -1 : int(qMax<qint64>(next, 50));
}
