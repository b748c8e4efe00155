#pragma once

#include "snmp/DeviceConversation.h"

#include <QHash>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

// Many device conversations driven from the one thread that owns this object, at most maxInFlight of them at a
// time and the rest waiting in the order they came. A silent device holds only its own conversation; the others go
// on. Wake alone may be called from other threads.
class SnmpConversations
{
public:
    // Urgent conversations (presence probes) start before any waiting routine one and may take every slot; routine
    // ones (registrations, state reads) hold at most maxRoutine slots between them, so that a wave of long reads
    // never keeps a short probe waiting.
    enum Priority
    {
        Routine,
        Urgent,
    };

    // Descriptors left to the rest of the station (windows, log, listeners, senders) beyond its device sessions.
    static constexpr int DescriptorMargin = 256;

    SnmpConversations(int maxInFlight, int maxRoutine);
    explicit SnmpConversations(int maxInFlight) : SnmpConversations(maxInFlight, maxInFlight) {}
    ~SnmpConversations();
    SnmpConversations(const SnmpConversations&) = delete;
    SnmpConversations& operator=(const SnmpConversations&) = delete;

    // How many of wanted sessions fit in share (0 to 1) of the descriptors that the process may open beyond
    // DescriptorMargin; at least one. Every conversation holds a socket while it runs.
    static int WithinDescriptorLimit(int wanted, double share);

    void Add(std::unique_ptr<DeviceConversation> conversation, Priority priority = Routine);
    // Whether a conversation with the device is running or waiting.
    bool Has(const QString& ip) const { return m_devices.contains(ip); }
    bool IsIdle() const { return m_running.empty() && m_waiting[Routine].empty() && m_waiting[Urgent].empty(); }
    int Running() const { return int(m_running.size()); }
    // Waits at most waitMs (-1: without limit) for answers, timeouts or a Wake, and hands every answer to its
    // conversation; conversations that are over make room for waiting ones.
    void Poll(int waitMs);
    // Ends a Poll that is waiting, at once or when the next one begins.
    void Wake();
    // Drops every conversation, sent requests included: nothing is handled afterwards.
    void Clear();

private:
    struct Started
    {
        std::unique_ptr<DeviceConversation> conversation;
        Priority priority;
    };

    void StartWaiting();
    void Forget(const QString& ip);

    const int m_maxInFlight;
    const int m_maxRoutine;
    std::vector<Started> m_running;
    int m_routineRunning = 0;
    std::deque<std::unique_ptr<DeviceConversation>> m_waiting[2];
    // Set while StartWaiting runs: a conversation that a handler adds meanwhile waits for its loop.
    bool m_starting = false;
    // Conversations per device, running or waiting.
    QHash<QString, int> m_devices;
    int m_wakeFd = -1;
};
