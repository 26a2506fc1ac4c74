#include "store/GroupCopy.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/IdGeneratorObject.h"
#include "store/ContentSplit.h"
#include "store/GroupDelete.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

using platform::db::Recordset;

namespace
{

// How a copied column gets its value.
enum class CopyRule {
    NewReportId, // the state's ReportId
    TargetGroup, // the state's TABLENAME without surrounding blanks, as the group is looked up
    Text, // trimmed; "" for NULL or blanks
    RenamedText, // as Text, then the table names replaced
    ContentFirst, // a cell content's two parts joined, the table names replaced, split again: part 1
    ContentRest, // part 2 of the same
    Number, // the source value; left unset for NULL or blanks
    NumberOrNull // the source value; NULL for NULL or blanks
};

struct CopiedColumn {
    const char* name;
    CopyRule rule;
};

struct CopiedTable {
    const char* name;
    std::vector<CopiedColumn> columns;
};

const CopiedTable ReportIndexCopy { "report_index",
    { { "report_id", CopyRule::NewReportId }, { "report_name", CopyRule::Text },
        { "report_type", CopyRule::Number }, { "report_group_id", CopyRule::TargetGroup },
        { "note", CopyRule::Text } } };

const CopiedTable ReportDataCopy { "report_data",
    { { "report_id", CopyRule::NewReportId }, { "row_no", CopyRule::Number }, { "col_no", CopyRule::Number },
        { "data_type", CopyRule::Text }, { "data_description1", CopyRule::ContentFirst },
        { "data_description2", CopyRule::ContentRest }, { "note", CopyRule::Text } } };

const CopiedTable ReportFormatCopy { "report_format",
    { { "report_id", CopyRule::NewReportId }, { "format_order", CopyRule::Number },
        { "begin_row_no", CopyRule::Number }, { "begin_col_no", CopyRule::Number },
        { "end_row_no", CopyRule::Number }, { "end_col_no", CopyRule::Number },
        { "format_type", CopyRule::Text }, { "format_description", CopyRule::Text },
        { "note", CopyRule::Text } } };

const CopiedTable ReportInfoCopy { "report_info",
    { { "report_id", CopyRule::NewReportId }, { "info_type", CopyRule::Text },
        { "info_order", CopyRule::NumberOrNull }, { "info_description", CopyRule::RenamedText },
        { "note", CopyRule::Text } } };

// A copied cell content: both parts joined, so that a table name across the split is replaced too and
// the blanks at the split are kept, then split again.
ContentParts copiedContent(const Recordset& source, const TablePairs& pairs)
{
    return splitContent(ReplaceTableNames(joinContent(source.text(QStringLiteral("data_description1")),
                                              source.text(QStringLiteral("data_description2"))),
        pairs));
}

void copyColumn(
    const CopiedColumn& column, const Recordset& source, Recordset& target, const TablePairs& pairs)
{
    const QString name = QLatin1String(column.name);
    const auto field = source.field(name);
    const bool blank = field.isNull() || trimBlanks(field.text()).isEmpty();
    switch (column.rule) {
    case CopyRule::NewReportId:
        target.setValue(name, reportState().ReportId);
        break;
    case CopyRule::TargetGroup:
        target.setValue(name, trimBlanks(reportState().TABLENAME));
        break;
    case CopyRule::Text:
        target.setValue(name, blank ? QString(QLatin1String("")) : trimBlanks(field.text()));
        break;
    case CopyRule::RenamedText:
        target.setValue(
            name, blank ? QString(QLatin1String("")) : ReplaceTableNames(trimBlanks(field.text()), pairs));
        break;
    case CopyRule::ContentFirst:
        target.setValue(name, copiedContent(source, pairs).first);
        break;
    case CopyRule::ContentRest:
        target.setValue(name, copiedContent(source, pairs).rest);
        break;
    case CopyRule::Number:
        if (!blank)
            target.setValue(name, field.value());
        break;
    case CopyRule::NumberOrNull:
        target.setValue(name, blank ? QVariant() : field.value());
        break;
    }
}

// Copies the rows of one table of the model report SourceReportId to the new report ReportId, in one
// transaction written with one batch.
bool copyReportTable(const CopiedTable& table, const TablePairs& pairs)
{
    const auto& state = reportState();
    try {
        const auto source = openReportRows(QLatin1String(table.name), trimBlanks(state.SourceReportId));
        const auto target = openReportRows(QLatin1String(table.name), trimBlanks(state.ReportId));
        runInTransaction([&] {
            for (; !source->eof(); source->moveNext()) {
                target->addNew();
                for (const CopiedColumn& column : table.columns)
                    copyColumn(column, *source, *target, pairs);
            }
            target->updateBatch();
        });
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool copyReport(const TablePairs& pairs)
{
    for (const CopiedTable* table :
        { &ReportIndexCopy, &ReportDataCopy, &ReportFormatCopy, &ReportInfoCopy }) {
        if (!copyReportTable(*table, pairs))
            return false;
    }
    return true;
}

} // namespace

QString ReplaceTableNames(const QString& description, const TablePairs& tablePairs)
{
    QString text = description;
    for (const QStringList& pair : tablePairs) {
        if (pair.size() < 2)
            throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("ReplaceTableNames"),
                QStringLiteral("表名对照不完整"));
        const QString modelName = trimBlanks(pair.at(0));
        if (!modelName.isEmpty())
            text.replace(modelName, trimBlanks(pair.at(1)), Qt::CaseInsensitive);
    }
    return text;
}

bool CopyModelReports(const QString& modelGroupId, const TablePairs& tablePairs)
{
    auto& state = reportState();
    state.SourceReportId.clear();
    state.ReportId.clear();
    try {
        const auto models = openStoreSql(
            QStringLiteral("select * from report_index where report_group_id = ?"), { trimBlanks(modelGroupId) });
        platform::outside::IdGeneratorObject ids;
        for (; !models->eof(); models->moveNext()) {
            state.ReportId = trimBlanks(ids.newId());
            state.SourceReportId = trimBlanks(models->text(QStringLiteral("report_id")));
            if (!copyReport(tablePairs))
                return false;
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ReplaceGroupReports(const QString& modelGroupId, const TablePairs& tablePairs)
{
    try {
        runInTransaction([&] {
            const QStringList earlierReports = GroupReportIds(reportState().TABLENAME);
            if (!CopyModelReports(modelGroupId, tablePairs))
                throw platform::Error(platform::errors::DatabaseError, QStringLiteral("ReplaceGroupReports"),
                    QStringLiteral("复制模板报表失败。"));
            for (const QString& reportId : earlierReports)
                DeleteReportRows(reportId);
        });
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace store
