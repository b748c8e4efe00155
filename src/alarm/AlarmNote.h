#pragma once

#include <QString>

// The operator's note on an acknowledgement or a shelf: trimmed, at most MaxLength characters, no control
// characters, line or paragraph separators or bidirectional overrides (a line break would split a syslog line and a
// CSV row, an override would hide what the note says).
class AlarmNote
{
public:
    static constexpr int MaxLength = 300;

    // True with the trimmed note in cleaned; false with the reason, shown to the operator, in error.
    static bool Check(const QString& typed, QString& cleaned, QString& error);
};
