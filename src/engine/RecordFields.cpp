#include "engine/RecordFields.h"

#include "platform/db/Recordset.h"

namespace engine
{

QString ReferenceColumn(const QString& reference)
{
    const qsizetype dot = reference.indexOf(u'.');
    return dot < 0 ? reference : reference.mid(dot + 1);
}

int FindRecordField(const platform::db::Recordset& record, const QString& reference, bool hostRecordset)
{
    const qsizetype dot = reference.indexOf(u'.');
    const QString table = dot < 0 ? QString() : reference.left(dot).trimmed();
    const QString column = ReferenceColumn(reference);
    const QList<platform::db::FieldInfo>& fields = record.fields();
    for (int i = 0; i < fields.size(); ++i) {
        const platform::db::FieldInfo& field = fields[i];
        const bool sameColumn = field.name.compare(column, Qt::CaseInsensitive) == 0;
        if (hostRecordset) {
            if (sameColumn)
                return i;
            continue;
        }
        const bool named = sameColumn || field.name.compare(reference, Qt::CaseInsensitive) == 0;
        if (named && (table.isEmpty() || field.baseTable.trimmed().compare(table, Qt::CaseInsensitive) == 0))
            return i;
    }
    return -1;
}

} // namespace engine
