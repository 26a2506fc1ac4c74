#include "wizard/modCreateReport.h"

#include "platform/db/Connection.h"
#include "platform/Error.h"
#include "platform/outside/FailureLog.h"
#include "store/StoreSql.h"

namespace wizard
{

namespace
{

constexpr int PieceWidth = 255;

// An empty text is stored as "", never as NULL.
QString stored(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

void NewReportRows::AddInfoItem(const QString& infoType, const QString& description, int infoOrder)
{
    info.append({ infoType, infoOrder, description });
}

void NewReportRows::AddFormatItem(
    int beginRow, int beginCol, int endRow, int endCol, const QString& formatType, const QString& description)
{
    formats.append({ int(formats.size()) + 1, beginRow, beginCol, endRow, endCol, formatType, description });
}

void NewReportRows::AddDataItem(int row, int col, const QString& dataType, const QString& text)
{
    data.append({ row, col, dataType, text });
}

QList<InfoRow> SplitFixedWidth(const QString& infoType, const QString& text)
{
    QList<InfoRow> pieces;
    for (qsizetype from = 0; from == 0 || from < text.size(); from += PieceWidth)
        pieces.append({ infoType, int(pieces.size()) + 1, text.mid(from, PieceWidth) });
    return pieces;
}

void WriteNewReport(platform::db::Connection& connection, const NewReportRows& rows)
{
    store::runInTransaction(connection, [&] {
        connection.execute(QStringLiteral("insert into report_index (report_id, report_name, report_type, "
                                          "report_group_id) values (?, ?, ?, ?)"),
            { rows.reportId, stored(rows.reportName), rows.reportType, stored(rows.groupId) });
        for (const InfoRow& info : rows.info)
            connection.execute(QStringLiteral("insert into report_info (report_id, info_order, info_type, "
                                              "info_description) values (?, ?, ?, ?)"),
                { rows.reportId, info.infoOrder, info.infoType, stored(info.description) });
        for (const FormatRow& format : rows.formats)
            connection.execute(
                QStringLiteral("insert into report_format (report_id, format_order, "
                               "begin_row_no, begin_col_no, end_row_no, end_col_no, "
                               "format_type, format_description) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                { rows.reportId, format.formatOrder, format.beginRow, format.beginCol, format.endRow,
                    format.endCol, format.formatType, stored(format.description) });
        for (const DataRow& cell : rows.data)
            connection.execute(
                QStringLiteral("insert into report_data (report_id, row_no, col_no, data_type, "
                               "data_description1) values (?, ?, ?, ?, ?)"),
                { rows.reportId, cell.row, cell.col, cell.dataType, stored(cell.text) });
    });
}

bool SaveNewReport(const char* procedure, platform::db::Connection* connection,
    const std::function<NewReportRows()>& build, QString& failureText)
{
    failureText.clear();
    try {
        if (!connection)
            throw platform::Error(platform::errors::DatabaseError, QStringLiteral("OrvReport"),
                QStringLiteral("没有数据库连接。"));
        WriteNewReport(*connection, build());
        return true;
    } catch (const platform::Error& error) {
        failureText = error.description();
        platform::outside::reportFailure(procedure, error);
    } catch (const std::exception& error) {
        failureText = QString::fromLocal8Bit(error.what());
        platform::outside::reportFailure(procedure, error);
    }
    return false;
}

} // namespace wizard
