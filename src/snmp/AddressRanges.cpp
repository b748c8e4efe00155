#include "snmp/AddressRanges.h"

#include "dialogs/DeviceAddress.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QSet>

namespace {

// Leading zeros are dropped as the device dialog drops them; QHostAddress would read 010 as octal.
bool ParseAddress(const QString& text, quint32& address)
{
    QHostAddress host;
    if (text.count(QLatin1Char('.')) != 3 || !host.setAddress(DeviceAddress::Normalized(text)) ||
        host.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    address = host.toIPv4Address();
    return true;
}

} // namespace

bool AddressRanges::Parse(const QString& text, QStringList& addresses, QString& error)
{
    addresses.clear();
    QSet<quint32> seen;
    QString joined = text;
    joined.replace(QRegularExpression(QStringLiteral("\\s*([-/])\\s*")), QStringLiteral("\\1"));
    const QStringList parts = joined.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        error = tr("Enter one or more addresses or ranges.");
        return false;
    }
    for (const QString& part : parts) {
        quint32 first = 0;
        quint32 last = 0;
        const int dash = part.indexOf(QLatin1Char('-'));
        const int slash = part.indexOf(QLatin1Char('/'));
        bool ok = false;
        if (dash >= 0) {
            ok = ParseAddress(part.left(dash), first) && ParseAddress(part.mid(dash + 1), last) && first <= last;
        } else if (slash >= 0) {
            const int prefix = part.mid(slash + 1).toInt(&ok);
            ok = ok && prefix >= 1 && prefix <= 32 && ParseAddress(part.left(slash), first);
            if (ok) {
                const quint32 mask = prefix == 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> prefix);
                first &= mask;
                last = first | ~mask;
                // A network's own address and its broadcast address are nobody's.
                if (prefix <= 30) {
                    ++first;
                    --last;
                }
            }
        } else {
            ok = ParseAddress(part, first);
            last = first;
        }
        if (!ok) {
            error = tr("'%1' is neither an address, a range like 10.1.0.1-10.1.3.254 nor a network like 10.1.0.0/22.")
                        .arg(part);
            return false;
        }
        // A range far beyond the limit is refused before it is expanded.
        if (quint64(last) - first + 1 + quint64(addresses.size()) > quint64(MaxAddresses) * 2) {
            error = tr("At most %1 addresses can be searched at once.").arg(MaxAddresses);
            return false;
        }
        for (quint64 address = first; address <= last; ++address) {
            if ((address & 0xFF) == 0xFF || seen.contains(quint32(address)))
                continue;
            seen.insert(quint32(address));
            addresses.append(QHostAddress(quint32(address)).toString());
        }
        if (addresses.size() > MaxAddresses) {
            error = tr("At most %1 addresses can be searched at once.").arg(MaxAddresses);
            return false;
        }
    }
    return true;
}
