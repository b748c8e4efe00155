#pragma once

#include "log/LogClause.h"
#include "log/LogDatabase.h"

#include <QList>

class AlarmRecord;

// The rows a log search found, fixed at the moment of the search: alarms logged afterwards stay out of every page,
// export and delete of it. Pages are read by id range, so the last page of a million rows costs what the first does
// and an export reads each row once.
class LogResult
{
public:
    static constexpr int PageSize = 30;

    // Replaces the result with the rows that match filter (a condition without "where") now. False, with the
    // database's error text, when the statement fails; the previous result then stays.
    bool Search(LogDatabase& database, const LogClause& filter);
    void Clear();

    bool IsEmpty() const { return m_pages.count == 0; }
    qint64 Count() const { return m_pages.count; }
    int PageCount() const { return m_pages.firstIds.size(); }

    // Rows of the pages first .. first + count - 1, newest first, into records; -1 when the statement fails.
    int ReadPages(LogDatabase& database, int first, int count, const QList<AlarmRecord*>& records) const;
    // Removes the rows of those pages from the log.
    bool DeletePages(LogDatabase& database, int first, int count) const;

private:
    // The condition of the search narrowed to the ids of those pages.
    LogClause PagesClause(int first, int count) const;

    // The filter of the search with its id bound: the rows that existed then.
    LogClause m_condition;
    LogDatabase::Pages m_pages;
};
