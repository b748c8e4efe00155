#pragma once

#include <QtGlobal>

class AlarmRecord;

// One queued announcement. Its record is a pool copy that the speech queue owns.
struct SpeechItem
{
    // Strictly increasing along the queue, so that the speech thread knows which items have had their turn.
    quint32 sequence = 0;
    // Spoken at least once, or covered by an announcement that was.
    bool announced = false;
    // To be spoken once more at most and then dropped: a recovery, or an alarm whose end came before its turn.
    bool ended = false;
    AlarmRecord* record = nullptr;
};
