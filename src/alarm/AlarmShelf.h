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
};
