#pragma once

#include "SimTypes.h"

#include <QString>
#include <QStringList>

#include <memory>

// One line of the command language (see README.md), parsed.
struct Command
{
    enum Kind
    {
        Raise,
        Clear,
        Standard,
        Fan,
        Power,
        Alive,
        Connected,
        Disconnected,
        Silent,
        Back,
        RefuseSet,
        Inform,
        Busy,
        Delay,
        Burst,
        Wait,
        Echo,
        Peak,
        Quit,
    };

    Kind kind = Echo;
    // A probe's address, a range of them, or "all"; empty for the commands that concern no probe (wait, echo, quit).
    QString target;
    // The probes that target names; empty for "all".
    QStringList addresses;
    Condition condition = Condition::Lost;
    Location location;
    // Severity, port, fan, power supply, milliseconds or notification count, by kind.
    long number = 0;
    // Standard index, rpm or notifications per second, by kind.
    long value = 0;
    bool on = false;
    QString text;
    // What a burst repeats.
    std::shared_ptr<Command> repeated;
};

// Turns lines of text into commands; says what is wrong with a line it cannot parse.
class CommandParser
{
public:
    // False for a line that holds no command (empty or a comment) and for a bad line, which leaves an error.
    bool Parse(const QString& line, Command* command);
    QString Error() const { return m_error; }

private:
    bool ParseProbeCommand(const QString& target, QStringList words, Command* command);
    bool ParseLocation(const QString& text, Location* location);
    bool ParseNumber(const QString& text, long* number, const char* what);
    bool Fail(const QString& error);

    QString m_error;
};
