#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmShelf.h"

#include <QDateTime>
#include <QList>

#include <vector>

// Where the operator's acknowledgements and shelves are kept across restarts: the alarm log. Declared here so that
// the views reach it without knowing the log; LogManager implements it. Called on the GUI thread.
class AlarmHandlingLog
{
public:
    virtual ~AlarmHandlingLog() = default;

    // Queued for the log's writer, written as one batch; never waits on the disk.
    virtual void AddAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledgements) = 0;
    // A new shelf, or one ended early (unshelved set).
    virtual void AddShelfChange(const AlarmShelf& shelf) = 0;
    // The latest acknowledgement of each log row that has no end yet, and the shelves still in force at now; when
    // asked for, the alarms whose last occurrence has ended unacknowledged (the latched ones). Reads the file only:
    // what still waits for the writer is not in it.
    virtual bool LoadHandling(const QDateTime& now, QList<AlarmAcknowledgement>& openAcknowledgements,
                              QList<AlarmShelf>& shelves, QList<AlarmRecord>* unacknowledgedEnds) = 0;
};
