#pragma once

#include <QAbstractTableModel>

#include <memory>

class AlarmReport;

// The report's per-signal figures as a table; the rows are the report's own, read when a cell is shown.
class AlarmReportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetReport(std::shared_ptr<const AlarmReport> report);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const AlarmReport> m_report;
};
