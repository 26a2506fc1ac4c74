#pragma once

#include <optional>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace orvtest
{

// What a spreadsheet program prints of a workbook: LibreOffice converts it to PDF without a window (with
// a profile of its own, so that runs side by side do not meet) into `folder`. The PDF's path; none when
// LibreOffice is not installed.
std::optional<QString> spreadsheetPdf(const QString& workbook, const QString& folder);

// The text of every page of a PDF (pdftotext), one entry per page.
QStringList pdfPageTexts(const QString& pdf);

// The sizes in pixels of the images a PDF shows (pdfimages), page after page.
QList<QSize> pdfImageSizes(const QString& pdf);

} // namespace orvtest
