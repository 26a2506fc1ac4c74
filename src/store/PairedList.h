#pragma once

#include <optional>
#include <QString>

// Two fixed reports list the archive's records two by two: each page shows R records in a left column
// block and the next R records in a right one, folder by folder. Before such a report is printed, the
// host's records are turned into rows of the work table hyjlml that carry a left and a right record,
// and the report state is pointed at those rows and at the report that lays them out.
namespace store
{

// The report that lays out the work rows for a fixed report id, or none for any other id.
std::optional<QString> pairedListReportFor(const QString& reportId);

// The work rows of one preparation. The rows are deleted when the object ends, whichever road the
// print or preview takes and also when it fails, so that none stays behind in hyjlml.
class PairedListBatch
{
public:
    explicit PairedListBatch(QString batchId);
    ~PairedListBatch();
    PairedListBatch(PairedListBatch&& other) noexcept;
    PairedListBatch& operator=(PairedListBatch&& other) noexcept;
    PairedListBatch(const PairedListBatch&) = delete;
    PairedListBatch& operator=(const PairedListBatch&) = delete;

    const QString& batchId() const { return batchId_; }

private:
    void deleteRows() noexcept;

    QString batchId_; // empty once moved from
};

// Fills the work rows for the fixed report `reportId` from the state's TABLENAME and SelectWhere, then
// points the state at them (SelectWhere, SelectOrder, TABLENAME, and ReportId := the laying-out report).
// Records without a folder number form one folder of their own. When the laying-out report has no
// positive DATA_ROWS, it says so in a box and returns none before anything is written or changed.
// Database errors reach the caller after the rows written so far have been deleted.
std::optional<PairedListBatch> PreparePairedListData(const QString& reportId);

// DATA_ROWS of the report as a whole number; 0 when the report has no such row, none when the stored
// value is no number ("FIX", "AUTO").
std::optional<int> GetDataRows(const QString& reportId);

} // namespace store
