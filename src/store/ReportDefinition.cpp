#include "store/ReportDefinition.h"

#include "platform/Error.h"
#include "store/PageSettings.h"
#include "store/SqlPieces.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

QList<SizeItem> sizesOfKind(const QList<StoredFormatRow>& formats, const QString& kind)
{
    QList<SizeItem> items;
    for (const StoredFormatRow& format : formats) {
        if (format.kind == kind)
            items += format.sizes;
    }
    return items;
}

} // namespace

QList<SizeItem> ReportDefinition::rowHeights() const
{
    return sizesOfKind(formats, keywords::RowHeight);
}

QList<SizeItem> ReportDefinition::colWidths() const
{
    return sizesOfKind(formats, keywords::ColWidth);
}

void interpretInfoRows(ReportDefinition& definition)
{
    for (const StoredInfoRow& row : definition.info) {
        try {
            if (isPageSettingKeyword(row.type))
                ApplyPageSetting(definition.page, row.type, trimBlanks(row.description));
            else if (isRegionKeyword(row.type))
                definition.regions.setFromStored(row.type, row.description, row.order);
            else
                appendSqlPiece(definition.sql, row.type, row.description);
        } catch (const platform::Error& error) {
            definition.unreadable.append(error.description());
        }
        if (row.type == keywords::PageSize)
            definition.paperNote = row.note;
    }
}

} // namespace store
