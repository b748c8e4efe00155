#include "app/HeapTrimmer.h"

#include <malloc.h>
#include <sys/resource.h>

namespace {
qint64 ProcessCpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}
} // namespace

HeapTrimmer::HeapTrimmer(QObject* parent) : QObject(parent)
{
    mallopt(M_TRIM_THRESHOLD, TopBytesKept);
    mallopt(M_MXFAST, 0);
    m_pool.setMaxThreadCount(1);
    m_timer.setInterval(CheckIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &HeapTrimmer::Check);
    m_timer.start();
}

HeapTrimmer::~HeapTrimmer()
{
    m_timer.stop();
    m_pool.waitForDone();
}

// Counting the unused memory walks the heaps' free lists and trimming them hands pages back one range at a time:
// both hold a heap's lock, for up to 80 ms after a storm's ends, and every allocation on the GUI thread waits for it.
// So nothing is counted while the station is busy: the heaps are looked at once it has used less than a quarter of
// a core since the last check, and trimmed once the memory in use has stood still between two such looks.
void HeapTrimmer::Check()
{
    const qint64 cpu = ProcessCpuMicroseconds();
    const bool quiet = m_lastCpu >= 0 && cpu - m_lastCpu < QuietCpuMicroseconds;
    m_lastCpu = cpu;
    if (!quiet || m_pool.activeThreadCount() > 0)
        return;
    m_pool.start([this] {
        const struct mallinfo2 heap = mallinfo2();
        const size_t change = heap.uordblks > m_lastInUse ? heap.uordblks - m_lastInUse : m_lastInUse - heap.uordblks;
        m_lastInUse = heap.uordblks;
        if (change < SteadyBytes && heap.fordblks > UnusedBytesToTrim)
            malloc_trim(0);
    });
}
