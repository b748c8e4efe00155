#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

// Gives the memory that a burst of alarms used back to the system once it is free. The C library keeps what the
// storm's threads freed in their heaps, so the station's resident size would stay at its peak for good; every few
// seconds, off the GUI thread, the heaps are trimmed when they hold more than a few megabytes unused.
// Trimming reaches the free memory inside every heap, but not the free end of a worker thread's heap: that goes back
// only when a large block is freed there and the end is over TopBytesKept. So that it happens:
// - the bar is fixed; the C library would raise it to twice the largest block it has mapped, up to 64 MiB;
// - small blocks are merged with their free neighbours when they are freed, not kept apart in quick lists that a
//   later trim would merge into the heap's end without handing it back.
class HeapTrimmer : public QObject
{
public:
    static constexpr int TopBytesKept = 128 * 1024;
    static constexpr int CheckIntervalMs = 5000;
    static constexpr size_t UnusedBytesToTrim = 16u << 20;
    // Less processor time than this between two checks, a quarter of one core: the burst is over.
    static constexpr qint64 QuietCpuMicroseconds = CheckIntervalMs * 1000LL / 4;
    // Less change than this in the memory in use between two quiet checks: the heaps are trimmed.
    static constexpr size_t SteadyBytes = 1u << 20;

    explicit HeapTrimmer(QObject* parent = nullptr);
    // Waits for a trim under way.
    ~HeapTrimmer() override;

private:
    void Check();

    QTimer m_timer;
    // The process's processor time at the last check, in microseconds.
    qint64 m_lastCpu = -1;
    // Written by the pool's one thread only.
    size_t m_lastInUse = 0;
    // One thread: a check never overlaps the one before.
    QThreadPool m_pool;
};
