#pragma once

#include <QString>

// The stored vocabulary of the report tables: the info_type keywords of report_info, the format_type
// kinds of report_format, the property names inside their property strings, and the values that apply
// when a page-setting row is missing. Loader, saver, wizard and engine all spell them from here.
namespace store::keywords
{

// report_info.info_type: SQL pieces (read concatenated in info_order).
inline const QString SqlSelect = QStringLiteral("SQL_SELECT");
inline const QString SqlWhere = QStringLiteral("SQL_WHERE");
inline const QString SqlOrder = QStringLiteral("SQL_ORDER");
inline const QString TablesName = QStringLiteral("TABLES_NAME");

// report_info.info_type: regions (value "begin:end", info_order = group level for groups).
inline const QString ReportHead = QStringLiteral("REPORT_HEAD");
inline const QString PageHead = QStringLiteral("PAGE_HEAD");
inline const QString GroupHead = QStringLiteral("GROUP_HEAD");
inline const QString DataDetail = QStringLiteral("DATA_DETAIL");
inline const QString GroupTail = QStringLiteral("GROUP_TAIL");
inline const QString PageTail = QStringLiteral("PAGE_TAIL");
inline const QString ReportTail = QStringLiteral("REPORT_TAIL");

// report_info.info_type: page settings.
inline const QString DataRows = QStringLiteral("DATA_ROWS");
inline const QString SelfFit = QStringLiteral("SELF_FIT");
inline const QString PageRecount = QStringLiteral("PAGE_RECOUNT");
inline const QString PageSize = QStringLiteral("PAGE_SIZE");
inline const QString PageLandscape = QStringLiteral("PAGE_LANDSCAPE");
inline const QString LeftMarge = QStringLiteral("LEFT_MARGE");
inline const QString RightMarge = QStringLiteral("RIGHT_MARGE");
inline const QString TopMarge = QStringLiteral("TOP_MARGE");
inline const QString BottomMarge = QStringLiteral("BOTTOM_MARGE");
inline const QString RowCount = QStringLiteral("ROW_COUNT");
inline const QString ColCount = QStringLiteral("COL_COUNT");

// DATA_ROWS values that are not a number of records.
inline const QString DataRowsFix = QStringLiteral("FIX");
inline const QString DataRowsAuto = QStringLiteral("AUTO");

// Flags of the report tables.
inline const QString True = QStringLiteral("T");
inline const QString False = QStringLiteral("F");

// report_format.format_type, in the order the designer loads them (merges last).
inline const QString Font = QStringLiteral("FONT");
inline const QString Alignment = QStringLiteral("ALIGNMENT");
inline const QString Border = QStringLiteral("BORDER");
inline const QString InputFormat = QStringLiteral("INPUTFORMAT");
inline const QString WrapText = QStringLiteral("WRAPTEXT");
inline const QString RowHeight = QStringLiteral("ROWHEIGHT");
inline const QString ColWidth = QStringLiteral("COLWIDTH");
inline const QString Merge = QStringLiteral("MERGE");
inline const QString ShrinkToFit = QStringLiteral("SHRINKTOFIT");

// Property names inside the property strings of report_format.
namespace property
{
inline const QString FontName = QStringLiteral("FONTNAME");
inline const QString FontSize = QStringLiteral("FONTSIZE");
inline const QString FontBold = QStringLiteral("FONTBOLD");
inline const QString FontItalic = QStringLiteral("FONTITALIC");
inline const QString FontColor = QStringLiteral("FONTCOLOR");
inline const QString FontUnderline = QStringLiteral("FONTUNDERLINE");
inline const QString FontStrikeout = QStringLiteral("FONTSTRIKEOUT");
inline const QString HAlignment = QStringLiteral("HALIGNMENT");
inline const QString VAlignment = QStringLiteral("VALIGNMENT");
inline const QString WhichBorder = QStringLiteral("WHICHBORDER");
inline const QString BorderStyle = QStringLiteral("BORDERSTYLE");
inline const QString BorderColor = QStringLiteral("BORDERCOLOR");
inline const QString InputFormat = QStringLiteral("INPUTFORMAT");
inline const QString WrapText = QStringLiteral("WRAPTEXT");
inline const QString Merge = QStringLiteral("MERGE");
inline const QString ShrinkToFit = QStringLiteral("SHRINKTOFIT");
} // namespace property

// What loading assumes when a page-setting row is missing or, for margins, empty.
namespace defaults
{
constexpr int DataRows = 10;
constexpr bool SelfFit = true;
constexpr bool PageRecount = true;
constexpr int PageSize = 9;
constexpr bool PageLandscape = false;
constexpr double LeftMarge = 0.7875;
constexpr double OtherMarge = 0.39375;
constexpr int RowCount = 50;
constexpr int ColCount = 50;
} // namespace defaults

// DATA_ROWS as the report state holds it: a positive count, or one of these modes.
constexpr int DataRowsFixMode = -1;
constexpr int DataRowsAutoMode = -2;

// PAGE_SIZE code of a paper whose size is in the note of the PAGE_SIZE row.
constexpr int CustomPaperSize = 256;

} // namespace store::keywords
