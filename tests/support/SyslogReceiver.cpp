#include "SyslogReceiver.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <cstring>

namespace {
const QHostAddress Loopback(QStringLiteral("127.0.0.1"));

// Reads the grammar's pieces off the octets, failing at the first departure.
class Scanner
{
public:
    explicit Scanner(const QByteArray& octets) : m_octets(octets) {}

    bool AtEnd() const { return m_at >= m_octets.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_octets.at(m_at); }
    bool Take(char expected)
    {
        if (Peek() != expected || AtEnd())
            return false;
        ++m_at;
        return true;
    }
    // 1..maxLength PRINTUSASCII octets, none of those in excluded.
    QByteArray Token(int maxLength, const char* excluded = "")
    {
        const int start = m_at;
        while (!AtEnd() && m_at - start < maxLength + 1) {
            const uchar c = uchar(Peek());
            if (c < 33 || c > 126 || std::strchr(excluded, c))
                break;
            ++m_at;
        }
        const QByteArray token = m_octets.mid(start, m_at - start);
        return token.size() > maxLength ? QByteArray() : token;
    }
    // A PARAM-VALUE up to its closing quote, unescaped; an unescaped ']' is an error.
    std::optional<QByteArray> ParamValue()
    {
        QByteArray value;
        while (!AtEnd()) {
            const char c = m_octets.at(m_at++);
            if (c == '"')
                return value;
            if (c == ']')
                return std::nullopt;
            if (c == '\\' && !AtEnd() && std::strchr("\"\\]", Peek()))
                value += m_octets.at(m_at++);
            else
                value += c;
        }
        return std::nullopt;
    }
    QByteArray Rest() const { return m_octets.mid(m_at); }
    int Position() const { return m_at; }

private:
    const QByteArray& m_octets;
    int m_at = 0;
};

std::optional<QString> Utf8(const QByteArray& octets)
{
    const QString text = QString::fromUtf8(octets);
    if (text.toUtf8() != octets)
        return std::nullopt;
    return text;
}

bool IsTimestamp(const QByteArray& token)
{
    static const QRegularExpression form(QStringLiteral(
        "^([0-9]{4})-(0[1-9]|1[0-2])-(0[1-9]|[12][0-9]|3[01])T([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9](\\.[0-9]{1,6})?"
        "(Z|[+-]([01][0-9]|2[0-3]):[0-5][0-9])$"));
    return token == "-" || form.match(QString::fromLatin1(token)).hasMatch();
}
} // namespace

std::optional<SyslogReceiver::Message> SyslogReceiver::Parse(const QByteArray& octets, QString* error)
{
    Scanner in(octets);
    Message message;
    auto fail = [&](const char* what) {
        *error = QStringLiteral("%1 at octet %2 of: %3").arg(what).arg(in.Position()).arg(QString::fromUtf8(octets));
        return std::nullopt;
    };

    const QByteArray pri = in.Take('<') ? in.Token(3, ">") : QByteArray();
    if (pri.isEmpty() || (pri.size() > 1 && pri.startsWith('0')) || !in.Take('>'))
        return fail("PRI");
    bool numeric = false;
    const int prival = pri.toInt(&numeric);
    if (!numeric || prival > 191)
        return fail("PRIVAL");
    message.facility = prival / 8;
    message.severity = prival % 8;
    if (!in.Take('1') || !in.Take(' '))
        return fail("VERSION");

    const QByteArray timestamp = in.Token(32);
    if (!IsTimestamp(timestamp) || !in.Take(' '))
        return fail("TIMESTAMP");
    message.timestamp = QString::fromLatin1(timestamp);
    const int lengths[] = {255, 48, 128, 32};
    QString* fields[] = {&message.hostName, &message.appName, &message.procId, &message.msgId};
    for (int i = 0; i < 4; ++i) {
        const QByteArray token = in.Token(lengths[i]);
        if (token.isEmpty() || !in.Take(' '))
            return fail("HOSTNAME, APP-NAME, PROCID or MSGID");
        *fields[i] = QString::fromLatin1(token);
    }

    if (!in.Take('['))
        return fail("structured data: this station always sends one element");
    const QByteArray sdId = in.Token(32, "= ]\"");
    if (!sdId.contains('@'))
        return fail("SD-ID: a private one needs @ and an enterprise number");
    message.sdId = QString::fromLatin1(sdId);
    while (in.Take(' ')) {
        const QByteArray name = in.Token(32, "= ]\"");
        if (name.isEmpty() || !in.Take('=') || !in.Take('"'))
            return fail("SD-PARAM");
        const std::optional<QByteArray> value = in.ParamValue();
        const std::optional<QString> text = value ? Utf8(*value) : std::nullopt;
        if (!text)
            return fail("PARAM-VALUE (unescaped ']', unterminated, or not UTF-8)");
        message.params.insert(QString::fromLatin1(name), *text);
    }
    if (!in.Take(']'))
        return fail("SD-ELEMENT end");
    if (in.Peek() == '[')
        return fail("a second SD-ELEMENT");

    if (!in.Take(' '))
        return fail("MSG: this station always sends one");
    const QByteArray msg = in.Rest();
    const std::optional<QString> text = msg.startsWith("\xEF\xBB\xBF") ? Utf8(msg.mid(3)) : std::nullopt;
    if (!text)
        return fail("MSG without BOM or not UTF-8");
    message.text = *text;
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

QStringList SyslogReceiver::MsgIds() const
{
    QStringList ids;
    for (const Message& message : m_messages)
        ids << message.msgId;
    return ids;
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
    // MSG-LEN SP SYSLOG-MSG, MSG-LEN a nonzero digit and more digits.
    static const QRegularExpression frameHead(QStringLiteral("^([1-9][0-9]{0,8}) "));
    while (!buffer.isEmpty()) {
        const QRegularExpressionMatch head = frameHead.match(QString::fromLatin1(buffer.left(10)));
        if (!head.hasMatch()) {
            if (buffer.size() >= 10 ||
                !QRegularExpression(QStringLiteral("^[1-9][0-9]*$")).match(QString::fromLatin1(buffer)).hasMatch()) {
                m_errors << QStringLiteral("not an octet-counted frame: %1").arg(QString::fromLatin1(buffer.left(40)));
                buffer.clear();
            }
            return;
        }
        const int length = head.captured(1).toInt();
        const int headLength = head.capturedLength(0);
        if (buffer.size() < headLength + length)
            return;
        Take(buffer.mid(headLength, length));
        buffer.remove(0, headLength + length);
    }
}
