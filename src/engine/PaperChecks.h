#pragma once

// The checks that decide whether a data report can be laid out at all: its rows exist in the report
// tables, and its columns fit the designed paper and, when printed without fitting, the printer's page.
// Each failed check tells the user (NoticeUser): in a box, or in ErrorMessage when the report is
// exported unattended (silent web mode), where a box would wait for nobody.
namespace engine
{

// True when the report has rows in report_index, report_info and report_data; else the box of the
// first table without rows and false.
bool CheckReportDataExists();

// True when the stored column widths plus the stored left and right margins are wider than `width`
// (twips). Without either margin row 1701 twips stand for both; an empty margin text counts as that
// margin's default; a text that is no number throws platform::Error.
bool ColumnsExceedWidth(int width);

// Reads the designed paper into DesignPaperWidth and DesignPaperHeight (in the report's orientation)
// and, when the columns are wider than it, tells the user and gives true.
bool IsOverDesignPaper();

// Under SELF_FIT true at once. Otherwise reads the printer's page in the report's orientation into
// PrinterPaperWidth and PrinterPaperHeight and, when the columns are wider than it, tells the user and
// gives false.
bool IsOverPrinterPaper();

} // namespace engine
