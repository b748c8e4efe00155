#pragma once

#include <QString>
#include <QTime>

// The text of a daily time range in the device dialog's cells, "08:00:00 - 17:30:00". A null time is empty text,
// so a range without times reads " - ".
class TimeRangeText
{
public:
    static QString Format(const QTime& start, const QTime& end);
    // A text without "-" is a range without times; otherwise the trimmed parts before and after the first "-" are
    // read as "hh:mm:ss", an empty or malformed part giving a null time.
    static void Parse(const QString& text, QTime& start, QTime& end);
};
