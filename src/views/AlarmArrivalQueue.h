#pragma once

#include <QList>
#include <QMutex>
#include <QTimer>

#include <functional>

class AlarmRecord;

// Records handed over by the handler thread and applied on the GUI thread in rounds. A round takes everything
// queued, applies it in arrival order for a bounded time and then finishes once; what is left waits for a later
// round, so that timers and painting get their turn in between. In a storm the rounds follow each other through a
// timer, never straight from a wake-up, so that wake-ups queued meanwhile cannot run round after round without the
// event loop getting a turn.
class AlarmArrivalQueue
{
public:
    using Apply = std::function<void(const AlarmRecord& record)>;
    // Told whether records are left for a later round: a storm is on.
    using Finish = std::function<void(bool more)>;

    // Later rounds are timed on context, whose thread applies the records.
    AlarmArrivalQueue(QObject* context, Apply apply, Finish finishRound);
    ~AlarmArrivalQueue();

    // Any thread. Queues a copy of the record. Returns the copy when the applying thread must be woken for it, null
    // while a wake-up is already on its way: one wake-up per batch.
    AlarmRecord* Push(const AlarmRecord& record);
    // Any thread: records queued and not yet taken by a round.
    int Size() const;

    // Applying thread, when woken for a batch: a round now, unless the last one ran its full time or one is on
    // its way already.
    void Wake();
    // Drops every record queued, taken or not.
    void Discard();

private:
    void ApplyRound();
    void ScheduleRound();

    const Apply m_apply;
    const Finish m_finishRound;

    // Guards the records queued by Push and whether a wake-up is on its way.
    mutable QMutex m_arrivedLock;
    QList<AlarmRecord*> m_arrived;
    bool m_wakePending = false;

    // Applying thread: records taken from the queue and not yet applied.
    QList<AlarmRecord*> m_toApply;
    QTimer m_roundTimer;
    // The last round used its whole time: the storm is on.
    bool m_lastRoundFull = false;
};
