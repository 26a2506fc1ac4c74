#pragma once

#include <QString>

namespace platform::db
{
class Recordset;
}

// The page-setting rows of report_info (DATA_ROWS, SELF_FIT, PAGE_RECOUNT, PAGE_SIZE, PAGE_LANDSCAPE,
// the four margins, ROW_COUNT, COL_COUNT) read into the report state and written back from it.
namespace store
{

struct ReportState;

// Reads the current report's page-setting rows into the state. Without any row the state keeps its
// values; otherwise the defaults are set first and every row found is applied. A value that does not
// convert throws platform::Error.
void LoadPageSettings();
void SetDefaultPageSettings();
void ParsePageSettings(platform::db::Recordset& rows);
// Applies one page-setting row (keyword in upper case, value trimmed) to `state`; other keywords change
// nothing. A value that does not convert throws platform::Error.
void ApplyPageSetting(ReportState& state, const QString& infoType, const QString& value);

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
