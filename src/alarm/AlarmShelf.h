#pragma once

#include <QDateTime>
#include <QString>

// An alarm view key taken out of the current tables and the speech until a time: a known fault being worked on.
struct AlarmShelf
{
    QString key;
    QDateTime from;
    QDateTime until;
    QString note;
    // Set when the operator unshelved it before its time ran out.
    QDateTime unshelved;
    // When it runs out, in milliseconds of the steady clock (QDeadlineTimer's), which no change of the wall clock
    // moves; until is what the log keeps and gives back after a restart.
    qint64 deadline = 0;
};
