#pragma once

#include <QString>

// The page-setting rows of report_info (DATA_ROWS, SELF_FIT, PAGE_RECOUNT, PAGE_SIZE, PAGE_LANDSCAPE,
// the four margins, ROW_COUNT, COL_COUNT): read from a report's definition and written back from the
// report state.
namespace store
{

struct PageSettings;
struct ReportDefinition;
struct ReportState;

// True for the keywords of the page-setting rows (in upper case).
bool isPageSettingKeyword(const QString& infoType);

// Applies one page-setting row (keyword in upper case, value trimmed) to `settings`; other keywords
// change nothing. A value that does not convert throws platform::Error.
void ApplyPageSetting(PageSettings& settings, const QString& infoType, const QString& value);

// The definition's page settings become the state's (ROW_COUNT and COL_COUNT also its working sheet
// size). A report without any page-setting row leaves the state's as they are.
void LoadPageSettings(const ReportDefinition& definition);

// "T" is true; any other text, "t" included, is false.
bool TFToBoolean(const QString& text);
QString BoolToTF(bool value);

// The stored text of DATA_ROWS: "FIX", "AUTO" or the number.
QString DataRowsText(int dataRows);
// A stored decimal such as a margin in inches: at most 15 significant digits, no trailing zeros
// (0.7875 gives "0.7875").
QString DecimalText(double value);

// Writes the eleven page-setting rows from the state (info_order 1). A row the report lacks is
// inserted, so that no setting is dropped.
void SavePageInfo();

// Sets one report_info row of the current report (info_type compared as the database compares texts),
// inserting it when no row was updated. Throws platform::Error when a statement fails.
void UpdateReportInfo(const QString& infoType, const QString& infoDescription, int infoOrder);

// Stores a custom paper size (centimetres) in the note of the report's PAGE_SIZE row as
// "width|height|width×560|height×560"; a report without that row gets one with the custom paper code.
void SaveCustomPaperSize(double widthCm, double heightCm);

} // namespace store
