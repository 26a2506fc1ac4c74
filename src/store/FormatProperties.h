#pragma once

#include "platform/grid/CellFormat.h"

#include <QString>

// One stored format row (report_format kinds FONT, ALIGNMENT, BORDER, INPUTFORMAT, WRAPTEXT, MERGE) and a
// grid cell format: applying the row's property string to a format object, and writing a cell's format
// as the property string of a kind.
namespace store
{

// Sets on `format` the properties of one stored row of `kind` (compared exactly); only the properties
// the text holds are set, so rows of several kinds add up. A value that does not convert ends the row
// there: what was set before it stays. An INPUTFORMAT row without a value gives the text format "@".
void ApplyFormatProperties(
    platform::grid::CellFormat& format, const QString& kind, const QString& propertyString);
void ApplyFontProperties(platform::grid::CellFormat& format, const QString& propertyString);
void ApplyAlignProperties(platform::grid::CellFormat& format, const QString& propertyString);
// Groups of WHICHBORDER, BORDERSTYLE and BORDERCOLOR; a group without a style or colour keeps the values
// of the group before it. Once both sides of a pair (left and right, top and bottom) have been set, the
// inner lines between the cells take each later group's style and colour too.
void ApplyBorderProperties(platform::grid::CellFormat& format, const QString& propertyString);

// The property string of `kind` for a cell's format: "" for a kind that has nothing to say (no border,
// wrap or merge off) and for a kind it does not know. Values are encoded as property strings encode
// them, font sizes keep their decimals ("10.5") and flags are written True and False.
QString GetFormatString(const QString& kind, const platform::grid::CellFormat& format);
QString GetBorderString(const platform::grid::CellFormat& format);

} // namespace store
