#include "northbound/SyslogTarget.h"

#include <QRegularExpression>

namespace {
bool IsIPv4Address(const QString& host)
{
    const QStringList parts = host.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || part.size() > 3 || value < 0 || value > 255 || !part.at(0).isDigit())
            return false;
    }
    return true;
}

bool IsHostName(const QString& host)
{
    static const QRegularExpression name(QStringLiteral(
        "^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*$"));
    // All-numeric names would be taken for malformed addresses by the resolver.
    static const QRegularExpression numeric(QStringLiteral("^[0-9.]+$"));
    return host.size() <= 253 && name.match(host).hasMatch() && !numeric.match(host).hasMatch();
}
} // namespace

std::optional<SyslogTarget> SyslogTarget::Parse(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(udp|tcp)://([^:]+)(?::([0-9]{1,5}))?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    SyslogTarget target;
    target.transport = match.captured(1).toLower() == QLatin1String("tcp") ? Transport::Tcp : Transport::Udp;
    target.host = match.captured(2);
    if (!IsIPv4Address(target.host) && !IsHostName(target.host))
        return std::nullopt;
    if (match.capturedLength(3) > 0) {
        const int port = match.captured(3).toInt();
        if (port < 1 || port > 65535)
            return std::nullopt;
        target.port = quint16(port);
    }
    return target;
}

QString SyslogTarget::ToString() const
{
    return QStringLiteral("%1://%2:%3")
        .arg(transport == Transport::Tcp ? QStringLiteral("tcp") : QStringLiteral("udp"), host, QString::number(port));
}
