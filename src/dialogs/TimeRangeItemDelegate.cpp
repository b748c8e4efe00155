#include "dialogs/TimeRangeItemDelegate.h"

#include "dialogs/TimeRangeWidget.h"

TimeRangeItemDelegate::TimeRangeItemDelegate(QObject* parent) : QItemDelegate(parent) {}

QWidget* TimeRangeItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new TimeRangeWidget(parent);
    connect(editor, &TimeRangeWidget::TimeUpdated, this, &TimeRangeItemDelegate::OnTimeUpdated);
    return editor;
}

void TimeRangeItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<TimeRangeWidget*>(editor)->SetText(index.data(Qt::EditRole).toString());
}

void TimeRangeItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, static_cast<TimeRangeWidget*>(editor)->GetText(), Qt::EditRole);
}

void TimeRangeItemDelegate::OnTimeUpdated()
{
    emit commitData(static_cast<QWidget*>(sender()));
}
