#include "log/LogFilter.h"

#include "alarm/AlarmRecord.h"

namespace {
// "term or term or ..." with one term per value; empty without values.
template <typename Value> LogClause Alternatives(const QString& term, const QList<Value>& values)
{
    LogClause clause;
    QStringList terms;
    for (const Value& value : values) {
        terms.append(term);
        clause.values.append(value);
    }
    clause.text = terms.join(QStringLiteral(" or "));
    return clause;
}

// Appends "or part", or takes the part when the clause is still empty.
void AppendAlternative(LogClause& clause, const LogClause& part)
{
    if (part.text.isEmpty())
        return;
    clause.text += clause.text.isEmpty() ? part.text : QStringLiteral(" or ") + part.text;
    clause.values += part.values;
}

LogClause PortClause(const LogFilter& filter)
{
    LogClause ports;
    if (filter.allPorts)
        return ports;
    if (filter.aesEbu)
        AppendAlternative(ports, {QStringLiteral("portType=?"), {int(PortTypeAes)}});
    if (filter.analog)
        AppendAlternative(ports, {QStringLiteral("portType=?"), {int(PortTypeAnalog)}});
    if (!filter.bncPorts.isEmpty()) {
        const LogClause numbers = Alternatives(QStringLiteral("portID=?"), filter.bncPorts);
        AppendAlternative(ports, {QStringLiteral("(portType=? and (%1))").arg(numbers.text),
                                  QVariantList{int(PortTypeBnc)} + numbers.values});
    }
    return ports;
}
} // namespace

QStringList LogFilter::SplitSignalNames(const QString& text, const QString& fullWidthSemicolon)
{
    QString unified = text;
    if (!fullWidthSemicolon.isEmpty())
        unified.replace(fullWidthSemicolon, QStringLiteral(";"));
    return unified.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

LogClause LogFilter::Clause() const
{
    LogClause filter;
    const auto add = [&filter](const LogClause& part) {
        if (part.text.isEmpty())
            return;
        filter.text +=
            filter.text.isEmpty() ? QStringLiteral("(%1)").arg(part.text) : QStringLiteral(" and (%1)").arg(part.text);
        filter.values += part.values;
    };
    if (checkedDevices.size() < deviceCount)
        add(Alternatives(QStringLiteral("ip=?"), checkedDevices));
    add(PortClause(*this));
    if (alarmTypes.size() < AlarmTypeBoxes)
        add(Alternatives(QStringLiteral("alarmType=?"), alarmTypes));
    const QString secondFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    add({QStringLiteral("datetime(start_time) > datetime(?) and datetime(start_time) < datetime(?)"),
         {from.toString(secondFormat), end.toString(secondFormat)}});
    add(Alternatives(QStringLiteral("signalName like ?"), signalNames));
    return filter;
}
