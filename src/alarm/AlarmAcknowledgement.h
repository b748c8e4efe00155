#pragma once

#include "alarm/AlarmRecord.h"

#include <QDateTime>
#include <QString>

// The operator has seen an alarm. The alarm is as its log row holds it: time is its start, so that the helpkey
// names the row; end_time is set when the alarm had already ended.
struct AlarmAcknowledgement
{
    AlarmRecord alarm;
    QDateTime time;
    QString note;
};
