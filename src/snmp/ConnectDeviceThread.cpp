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
    m_queued.release();
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
        m_queued.release();
    }
    wait();
    // An address queued while the thread was ending is discarded with the rest, so that the queue and the
    // semaphore agree again when the next AddIP starts the thread.
    QMutexLocker locker(&m_queueLock);
    m_queue.clear();
    m_queued.tryAcquire(m_queued.available());
    m_active = false;
}

void ConnectDeviceThread::run()
{
    forever
    {
        m_queued.acquire();
        QString ip;
        {
            QMutexLocker locker(&m_queueLock);
            if (!m_server || m_stopRequested || m_queue.isEmpty()) {
                m_active = false;
                return;
            }
            ip = m_queue.takeFirst();
        }
        qDebug() << ip;
        m_server->SetServer(ip);
    }
}
