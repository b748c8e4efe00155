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
    explicit SnmpConversations(int maxInFlight);
    ~SnmpConversations();
    SnmpConversations(const SnmpConversations&) = delete;
    SnmpConversations& operator=(const SnmpConversations&) = delete;

    void Add(std::unique_ptr<DeviceConversation> conversation);
    // Whether a conversation with the device is running or waiting.
    bool Has(const QString& ip) const { return m_devices.contains(ip); }
    bool IsIdle() const { return m_running.empty() && m_waiting.empty(); }
    int Running() const { return int(m_running.size()); }
    // Waits at most waitMs (-1: without limit) for answers, timeouts or a Wake, and hands every answer to its
    // conversation; conversations that are over make room for waiting ones.
    void Poll(int waitMs);
    // Ends a Poll that is waiting, at once or when the next one begins.
    void Wake();
    // Drops every conversation, sent requests included: nothing is handled afterwards.
    void Clear();

private:
    void StartWaiting();
    void Forget(const QString& ip);

    const int m_maxInFlight;
    std::vector<std::unique_ptr<DeviceConversation>> m_running;
    std::deque<std::unique_ptr<DeviceConversation>> m_waiting;
    // Conversations per device, running or waiting.
    QHash<QString, int> m_devices;
    int m_wakeFd = -1;
};
