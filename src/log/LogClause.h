#pragma once

#include <QString>
#include <QVariantList>

// A where-clause for the alarm log, with its values kept apart from the text: the text carries one "?" per value,
// in order, and the values are bound when the statement runs. A quote or a percent sign typed by the operator is
// then searched for, never executed. The text starts with "where" (an order-by and limit tail may follow) or is
// empty.
struct LogClause
{
    QString text;
    QVariantList values;
};
