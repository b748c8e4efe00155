#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

// A complete read of one device's state: the alarm identity keys it asked about and those it found active. Only a
// read that got every answer is handed on; one cut short tells nothing about what it did not reach.
struct DeviceStateRead
{
    QString ip;
    // When the first request went out, and when the last answer came.
    QDateTime started;
    QDateTime finished;
    QSet<QString> asked;
    QSet<QString> active;
};
