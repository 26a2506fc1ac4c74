#include "store/DefinitionReader.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "store/ContentSplit.h"
#include "store/PageSettings.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

int wholeNumber(const platform::db::Recordset& rows, const char* column)
{
    return toLong(rows.text(QLatin1String(column))).value_or(0);
}

void readIndex(ReportDefinition& definition)
{
    const auto rows = openReportRows(QStringLiteral("report_index"), definition.reportId);
    if (rows->eof())
        return;
    definition.indexed = true;
    definition.name = rows->text(QStringLiteral("report_name"));
    definition.groupId = rows->text(QStringLiteral("report_group_id"));
    definition.typeText = trimBlanks(rows->text(QStringLiteral("report_type")));
    definition.type = toShort(definition.typeText).value_or(NoReportType);
    definition.templateNote = rows->text(QStringLiteral("note"));
}

void readInfo(ReportDefinition& definition)
{
    const auto rows
        = openReportRows(QStringLiteral("report_info"), definition.reportId, QStringLiteral("info_order"));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        definition.info.append({ upperKeyword(rows->text(QStringLiteral("info_type"))),
            wholeNumber(*rows, "info_order"), rows->text(QStringLiteral("info_description")),
            trimBlanks(rows->text(QStringLiteral("note"))),
            trimBlanks(rows->text(QStringLiteral("info_order"))) });
    }
}

void readFormats(ReportDefinition& definition)
{
    const auto rows
        = openReportRows(QStringLiteral("report_format"), definition.reportId, QStringLiteral("format_order"));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        StoredFormatRow format { wholeNumber(*rows, "format_order"),
            upperKeyword(rows->text(QStringLiteral("format_type"))), wholeNumber(*rows, "begin_row_no"),
            wholeNumber(*rows, "begin_col_no"), wholeNumber(*rows, "end_row_no"),
            wholeNumber(*rows, "end_col_no"), trimBlanks(rows->text(QStringLiteral("format_description"))),
            {} };
        if (format.kind == keywords::RowHeight || format.kind == keywords::ColWidth)
            format.sizes = parseSizeList(format.description);
        definition.formats.append(format);
    }
}

void readCells(ReportDefinition& definition)
{
    const auto rows = openReportRows(
        QStringLiteral("report_data"), definition.reportId, QStringLiteral("data_type, row_no, col_no"));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        definition.cells.append({ wholeNumber(*rows, "row_no"), wholeNumber(*rows, "col_no"),
            upperKeyword(rows->text(QStringLiteral("data_type"))),
            joinContent(rows->text(QStringLiteral("data_description1")),
                rows->text(QStringLiteral("data_description2"))) });
    }
}

} // namespace

std::shared_ptr<const ReportDefinition> ReadReportDefinition(const QString& reportId)
{
    auto definition = std::make_shared<ReportDefinition>();
    definition->reportId = reportId;
    storeConnection().readSnapshot([&] {
        readIndex(*definition);
        readInfo(*definition);
        readFormats(*definition);
        readCells(*definition);
    });
    interpretInfoRows(*definition);
    return definition;
}

std::shared_ptr<const ReportDefinition> ReadCurrentReportDefinition()
{
    auto definition = ReadReportDefinition(reportState().ReportId);
    ApplyReportIdentity(*definition);
    LoadPageSettings(*definition);
    return definition;
}

void ReadRptIndex()
{
    ReportDefinition index;
    index.reportId = reportState().ReportId;
    readIndex(index);
    ApplyReportIdentity(index);
}

void ApplyReportIdentity(const ReportDefinition& definition)
{
    if (!definition.indexed)
        return;
    ReportState& state = reportState();
    state.ReportName = definition.name;
    state.ReportGroupId = definition.groupId;
    state.ReportType = definition.type;
}

} // namespace store
