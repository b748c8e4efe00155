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
        // Line and paragraph separators break lines as a line feed does; the bidirectional embeddings, overrides
        // and isolates make a note read otherwise than it is stored.
        const ushort code = c.unicode();
        if (c.category() == QChar::Other_Control || code == 0x2028 || code == 0x2029 ||
            (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069)) {
            error = QCoreApplication::translate("AlarmNote", "A note cannot hold control characters.");
            return false;
        }
    }
    cleaned = trimmed;
    error.clear();
    return true;
}
