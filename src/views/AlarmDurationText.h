#pragma once

#include <QDateTime>
#include <QString>

// "hh:mm:ss", or "N day hh:mm:ss" from one day on; empty when either time is missing.
QString AlarmDurationText(const QDateTime& start, const QDateTime& end);
