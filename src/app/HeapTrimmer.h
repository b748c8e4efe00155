#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

// Gives the memory that a burst of alarms used back to the system once it is free. The C library keeps what the
// storm's threads freed in their heaps, so the station's resident size would stay at its peak for good; every few
// seconds, off the GUI thread, the heaps are trimmed when they hold more than a few megabytes unused.
class HeapTrimmer : public QObject
{
public:
    static constexpr int CheckIntervalMs = 5000;
    static constexpr size_t UnusedBytesToTrim = 16u << 20;

    explicit HeapTrimmer(QObject* parent = nullptr);
    // Waits for a trim under way.
    ~HeapTrimmer() override;

private:
    void Check();

    QTimer m_timer;
    // One thread: a check never overlaps the one before.
    QThreadPool m_pool;
};
