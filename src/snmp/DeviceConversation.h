#pragma once

#include "snmp/SnmpDeviceSession.h"

#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The requests the station has for one device, sent one after the other on a session of its own, each answer
// handed to the request's handler before the next request goes out. A handler may append further requests (a
// state read after a registration) or abandon the rest (a device that stopped answering).
class DeviceConversation
{
public:
    using Answer = SnmpDeviceSession::Answer;
    using Handler = std::function<void(DeviceConversation& conversation, const Answer& answer)>;

    // mustStop is asked before every request: once it holds, the rest is dropped unsent.
    DeviceConversation(const QString& ip, int retries, std::function<bool()> mustStop = {});

    const QString& Ip() const { return m_ip; }
    void Get(const QStringList& oids, Handler handler);
    void Set(const QString& oid, const QByteArray& value, Handler handler);
    void Abandon();

    // Used by SnmpConversations on its thread: opens the session and sends the first request; hands the answer to
    // its handler and sends the next. False once the conversation is over.
    bool Begin();
    bool Continue();
    void* SessionHandle() const { return m_session ? m_session->Handle() : nullptr; }

private:
    struct Request
    {
        SnmpDeviceSession::RequestType type;
        QStringList oids;
        QByteArray value;
        Handler handler;
    };

    // Sends the next request; false when none is left or the conversation must stop.
    bool SendNext();

    QString m_ip;
    int m_retries;
    std::function<bool()> m_mustStop;
    std::unique_ptr<SnmpDeviceSession> m_session;
    QQueue<Request> m_requests;
    Handler m_waiting;
};
