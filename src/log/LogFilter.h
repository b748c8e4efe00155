#pragma once

#include "log/LogClause.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the operator chose in the log browser's filter panel. Every chosen value is bound, never written into the
// SQL text, so that any signal name is searched for as typed.
struct LogFilter
{
    static constexpr int AlarmTypeBoxes = 6;

    // Checked device addresses, out of deviceCount rows; none or all checked means every device.
    QStringList checkedDevices;
    int deviceCount = 0;
    // "All" lifts the port restriction; otherwise the checked BNC numbers and the two audio ports.
    bool allPorts = true;
    QList<int> bncPorts;
    bool aesEbu = true;
    bool analog = true;
    // Codes of the checked alarm type boxes in the order of the boxes; none or all six means every type.
    QList<int> alarmTypes;
    // Both exclusive, compared at whole seconds.
    QDateTime from;
    QDateTime end;
    // like patterns: % and _ stay wildcards.
    QStringList signalNames;

    // The parts of a typed list of signal names; fullWidthSemicolon separates like ";".
    static QStringList SplitSignalNames(const QString& text, const QString& fullWidthSemicolon);

    // The condition without the word "where": device, port, alarm type, time and signal parts, each in
    // parentheses, joined with "and".
    LogClause Clause() const;
};
