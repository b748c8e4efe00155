#include "SyslogReceiver.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace {
const QHostAddress Loopback(QStringLiteral("127.0.0.1"));

// SD-NAME: PRINTUSASCII but '=', space, ']' and '"'. PARAM-VALUE: '"', '\' and ']' escaped.
const QString SdName = QStringLiteral(R"re([!#-<>-\\^-~]{1,32})re");
const QString ParamValue = QStringLiteral(R"re(((?:[^"\\\]]|\\.)*))re");
// One message as this station sends it: PRI up to 191, VERSION 1, TIMESTAMP, HOSTNAME, APP-NAME, PROCID and MSGID,
// one SD-ELEMENT with a private SD-ID, and a MSG that starts with the BOM.
const QRegularExpression
    Syslog(R"re(^<(0|[1-9][0-9]?|1[0-8][0-9]|19[01])>1 )re"
           R"re((-|[0-9]{4}-(?:0[1-9]|1[0-2])-(?:0[1-9]|[12][0-9]|3[01])T(?:[01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9])re"
           R"re((?:\.[0-9]{1,6})?(?:Z|[+-](?:[01][0-9]|2[0-3]):[0-5][0-9])) )re"
           R"re(([!-~]{1,255}) ([!-~]{1,48}) ([!-~]{1,128}) ([!-~]{1,32}) )re"
           R"re(\[()re" +
               SdName + R"re(@[0-9]+)((?: )re" + SdName + "=\"" + ParamValue + R"re(")*)\] \x{FEFF}(.*)$)re",
           QRegularExpression::DotMatchesEverythingOption);
const QRegularExpression Param(" (" + SdName + ")=\"" + ParamValue + "\"");
const QRegularExpression Escape(QStringLiteral(R"re(\\(["\\\]]))re"));
} // namespace

std::optional<SyslogReceiver::Message> SyslogReceiver::Parse(const QByteArray& octets, QString* error)
{
    const QString text = QString::fromUtf8(octets);
    const QRegularExpressionMatch match = Syslog.match(text);
    if (text.toUtf8() != octets || !match.hasMatch()) {
        *error = QStringLiteral("not an RFC 5424 message of this station: %1").arg(text);
        return std::nullopt;
    }
    Message message;
    message.facility = match.captured(1).toInt() / 8;
    message.severity = match.captured(1).toInt() % 8;
    QString* const fields[] = {&message.timestamp, &message.hostName, &message.appName,
                               &message.procId,    &message.msgId,    &message.sdId};
    for (int i = 0; i < 6; ++i)
        *fields[i] = match.captured(2 + i);
    for (auto params = Param.globalMatch(match.captured(8)); params.hasNext();) {
        const QRegularExpressionMatch param = params.next();
        message.params.insert(param.captured(1), param.captured(2).replace(Escape, QStringLiteral("\\1")));
    }
    message.text = match.captured(10);
    return message;
}

bool SyslogReceiver::ListenUdp(quint16 port)
{
    m_udp = new QUdpSocket(this);
    if (!m_udp->bind(Loopback, port))
        return false;
    m_port = m_udp->localPort();
    connect(m_udp, &QUdpSocket::readyRead, this, &SyslogReceiver::ReadDatagrams);
    return true;
}

bool SyslogReceiver::ListenTcp(quint16 port)
{
    m_tcp = new QTcpServer(this);
    if (!m_tcp->listen(Loopback, port))
        return false;
    m_port = m_tcp->serverPort();
    connect(m_tcp, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* connection = m_tcp->nextPendingConnection()) {
            m_streams.insert(connection, QByteArray());
            connect(connection, &QTcpSocket::readyRead, this, [this, connection] { ReadStream(connection); });
        }
    });
    return true;
}

void SyslogReceiver::Close()
{
    // The server owns its connections.
    for (auto it = m_streams.begin(); it != m_streams.end(); ++it)
        it.key()->abort();
    m_streams.clear();
    delete m_tcp;
    m_tcp = nullptr;
    delete m_udp;
    m_udp = nullptr;
}

void SyslogReceiver::Take(const QByteArray& octets)
{
    QString error;
    if (const std::optional<Message> message = Parse(octets, &error))
        m_messages << *message;
    else
        m_errors << error;
}

void SyslogReceiver::ReadDatagrams()
{
    while (m_udp->hasPendingDatagrams()) {
        QByteArray datagram(int(m_udp->pendingDatagramSize()), '\0');
        m_udp->readDatagram(datagram.data(), datagram.size());
        Take(datagram);
    }
}

void SyslogReceiver::ReadStream(QTcpSocket* connection)
{
    QByteArray& buffer = m_streams[connection];
    buffer += connection->readAll();
    // MSG-LEN SP SYSLOG-MSG, MSG-LEN a nonzero digit and more digits; a head without its space is still arriving.
    static const QRegularExpression frameHead(QStringLiteral("^([1-9][0-9]{0,8})( |$)"));
    while (!buffer.isEmpty()) {
        const QRegularExpressionMatch head = frameHead.match(QString::fromLatin1(buffer.left(10)));
        if (!head.hasMatch()) {
            m_errors << QStringLiteral("not an octet-counted frame: %1").arg(QString::fromLatin1(buffer.left(40)));
            buffer.clear();
            return;
        }
        const int start = head.capturedLength(0);
        const int length = head.captured(1).toInt();
        if (head.captured(2).isEmpty() || buffer.size() < start + length)
            return;
        Take(buffer.mid(start, length));
        buffer.remove(0, start + length);
    }
}
