#pragma once

#include <QItemDelegate>

// Edits the time-range cells of the device dialog in place with a TimeRangeWidget; every change of either time
// reaches the cell at once.
class TimeRangeItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit TimeRangeItemDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private slots:
    void OnTimeUpdated();
};
