#pragma once

#include <QDateTime>
#include <QString>

// How long ago a device's last alarm arrived: "within 1 minute", "%1 minutes ago", "%1 hours ago", "%1 days ago".
QString AlarmAgeText(const QDateTime& lastAlarm, const QDateTime& now);
