#pragma once

// The checks that decide whether a data report can be laid out at all: its definition holds rows of the
// report tables, and its columns fit the designed paper and, when printed without fitting, the printer's
// page.
// The comparisons are functions of the definition; the checks read the papers they compare with.
// Each failed check tells the user (store::NoticeUser): in a box, or in ErrorMessage when the report is
// exported unattended (silent web mode), where a box would wait for nobody.
#include <QSize>

namespace store
{
struct PageSettings;
struct ReportDefinition;
}

namespace engine
{

struct DataReportRun;

// True when the definition has rows in report_index, report_info and report_data; else the box of the
// first table without rows and false.
bool CheckReportDataExists(const store::ReportDefinition& definition);

// True when the definition's stored column widths plus its left and right margins are wider than `width`
// (twips).
bool ColumnsExceedWidth(const store::ReportDefinition& definition, int width);

// A paper given in portrait sense as the definition lays it out: width and height exchanged under
// PAGE_LANDSCAPE.
QSize inReportOrientation(const store::PageSettings& page, QSize portrait);

// Reads the designed paper in the report's orientation into `width` and `height` (twips) and, when the
// columns are wider than it, tells the user and gives true.
bool ColumnsOverDesignPaper(const store::ReportDefinition& definition, int& width, int& height);

// Under SELF_FIT true at once. Otherwise reads the printer's page in the report's orientation into
// `width` and `height` (twips) and, when the columns are wider than it, tells the user and gives false.
bool ColumnsFitPrinterPaper(const store::ReportDefinition& definition, int& width, int& height);

// The data report's checks of both papers, read into DesignPaperWidth and DesignPaperHeight, and into
// PrinterPaperWidth and PrinterPaperHeight.
bool IsOverDesignPaper(DataReportRun& run);
bool IsOverPrinterPaper(DataReportRun& run);

} // namespace engine
