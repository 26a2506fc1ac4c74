#pragma once

#include <array>
#include <QString>
#include <QStringList>

// The tables of the current report's select list, for the dialogs that offer its fields.
namespace designer
{

constexpr int MaxSelectTables = 3;

// The tables of the first MaxSelectTables "table.*" items of a select list, in order; other items are passed
// over.
QStringList SelectListTables(const QString& selectList);

// Reads the report's SQL_SELECT rows (in info_order, joined) and puts its first tables into names[0..];
// entries without a table, and all of them when the report has no select list, keep their text.
void GetSqlSelectFields(std::array<QString, MaxSelectTables>& names);

} // namespace designer
