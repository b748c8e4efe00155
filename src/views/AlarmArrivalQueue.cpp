#include "views/AlarmArrivalQueue.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QObject>
#include <QTimer>

#include <utility>

namespace {
// A round gives the event loop back after this long, so the window keeps painting in a storm. Two rounds and a paint
// can fall between two turns of a timer (a window manager's ping), which then waits for all three; at 10 ms it
// waits less than 50 ms on an X server.
constexpr qint64 RoundBudgetMs = 10;
} // namespace

AlarmArrivalQueue::AlarmArrivalQueue(QObject* context, Apply apply, Finish finishRound)
    : m_apply(std::move(apply)), m_finishRound(std::move(finishRound))
{
    m_roundTimer.setSingleShot(true);
    m_roundTimer.setInterval(0);
    QObject::connect(&m_roundTimer, &QTimer::timeout, context, [this] { ApplyRound(); });
}

AlarmArrivalQueue::~AlarmArrivalQueue()
{
    Discard();
}

AlarmRecord* AlarmArrivalQueue::Push(const AlarmRecord& record)
{
    AlarmRecord* copy = AlarmRecordPool::Instance()->Acquire();
    *copy = record;
    QMutexLocker arrivedLocker(&m_arrivedLock);
    m_arrived.append(copy);
    const bool wake = !m_wakePending;
    m_wakePending = true;
    return wake ? copy : nullptr;
}

int AlarmArrivalQueue::Size() const
{
    QMutexLocker arrivedLocker(&m_arrivedLock);
    return m_arrived.size();
}

void AlarmArrivalQueue::ApplyRound()
{
    {
        QMutexLocker arrivedLocker(&m_arrivedLock);
        m_toApply.append(m_arrived);
        m_arrived.clear();
        m_wakePending = false;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    while (!m_toApply.isEmpty() && elapsed.elapsed() < RoundBudgetMs) {
        AlarmRecord* record = m_toApply.takeFirst();
        m_apply(*record);
        pool->Release(record);
    }
    // Taking from the front keeps the list's room; a storm's would stay for good.
    if (m_toApply.isEmpty())
        m_toApply.clear();
    m_finishRound(!m_toApply.isEmpty());
    m_lastRoundFull = elapsed.elapsed() >= RoundBudgetMs;
    if (!m_toApply.isEmpty())
        ScheduleRound();
}

void AlarmArrivalQueue::Wake()
{
    if (m_roundTimer.isActive())
        return;
    if (m_lastRoundFull)
        ScheduleRound();
    else
        ApplyRound();
}

// A zero timer rather than a posted call: the event loop delivers posted calls before timers, so a round posted by
// the last one ran ahead of every timer due meanwhile, and a timer waited for two rounds and a paint.
void AlarmArrivalQueue::ScheduleRound()
{
    if (!m_roundTimer.isActive())
        m_roundTimer.start();
}

// Clearing the alarms makes whatever is still queued moot: applying a storm's backlog first would freeze the window.
void AlarmArrivalQueue::Discard()
{
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    QMutexLocker arrivedLocker(&m_arrivedLock);
    for (AlarmRecord* record : qAsConst(m_arrived) + qAsConst(m_toApply))
        pool->Release(record);
    m_arrived.clear();
    m_toApply.clear();
}
