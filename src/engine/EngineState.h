#pragma once

#include <memory>
#include <optional>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace platform::db
{
class Recordset;
}
namespace platform::grid
{
class SheetClip;
}
namespace store
{
struct ReportDefinition;
}

namespace engine
{

class OutputForm;
struct TemplateRows;

// One template cell as the engine keeps it in its cell lists.
struct ReportCellItem {
    int row = 0; // its form depends on the list: see the loaders
    int col = 0;
    QString letter; // the content letter (report_data.data_type)
    QString text; // the cell's body; a field cell's column name only
    int fieldIndex = -1; // field cells: 0-based buffer field; detail sub-query cells: 1-based record set
    QString option1; // field cells: text to insert, or "m-n"
    QString option2; // field cells: "F", "B", "FI", "BI"
    double totalValue = 0; // column totals: the sum gathered so far
    QList<int> totalRows; // column totals: the sheet rows gathered for the record being written
};

// One built output page of a data report: its first and last sheet row in the output grid.
struct PageRowRange {
    int firstRow = 0;
    int lastRow = 0;
};

// The working state of one data-report build. Whoever builds (the print window, printing without
// preview, the web export, the blank form, the designer's preview) creates its own run and hands it to
// every engine step; nothing of one build is seen by another. Every preparation starts the run afresh
// (`resetForPreparation`) except what its owner set. Sizes are twips; 16-bit quantities are range-checked
// where they are computed.
struct DataReportRun {
    explicit DataReportRun(std::shared_ptr<const store::ReportDefinition> definition = {});
    ~DataReportRun();
    DataReportRun(DataReportRun&&) noexcept;
    DataReportRun& operator=(DataReportRun&&) noexcept;

    // The report being checked and built: its definition as one snapshot read it, the sort order checked
    // against the metadata by the preparation (CheckReportSortOrder, PagePipeline.h). Every sizing and
    // layout rule reads the report from here, never from the report tables or the report state.
    std::shared_ptr<const store::ReportDefinition> Definition;
    // The definition; throws platform::Error when the run was given none.
    const store::ReportDefinition& definition() const;
    // Works on `definition` from now on; the template laid out for the previous one is dropped.
    void useDefinition(std::shared_ptr<const store::ReportDefinition> definition);

    // --- page geometry ----------------------------------------------------------------------------
    int RecordsPerPage = 0;
    int FreeHeight = 0;
    int PageSheetCols = 0;
    int PageSheetRows = 0;
    int PrinterPaperWidth = 0;
    int PrinterPaperHeight = 0;
    int DesignPaperWidth = 0;
    int DesignPaperHeight = 0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    double DetailScale = 1.0;
    // The bottom row of every page, once the first page has worked out what the paper leaves; kept here,
    // never in the report's margins. None when the pages end in the bottom margin.
    std::optional<int> FillerRowHeight;

    // --- data source and counts -------------------------------------------------------------------
    QString SourceSql;
    QString SourceSqlTail;
    bool DistinctSource = false;
    bool StaticReport = false;
    std::shared_ptr<platform::db::Recordset> ReportDataRs; // the engine's own, or the host's (never written)
    bool ReportDataRsIsOwned = true; // false when ReportDataRs is the host's record set
    bool usesHostRecordset() const { return !ReportDataRsIsOwned; }
    std::unique_ptr<platform::db::Recordset> RecordBufferRs;
    QStringList GroupFields; // the group fields, computed once, used by the query and every count
    QStringList GroupOrderTerms; // GroupFields in the same order, each with the direction the query sorts it
    long long DataRecordCount = 0;
    long long TotalPages = 0;
    QVector<long long> GroupPageCounts; // 1-based in meaning: entry i-1 is group i
    int GroupCount = 0;

    // --- page building ----------------------------------------------------------------------------
    long long GroupPageTotal = 0;
    int GroupIndex = 1;
    long long PageNumber = 0;
    long long AbsolutePage = 0;
    int CurrentPage = 0;
    bool FirstBuild = true;
    bool ReportFinished = false;
    bool ReportHasData = false;
    long long RecordCounter = 0;
    bool GroupBreak = true;
    int RowPositionFlag = 0;
    QStringList GroupValues; // entry i-1 holds group field i's stored value
    int PageFirstRow = 0;
    QVector<PageRowRange> PageRowRanges; // entry k-1 is page k of the batch built last
    bool OversizedRecordTold = false; // "AUTO": the user knows a record is taller than an empty page
    // The laid-out template of one page (formats, merged blocks, fixed texts) as the first page got it,
    // pasted onto every further page instead of laying the template out again.
    std::shared_ptr<const platform::grid::SheetClip> PageLayout;

    // --- template cells ---------------------------------------------------------------------------
    QVector<ReportCellItem> HeadCells;
    QVector<ReportCellItem> GroupCells;
    QVector<ReportCellItem> DetailCells;
    QVector<ReportCellItem> TotalCells;
    QVector<int> TotalCellColumns; // the column each of TotalCells adds up, known once for every record
    QVector<ReportCellItem> PictureCells;
    std::vector<std::unique_ptr<platform::db::Recordset>> CellRecordsets; // detail sub-query cells
    QVector<int> PictureObjectIds; // entry i-1: grid object id of picture i's latest placement
    QVector<int> PictureOfObject; // indexed by grid object id: the picture index it shows
    QVector<QImage> PictureImages; // entry i-1: picture i as loaded for the build (null when unreadable)
    std::shared_ptr<const TemplateRows> Template; // the definition's format and cell rows as laid out
    // Values of the statements that do not depend on the record, by their final text: such a statement
    // runs once per build however many pages show it.
    QHash<QString, QString> StatementValues;

    // Consecutive cells showing one field value in width-fitted pieces continue where the previous
    // piece stopped; reset for every record (the record is told by its page and position).
    int FieldSplitNextStart = 1;
    QString FieldSplitLastText;
    long long FieldSplitPage = -1;
    int FieldSplitRecord = -1;

    OutputForm* Output = nullptr; // the window whose picture list receives pictures; set by the run's owner

    void resetForPreparation();
};

} // namespace engine
