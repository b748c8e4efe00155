#include "snmp/SnmpConversations.h"

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <QDebug>

#include <cerrno>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

SnmpConversations::SnmpConversations(int maxInFlight, int maxRoutine)
    : m_maxInFlight(maxInFlight), m_maxRoutine(qMin(maxRoutine, maxInFlight))
{
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wakeFd < 0)
        qWarning() << "SnmpConversations: eventfd failed:" << qt_error_string(errno);
}

SnmpConversations::~SnmpConversations()
{
    Clear();
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

int SnmpConversations::WithinDescriptorLimit(int wanted, double share)
{
    rlimit limit = {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return wanted;
    const double spare = double(limit.rlim_cur) - DescriptorMargin;
    return qBound(1, int(spare * share), wanted);
}

void SnmpConversations::Add(std::unique_ptr<DeviceConversation> conversation, Priority priority)
{
    ++m_devices[conversation->Ip()];
    m_waiting[priority].push_back(std::move(conversation));
    StartWaiting();
}

void SnmpConversations::StartWaiting()
{
    if (m_starting)
        return;
    m_starting = true;
    while (int(m_running.size()) < m_maxInFlight) {
        Priority priority = Urgent;
        if (m_waiting[Urgent].empty()) {
            if (m_waiting[Routine].empty() || m_routineRunning >= m_maxRoutine)
                break;
            priority = Routine;
        }
        std::unique_ptr<DeviceConversation> conversation = std::move(m_waiting[priority].front());
        m_waiting[priority].pop_front();
        // Begin may hand an answer to a handler that adds conversations; they wait for this loop.
        if (!conversation->Begin()) {
            Forget(conversation->Ip());
            continue;
        }
        m_running.push_back({std::move(conversation), priority});
        if (priority == Routine)
            ++m_routineRunning;
    }
    m_starting = false;
}

void SnmpConversations::Forget(const QString& ip)
{
    const auto it = m_devices.find(ip);
    if (it != m_devices.end() && --*it <= 0)
        m_devices.erase(it);
}

void SnmpConversations::Poll(int waitMs)
{
    netsnmp_large_fd_set readFds;
    netsnmp_large_fd_set_init(&readFds, FD_SETSIZE);
    NETSNMP_LARGE_FD_ZERO(&readFds);
    int fdCount = 0;
    if (m_wakeFd >= 0) {
        NETSNMP_LARGE_FD_SET(m_wakeFd, &readFds);
        fdCount = m_wakeFd + 1;
    }
    timeval timeout = {waitMs / 1000, (waitMs % 1000) * 1000};
    bool limited = waitMs >= 0;
    for (const Started& running : m_running) {
        timeval sessionTimeout = {0, 0};
        int block = 1;
        snmp_sess_select_info2(running.conversation->SessionHandle(), &fdCount, &readFds, &sessionTimeout, &block);
        if (!block && (!limited || timercmp(&sessionTimeout, &timeout, <))) {
            timeout = sessionTimeout;
            limited = true;
        }
    }
    // Without a wake-up descriptor nothing could end a wait without limit: the owner looks again every 100 ms.
    if (m_wakeFd < 0 && !limited) {
        timeout = {0, 100000};
        limited = true;
    }
    const int ready = netsnmp_large_fd_set_select(fdCount, &readFds, nullptr, nullptr, limited ? &timeout : nullptr);
    if (ready > 0 && m_wakeFd >= 0 && NETSNMP_LARGE_FD_ISSET(m_wakeFd, &readFds)) {
        eventfd_t value = 0;
        eventfd_read(m_wakeFd, &value);
    }
    // Every session reads what arrived for it and resends or gives up what timed out; then each conversation
    // takes its answer and sends its next request.
    for (const Started& running : m_running) {
        void* session = running.conversation->SessionHandle();
        if (ready > 0)
            snmp_sess_read2(session, &readFds);
        snmp_sess_timeout(session);
    }
    netsnmp_large_fd_set_cleanup(&readFds);
    for (size_t i = 0; i < m_running.size();) {
        if (m_running[i].conversation->Continue()) {
            ++i;
            continue;
        }
        Forget(m_running[i].conversation->Ip());
        if (m_running[i].priority == Routine)
            --m_routineRunning;
        m_running.erase(m_running.begin() + long(i));
    }
    StartWaiting();
}

void SnmpConversations::Wake()
{
    if (m_wakeFd >= 0)
        eventfd_write(m_wakeFd, 1);
}

void SnmpConversations::Clear()
{
    m_waiting[Routine].clear();
    m_waiting[Urgent].clear();
    m_running.clear();
    m_routineRunning = 0;
    m_devices.clear();
}
