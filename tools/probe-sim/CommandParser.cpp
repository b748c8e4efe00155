#include "CommandParser.h"

#include "ProbeState.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QMap<QString, Condition> Conditions = {
    {QStringLiteral("lost"), Condition::Lost},         {QStringLiteral("freeze"), Condition::Freeze},
    {QStringLiteral("black"), Condition::Black},       {QStringLiteral("silence"), Condition::Silence},
    {QStringLiteral("overload"), Condition::Overload},
};

// Commands that send a notification, and so may be repeated by a burst.
bool Notifies(Command::Kind kind)
{
    switch (kind) {
    case Command::Raise:
    case Command::Clear:
    case Command::Fan:
    case Command::Power:
    case Command::Alive:
    case Command::Connected:
    case Command::Disconnected:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CommandParser::Parse(const QString& line, Command* command)
{
    m_error.clear();
    QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
        return false;

    *command = Command();
    QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")));
    const QString first = words.takeFirst();
    if (first == QLatin1String("wait")) {
        command->kind = Command::Wait;
        if (words.size() != 1)
            return Fail(QStringLiteral("usage: wait <milliseconds>"));
        if (!ParseNumber(words[0], &command->number, "milliseconds"))
            return false;
        return command->number >= 0 || Fail(QStringLiteral("a wait cannot be negative"));
    }
    if (first == QLatin1String("echo")) {
        command->kind = Command::Echo;
        command->text = text.mid(first.size()).trimmed();
        return true;
    }
    if (first == QLatin1String("quit") || first == QLatin1String("peak")) {
        command->kind = first == QLatin1String("quit") ? Command::Quit : Command::Peak;
        return words.isEmpty() || Fail(QStringLiteral("usage: %1").arg(first));
    }
    if (first != QLatin1String("all") && !ExpandAddresses(first, &command->addresses))
        return Fail(QStringLiteral("'%1' is neither a command nor probes (127.x.y.z, 127.x.y.z-n or all)").arg(first));
    return ParseProbeCommand(first, words, command);
}

bool CommandParser::ParseProbeCommand(const QString& target, QStringList words, Command* command)
{
    command->target = target;
    if (words.isEmpty())
        return Fail(QStringLiteral("a command must follow the probe address"));
    const QString verb = words.takeFirst();
    const int count = words.size();

    if (verb == QLatin1String("raise") || verb == QLatin1String("clear")) {
        const bool raise = verb == QLatin1String("raise");
        command->kind = raise ? Command::Raise : Command::Clear;
        if (count < 2 || count > (raise ? 3 : 2))
            return Fail(QStringLiteral("usage: <probe> raise <condition> <location> [severity] | "
                                       "<probe> clear <condition> <location>"));
        if (!Conditions.contains(words[0]))
            return Fail(
                QStringLiteral("unknown condition '%1' (lost, freeze, black, silence, overload)").arg(words[0]));
        command->condition = Conditions.value(words[0]);
        command->number = raise ? 2 : 0;
        return ParseLocation(words[1], &command->location) &&
               (count < 3 || ParseNumber(words[2], &command->number, "severity"));
    }
    if (verb == QLatin1String("standard")) {
        command->kind = Command::Standard;
        if (count != 2)
            return Fail(QStringLiteral("usage: <probe> standard <port> <index>"));
        return ParseNumber(words[0], &command->number, "port") && ParseNumber(words[1], &command->value, "index");
    }
    if (verb == QLatin1String("fan")) {
        command->kind = Command::Fan;
        if (count != 2)
            return Fail(QStringLiteral("usage: <probe> fan <fan> <rpm>"));
        return ParseNumber(words[0], &command->number, "fan") && ParseNumber(words[1], &command->value, "rpm");
    }
    if (verb == QLatin1String("power")) {
        command->kind = Command::Power;
        if (count != 2 || (words[1] != QLatin1String("on") && words[1] != QLatin1String("off")))
            return Fail(QStringLiteral("usage: <probe> power <1|2> on|off"));
        command->on = words[1] == QLatin1String("on");
        return ParseNumber(words[0], &command->number, "power supply");
    }
    if (verb == QLatin1String("alive")) {
        command->kind = Command::Alive;
        command->text = words.isEmpty() ? QStringLiteral("alive") : words.join(QLatin1Char(' '));
        return true;
    }
    static const QMap<QString, Command::Kind> bareVerbs = {
        {QStringLiteral("connected"), Command::Connected},
        {QStringLiteral("disconnected"), Command::Disconnected},
        {QStringLiteral("silent"), Command::Silent},
        {QStringLiteral("back"), Command::Back},
    };
    if (bareVerbs.contains(verb)) {
        command->kind = bareVerbs.value(verb);
        return count == 0 || Fail(QStringLiteral("'%1' takes no arguments").arg(verb));
    }
    static const QMap<QString, Command::Kind> switches = {
        {QStringLiteral("refuse-set"), Command::RefuseSet},
        {QStringLiteral("inform"), Command::Inform},
        {QStringLiteral("busy"), Command::Busy},
    };
    if (switches.contains(verb)) {
        command->kind = switches.value(verb);
        if (count != 1 || (words[0] != QLatin1String("on") && words[0] != QLatin1String("off")))
            return Fail(QStringLiteral("usage: <probe> %1 on|off").arg(verb));
        command->on = words[0] == QLatin1String("on");
        return true;
    }
    if (verb == QLatin1String("delay")) {
        command->kind = Command::Delay;
        if (count != 1)
            return Fail(QStringLiteral("usage: <probe> delay <milliseconds>"));
        if (!ParseNumber(words[0], &command->number, "milliseconds"))
            return false;
        return command->number >= 0 || Fail(QStringLiteral("a delay cannot be negative"));
    }
    if (verb == QLatin1String("burst")) {
        command->kind = Command::Burst;
        if (count < 3)
            return Fail(QStringLiteral("usage: <probe> burst <count> <per second> <notifying command>"));
        if (!ParseNumber(words[0], &command->number, "count") || !ParseNumber(words[1], &command->value, "rate"))
            return false;
        if (command->number < 1 || command->value < 1)
            return Fail(QStringLiteral("a burst needs a count and a rate of at least 1"));
        command->repeated = std::make_shared<Command>();
        command->repeated->addresses = command->addresses;
        if (!ParseProbeCommand(target, words.mid(2), command->repeated.get()))
            return false;
        if (!Notifies(command->repeated->kind))
            return Fail(QStringLiteral("a burst repeats a command that sends a notification"));
        return true;
    }
    return Fail(QStringLiteral("unknown command '%1'").arg(verb));
}

bool CommandParser::ParseLocation(const QString& text, Location* location)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    static const QMap<QString, Location::Kind> kinds = {
        {QStringLiteral("bnc"), Location::Bnc},
        {QStringLiteral("analog"), Location::Analog},
        {QStringLiteral("aes"), Location::Aes},
    };
    const bool bnc = parts[0] == QLatin1String("bnc");
    if (!kinds.contains(parts[0]) || parts.size() < 2 || parts.size() > (bnc ? 3 : 2))
        return Fail(QStringLiteral("bad location '%1' (bnc:<port>, bnc:<port>:<track>, analog:<track>, aes:<track>)")
                        .arg(text));
    location->kind = kinds.value(parts[0]);
    long first = 0;
    long second = 0;
    if (!ParseNumber(parts[1], &first, "port or track") ||
        (parts.size() == 3 && !ParseNumber(parts[2], &second, "track")))
        return false;
    location->port = bnc ? int(first) : 1;
    location->track = bnc ? int(second) : int(first);
    return true;
}

bool CommandParser::ParseNumber(const QString& text, long* number, const char* what)
{
    bool ok = false;
    *number = text.toLong(&ok);
    return ok || Fail(QStringLiteral("%1: '%2' is not a number").arg(QLatin1String(what), text));
}

bool CommandParser::Fail(const QString& error)
{
    m_error = error;
    return false;
}
