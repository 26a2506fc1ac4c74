#pragma once

#include <QString>

// The SQL pieces of a data report (SQL_SELECT, SQL_WHERE, SQL_ORDER, TABLES_NAME rows of report_info),
// and the check that the report's tables still exist.
namespace store
{

struct SqlPieces;

// The archive-flag condition that the archive application adds to every report on its own; a report
// whose whole condition is this test gets none.
inline const QString ArchiveFlagCondition = QStringLiteral("(archive_flag='已组卷')");

// Adds one row (keyword in upper case, description as stored) to the pieces, the rows taken in info_order:
// SQL_SELECT and SQL_WHERE pieces are concatenated (a SQL_WHERE piece is left out when the condition
// would then be only the archive-flag test), SQL_ORDER pieces too (a piece that is only "," adds nothing),
// and the last TABLES_NAME row wins. Other keywords change nothing.
void appendSqlPiece(SqlPieces& pieces, const QString& infoType, const QString& description);
// Empties the state's pieces.
void ClearSqlInfo();

// Tells the user to delete the report when its table list is empty or names a table that the metadata
// no longer describes; items are used exactly as stored. Loading goes on either way.
void CheckReportTables(const QString& tablesName);

} // namespace store
