#pragma once

#include <functional>
#include <QList>
#include <QString>

namespace platform::db
{
class Connection;
}

// The rows of a new report, gathered before anything is written, and the one writer that stores them.
namespace wizard
{

struct InfoRow {
    QString infoType;
    int infoOrder = 1;
    QString description;
};

struct FormatRow {
    int formatOrder = 0;
    int beginRow = 0;
    int beginCol = 0;
    int endRow = 0;
    int endCol = 0;
    QString formatType;
    QString description;
};

struct DataRow {
    int row = 0;
    int col = 0;
    QString dataType;
    QString text;
};

// A whole new report: its index row and its report_info, report_format and report_data rows. Format
// rows are numbered 1, 2, ... in the order they are added.
struct NewReportRows {
    QString reportId;
    QString reportName;
    int reportType = 1;
    QString groupId;
    QList<InfoRow> info;
    QList<FormatRow> formats;
    QList<DataRow> data;

    void AddInfoItem(const QString& infoType, const QString& description, int infoOrder = 1);
    void AddFormatItem(int beginRow, int beginCol, int endRow, int endCol, const QString& formatType,
        const QString& description);
    void AddDataItem(int row, int col, const QString& dataType, const QString& text);
};

// Pieces of at most 255 characters (a report_info description's size), numbered 1, 2, ...; one empty
// piece for an empty text. Readers join the pieces of a type in their order, so the text reads back whole.
QList<InfoRow> SplitFixedWidth(const QString& infoType, const QString& text);

// Inserts every row in one transaction, values bound; a failure rolls all of them back and is thrown on
// (platform::Error).
void WriteNewReport(platform::db::Connection& connection, const NewReportRows& rows);

// Builds the rows and writes them; false when either fails (nothing is written then): the failure is
// logged under `procedure` and its description kept in `failureText`, for the user.
bool SaveNewReport(const char* procedure, platform::db::Connection* connection,
    const std::function<NewReportRows()>& build, QString& failureText);

} // namespace wizard
