#include "engine/GroupFields.h"

#include "engine/EngineState.h"
#include "engine/TemplateRows.h"
#include "store/CellSourceText.h"
#include "store/ReportDefinition.h"
#include "store/ReportLookups.h"
#include "store/ReportState.h"
#include "store/TextConvert.h"

namespace engine
{

namespace
{

// A field reference split at its first "."; the table is "" for a bare column.
struct FieldName {
    QString table;
    QString column;

    static FieldName of(const QString& field)
    {
        const qsizetype dot = field.indexOf(QLatin1Char('.'));
        if (dot < 0)
            return { QString(), field.trimmed() };
        return { field.left(dot).trimmed(), field.mid(dot + 1).trimmed() };
    }
};

// True when the expression is a plain column reference, not a call or a computation.
bool isFieldReference(const QString& expression)
{
    for (const QChar c : expression) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.')))
            return false;
    }
    return !expression.isEmpty();
}

bool sameField(const QString& a, const QString& b)
{
    if (!isFieldReference(a) || !isFieldReference(b))
        return false;
    const FieldName x = FieldName::of(a);
    const FieldName y = FieldName::of(b);
    if (x.column.compare(y.column, Qt::CaseInsensitive) != 0)
        return false;
    return x.table.isEmpty() || y.table.isEmpty() || x.table.compare(y.table, Qt::CaseInsensitive) == 0;
}

qsizetype indexOfField(const QStringList& fields, const QString& expression)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (sameField(fields.at(i), expression))
            return i;
    }
    return -1;
}

bool describedColumn(const DataReportRun& run, const QString& field)
{
    FieldName name = FieldName::of(field);
    if (name.table.isEmpty())
        name.table = run.definition().sql.TablesName.section(QLatin1Char(','), 0, 0);
    return store::ColumnExists(name.table, name.column);
}

} // namespace

int LastGroupHeadRow(const DataReportRun& run)
{
    const store::RegionTable& regions = run.definition().regions;
    using store::RegionEntry;
    if (!regions[RegionEntry::GroupHead1].present)
        return 0;
    if (regions[RegionEntry::GroupHead2].present && regions[RegionEntry::GroupHead3].present)
        return regions[RegionEntry::GroupHead3].endRow;
    if (regions[RegionEntry::GroupHead2].present)
        return regions[RegionEntry::GroupHead2].endRow;
    return regions[RegionEntry::GroupHead1].endRow;
}

QStringList GetGroupFields(DataReportRun& run)
{
    const int lastRow = LastGroupHeadRow(run);
    if (lastRow == 0)
        return {};
    const int firstRow = run.definition().regions[store::RegionEntry::GroupHead1].beginRow;
    QStringList expressions;
    QStringList fields;
    // The cells come by letter, then row and column.
    for (const TemplateCellRow& cell : CurrentTemplateRows(run).cells) {
        if (cell.letter != QLatin1String("B") || cell.row < firstRow || cell.row > lastRow)
            continue;
        const QString expression = store::trimBlanks(cell.content).mid(3);
        const QString field = store::FieldBody::split(expression).name.trimmed();
        if (field.isEmpty() || fields.contains(field, Qt::CaseInsensitive) || !describedColumn(run, field))
            continue;
        fields.append(field);
        expressions.append(expression);
    }
    return expressions;
}

QStringList ExpressionToFieldList(const QStringList& expressions)
{
    QStringList fields;
    for (const QString& expression : expressions)
        fields.append(store::FieldBody::split(expression).name.trimmed());
    return fields;
}

QString DataSort::orderByText() const
{
    return JoinSqlCondition(groupTerms.join(QLatin1Char(',')), order, QStringLiteral(" , "));
}

DataSort NormalizeOrderBy(const QString& order, const QStringList& groupFields)
{
    QList<SortTerm> moved;
    QList<SortTerm> rest;
    QList<bool> isMoved(groupFields.size(), false);
    for (const SortTerm& term : parseSortList(order)) {
        const qsizetype group = indexOfField(groupFields, term.expression);
        if (group < 0) {
            rest.append(term);
        } else if (!isMoved[group]) {
            isMoved[group] = true;
            moved.append({ groupFields.at(group), term.direction });
        }
    }
    for (qsizetype i = 0; i < groupFields.size(); ++i) {
        if (!isMoved[i])
            moved.append({ groupFields.at(i), QString() });
    }
    DataSort sort;
    for (const SortTerm& group : moved) {
        sort.groupFields.append(group.expression);
        sort.groupTerms.append(group.text());
    }
    sort.order = sortListText(rest);
    return sort;
}

DataSort ReportDataSort(DataReportRun& run)
{
    const QString& hostOrder = store::reportState().SelectOrder;
    const QString& order = hostOrder.isEmpty() ? run.definition().sql.SqlOrder : hostOrder;
    return NormalizeOrderBy(order, ExpressionToFieldList(GetGroupFields(run)));
}

} // namespace engine
