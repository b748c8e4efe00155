#include "dialogs/TimeRangeText.h"

namespace {
const QString TimeFormat = QStringLiteral("hh:mm:ss");
}

QString TimeRangeText::Format(const QTime& start, const QTime& end)
{
    return QStringLiteral("%1 - %2").arg(start.toString(TimeFormat), end.toString(TimeFormat));
}

void TimeRangeText::Parse(const QString& text, QTime& start, QTime& end)
{
    const int dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        start = QTime();
        end = QTime();
        return;
    }
    start = QTime::fromString(text.left(dash).trimmed(), TimeFormat);
    end = QTime::fromString(text.mid(dash + 1).trimmed(), TimeFormat);
}
