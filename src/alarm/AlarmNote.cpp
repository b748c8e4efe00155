#include "alarm/AlarmNote.h"

#include <QCoreApplication>

bool AlarmNote::Check(const QString& typed, QString& cleaned, QString& error)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.size() > MaxLength) {
        error = QCoreApplication::translate("AlarmNote", "A note has at most %1 characters.").arg(MaxLength);
        return false;
    }
    for (const QChar c : trimmed) {
        if (c.category() == QChar::Other_Control) {
            error = QCoreApplication::translate("AlarmNote", "A note cannot hold control characters.");
            return false;
        }
    }
    cleaned = trimmed;
    error.clear();
    return true;
}
