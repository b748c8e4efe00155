#pragma once

#include <QString>

// How long ago a device's last alarm arrived: "within 1 minute", "%1 minutes ago", "%1 hours ago", "%1 days ago".
// Both times in milliseconds since the epoch: local date-times would consult the time zone on every call.
QString AlarmAgeText(qint64 lastAlarmMs, qint64 nowMs);
