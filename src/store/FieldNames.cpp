#include "store/FieldNames.h"

#include "platform/db/Recordset.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <optional>
#include <QStringList>

namespace store
{

namespace
{

const QString AllColumns = QStringLiteral(".*");
// A caption whose row names no column stands for no field (see DescribedColumns.h).
const QString NamedColumnsOnly = QStringLiteral(" and column_name <> ''");

// "列名(表名)": the column and table parts of a shown name that ends with a table in parentheses.
struct ShownParts {
    QString table;
    QString column;
};
std::optional<ShownParts> tableForm(const QString& shownName)
{
    const QString name = trimBlanks(shownName);
    const qsizetype open = name.lastIndexOf(QLatin1Char('('));
    if (!name.endsWith(QLatin1Char(')')) || open <= 0)
        return std::nullopt;
    return ShownParts { trimBlanks(name.mid(open + 1, name.size() - open - 2)), trimBlanks(name.left(open)) };
}

// Keeps the lookup to the report's tables, when it names any: the condition, its values added to `values`.
QString reportTablesFilter(QVariantList& values)
{
    const QString& tables = reportState().TablesName;
    if (tables.isEmpty())
        return {};
    QStringList placeholders;
    for (const QString& table : tables.split(QLatin1Char(','))) {
        placeholders.append(QStringLiteral("?"));
        values.append(table);
    }
    return QStringLiteral(" and table_name in(") + placeholders.join(QLatin1Char(',')) + QLatin1Char(')');
}

std::optional<QString> firstRowText(
    const QString& sql, const QVariantList& values, const std::function<QString(platform::db::Recordset&)>& read)
{
    const auto rows = openStoreSql(sql, values);
    if (rows->recordCount() == 0)
        return std::nullopt;
    rows->moveFirst();
    const QString text = read(*rows);
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

std::optional<QString> chineseName(const QString& field)
{
    const qsizetype dot = field.indexOf(QLatin1Char('.'));
    const bool qualified = dot >= 0;
    const QString table = qualified ? trimBlanks(field.left(dot)) : mainTableOf(reportState().SqlSelect);
    const QString column = trimBlanks(qualified ? field.mid(dot + 1) : field);
    return firstRowText(QStringLiteral("select table_chn_name, column_chn_name from table_struct_description "
                                       "where table_name = ? and column_name = ?"),
        { table, column }, [&](platform::db::Recordset& row) {
            const QString columnName = trimBlanks(row.text(QStringLiteral("column_chn_name")));
            const QString tableName = trimBlanks(row.text(QStringLiteral("table_chn_name")));
            if (columnName.isEmpty() || (qualified && tableName.isEmpty()))
                return QString();
            return qualified ? columnName + QLatin1Char('(') + tableName + QLatin1Char(')') : columnName;
        });
}

std::optional<QString> databaseNameOfTableForm(const ShownParts& parts)
{
    QVariantList values { parts.table, parts.column };
    const QString tablesFilter = reportTablesFilter(values);
    return firstRowText(QStringLiteral("select table_name,column_name from table_struct_description where "
                                       "table_chn_name = ? and column_chn_name = ?")
            + NamedColumnsOnly + tablesFilter,
        values, [](platform::db::Recordset& row) {
            const QString table = trimBlanks(row.text(QStringLiteral("table_name")));
            const QString column = trimBlanks(row.text(QStringLiteral("column_name")));
            return table.isEmpty() || column.isEmpty() ? QString() : table + QLatin1Char('.') + column;
        });
}

std::optional<QString> databaseNameOfColumn(const QString& column)
{
    QVariantList values { GetMainTableName(), column };
    const QString tablesFilter = reportTablesFilter(values);
    return firstRowText(QStringLiteral("select column_name from table_struct_description where table_name = ? "
                                       "and column_chn_name = ?")
            + NamedColumnsOnly + tablesFilter,
        values, [](platform::db::Recordset& row) { return trimBlanks(row.text(QStringLiteral("column_name"))); });
}

} // namespace

QString mainTableOf(const QString& selectList)
{
    const QString list = trimBlanks(selectList);
    if (!list.endsWith(AllColumns) || list.contains(QLatin1Char(',')))
        return {};
    return trimBlanks(list.left(list.size() - AllColumns.size()));
}

QString StoredSelectList()
{
    const auto rows = openStoreSql(QStringLiteral("select info_description from report_info where report_id = ? "
                                                  "and info_type='SQL_SELECT' order by info_order"),
        { reportState().ReportId });
    QString selectList;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        selectList += rows->text(QStringLiteral("info_description"));
    return selectList;
}

QString GetMainTableName()
{
    return mainTableOf(StoredSelectList());
}

QString GetFieldChnName(const QString& field)
{
    return toleratedLookup("GetFieldChnName", field, [&] { return chineseName(field).value_or(field); });
}

QString GetNameByChn(const QString& shownName)
{
    return toleratedLookup("GetNameByChn", shownName, [&] {
        if (const auto parts = tableForm(shownName)) {
            if (const auto name = databaseNameOfTableForm(*parts))
                return *name;
        }
        return databaseNameOfColumn(trimBlanks(shownName)).value_or(shownName);
    });
}

} // namespace store
