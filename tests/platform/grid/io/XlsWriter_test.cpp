#include "platform/grid/io/SharedStrings.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsWriter.h"
#include "platform/grid/SheetTestSupport.h"
#include "SampleSheets.h"
#include "support/SavedEnvironment.h"
#include "support/SpreadsheetPrintout.h"
#include "XlsDump.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QSet>
#include <QTemporaryDir>

using namespace platform::grid;
using namespace platform::grid::io;

namespace
{

QJsonObject writeAndDump(const Sheet& sheet, const QStringList& options = {})
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.xls"));
    writeSheet(sheet, path, FileType::Xls);
    return xlsDump(path, options);
}

QJsonObject cellAt(const QJsonObject& sheet, int row, int col)
{
    for (const QJsonValue& cell : sheet.value("cells").toArray()) {
        if (cell["row"].toInt() == row && cell["col"].toInt() == col)
            return cell.toObject();
    }
    ADD_FAILURE() << "no cell at " << row << "," << col;
    return {};
}

QJsonObject side(int style, const char* color)
{
    return { { "style", style }, { "color", color } };
}
const QJsonObject kNoLine { { "style", 0 }, { "color", QJsonValue::Null } };

int width256(int twips)
{
    return int(std::lround(twips * 256.0 / kXlsTwipsPerDigit));
}

// Pages of a report, numbered from `firstPage`: "第n页" in the first row of each, the page's number in
// its last row; a page break and a piece of the print area for each page.
Sheet pagesSheet(int pages, int pageRows, int firstPage = 1)
{
    Sheet sheet;
    QList<int> starts;
    QStringList pieces;
    for (int p = 0; p < pages; ++p) {
        const int first = p * pageRows + 1;
        sheet.setText(first, 1, QStringLiteral("第%1页").arg(firstPage + p));
        sheet.setNumber(first + pageRows - 1, 2, firstPage + p);
        starts.append(first);
        pieces.append(rangeText({ first, 1, first + pageRows - 1, 3 }, true));
    }
    sheet.setRowPageBreaks(starts);
    sheet.setPrintArea(pieces.join(u','));
    return sheet;
}

QJsonArray everyNth(int step, int count)
{
    QJsonArray rows;
    for (int i = 1; i <= count; ++i)
        rows.append(i * step);
    return rows;
}

} // namespace

