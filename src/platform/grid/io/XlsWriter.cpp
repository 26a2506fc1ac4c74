#include "XlsWriter.h"

#include "BiffWriter.h"
#include "CompoundFile.h"
#include "DeviceWrite.h"
#include "platform/Error.h"
#include "platform/grid/DateTimeFormat.h"
#include "platform/grid/NumberFormat.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/TemporaryFolder.h"
#include "SharedStrings.h"
#include "XlsPictures.h"
#include "XlsStyles.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <numeric>
#include <optional>
#include <QFileDevice>
#include <QTemporaryFile>
#include <utility>

namespace platform::grid::io
{

namespace
{

constexpr int kRowsPerWorksheet = 65536;
constexpr int kColsPerWorksheet = 256;
constexpr int kMaxPageBreaks = 1026; // the most a spreadsheet program keeps on one worksheet
constexpr int kMaxExternSheets = (biff::kMaxRecordData - 2) / 6;
constexpr int kRowsPerBlock = 32;
constexpr int kMaxMergesPerRecord = 1026;
constexpr int kMaxRowHeight = 8192;
constexpr int kMaxColumnWidth = 255 * 256;
constexpr quint16 kGlobalsSubstream = 0x0005;
constexpr quint16 kWorksheetSubstream = 0x0010;
constexpr quint16 kUnicodeCodePage = 1200;
constexpr quint8 kPrintAreaName = 0x06;
constexpr quint8 kPrintTitlesName = 0x07;
constexpr qint64 kCopyChunk = 1 << 20;

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

// How a format's cells hold numbers in the workbook, so that a spreadsheet shows each as the sheet does
// in every program and at any column width. A number written as text (NumberWritten) is held as a number
// only where the format shows the characters it was written with, and otherwise as the text the sheet
// shows; a number written as a number (typed, a formula's) stays one but under "@" and as an early day.
//   General    a number whose text is a plain number of at most 11 characters and at least 0.0001 (a
//              spreadsheet's General shows fewer digits, or an exponent, for any other), else its text
//   Text       ("@") never a number: the text
//   Days       a date number from 1900-03-01 on; an earlier day as its text in the format, since the
//              1900 date system counts a 29 February 1900 that some programs leave out (they show its
//              numbers 1 to 59 a day early) and numbers no day before 1900
//   Times      a number (times of day and elapsed hours)
//   Formatted  a number where the format shows the characters written ("2024" under "0", "0.00001"
//              under "0.00000"), else the text the format shows ("3.14" under "0.00")
enum class NumberCells : quint8 { Unknown, General, Text, Days, Times, Formatted };

NumberCells numberCellsOf(const QString& formatCode)
{
    if (isGeneralFormat(formatCode))
        return NumberCells::General;
    if (isTextFormat(formatCode))
        return NumberCells::Text;
    if (isDateTimeFormat(formatCode))
        return showsDays(formatCode) ? NumberCells::Days : NumberCells::Times;
    return NumberCells::Formatted;
}

// Whether a text is a plain number that a spreadsheet's General format shows as it is: a sign, digits
// and a point, at most 11 characters, the number 0 or at least 0.0001.
bool showsInGeneralColumn(QStringView text, double number)
{
    constexpr qsizetype GeneralWidth = 11;
    constexpr double SmallestPlain = 0.0001;
    if (text.isEmpty() || text.size() > GeneralWidth || (number != 0 && std::abs(number) < SmallestPlain))
        return false;
    bool point = false;
    for (qsizetype i = text.front() == u'-' ? 1 : 0; i < text.size(); ++i) {
        if (text[i] == u'.' && !point)
            point = true;
        else if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return true;
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

// Automatic page breaks shown, outline symbols below and right; fitting to pages when asked.
void writeSheetOptions(BiffWriter& out, const PageSetup& page)
{
    writeU16Record(out, biff::WsBool, quint16(0x04C1 | (page.fitPagesWide > 0 ? 0x0100 : 0)));
}

// Each row (from 1) begins a page.
void writePageBreaks(BiffWriter& out, const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    out.begin(biff::HorizontalPageBreaks);
    out.u16(quint16(rows.size()));
    for (const int row : rows) {
        out.u16(quint16(row - 1));
        out.u16(0); // across every column
        out.u16(kColsPerWorksheet - 1);
    }
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
    const bool fit = page.fitPagesWide > 0;
    out.begin(biff::Setup);
    out.u16(quint16(page.paperSize == kCustomPaper ? 0 : page.paperSize)); // 0: no standard size
    out.u16(quint16(std::clamp(page.scalePercent, 10, 400)));
    out.u16(1); // first page number
    out.u16(quint16(fit ? std::min(page.fitPagesWide, 0x7FFF) : 1)); // pages across when fitting
    out.u16(fit ? 0 : 1); // pages down when fitting: as many as the rows need
    out.u16(quint16(
        (page.leftToRight ? 0x01 : 0) | (page.landscape ? 0 : 0x02) | (page.blackAndWhite ? 0x08 : 0)));
    out.u16(0); // printer resolutions: not known
    out.u16(0);
    out.f64(page.headerMargin);
    out.f64(page.footerMargin);
    out.u16(1); // copies
    out.end();
}

// A built-in name of a worksheet over one rectangle (0-based rows and columns).
void writeBuiltInName(BiffWriter& out, quint8 name, int worksheet, int externSheet, const CellRange& area)
{
    out.begin(biff::Name);
    out.u16(0x0020); // built in
    out.u8(0); // no keyboard shortcut
    out.u8(1); // the name: one built-in code
    out.u16(11); // the formula: one 3-D area
    out.u16(0);
    out.u16(quint16(worksheet + 1)); // the worksheet it belongs to, from 1
    out.zeros(4); // no menu, description, help or status texts
    out.u8(0); // 8-bit characters
    out.u8(name);
    out.u8(0x3B); // 3-D area reference
    out.u16(quint16(externSheet));
    out.u16(quint16(area.row1));
    out.u16(quint16(area.row2));
    out.u16(quint16(area.col1)); // absolute rows and columns
    out.u16(quint16(area.col2));
    out.end();
}

CellRange boundingBox(const std::optional<CellRange>& box, const CellRange& range)
{
    if (!box)
        return range;
    return { std::min(box->row1, range.row1), std::min(box->col1, range.col1),
        std::max(box->row2, range.row2), std::max(box->col2, range.col2) };
}

// The print area's pieces over the sheet's used cells ("" gives none).
QList<CellRange> printAreaPieces(const Sheet& sheet, int cols)
{
    QList<CellRange> pieces;
    for (const QString& text : sheet.printArea().split(u',', Qt::SkipEmptyParts)) {
        std::optional<CellRange> piece = parseRangeText(text.trimmed());
        if (!piece)
            continue;
        if (piece->col2 == kWholeRowLastCol)
            piece->col2 = cols;
        if (piece->row2 == kWholeColLastRow)
            piece->row2 = sheet.lastUsedRow();
        piece->col2 = std::min(piece->col2, kColsPerWorksheet);
        if (piece->row1 <= piece->row2 && piece->col1 <= piece->col2)
            pieces.append(*piece);
    }
    return pieces;
}

// Ranges of a sheet (merged blocks, print area pieces) met in one pass down the sheet while its rows
// are placed in order: each call names the ranges that reach into its rows.
class RowSweep
{
public:
    explicit RowSweep(QList<CellRange> ranges)
        : ranges_(std::move(ranges))
        , order_(ranges_.size())
    {
        std::iota(order_.begin(), order_.end(), 0);
        std::sort(
            order_.begin(), order_.end(), [this](int a, int b) { return ranges_[a].row1 < ranges_[b].row1; });
    }

    // Calls `visit` with each range that reaches into rows first..last and its place in the list the
    // sweep was made of; later calls lie further down.
    template <typename Visit> void over(int first, int last, Visit visit)
    {
        while (next_ < order_.size() && ranges_[order_[next_]].row1 <= last)
            open_.append(order_[next_++]);
        open_.removeIf([&](int i) { return ranges_[i].row2 < first; });
        for (const int i : open_)
            visit(ranges_[i], i);
    }

private:
    QList<CellRange> ranges_;
    QList<int> order_;
    qsizetype next_ = 0;
    QList<int> open_;
};

// The columns of a row that received cell records, zero-based, last one exclusive.
struct RowSpan {
    quint16 first = 0;
    quint16 end = 0;
};

// The worksheet being filled; rows and columns from 1.
struct Worksheet {
    int rows = 0;
    int cols = 0;
    BiffWriter cells; // ROW records and cell records, block by block
    QList<CellRange> merges;
    QList<int> breaks; // rows beginning a page
    std::optional<CellRange> printArea;
    QList<XlsPictures::Placement> pictures;
};

// Built-in names of one worksheet, 0-based.
struct WorksheetNames {
    int worksheet = 0;
    std::optional<CellRange> printArea;
    std::optional<CellRange> printTitles;
};

} // namespace

class XlsWorkbook::Writer
{
public:
    void append(const Sheet& sheet);
    void write(QIODevice& out);

private:
    void takeLayout(const Sheet& sheet);
    void placePage(int first, int last, bool pageStart);
    void placeRows(int first, int last);
    void writeRowBlock(int first, int last, int rowOffset);
    bool writeCell(BiffWriter& out, int row, int col, int rowOffset);
    std::optional<QString> numberAsText(int row, int col, int styleId, double number);
    quint16 xfOfStyle(int styleId);
    void closeWorksheet();
    void writeWorksheetHead(BiffWriter& out) const;
    void writeMerges(BiffWriter& out) const;
    void writeGlobals(BiffWriter& out, const QList<qint64>& worksheetOffsets);
    void writeNames(BiffWriter& out, int worksheetCount) const;
    void spool(QByteArrayView bytes);
    void copySpool(QIODevice& out);

    // What every worksheet takes from the first sheet.
    bool hasLayout_ = false;
    QList<int> colWidths_;
    int defaultRowHeight_ = kDefaultRowHeight;
    int defaultColWidth_ = kDefaultColWidth;
    PageSetup page_;
    std::optional<CellRange> titleRows_; // 0-based, on the first worksheet

    // The sheet being appended.
    const Sheet* sheet_ = nullptr;
    int cols_ = 0;
    QList<int> xfOfStyle_; // by the sheet's style id, -1 until first used
    QList<NumberCells> numberCellsOfStyle_; // by the sheet's style id
    std::optional<RowSweep> merges_;
    std::optional<RowSweep> printArea_;
    QList<int> pictureIds_;
    std::optional<RowSweep> pictures_; // over pictureIds_

    Worksheet current_;
    QList<qint64> worksheetOffsets_; // of the finished worksheets in the spool
    QList<WorksheetNames> names_;
    QTemporaryFile spool_ { ui::temporaryNameTemplate(QStringLiteral("OrvReport-xls")) };
    qint64 spoolSize_ = 0;
    BiffWriter blockCells_; // the cell records of a block of rows, which go after their ROW records
    SharedStrings strings_;
    XlsStyles styles_;
    XlsPictures drawings_;
};

XlsWorkbook::XlsWorkbook()
    : writer_(std::make_unique<Writer>())
{
}

XlsWorkbook::~XlsWorkbook() = default;

void XlsWorkbook::append(const Sheet& sheet)
{
    writer_->append(sheet);
}

void XlsWorkbook::write(QIODevice& out)
{
    writer_->write(out);
}

void writeXls(const Sheet& sheet, QIODevice& out)
{
    XlsWorkbook workbook;
    workbook.append(sheet);
    workbook.write(out);
}

void XlsWorkbook::Writer::takeLayout(const Sheet& sheet)
{
    hasLayout_ = true;
    for (int col = 1; col <= cols_; ++col)
        colWidths_.append(sheet.colWidth(col));
    defaultRowHeight_ = sheet.defaultRowHeight();
    defaultColWidth_ = sheet.defaultColWidth();
    page_ = sheet.pageSetup();
    const std::optional<CellRange> titles = parseRangeText(sheet.printTitles().trimmed());
    if (titles && titles->row2 <= kRowsPerWorksheet)
        titleRows_ = CellRange { titles->row1 - 1, 0, titles->row2 - 1, kColsPerWorksheet - 1 };
}

void XlsWorkbook::Writer::append(const Sheet& sheet)
{
    const int rows = sheet.lastUsedRow();
    sheet_ = &sheet;
    cols_ = std::min(sheet.lastUsedCol(), kColsPerWorksheet);
    if (!hasLayout_)
        takeLayout(sheet);
    xfOfStyle_.clear();
    numberCellsOfStyle_.clear();
    merges_.emplace(sheet.mergedBlocks());
    printArea_.emplace(printAreaPieces(sheet, cols_));
    pictureIds_ = sheet.objectIds();
    QList<CellRange> anchors;
    for (const int id : pictureIds_)
        anchors.append(sheet.objectPosition(id));
    pictures_.emplace(anchors);

    QList<int> pageStarts = sheet.rowPageBreaks();
    pageStarts.removeIf([rows](int row) { return row > rows; });
    const bool firstRowStartsPage = !pageStarts.isEmpty() && pageStarts.first() == 1;
    if (!firstRowStartsPage)
        pageStarts.prepend(1);
    for (qsizetype i = 0; i < pageStarts.size(); ++i) {
        const int last = i + 1 < pageStarts.size() ? pageStarts[i + 1] - 1 : rows;
        placePage(pageStarts[i], last, i > 0 || firstRowStartsPage);
    }
    sheet_ = nullptr;
}

// A page that would not fit whole on the worksheet, or would pass the most page breaks it keeps,
// begins the next one; a page longer than a worksheet goes on from one to the next.
void XlsWorkbook::Writer::placePage(int first, int last, bool pageStart)
{
    const int length = last - first + 1;
    if (pageStart && current_.rows > 0
        && ((current_.rows + length > kRowsPerWorksheet && length <= kRowsPerWorksheet)
            || current_.breaks.size() == kMaxPageBreaks))
        closeWorksheet();
    while (first <= last) {
        if (current_.rows == kRowsPerWorksheet)
            closeWorksheet();
        if (pageStart && current_.rows > 0)
            current_.breaks.append(current_.rows + 1);
        pageStart = false;
        const int end = std::min(last, first + (kRowsPerWorksheet - current_.rows) - 1);
        placeRows(first, end);
        first = end + 1;
    }
}

// Rows first..last of the sheet go below the worksheet's rows, with the merged blocks and the print
// area over them cut to them.
void XlsWorkbook::Writer::placeRows(int first, int last)
{
    const int offset = current_.rows - first + 1; // from a row of the sheet to one of the worksheet
    for (int block = first; block <= last; block += kRowsPerBlock)
        writeRowBlock(block, std::min(last, block + kRowsPerBlock - 1), offset);
    merges_->over(first, last, [&](const CellRange& block, int) {
        const CellRange clipped { std::max(block.row1, first) + offset, block.col1,
            std::min(block.row2, last) + offset, std::min(block.col2, cols_) };
        if (clipped.col1 <= clipped.col2 && (clipped.rowCount() > 1 || clipped.colCount() > 1))
            current_.merges.append(clipped);
    });
    printArea_->over(first, last, [&](const CellRange& piece, int) {
        current_.printArea = boundingBox(current_.printArea,
            { std::max(piece.row1, first) + offset, piece.col1, std::min(piece.row2, last) + offset,
                piece.col2 });
    });
    pictures_->over(first, last, [&](const CellRange& anchor, int i) {
        if (anchor.col1 > cols_)
            return;
        const CellRange cells { std::max(anchor.row1, first) + offset - 1, anchor.col1 - 1,
            std::min(anchor.row2, last) + offset - 1, std::min(anchor.col2, cols_) - 1 };
        current_.pictures.append({ cells, drawings_.blipOf(sheet_->object(pictureIds_[i]).image) });
    });
    current_.rows += last - first + 1;
    current_.cols = std::max(current_.cols, cols_);
}

void XlsWorkbook::Writer::writeRowBlock(int first, int last, int rowOffset)
{
    const Sheet& sheet = *sheet_;
    QList<RowSpan> spans;
    BiffWriter& cells = blockCells_;
    cells.clear();
    for (int row = first; row <= last; ++row) {
        RowSpan span;
        for (int col = 1; col <= cols_; ++col) {
            if (!writeCell(cells, row, col, rowOffset))
                continue;
            if (span.end == 0)
                span.first = quint16(col - 1);
            span.end = quint16(col);
        }
        spans.append(span);
    }

    BiffWriter& out = current_.cells;
    for (int row = first; row <= last; ++row) {
        const int height = std::min(sheet.rowHeight(row), kMaxRowHeight);
        const RowSpan& span = spans[row - first];
        out.begin(biff::Row);
        out.u16(quint16(row + rowOffset - 1));
        out.u16(span.first);
        out.u16(span.end);
        out.u16(quint16(height == 0 ? defaultRowHeight_ : height));
        out.u16(0);
        out.u16(0);
        // 0x100 is required; 0x40: the height is the row's own; 0x20: hidden.
        out.u32(0x100 | (height != defaultRowHeight_ ? 0x40 : 0) | (height == 0 ? 0x20 : 0));
        out.end();
    }
    out.append(cells.data());
}

bool XlsWorkbook::Writer::writeCell(BiffWriter& out, int row, int col, int rowOffset)
{
    const Sheet& sheet = *sheet_;
    const int styleId = sheet.styleId(row, col);
    // Most cells of a report hold texts: they are read where they lie, without a copy.
    const std::optional<QStringView> storedText = sheet.textView(row, col);
    const CellValue value = storedText ? CellValue {} : sheet.value(row, col);
    const QString* computedText = std::get_if<QString>(&value);
    const std::optional<QStringView> text = storedText ? storedText
        : computedText                                 ? std::optional<QStringView>(*computedText)
                                                       : std::nullopt;
    const bool blank = text ? text->isEmpty() : std::holds_alternative<std::monostate>(value);
    if (blank && styleId == 0)
        return false;
    const quint16 xf = xfOfStyle(styleId);

    auto begin = [&](quint16 id) {
        out.begin(id);
        out.u16(quint16(row + rowOffset - 1));
        out.u16(quint16(col - 1));
        out.u16(xf);
    };
    auto label = [&](QStringView text) {
        if (const std::optional<quint32> index = strings_.add(text)) {
            begin(biff::LabelSst);
            out.u32(*index);
        } else {
            begin(biff::Label);
            out.string(text);
        }
    };
    auto boolErr = [&](quint8 value, bool isError) {
        begin(biff::BoolErr);
        out.u8(value);
        out.u8(isError ? 1 : 0);
    };

    if (blank) {
        begin(biff::Blank);
    } else if (text) {
        label(*text);
    } else if (const double* cellNumber = std::get_if<double>(&value)) {
        const double number = *cellNumber;
        if (!std::isfinite(number)) {
            boolErr(*errorCode(QStringLiteral("#NUM!")), true);
        } else if (const std::optional<QString> shown = numberAsText(row, col, styleId, number)) {
            label(*shown);
        } else if (const auto rk = rkValue(number)) {
            begin(biff::Rk);
            out.u32(*rk);
        } else {
            begin(biff::Number);
            out.f64(number);
        }
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

// A number goes into the workbook as a number only under a format that shows it as the sheet does at
// any column width, and otherwise as the text the sheet shows (see NumberCells).
std::optional<QString> XlsWorkbook::Writer::numberAsText(int row, int col, int styleId, double number)
{
    if (styleId >= numberCellsOfStyle_.size())
        numberCellsOfStyle_.resize(std::max(styleId + 1, sheet_->styleCount()), NumberCells::Unknown);
    NumberCells& cells = numberCellsOfStyle_[styleId];
    if (cells == NumberCells::Unknown)
        cells = numberCellsOf(*sheet_->styleFormat(styleId).numberFormat);
    constexpr double WholeDigitsShown = 1e10;
    switch (cells) {
    case NumberCells::General: {
        // Most numbers of a report are whole numbers that General shows as their digits.
        if (std::abs(number) < WholeDigitsShown && number == std::trunc(number))
            return std::nullopt;
        if (sheet_->numberWritten(row, col) == NumberWritten::AsNumber)
            return std::nullopt;
        const QString shown = sheet_->text(row, col);
        return showsInGeneralColumn(shown, number) ? std::nullopt : std::optional<QString>(shown);
    }
    case NumberCells::Days:
        static const double FirstSerialNumberedAlike = serialOf(FirstDayNumberedAlike.startOfDay());
        return number < FirstSerialNumberedAlike ? std::optional<QString>(sheet_->text(row, col))
                                                 : std::nullopt;
    case NumberCells::Times:
        return std::nullopt;
    case NumberCells::Formatted: {
        const NumberWritten written = sheet_->numberWritten(row, col);
        if (written == NumberWritten::AsNumber)
            return std::nullopt;
        const QString shown = sheet_->text(row, col);
        return shown == writtenText(number, written) ? std::nullopt : std::optional<QString>(shown);
    }
    case NumberCells::Text:
    case NumberCells::Unknown:
        break;
    }
    return sheet_->text(row, col);
}

quint16 XlsWorkbook::Writer::xfOfStyle(int styleId)
{
    if (styleId >= xfOfStyle_.size())
        xfOfStyle_.resize(std::max(styleId + 1, sheet_->styleCount()), -1);
    int& xf = xfOfStyle_[styleId];
    if (xf < 0)
        xf = styles_.xfFor(sheet_->styleFormat(styleId));
    return quint16(xf);
}

void XlsWorkbook::Writer::writeWorksheetHead(BiffWriter& out) const
{
    writeBof(out, kWorksheetSubstream);
    writeU16Record(out, biff::PrintHeaders, page_.printHeadings);
    writeU16Record(out, biff::PrintGridLines, page_.printGridLines);
    out.begin(biff::DefaultRowHeight);
    out.u16(0x0001); // the height is set, not derived from the font
    out.u16(quint16(std::clamp(defaultRowHeight_, 0, kMaxRowHeight)));
    out.end();
    writeSheetOptions(out, page_);
    writePageBreaks(out, current_.breaks);
    writePageSetup(out, page_);
    writeU16Record(
        out, biff::DefColWidth, quint16(std::lround(double(defaultColWidth_) / kXlsTwipsPerDigit)));

    const int cols = std::max(current_.cols, int(colWidths_.size()));
    auto width = [&](int col) { return col <= colWidths_.size() ? colWidths_[col - 1] : defaultColWidth_; };
    for (int col = 1; col <= cols;) {
        int last = col;
        while (last < cols && width(last + 1) == width(col))
            ++last;
        out.begin(biff::ColInfo);
        out.u16(quint16(col - 1));
        out.u16(quint16(last - 1));
        out.u16(columnWidth256(width(col)));
        out.u16(XlsStyles::kDefaultXf);
        out.u16(width(col) == 0 ? 0x0001 : 0); // hidden
        out.u16(0);
        out.end();
        col = last + 1;
    }

    out.begin(biff::Dimensions);
    out.u32(0);
    out.u32(quint32(current_.rows));
    out.u16(0);
    out.u16(quint16(current_.rows ? current_.cols : 0));
    out.u16(0);
    out.end();
}

void XlsWorkbook::Writer::writeMerges(BiffWriter& out) const
{
    const QList<CellRange>& merges = current_.merges;
    for (qsizetype start = 0; start < merges.size(); start += kMaxMergesPerRecord) {
        const qsizetype count = std::min<qsizetype>(kMaxMergesPerRecord, merges.size() - start);
        out.begin(biff::MergedCells);
        out.u16(quint16(count));
        for (qsizetype i = start; i < start + count; ++i) {
            out.u16(quint16(merges[i].row1 - 1));
            out.u16(quint16(merges[i].row2 - 1));
            out.u16(quint16(merges[i].col1 - 1));
            out.u16(quint16(merges[i].col2 - 1));
        }
        out.end();
    }
}

// The worksheet goes into the spool whole, and a new one begins. Its cell records go there from where
// they were written, and their buffer keeps its room for the next worksheet.
void XlsWorkbook::Writer::closeWorksheet()
{
    const int index = int(worksheetOffsets_.size());
    BiffWriter head;
    writeWorksheetHead(head);

    BiffWriter tail;
    drawings_.writeWorksheetDrawing(tail, current_.pictures);
    tail.begin(biff::Window2);
    tail.u16(index == 0 ? 0x06B6 : 0x00B6); // grid lines, headings, zeros, outline; the first sheet selected
    tail.u16(0); // top row shown
    tail.u16(0); // left column shown
    tail.u16(64); // grid line colour: automatic
    tail.u16(0);
    tail.u16(0); // zoom of the page-break preview and of the normal view: default
    tail.u16(0);
    tail.u32(0);
    tail.end();
    writeMerges(tail);
    tail.emptyRecord(biff::Eof);

    WorksheetNames names { index, std::nullopt, std::nullopt };
    if (current_.printArea) {
        const CellRange& a = *current_.printArea;
        names.printArea = CellRange { a.row1 - 1, a.col1 - 1, a.row2 - 1, a.col2 - 1 };
    }
    if (index == 0 && titleRows_ && titleRows_->row2 < current_.rows)
        names.printTitles = titleRows_;
    if ((names.printArea || names.printTitles) && names_.size() < kMaxExternSheets)
        names_.append(names);

    worksheetOffsets_.append(spoolSize_);
    spool(head.data());
    spool(current_.cells.data());
    spool(tail.data());
    BiffWriter cells = std::exchange(current_, Worksheet {}).cells;
    cells.clear();
    current_.cells = std::move(cells);
}

void XlsWorkbook::Writer::spool(QByteArrayView bytes)
{
    const QString failure = QStringLiteral("无法写入临时文件“%1”：%2");
    if (!spool_.isOpen() && !spool_.open())
        throwFileError(failure.arg(spool_.fileTemplate(), spool_.errorString()));
    try {
        writeAll(spool_, bytes);
    } catch (const Error& error) {
        throwFileError(failure.arg(spool_.fileName(), error.description()));
    }
    spoolSize_ += bytes.size();
}

namespace
{

// The disk starts taking the bytes of a file from `from` on while the rest is written, so that keeping
// the file at the end waits only for its last part.
void startWriteBack(QIODevice& out, qint64 from)
{
    auto* file = qobject_cast<QFileDevice*>(&out);
    if (file && file->handle() >= 0 && file->flush())
        ::sync_file_range(file->handle(), from, file->pos() - from, SYNC_FILE_RANGE_WRITE);
}

} // namespace

void XlsWorkbook::Writer::copySpool(QIODevice& out)
{
    if (spoolSize_ == 0)
        return;
    if (const auto reason = failureOf(spool_, [&] { return spool_.flush() && spool_.seek(0); }))
        throwFileError(*reason);
    QByteArray chunk;
    for (qint64 copied = 0; copied < spoolSize_; copied += chunk.size()) {
        chunk = spool_.read(std::min(kCopyChunk, spoolSize_ - copied));
        if (chunk.isEmpty())
            throwFileError(QStringLiteral("无法读取临时文件：%1").arg(spool_.errorString()));
        const qint64 from = out.pos();
        writeAll(out, chunk);
        startWriteBack(out, from);
    }
}

void XlsWorkbook::Writer::write(QIODevice& out)
{
    if (current_.rows > 0 || worksheetOffsets_.isEmpty())
        closeWorksheet();
    BiffWriter globals;
    writeGlobals(globals, worksheetOffsets_);
    writeCompoundFile(out, QStringLiteral("Workbook"), globals.size() + spoolSize_, [&](QIODevice& device) {
        writeAll(device, globals.data());
        copySpool(device);
    });
}

void XlsWorkbook::Writer::writeGlobals(BiffWriter& out, const QList<qint64>& worksheetOffsets)
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
    writeNames(out, int(worksheetOffsets.size()));
    drawings_.writeGroup(out);
    // The table of texts is most of the globals: its room is taken at once rather than doubled.
    out.reserve(strings_.writtenSizeBound());
    strings_.write(out);
    out.emptyRecord(biff::Eof);

    for (int i = 0; i < worksheetOffsets.size(); ++i)
        out.patchU32(positionFields[i], quint32(out.size() + worksheetOffsets[i]));
}

// Print areas and titles are names of their worksheets, which refer to them through the table of
// worksheet references: one entry per worksheet that has a name.
void XlsWorkbook::Writer::writeNames(BiffWriter& out, int worksheetCount) const
{
    if (names_.isEmpty())
        return;
    out.begin(biff::SupBook);
    out.u16(quint16(worksheetCount));
    out.u16(0x0401); // the workbook itself
    out.end();
    out.begin(biff::ExternSheet);
    out.u16(quint16(names_.size()));
    for (const WorksheetNames& names : names_) {
        out.u16(0); // the workbook itself
        out.u16(quint16(names.worksheet));
        out.u16(quint16(names.worksheet));
    }
    out.end();
    for (int i = 0; i < names_.size(); ++i) {
        const WorksheetNames& names = names_[i];
        if (names.printArea)
            writeBuiltInName(out, kPrintAreaName, names.worksheet, i, *names.printArea);
        if (names.printTitles)
            writeBuiltInName(out, kPrintTitlesName, names.worksheet, i, *names.printTitles);
    }
}

} // namespace platform::grid::io
