#include "report/AlarmReportModel.h"

#include "report/AlarmReport.h"

namespace {
constexpr int Columns = 8;
// Alarms, time in alarm, longest alarm and availability read best aligned right.
constexpr int FirstFigureColumn = 4;
} // namespace

void AlarmReportModel::SetReport(std::shared_ptr<const AlarmReport> report)
{
    beginResetModel();
    m_report = std::move(report);
    endResetModel();
}

int AlarmReportModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_report ? 0 : m_report->Signals().size();
}

int AlarmReportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant AlarmReportModel::data(const QModelIndex& index, int role) const
{
    if (!m_report || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (index.column() >= FirstFigureColumn ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole)
        return QVariant();
    return m_report->FigureTexts(m_report->Signals()[index.row()]).value(index.column());
}

QVariant AlarmReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return AlarmReport::FigureHeaders().value(section);
}
