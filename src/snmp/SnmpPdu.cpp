#include "snmp/SnmpPdu.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <QStringList>
#include <QVarLengthArray>

#include <charconv>
#include <type_traits>

static_assert(std::is_same<oid, unsigned long>::value, "the adapter passes sub-identifiers as unsigned long");

namespace {
// Octet strings longer than this are cut in printable form; a trap note never needs more.
constexpr int MaxPrintableOctets = 512;

SnmpVarbind Copy(const netsnmp_variable_list* vb)
{
    SnmpVarbind out;
    out.oid = SnmpPdu::OidText(vb->name, vb->name_length);
    out.type = vb->type;
    switch (vb->type) {
    case ASN_INTEGER:
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        if (vb->val.integer && vb->val_len >= sizeof(long)) {
            out.integer = vb->type == ASN_INTEGER ? qint64(*vb->val.integer) : qint64(quint32(*vb->val.integer));
            out.printable = QString::number(out.integer);
        }
        break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
        if (vb->val.string) {
            out.octets = QByteArray(reinterpret_cast<const char*>(vb->val.string), int(vb->val_len));
            out.printable = vb->type == ASN_IPADDRESS && vb->val_len == 4
                                ? QStringLiteral("%1.%2.%3.%4")
                                      .arg(quint8(out.octets[0]))
                                      .arg(quint8(out.octets[1]))
                                      .arg(quint8(out.octets[2]))
                                      .arg(quint8(out.octets[3]))
                                : QString::fromUtf8(out.octets.left(MaxPrintableOctets));
        }
        break;
    case ASN_OBJECT_ID:
        if (vb->val.objid)
            out.printable = SnmpPdu::OidText(vb->val.objid, vb->val_len / sizeof(oid));
        break;
    case ASN_COUNTER64:
        if (vb->val.counter64 && vb->val_len >= sizeof(struct counter64)) {
            const quint64 value = (quint64(vb->val.counter64->high) << 32) | quint32(vb->val.counter64->low);
            out.printable = QString::number(value);
        }
        break;
    default:
        break;
    }
    return out;
}
} // namespace

bool SnmpPdu::ParseOid(const QString& text, unsigned long* subIds, size_t* length, size_t capacity)
{
    QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('.')))
        trimmed.remove(0, 1);
    const QStringList parts = trimmed.split(QLatin1Char('.'));
    if (parts.isEmpty() || size_t(parts.size()) > capacity)
        return false;
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const qulonglong value = parts[i].toULongLong(&ok);
        if (!ok || value > 0xFFFFFFFFULL)
            return false;
        subIds[i] = static_cast<unsigned long>(value);
    }
    *length = size_t(parts.size());
    return true;
}

QString SnmpPdu::OidText(const unsigned long* subIds, size_t length)
{
    // Written into one buffer: a storm brings a few hundred thousand of these a second.
    constexpr size_t MaxDigits = 20;
    QVarLengthArray<char, 1024> text(int(length * (MaxDigits + 1)));
    char* out = text.data();
    char* const end = out + text.size();
    for (size_t i = 0; i < length; ++i) {
        if (i)
            *out++ = '.';
        out = std::to_chars(out, end, subIds[i]).ptr;
    }
    return QString::fromLatin1(text.constData(), int(out - text.constData()));
}

SnmpVarbindList SnmpPdu::Varbinds(const snmp_pdu* pdu, int first)
{
    const netsnmp_variable_list* vb = pdu->variables;
    for (int i = 0; i < first && vb; ++i)
        vb = vb->next_variable;
    int count = 0;
    for (const netsnmp_variable_list* next = vb; next; next = next->next_variable)
        ++count;
    SnmpVarbindList list;
    list.reserve(count);
    for (; vb; vb = vb->next_variable)
        list.append(Copy(vb));
    return list;
}
