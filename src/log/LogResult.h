#pragma once

#include "log/LogClause.h"
#include "log/LogDatabase.h"

#include <QList>

#include <functional>

class AlarmRecord;

// The rows a log search found, fixed at the moment of the search: alarms logged afterwards stay out of every page,
// export and delete of it. Pages are read by id range, so the last page of a million rows costs what the first does
// and an export reads each row once.
class LogResult
{
public:
    static constexpr int PageSize = 30;
    // Pages removed per statement: each statement holds the log's write lock only briefly, so the alarm writer
    // and the window get their turn between them.
    static constexpr int DeleteBatchPages = 50;

    // Replaces the result with the rows that match filter (a condition without "where") now. False, with the
    // database's error text, when the statement fails; the previous result then stays.
    bool Search(LogDatabase& database, const LogClause& filter);
    void Clear();

    bool IsEmpty() const { return m_pages.count == 0; }
    qint64 Count() const { return m_pages.count; }
    int PageCount() const { return m_pages.firstIds.size(); }

    // Rows of the pages first .. first + count - 1, newest first, into records; -1 when the statement fails.
    int ReadPages(LogDatabase& database, int first, int count, const QList<AlarmRecord*>& records) const;
    // Removes every row of the result from the log, a batch of pages at a time, telling progress the pages done
    // after each and while a batch waits for the writer. False, with the database's error text, when a statement
    // fails; earlier batches stay deleted.
    bool Delete(LogDatabase& database, const std::function<void(int pagesDone)>& progress) const;

private:
    // The condition of the search narrowed to the ids of those pages.
    LogClause PagesClause(int first, int count) const;

    // The filter of the search with its id bound: the rows that existed then.
    LogClause m_condition;
    LogDatabase::Pages m_pages;
};
