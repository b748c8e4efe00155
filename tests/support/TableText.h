#pragma once

#include <QAbstractItemView>
#include <QBrush>
#include <QStringList>

// What an item view shows, read through its model as the view reads it.
inline QString CellText(const QAbstractItemView* view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

inline QString CellColour(const QAbstractItemView* view, int row, int column)
{
    return view->model()->index(row, column).data(Qt::BackgroundRole).value<QBrush>().color().name();
}

inline int RowCount(const QAbstractItemView* view)
{
    return view->model()->rowCount();
}

inline QStringList ColumnTexts(const QAbstractItemView* view, int column)
{
    QStringList texts;
    for (int row = 0; row < RowCount(view); ++row)
        texts.append(CellText(view, row, column));
    return texts;
}
