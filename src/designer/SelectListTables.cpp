#include "designer/SelectListTables.h"

#include "store/FieldNames.h"

namespace designer
{

namespace
{

const QString AllColumns = QStringLiteral(".*");

} // namespace

QStringList SelectListTables(const QString& selectList)
{
    QStringList tables;
    for (const QString& item : selectList.split(QLatin1Char(','))) {
        const QString trimmed = item.trimmed();
        const QString table = trimmed.left(trimmed.size() - AllColumns.size()).trimmed();
        if (trimmed.endsWith(AllColumns) && !table.isEmpty())
            tables.append(table);
        if (tables.size() == MaxSelectTables)
            break;
    }
    return tables;
}

void GetSqlSelectFields(std::array<QString, MaxSelectTables>& names)
{
    const QStringList tables = SelectListTables(store::StoredSelectList());
    for (qsizetype i = 0; i < tables.size(); ++i)
        names[i] = tables[i];
}

} // namespace designer
