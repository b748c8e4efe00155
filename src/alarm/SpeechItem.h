#pragma once

#include <QString>

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
    // Its entry in the index, kept so that a flood's drops do not format it again.
    QString key;
    // Its device's items in queue order, linked through the items so that keeping them costs no allocation.
    SpeechItem* devicePrevious = nullptr;
    SpeechItem* deviceNext = nullptr;
};