TEST(XlsWriter, RichSheetReadsBackThroughAnIndependentReader)
{
    const QJsonObject dump = writeAndDump(richSheet());
    const QJsonArray sheets = dump["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 1);
    const QJsonObject s = sheets[0].toObject();
    EXPECT_EQ(s["name"].toString(), "Sheet1");

    const QJsonObject title = cellAt(s, 0, 0);
    EXPECT_EQ(title["kind"].toString(), "text");
    EXPECT_EQ(title["value"].toString(), QStringLiteral("档案目录 <2024> & \"附件\""));
    EXPECT_EQ(title["font"]["name"].toString(), QStringLiteral("宋体"));
    EXPECT_EQ(title["font"]["height"].toInt(), 240);
    EXPECT_TRUE(title["font"]["bold"].toBool());
    EXPECT_EQ(title["hAlign"].toInt(), 2);
    EXPECT_EQ(title["vAlign"].toInt(), 1);
    EXPECT_EQ(title["top"].toObject(), side(1, "#ff0000"));
    EXPECT_EQ(title["left"].toObject(), side(1, "#ff0000"));
    EXPECT_EQ(title["right"].toObject(), kNoLine); // the block's inside
    EXPECT_EQ(cellAt(s, 0, 2)["right"].toObject(), side(1, "#ff0000"));
    EXPECT_EQ(cellAt(s, 0, 2)["kind"].toString(), "blank");

    const struct {
        int col;
        double value;
        const char* format;
        const char* kind; // a reader takes a number in a date format for a date
    } numbers[] = {
        { 0, 1234.5, "#,##0.00", "number" },
        { 1, 0.25, "0%", "number" },
        { 2, 12345678901.25, "0.00", "number" },
        { 3, -3, "0", "number" },
        { 4, 1.23, "General", "number" },
        { 5, 45000, "yyyy-mm-dd", "date" },
        { 6, 0.5, "0.000", "number" },
        { 7, 45001, "yyyy\"年\"m\"月\"d\"日\"", "date" },
    };
    for (const auto& n : numbers) {
        const QJsonObject cell = cellAt(s, 1, n.col);
        EXPECT_EQ(cell["kind"].toString(), n.kind) << n.col;
        EXPECT_EQ(cell["value"].toDouble(), n.value) << n.col;
        EXPECT_EQ(cell["format"].toString(), QString::fromUtf8(n.format)) << n.col;
    }

    const QJsonObject wrapped = cellAt(s, 2, 0);
    EXPECT_EQ(wrapped["value"].toString(), QStringLiteral("第一行\n第二行"));
    EXPECT_TRUE(wrapped["wrap"].toBool());
    EXPECT_EQ(wrapped["vAlign"].toInt(), 0);
    EXPECT_TRUE(wrapped["font"]["italic"].toBool());
    EXPECT_EQ(wrapped["font"]["underline"].toInt(), 1);
    EXPECT_EQ(wrapped["font"]["color"].toString(), "#0000ff");
    EXPECT_EQ(cellAt(s, 2, 1)["kind"].toString(), "bool");
    EXPECT_EQ(cellAt(s, 2, 1)["value"].toInt(), 1);
    EXPECT_EQ(cellAt(s, 2, 2)["kind"].toString(), "error");
    EXPECT_EQ(cellAt(s, 2, 2)["value"].toString(), "#DIV/0!");
    EXPECT_EQ(cellAt(s, 2, 3)["kind"].toString(), "number"); // the formula's value
    EXPECT_EQ(cellAt(s, 2, 3)["value"].toDouble(), 2469);

    const QJsonObject filled = cellAt(s, 3, 1);
    EXPECT_EQ(filled["pattern"].toInt(), 1);
    EXPECT_EQ(filled["fill"].toString(), "#ffff00");
    EXPECT_EQ(filled["font"]["color"].toString(), "#123456");
    EXPECT_TRUE(filled["font"]["strike"].toBool());
    EXPECT_TRUE(filled["shrink"].toBool());
    EXPECT_EQ(filled["hAlign"].toInt(), 3);
    const QJsonObject bordered = cellAt(s, 3, 2);
    EXPECT_EQ(bordered["kind"].toString(), "blank");
    EXPECT_EQ(bordered["bottom"].toObject(), side(6, "#008000"));

    EXPECT_EQ(s["merged"].toArray(), (QJsonArray { QJsonArray { 0, 1, 0, 3 }, QJsonArray { 4, 6, 0, 2 } }));

    const QJsonObject widths = s["colWidths"].toObject();
    EXPECT_EQ(widths["0"].toInt(), width256(2000));
    EXPECT_EQ(widths["1"].toInt(), width256(1500));
    EXPECT_EQ(widths["2"].toInt(), width256(kDefaultColWidth));
    EXPECT_EQ(s["hiddenCols"].toArray(), QJsonArray { 4 });
    const QJsonObject heights = s["rowHeights"].toObject();
    EXPECT_EQ(heights["0"].toInt(), 600);
    EXPECT_EQ(heights["1"].toInt(), kDefaultRowHeight);
    EXPECT_EQ(heights["2"].toInt(), 555);

    const QJsonObject expectedPage {
        { "paper", 8 },
        { "scale", 85 },
        { "fitToPage", 0 },
        { "fitWide", 1 },
        { "fitTall", 1 },
        { "landscape", 1 },
        { "leftToRight", 0 },
        { "blackAndWhite", 0 },
        { "header", "&C档案目录" },
        { "footer", "第&P页" },
        { "left", 0.5 },
        { "right", 0.75 },
        { "top", 0.8 },
        { "bottom", 1.0 },
        { "headerMargin", 0.5 },
        { "footerMargin", 0.5 },
        { "hCenter", 1 },
        { "vCenter", 0 },
        { "gridLines", 1 },
        { "headings", 0 },
    };
    EXPECT_EQ(s["page"].toObject(), expectedPage);
}

// A number is a number cell where its format shows it as the sheet does at any column width and in every
// spreadsheet program, else the text the sheet shows.
TEST(XlsWriter, NumbersAreNumberCellsWhereTheirFormatShowsThemAsTheSheetDoes)
{
    using W = NumberWritten;
    const struct {
        double value;
        W written;
        const char* format;
        const char* kind;
        const char* shown; // the text cell's, or none for a number
    } cases[] = {
        { 59, W::AsNumber, "General", "number", nullptr }, // no date: not one lower
        { 1234.56789012, W::AsNumber, "General", "number", nullptr },
        { 2024, W::AsNumber, "@", "text", "2024" },
        { 2, W::AsNumber, "yyyy-mm-dd", "text", "1900-01-01" }, // a day some programs show a day early
        { 60, W::AsNumber, "yyyy-mm-dd", "text", "1900-02-28" },
        { 61, W::AsNumber, "yyyy-mm-dd", "date", nullptr },
        { 13800138000, W::AsDigits, "General", "number", nullptr },
        { 123456789012, W::AsDigits, "General", "text", "123456789012" },
        { 0.0001, W::AsDigits, "General", "number", nullptr },
        { 0.00001, W::AsDigits, "General", "text", "0.00001" },
        { 0.00001, W::AsDigits, "0.00000", "number", nullptr },
        { 2024, W::AsDigits, "0", "number", nullptr },
        { 3.14159265358979, W::AsDigits, "0.00", "text", "3.14" },
    };
    Sheet sheet;
    for (int col = 1; col <= int(std::size(cases)); ++col) {
        const auto& c = cases[col - 1];
        sheet.setNumber(1, col, c.value, c.written);
        sheet.applyFormat(
            CellRange::cell(1, col), formatWith(&CellFormat::numberFormat, QString::fromUtf8(c.format)));
    }
    const QJsonObject written = writeAndDump(sheet)["sheets"][0].toObject();
    for (int col = 1; col <= int(std::size(cases)); ++col) {
        const auto& c = cases[col - 1];
        const QJsonObject cell = cellAt(written, 0, col - 1);
        EXPECT_EQ(cell["kind"].toString(), c.kind) << col;
        EXPECT_EQ(cell["value"], c.shown ? QJsonValue(c.shown) : QJsonValue(c.value)) << col;
        EXPECT_EQ(cell["format"].toString(), c.format) << col;
    }
}

TEST(XlsWriter, RowsBeyondOneWorksheetContinueOnTheNext)
{
    constexpr int kRows = 70000;
    Sheet sheet;
    for (int row = 1; row <= kRows; ++row) {
        sheet.setNumber(row, 1, row);
        sheet.setText(row, 2, QStringLiteral("行%1").arg(row));
    }
    sheet.merge(CellRange { 65535, 3, 65538, 4 }); // crosses the border between the worksheets
    sheet.merge(CellRange { 69999, 3, 70000, 4 });
    sheet.setRowHeight(65537, 720);
    sheet.setText(1, 300, QStringLiteral("第300列")); // beyond the 256 columns of a worksheet

    const QJsonArray sheets
        = writeAndDump(sheet, { QStringLiteral("--edges"), QStringLiteral("2") })["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 2);
    const QJsonObject first = sheets[0].toObject();
    const QJsonObject second = sheets[1].toObject();
    EXPECT_EQ(first["name"].toString(), "Sheet1");
    EXPECT_EQ(second["name"].toString(), "Sheet2");
    EXPECT_EQ(first["rows"].toInt(), 65536);
    EXPECT_EQ(second["rows"].toInt(), kRows - 65536);
    EXPECT_LE(first["cols"].toInt(), 256);

    EXPECT_EQ(cellAt(first, 0, 0)["value"].toDouble(), 1);
    EXPECT_EQ(cellAt(first, 65535, 0)["value"].toDouble(), 65536);
    EXPECT_EQ(cellAt(first, 65535, 1)["value"].toString(), QStringLiteral("行65536"));
    EXPECT_EQ(cellAt(second, 0, 0)["value"].toDouble(), 65537);
    EXPECT_EQ(cellAt(second, 0, 1)["value"].toString(), QStringLiteral("行65537"));
    EXPECT_EQ(cellAt(second, kRows - 65537, 0)["value"].toDouble(), kRows);

    EXPECT_TRUE(first["merged"].toArray().contains(QJsonArray { 65534, 65536, 2, 4 }));
    const QJsonArray secondMerges = second["merged"].toArray();
    EXPECT_TRUE(secondMerges.contains(QJsonArray { 0, 2, 2, 4 }));
    EXPECT_TRUE(secondMerges.contains(QJsonArray { kRows - 65536 - 2, kRows - 65536, 2, 4 }));
    EXPECT_EQ(second["rowHeights"].toObject()["0"].toInt(), 720);
}

// The worksheets wait in a spool file while the workbook is written; a relative $TMPDIR ("." in the
// working folder) must not put it beside the clerk's files (an unnamed file shows only among the open ones).
TEST(XlsWriter, TheSpoolFileStaysOutOfTheWorkingFolderUnderARelativeTmpdir)
{
    struct OpenFilesWatch : QBuffer {
        QString folder;
        QString seen;
        qint64 writeData(const char* data, qint64 size) override
        {
            const QDir open(QStringLiteral("/proc/self/fd"));
            for (const QFileInfo& file :
                open.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
                if (file.symLinkTarget().startsWith(folder))
                    seen += file.symLinkTarget() + QLatin1Char(' ');
            return QBuffer::writeData(data, size);
        }
    };
    const orvtest::SavedEnvironment savedTemp { "TMPDIR" };
    const QString working = QDir::currentPath();
    QTemporaryDir folder;
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    qputenv("TMPDIR", ".");
    Sheet sheet;
    sheet.setText(1, 1, QStringLiteral("案卷"));
    OpenFilesWatch out;
    out.folder = QDir::currentPath() + QLatin1Char('/');
    out.open(QIODevice::WriteOnly);
    writeXls(sheet, out);
    QDir::setCurrent(working);
    EXPECT_GT(out.size(), 0);
    EXPECT_TRUE(out.seen.isEmpty()) << qPrintable(out.seen);
}

TEST(XlsWriter, ManyMergedBlocksAllArrive)
{
    constexpr int kBlocks = 2500; // more than two records of merged blocks
    Sheet sheet;
    for (int row = 1; row <= kBlocks; ++row) {
        sheet.setText(row, 1, QStringLiteral("块%1").arg(row));
        sheet.merge(CellRange { row, 1, row, 2 + row % 3 });
    }
    const QJsonArray merged
        = writeAndDump(sheet, { QStringLiteral("--edges"), QStringLiteral("1") })["sheets"][0]["merged"]
              .toArray();
    ASSERT_EQ(merged.size(), kBlocks);
    QSet<int> rows;
    for (const QJsonValue& block : merged) {
        const int row = block[0].toInt();
        rows.insert(row);
        EXPECT_EQ(block.toArray(), (QJsonArray { row, row + 1, 0, 2 + (row + 1) % 3 }));
    }
    EXPECT_EQ(rows.size(), kBlocks);
}

TEST(XlsWriter, EmptySheetIsOneEmptyWorksheet)
{
    const QJsonArray sheets = writeAndDump(Sheet())["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0]["rows"].toInt(), 0);
    EXPECT_TRUE(sheets[0]["cells"].toArray().isEmpty());
}

TEST(XlsWriter, PageBreaksPrintAreaTitlesAndFitToWidthReadBack)
{
    Sheet sheet = pagesSheet(3, 10);
    sheet.setPrintTitles(QStringLiteral("$1:$2"));
    PageSetup page;
    page.fitPagesWide = 1;
    sheet.setPageSetup(page);
    const QJsonObject written = writeAndDump(sheet)["sheets"][0].toObject();
    EXPECT_EQ(written["breaks"].toArray(), (QJsonArray { 10, 20 }));
    EXPECT_EQ(written["Print_Area"].toArray(), (QJsonArray { 0, 29, 0, 2 }));
    EXPECT_EQ(written["Print_Titles"].toArray(), (QJsonArray { 0, 1, 0, 255 }));
    EXPECT_EQ(written["page"]["fitToPage"].toInt(), 1);
    EXPECT_EQ(written["page"]["fitWide"].toInt(), 1);
    EXPECT_EQ(written["page"]["fitTall"].toInt(), 0);
}

namespace
{

struct BatchCase {
    int pageRows;
    int pagesPerBatch;
    int batches;
    QList<int> pagesOfWorksheets;
};
void PrintTo(const BatchCase& c, std::ostream* os)
{
    *os << c.pageRows << " rows a page, " << c.pagesPerBatch << " pages a batch";
}

class XlsBatchTest : public ::testing::TestWithParam<BatchCase>
{
};

// Worksheets hold whole pages: a page that would not fit begins the next one, as does the page after
// the most breaks a worksheet keeps (1,026).
INSTANTIATE_TEST_SUITE_P(Batches, XlsBatchTest,
    ::testing::Values(BatchCase { 1000, 10, 7, { 65, 5 } }, BatchCase { 2, 500, 3, { 1027, 473 } }));

} // namespace

TEST_P(XlsBatchTest, BatchesFollowOneAnotherAndEveryWorksheetHoldsWholePages)
{
    const BatchCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.xls"));
    XlsWorkbook workbook;
    for (int batch = 0; batch < c.batches; ++batch)
        workbook.append(pagesSheet(c.pagesPerBatch, c.pageRows, batch * c.pagesPerBatch + 1));
    writeFile(path, [&](QIODevice& file) { workbook.write(file); });

    const QJsonArray sheets
        = xlsDump(path, { QStringLiteral("--edges"), QStringLiteral("1") })["sheets"].toArray();
    ASSERT_EQ(sheets.size(), c.pagesOfWorksheets.size());
    int firstPage = 1;
    for (int w = 0; w < sheets.size(); ++w) {
        const QJsonObject sheet = sheets[w].toObject();
        const int pages = c.pagesOfWorksheets[w];
        const int rows = pages * c.pageRows;
        EXPECT_EQ(sheet["rows"].toInt(), rows) << w;
        EXPECT_EQ(sheet["breaks"].toArray(), everyNth(c.pageRows, pages - 1)) << w;
        EXPECT_EQ(sheet["Print_Area"].toArray(), (QJsonArray { 0, rows - 1, 0, 2 })) << w;
        EXPECT_EQ(cellAt(sheet, 0, 0)["value"].toString(), QStringLiteral("第%1页").arg(firstPage)) << w;
        EXPECT_EQ(cellAt(sheet, rows - 1, 1)["value"].toDouble(), firstPage + pages - 1) << w;
        firstPage += pages;
    }
}

// The pictures reach a spreadsheet program: each placement shows, the same image placed twice as well.
TEST(XlsWriter, PicturesShowInASpreadsheetProgram)
{
    Sheet sheet;
    sheet.setText(1, 1, QStringLiteral("照片"));
    sheet.addPicture(samplePicture(), CellRange { 2, 2, 3, 3 });
    QImage other(40, 30, QImage::Format_RGB32);
    other.fill(Qt::darkGreen);
    sheet.addPicture(other, CellRange { 10, 1, 12, 2 });
    sheet.addPicture(other, CellRange { 14, 1, 15, 1 });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pictures.xls"));
    writeSheet(sheet, path, FileType::Xls);
    xlsDump(path); // an independent reader takes the drawing records without a word

    const std::optional<QString> pdf = orvtest::spreadsheetPdf(path, dir.path());
    if (!pdf)
        GTEST_SKIP() << "LibreOffice is not installed";
    QList<QSize> sizes = orvtest::pdfImageSizes(*pdf);
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    EXPECT_EQ(sizes, (QList<QSize> { samplePicture().size(), other.size(), other.size() }));
}

// The string table waits in memory for the end of the workbook and so takes new texts only up to its
// budget; short texts beyond it go into their cells, where a reader finds them as well.
TEST(XlsWriter, TextsBeyondTheStringTablesBudgetStillReadBack)
{
    const int perText = 3 + 2 * SharedStrings::kMaxCellRecordChars;
    const int beyond = int(SharedStrings::kBudgetBytes / perText) + 10;
    const QString body(SharedStrings::kMaxCellRecordChars - 6, QChar(u'档'));
    Sheet sheet;
    for (int row = 1; row <= beyond; ++row)
        sheet.setText(row, 1, QStringLiteral("%1").arg(row, 6, 10, QLatin1Char('0')) + body);
    sheet.setText(beyond + 1, 1, sheet.text(1, 1)); // a text the table holds
    sheet.setText(
        beyond + 2, 1, QString(SharedStrings::kMaxCellRecordChars + 1, QChar(u'长'))); // too long for a cell

    const QJsonObject written
        = writeAndDump(sheet, { QStringLiteral("--edges"), QStringLiteral("3") })["sheets"][0].toObject();
    for (const int row : { 1, beyond, beyond + 1, beyond + 2 })
        EXPECT_EQ(cellAt(written, row - 1, 0)["value"].toString(), sheet.text(row, 1)) << row;
}
