#include "app/HeapTrimmer.h"

#include <malloc.h>

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
// both hold a heap's lock for milliseconds, which the GUI thread must not spend. While a burst goes on the memory in
// use keeps changing and would be asked for again: the heaps are trimmed once it has stood still between two checks.
void HeapTrimmer::Check()
{
    if (m_pool.activeThreadCount() > 0)
        return;
    m_pool.start([this] {
        const struct mallinfo2 heap = mallinfo2();
        const size_t change = heap.uordblks > m_lastInUse ? heap.uordblks - m_lastInUse : m_lastInUse - heap.uordblks;
        m_lastInUse = heap.uordblks;
        if (change < SteadyBytes && heap.fordblks > UnusedBytesToTrim)
            malloc_trim(0);
    });
}
