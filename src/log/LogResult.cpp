#include "log/LogResult.h"

#include <QDebug>
#include <QElapsedTimer>

bool LogResult::Search(LogDatabase& database, const LogClause& filter)
{
    LogDatabase::Pages pages;
    if (!database.GetPages({QStringLiteral("where %1").arg(filter.text), filter.values}, PageSize, pages))
        return false;
    m_pages = pages;
    m_condition = filter;
    if (!IsEmpty()) {
        m_condition.text += QStringLiteral(" and id<?");
        m_condition.values.append(m_pages.firstIds.first() + 1);
    }
    qDebug() << "where" << m_condition.text << m_condition.values;
    return true;
}

void LogResult::Clear()
{
    m_condition = LogClause();
    m_pages = LogDatabase::Pages();
}

LogClause LogResult::PagesClause(int first, int count) const
{
    const int end = first + count;
    const qint64 lowest = end < PageCount() ? m_pages.firstIds[end] + 1 : m_pages.lastId;
    // "between" gives SQLite both ends of the id range, which it then walks instead of the time index.
    return {QStringLiteral("where %1 and id between ? and ?").arg(m_condition.text),
            m_condition.values + QVariantList{lowest, m_pages.firstIds[first]}};
}

int LogResult::ReadPages(LogDatabase& database, int first, int count, const QList<AlarmRecord*>& records) const
{
    if (first < 0 || count <= 0 || first >= PageCount())
        return 0;
    LogClause clause = PagesClause(first, qMin(count, PageCount() - first));
    clause.text += QStringLiteral(" order by id desc limit ?");
    clause.values.append(records.size());
    return database.Select(clause, records);
}

bool LogResult::Delete(LogDatabase& database, const std::function<void(int pagesDone)>& progress) const
{
    QElapsedTimer waiting;
    for (int first = 0; first < PageCount(); first += DeleteBatchPages) {
        waiting.start();
        // While the writer holds the file, the window paints and the batch is tried again, as patiently as the
        // writer waits for the window.
        while (!database.Delete(PagesClause(first, qMin(DeleteBatchPages, PageCount() - first)))) {
            if (!database.WasBusy() || waiting.hasExpired(LogDatabase::WriterBusyTimeout))
                return false;
            if (progress)
                progress(first);
        }
        if (progress)
            progress(qMin(PageCount(), first + DeleteBatchPages));
    }
    return true;
}
