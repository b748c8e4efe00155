#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <optional>

class QTcpServer;
class QTcpSocket;
class QUdpSocket;

// A syslog collector on 127.0.0.1 that holds what it receives strictly to RFC 5424 (and, over TCP, to RFC 6587
// octet counting): whatever departs from the grammar is kept as an error instead of a message. It runs on the
// thread that created it, so the test's event loop (QTRY_*) feeds it.
class SyslogReceiver : public QObject
{
    Q_OBJECT

public:
    struct Message
    {
        int facility = -1;
        int severity = -1;
        QString timestamp;
        QString hostName;
        QString appName;
        QString procId;
        QString msgId;
        // The one structured-data element: its SD-ID and its parameters, unescaped.
        QString sdId;
        QMap<QString, QString> params;
        // MSG without its BOM, which this receiver requires.
        QString text;
    };

    // Nothing, and the reason in error, for anything that is not one well-formed message.
    static std::optional<Message> Parse(const QByteArray& octets, QString* error);

    // Port 0 picks a free one.
    bool ListenUdp(quint16 port = 0);
    bool ListenTcp(quint16 port = 0);
    // Closes the listener and every connection, as a collector that goes down; what was received is kept.
    void Close();
    quint16 Port() const { return m_port; }

    const QList<Message>& Messages() const { return m_messages; }
    const QStringList& Errors() const { return m_errors; }

private:
    void Take(const QByteArray& octets);
    void ReadDatagrams();
    void ReadStream(QTcpSocket* connection);

    QUdpSocket* m_udp = nullptr;
    QTcpServer* m_tcp = nullptr;
    QHash<QTcpSocket*, QByteArray> m_streams;
    quint16 m_port = 0;
    QList<Message> m_messages;
    QStringList m_errors;
};
