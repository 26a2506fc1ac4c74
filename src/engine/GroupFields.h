#pragma once

#include "engine/SqlClauses.h"

#include <QStringList>

// The group fields of a data report (the field cells of its group heads) and the sort of its query:
// group fields first, then the host's order or the report's own.
namespace engine
{

struct DataReportRun;

// The last template row of the innermost group head: level 3 when levels 2 and 3 are present, level 2
// when it is, else level 1; 0 without a group head of level 1.
int LastGroupHeadRow(const DataReportRun& run);

// The field cells of the group heads, from the first row of the level-1 head to LastGroupHeadRow, in
// the order of the template (row by row, left to right), each as written in its cell: "table.column"
// or "column" with its "&" options. A field named twice counts once; a field whose column the metadata
// does not describe (a bare column is looked up in the first table of TablesName) is left out.
QStringList GetGroupFields(DataReportRun& run);

// The fields without their "&" options: "t.a&F&" gives "t.a".
QStringList ExpressionToFieldList(const QStringList& expressions);

// The sort of the report query.
struct DataSort {
    QStringList groupFields; // in sort order, as written in the cells
    QStringList groupTerms; // the same, each with the direction the order list gave it
    QString order; // the rest of the order list

    // The ORDER BY list: the group terms, then the rest ("" when both are empty).
    QString orderByText() const;
};

// Moves every term of `order` that names a group field in front of the groups, in the order's own
// order and keeping its direction; the other groups follow in their own order, and `order` keeps the
// terms that name no group field. A term names a field when its column is the same (letter case
// ignored) and its table too where both name one; an expression (a function call) names none.
DataSort NormalizeOrderBy(const QString& order, const QStringList& groupFields);

// The report's sort: its group fields with the host's order (the state's SelectOrder), or the
// definition's own (SqlOrder) when the host gives none.
DataSort ReportDataSort(DataReportRun& run);

} // namespace engine
