#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Copying and deleting whole report groups. A group holds the reports of one archive table and is named
// after it (report_index.report_group_id).
namespace store
{

// Rows of [model table, target table]: in the copied texts every model table name is replaced by its
// target. The rows are applied in order, each on the result of the ones before.
using TablePairs = QVector<QStringList>;

// Copies every report of the model group into the group named by the state's TABLENAME, under new ids,
// one table of one report per transaction (inside a caller's transaction, all of them in that one). After the
// call the state's ReportId holds the new id of the last report copied (empty when the group has none) and
// SourceReportId its model. True when every report was copied or the group has none; false at the first
// failure, with the copies committed so far left in place for the caller to remove.
bool CopyModelReports(const QString& modelGroupId, const TablePairs& tablePairs);

// Replaces the reports of the group named by the state's TABLENAME by copies of the model group's reports,
// in one transaction: the copies are made first and the group's earlier reports deleted after them, so
// that a failure anywhere leaves the group as it was. True when the group now holds the copies.
bool ReplaceGroupReports(const QString& modelGroupId, const TablePairs& tablePairs);

// A stored description with the table names replaced: every occurrence of a pair's model name (trimmed,
// compared without regard to case, also inside longer names) becomes its target name (trimmed, its case
// kept); the rest of the text keeps its case, and a pair whose model name is empty replaces nothing.
// Throws platform::Error for a row that is not a pair. A cell content is replaced whole, both of its
// stored parts joined, and split again afterwards.
QString ReplaceTableNames(const QString& description, const TablePairs& tablePairs);

} // namespace store
