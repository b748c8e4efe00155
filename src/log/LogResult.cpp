#include "log/LogResult.h"

#include <QDebug>

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

bool LogResult::DeletePages(LogDatabase& database, int first, int count) const
{
    if (first < 0 || count <= 0 || first >= PageCount())
        return true;
    return database.Delete(PagesClause(first, qMin(count, PageCount() - first)));
}
