#pragma once

#include <memory>
#include <QIODevice>

namespace platform::grid
{
class Sheet;
}

namespace platform::grid::io
{

// Column widths are stored in 1/256 of the width of the digit "0" in the workbook's first font
// (宋体 10.5 pt): half of its 210-twip em, 105 twips.
constexpr int kXlsTwipsPerDigit = 105;

// An Excel 97-2003 workbook (BIFF8 inside a compound file) made of the sheets handed to it one after
// another: the rows of each go below the rows of those before, so a report built batch by batch becomes
// one workbook while only a batch and the worksheet being filled are in memory (finished worksheets
// wait in a temporary file; the shared texts, within their budget, and the pictures in memory).
//
// A worksheet holds at most 65,536 rows and 256 columns: further rows go on on worksheets "Sheet2",
// "Sheet3"..., further columns are left out. Where the sheets list page breaks, every worksheet holds
// whole pages: a page that would not fit, or that would be the worksheet's 1,027th, starts the next one
// (merged blocks and pictures cut at a worksheet's border are clipped to it). Each worksheet gets the
// page setup, the page breaks, the part of the print area that lies on it, and the pictures; the print
// titles go with the first worksheet. The first sheet gives every worksheet its column widths, default
// sizes and page setup. Formula cells are written as their computed values.
class XlsWorkbook
{
public:
    XlsWorkbook();
    ~XlsWorkbook();
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    // Throws platform::Error (FileError) when the temporary file of the worksheets cannot be written.
    void append(const Sheet& sheet);
    // Writes the workbook; throws platform::Error (FileError) when a write fails. Nothing may be
    // appended afterwards.
    void write(QIODevice& out);

private:
    class Writer;
    std::unique_ptr<Writer> writer_;
};

// The workbook of one sheet.
void writeXls(const Sheet& sheet, QIODevice& out);

} // namespace platform::grid::io
