#include "XlsWriter.h"

#include "BiffWriter.h"
#include "CompoundFile.h"
#include "platform/grid/Sheet.h"
#include "SharedStrings.h"
#include "XlsStyles.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace platform::grid::io
{

namespace
{

constexpr int kRowsPerWorksheet = 65536;
constexpr int kColsPerWorksheet = 256;
constexpr int kRowsPerBlock = 32;
constexpr int kMaxMergesPerRecord = 1026;
constexpr int kMaxRowHeight = 8192;
constexpr int kMaxColumnWidth = 255 * 256;
constexpr quint16 kGlobalsSubstream = 0x0005;
constexpr quint16 kWorksheetSubstream = 0x0010;
constexpr quint16 kUnicodeCodePage = 1200;

// The spreadsheet's error codes for its error values.
std::optional<quint8> errorCode(const QString& code)
{
    static const QHash<QString, quint8> codes = {
        { QStringLiteral("#NULL!"), 0x00 },
        { QStringLiteral("#DIV/0!"), 0x07 },
        { QStringLiteral("#VALUE!"), 0x0F },
        { QStringLiteral("#REF!"), 0x17 },
        { QStringLiteral("#NAME?"), 0x1D },
        { QStringLiteral("#NUM!"), 0x24 },
        { QStringLiteral("#N/A"), 0x2A },
    };
    const auto it = codes.constFind(code);
    return it == codes.constEnd() ? std::nullopt : std::optional<quint8>(it.value());
}

// The 4-byte RK form of a number when it holds the value exactly: a 30-bit integer, a 30-bit
// integer of hundredths, or a double whose low 34 bits are zero.
std::optional<quint32> rkValue(double value)
{
    constexpr double kLimit = 1 << 29;
    if (value == std::trunc(value) && value >= -kLimit && value < kLimit)
        return (quint32(qint32(value)) << 2) | 0x2;
    const double hundredths = value * 100;
    if (hundredths == std::trunc(hundredths) && hundredths >= -kLimit && hundredths < kLimit
        && double(qint32(hundredths)) / 100 == value)
        return (quint32(qint32(hundredths)) << 2) | 0x3;
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    if ((bits & 0x3FFFFFFFFull) == 0)
        return quint32(bits >> 32);
    return std::nullopt;
}

quint16 columnWidth256(int twips)
{
    return quint16(std::clamp(int(std::lround(twips * 256.0 / kXlsTwipsPerDigit)), 0, kMaxColumnWidth));
}

void writeBof(BiffWriter& out, quint16 substream)
{
    out.begin(biff::Bof);
    out.u16(0x0600); // BIFF8
    out.u16(substream);
    out.u16(0x0DBB); // build and year of the writing application, as Excel 97 writes them
    out.u16(0x07CC);
    out.u32(0);
    out.u32(0x06); // lowest version that can read the file
    out.end();
}

void writeU16Record(BiffWriter& out, quint16 id, quint16 value)
{
    out.begin(id);
    out.u16(value);
    out.end();
}

void writeF64Record(BiffWriter& out, quint16 id, double value)
{
    out.begin(id);
    out.f64(value);
    out.end();
}

void writeTextRecord(BiffWriter& out, quint16 id, const QString& text)
{
    if (text.isEmpty())
        return;
    out.begin(id);
    out.string(text.left(255));
    out.end();
}

void writePageSetup(BiffWriter& out, const PageSetup& page)
{
    writeTextRecord(out, biff::Header, page.header);
    writeTextRecord(out, biff::Footer, page.footer);
    writeU16Record(out, biff::HCenter, page.centerHorizontally);
    writeU16Record(out, biff::VCenter, page.centerVertically);
    writeF64Record(out, biff::LeftMargin, page.leftMargin);
    writeF64Record(out, biff::RightMargin, page.rightMargin);
    writeF64Record(out, biff::TopMargin, page.topMargin);
    writeF64Record(out, biff::BottomMargin, page.bottomMargin);

    constexpr int kCustomPaper = 256;
    out.begin(biff::Setup);
    out.u16(quint16(page.paperSize == kCustomPaper ? 0 : page.paperSize)); // 0: no standard size
    out.u16(quint16(std::clamp(page.scalePercent, 10, 400)));
    out.u16(1); // first page number
    out.u16(1); // fit to one page wide
    out.u16(1); // and one page tall (not in use)
    out.u16(quint16(
        (page.leftToRight ? 0x01 : 0) | (page.landscape ? 0 : 0x02) | (page.blackAndWhite ? 0x08 : 0)));
    out.u16(0); // printer resolutions: not known
    out.u16(0);
    out.f64(page.headerMargin);
    out.f64(page.footerMargin);
    out.u16(1); // copies
    out.end();
}

// The columns of a row that received cell records, zero-based, last one exclusive.
struct RowSpan {
    quint16 first = 0;
    quint16 end = 0;
};

class WorkbookWriter
{
public:
    explicit WorkbookWriter(const Sheet& sheet)
        : sheet_(sheet)
        , rows_(sheet.lastUsedRow())
        , cols_(std::min(sheet.lastUsedCol(), kColsPerWorksheet))
    {
    }

    QByteArray workbook();

private:
    void writeGlobals(BiffWriter& out, const QList<qsizetype>& worksheetOffsets);
    void writeWorksheet(int firstRow, int lastRow);
    void writeColumns(BiffWriter& out);
    void writeRowBlock(int firstRow, int lastRow, int rowOffset);
    bool writeCell(BiffWriter& out, int row, int col, int rowOffset);
    quint16 xfOfStyle(int styleId);
    void writeMerges(BiffWriter& out, int firstRow, int lastRow);

    const Sheet& sheet_;
    const int rows_;
    const int cols_;
    QList<int> xfOfStyle_; // by the sheet's style id, -1 until first used
    SharedStrings strings_;
    XlsStyles styles_;
    BiffWriter worksheets_;
    BiffWriter blockCells_;
};

QByteArray WorkbookWriter::workbook()
{
    const int worksheetCount = std::max(1, (rows_ + kRowsPerWorksheet - 1) / kRowsPerWorksheet);
    QList<qsizetype> offsets;
    for (int i = 0; i < worksheetCount; ++i) {
        offsets.append(worksheets_.size());
        const int firstRow = i * kRowsPerWorksheet + 1;
        writeWorksheet(firstRow, std::min(rows_, firstRow + kRowsPerWorksheet - 1));
    }
    BiffWriter globals;
    writeGlobals(globals, offsets);
    globals.append(worksheets_.data());
    worksheets_.clear();
    return globals.data();
}

void WorkbookWriter::writeGlobals(BiffWriter& out, const QList<qsizetype>& worksheetOffsets)
{
    writeBof(out, kGlobalsSubstream);
    writeU16Record(out, biff::CodePage, kUnicodeCodePage);

    out.begin(biff::Window1);
    out.u16(0); // window position and size in twips
    out.u16(0);
    out.u16(0x4000);
    out.u16(0x2000);
    out.u16(0x0038); // horizontal and vertical scroll bars, sheet tabs
    out.u16(0); // active worksheet
    out.u16(0); // first tab shown
    out.u16(1); // worksheets selected
    out.u16(600); // tab bar width in 1/1000 of the window
    out.end();

    writeU16Record(out, biff::DateMode, 0); // dates count from 1900
    styles_.write(out);

    QList<qsizetype> positionFields;
    for (int i = 0; i < worksheetOffsets.size(); ++i) {
        out.begin(biff::BoundSheet);
        positionFields.append(out.size());
        out.u32(0); // stream position of the worksheet's BOF, known once the globals are complete
        out.u8(0); // visible
        out.u8(0); // worksheet
        out.shortString(QStringLiteral("Sheet%1").arg(i + 1));
        out.end();
    }
    strings_.write(out);
    out.emptyRecord(biff::Eof);

    for (int i = 0; i < worksheetOffsets.size(); ++i)
        out.patchU32(positionFields[i], quint32(out.size() + worksheetOffsets[i]));
}

void WorkbookWriter::writeWorksheet(int firstRow, int lastRow)
{
    BiffWriter& out = worksheets_;
    writeBof(out, kWorksheetSubstream);
    const PageSetup& page = sheet_.pageSetup();
    writeU16Record(out, biff::PrintHeaders, page.printHeadings);
    writeU16Record(out, biff::PrintGridLines, page.printGridLines);
    out.begin(biff::DefaultRowHeight);
    out.u16(0x0001); // the height is set, not derived from the font
    out.u16(quint16(std::clamp(sheet_.defaultRowHeight(), 0, kMaxRowHeight)));
    out.end();
    writePageSetup(out, page);
    writeU16Record(
        out, biff::DefColWidth, quint16(std::lround(double(sheet_.defaultColWidth()) / kXlsTwipsPerDigit)));
    writeColumns(out);

    const int rowCount = std::max(0, lastRow - firstRow + 1);
    out.begin(biff::Dimensions);
    out.u32(0);
    out.u32(quint32(rowCount));
    out.u16(0);
    out.u16(quint16(rowCount ? cols_ : 0));
    out.u16(0);
    out.end();

    for (int block = firstRow; block <= lastRow; block += kRowsPerBlock)
        writeRowBlock(block, std::min(lastRow, block + kRowsPerBlock - 1), firstRow - 1);

    out.begin(biff::Window2);
    const bool first = firstRow == 1;
    out.u16(first ? 0x06B6 : 0x00B6); // grid lines, headings, zeros, outline; the first sheet selected
    out.u16(0); // top row shown
    out.u16(0); // left column shown
    out.u16(64); // grid line colour: automatic
    out.u16(0);
    out.u16(0); // zoom of the page-break preview and of the normal view: default
    out.u16(0);
    out.u32(0);
    out.end();

    writeMerges(out, firstRow, lastRow);
    out.emptyRecord(biff::Eof);
}

void WorkbookWriter::writeColumns(BiffWriter& out)
{
    int col = 1;
    while (col <= cols_) {
        const int width = sheet_.colWidth(col);
        int last = col;
        while (last < cols_ && sheet_.colWidth(last + 1) == width)
            ++last;
        out.begin(biff::ColInfo);
        out.u16(quint16(col - 1));
        out.u16(quint16(last - 1));
        out.u16(columnWidth256(width));
        out.u16(XlsStyles::kDefaultXf);
        out.u16(width == 0 ? 0x0001 : 0); // hidden
        out.u16(0);
        out.end();
        col = last + 1;
    }
}

void WorkbookWriter::writeRowBlock(int firstRow, int lastRow, int rowOffset)
{
    QList<RowSpan> spans;
    blockCells_.clear();
    for (int row = firstRow; row <= lastRow; ++row) {
        RowSpan span;
        for (int col = 1; col <= cols_; ++col) {
            if (!writeCell(blockCells_, row, col, rowOffset))
                continue;
            if (span.end == 0)
                span.first = quint16(col - 1);
            span.end = quint16(col);
        }
        spans.append(span);
    }

    BiffWriter& out = worksheets_;
    const int defaultHeight = sheet_.defaultRowHeight();
    for (int row = firstRow; row <= lastRow; ++row) {
        const int height = std::min(sheet_.rowHeight(row), kMaxRowHeight);
        const RowSpan& span = spans[row - firstRow];
        out.begin(biff::Row);
        out.u16(quint16(row - rowOffset - 1));
        out.u16(span.first);
        out.u16(span.end);
        out.u16(quint16(height == 0 ? defaultHeight : height));
        out.u16(0);
        out.u16(0);
        // 0x100 is required; 0x40: the height is the row's own; 0x20: hidden.
        out.u32(0x100 | (height != defaultHeight ? 0x40 : 0) | (height == 0 ? 0x20 : 0));
        out.end();
    }
    out.append(blockCells_.data());
}

bool WorkbookWriter::writeCell(BiffWriter& out, int row, int col, int rowOffset)
{
    const int styleId = sheet_.styleId(row, col);
    const CellValue value = sheet_.value(row, col);
    const bool blank = std::holds_alternative<std::monostate>(value)
        || (std::holds_alternative<QString>(value) && std::get<QString>(value).isEmpty());
    if (blank && styleId == 0)
        return false;
    const quint16 xf = xfOfStyle(styleId);

    auto begin = [&](quint16 id) {
        out.begin(id);
        out.u16(quint16(row - rowOffset - 1));
        out.u16(quint16(col - 1));
        out.u16(xf);
    };
    auto label = [&](const QString& text) {
        begin(biff::LabelSst);
        out.u32(strings_.add(text));
    };
    auto boolErr = [&](quint8 value, bool isError) {
        begin(biff::BoolErr);
        out.u8(value);
        out.u8(isError ? 1 : 0);
    };

    if (blank) {
        begin(biff::Blank);
    } else if (const double* number = std::get_if<double>(&value)) {
        if (!std::isfinite(*number)) {
            boolErr(*errorCode(QStringLiteral("#NUM!")), true);
        } else if (const auto rk = rkValue(*number)) {
            begin(biff::Rk);
            out.u32(*rk);
        } else {
            begin(biff::Number);
            out.f64(*number);
        }
    } else if (const QString* text = std::get_if<QString>(&value)) {
        label(*text);
    } else if (const bool* logical = std::get_if<bool>(&value)) {
        boolErr(*logical ? 1 : 0, false);
    } else {
        const QString& code = std::get<CellError>(value).code;
        if (const auto byte = errorCode(code))
            boolErr(*byte, true);
        else
            label(code);
    }
    out.end();
    return true;
}

quint16 WorkbookWriter::xfOfStyle(int styleId)
{
    if (styleId >= xfOfStyle_.size())
        xfOfStyle_.resize(std::max(styleId + 1, sheet_.styleCount()), -1);
    int& xf = xfOfStyle_[styleId];
    if (xf < 0)
        xf = styles_.addCellFormat(sheet_.styleFormat(styleId));
    return quint16(xf);
}

void WorkbookWriter::writeMerges(BiffWriter& out, int firstRow, int lastRow)
{
    QList<CellRange> merges;
    for (const CellRange& block : sheet_.mergedBlocks()) {
        const CellRange clipped { std::max(block.row1, firstRow), block.col1, std::min(block.row2, lastRow),
            std::min(block.col2, cols_) };
        if (clipped.row1 > clipped.row2 || clipped.col1 > clipped.col2)
            continue;
        if (clipped.rowCount() == 1 && clipped.colCount() == 1)
            continue;
        merges.append(clipped);
    }
    for (qsizetype start = 0; start < merges.size(); start += kMaxMergesPerRecord) {
        const qsizetype count = std::min<qsizetype>(kMaxMergesPerRecord, merges.size() - start);
        out.begin(biff::MergedCells);
        out.u16(quint16(count));
        for (qsizetype i = start; i < start + count; ++i) {
            out.u16(quint16(merges[i].row1 - firstRow));
            out.u16(quint16(merges[i].row2 - firstRow));
            out.u16(quint16(merges[i].col1 - 1));
            out.u16(quint16(merges[i].col2 - 1));
        }
        out.end();
    }
}

} // namespace

void writeXls(const Sheet& sheet, QIODevice& out)
{
    writeCompoundFile(out, QStringLiteral("Workbook"), WorkbookWriter(sheet).workbook());
}

} // namespace platform::grid::io
