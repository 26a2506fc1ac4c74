#include "platform/Error.h"
#include "platform/grid/print/GridPrinter.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/view/SheetPainter.h"
#include "platform/ui/Printers.h"
#include "platform/ui/ScriptedUi.h"
#include "support/FileSizeLimit.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace platform::grid;

namespace
{

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& pdf)
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", { pdf }));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Width and height of the first page in points.
QSizeF pdfPageSize(const QString& pdf)
{
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                           .match(run("pdfinfo", { pdf }));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

QString pdfText(const QString& pdf, int page)
{
    return run(
        "pdftotext", { "-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-" });
}

// The numbers n of the texts "行n" in the order a page reads.
QList<int> rowNumbers(const QString& text)
{
    QList<int> numbers;
    auto it = QRegularExpression(QStringLiteral("行(\\d+)")).globalMatch(text);
    while (it.hasNext())
        numbers.append(it.next().captured(1).toInt());
    return numbers;
}

QList<int> range(int first, int last)
{
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

// Rows 1..count of column A hold "行1", "行2"...: 270 twips each, so an A4 page between margins of
// one inch holds 51 of them (9.69 inches = 13,957 twips).
Sheet numberedRows(int count)
{
    Sheet sheet;
    for (int r = 1; r <= count; ++r)
        sheet.setText(r, 1, QStringLiteral("行%1").arg(r));
    return sheet;
}

// The lines of a text laid out as pdftotext reads them, blanks around them dropped.
QStringList textLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines;
}

class GridPrinterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        platform::ui::setPdfPrinterFolder(folder.path());
    }
    void TearDown() override { platform::ui::setPdfPrinterFolder({}); }

    QString pdfPath(const QString& name) const { return folder.filePath(name + QStringLiteral(".pdf")); }

    std::unique_ptr<QPrinter> pdfPrinter(const QString& name) const
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath(name));
        return printer;
    }

    // Prints to a new PDF file; `prepare` sets what a print dialog would.
    int printToPdf(
        const Sheet& sheet, const QString& name, const std::function<void(QPrinter&)>& prepare = {})
    {
        const auto printer = pdfPrinter(name);
        if (prepare)
            prepare(*printer);
        return GridPrinter(sheet).print(*printer);
    }

    QTemporaryDir folder;
};

} // namespace

// Rows per page by hand: an A4 page between margins of one inch holds 13,957 twips.
TEST_F(GridPrinterTest, PagesBreakWhereTheRowsNoLongerFit)
{
    const struct {
        const char* name;
        std::function<void(Sheet&)> prepare;
        QList<QList<int>> pages; // the rows each page shows
    } cases[] = {
        { "rows", [](Sheet&) {}, { range(1, 51), range(52, 100) } },
        { "tall", // ten rows of 1000 twips take the room of 37 ordinary ones
            [](Sheet& s) { s.setRowHeights(1, 10, 1000); }, { range(1, 24), range(25, 75), range(76, 100) } },
        { "pieces", // each piece of the print area starts a page
            [](Sheet& s) { s.setPrintArea(QStringLiteral("$A$1:$A$5,$A$11:$A$13")); },
            { range(1, 5), range(11, 13) } },
        { "half", // at 50 % a page holds twice the rows
            [](Sheet& s) {
                PageSetup setup;
                setup.scalePercent = 50;
                s.setPageSetup(setup);
            },
            { range(1, 100) } },
        { "margins", // margins of 3 inches leave 5.69 inches: 30 rows
            [](Sheet& s) {
                PageSetup setup;
                setup.topMargin = 3;
                setup.bottomMargin = 3;
                s.setPageSetup(setup);
            },
            { range(1, 30), range(31, 60), range(61, 90), range(91, 100) } },
    };
    for (const auto& c : cases) {
        Sheet sheet = numberedRows(100);
        c.prepare(sheet);
        ASSERT_EQ(printToPdf(sheet, c.name), c.pages.size()) << c.name;
        EXPECT_EQ(pdfPageCount(pdfPath(c.name)), c.pages.size()) << c.name;
        for (int page = 1; page <= c.pages.size(); ++page)
            EXPECT_EQ(rowNumbers(pdfText(pdfPath(c.name), page)), c.pages[page - 1]) << c.name << " " << page;
    }
}

// A 14-pt bold title wraps on screen where it wraps on paper. The screen is a PDF of 96 dots per inch,
// where fonts come in whole pixels as on a screen (19 pixels for the paper's 18.67 at 100 %, 10 for its
// 10.45 at 56 %, the zoom of a landscape A4 page fitted in the print window). By hand: a Chinese
// character is one em, 280 twips; a column of 1760 (1960) twips less 60 of padding holds 6 of them
// (1680), not 7 (1960), where 19-pixel ones (1710 twips) would take 5 and 10-pixel ones 7.
TEST_F(GridPrinterTest, WrappedLinesOnScreenAreThoseOfThePrintedPage)
{
    const QString title = QStringLiteral("关于印发档案管理工作规范化建设实施方案");
    const QStringList byHand { QStringLiteral("关于印发档案"), QStringLiteral("管理工作规范"),
        QStringLiteral("化建设实施方"), QStringLiteral("案") };
    const struct {
        int width;
        int zoom;
        bool landscape;
    } cases[] = { { 1760, 100, false }, { 1960, 56, true }, { 1760, 75, true }, { 1960, 100, false } };
    for (const auto& c : cases) {
        const QString name = QStringLiteral("title-%1-%2").arg(c.width).arg(c.zoom);
        Sheet sheet;
        sheet.setText(1, 1, title);
        CellFormat format;
        format.fontSize = 14;
        format.fontBold = true;
        format.wrapText = true;
        sheet.applyFormat(CellRange::cell(1, 1), format);
        sheet.setColWidth(1, c.width);
        sheet.setRowHeight(1, 4 * 295 + 60);
        PageSetup setup;
        setup.landscape = c.landscape;
        sheet.setPageSetup(setup);
        ASSERT_EQ(printToPdf(sheet, name), 1);
        EXPECT_EQ(textLines(pdfText(pdfPath(name), 1)), byHand) << qPrintable(name);

        QPdfWriter screen(pdfPath(name + QStringLiteral("-screen")));
        screen.setResolution(96);
        QPainter painter(&screen);
        SheetLayout layout;
        layout.update(sheet);
        const CellGeometry zoomed(layout, 1, 1, QPointF(10, 10), c.zoom / 100.0 / 15);
        SheetPainter(sheet, zoomed).paint(painter, CellRange::cell(1, 1));
        painter.end();
        EXPECT_EQ(textLines(pdfText(pdfPath(name + QStringLiteral("-screen")), 1)), byHand) << qPrintable(name);
    }
}

// A red text of six lines (a wide one wrapped from a line of six characters, four of one character, a
// wide one) in a bordered cell that holds two and a half, on screen at 200 % (where a thin border is two
// pixels, one of them inside the cell) and on paper (the PDF rendered at 144 dpi, ten twips a pixel: B2
// starts 0.75 in + 1080 twips from the left, 1 in + 270 twips from the top), each against the same page
// without the text. The lines that do not fit are cut at the cell's edge as its vertical alignment keeps
// them, as in a spreadsheet: a top-aligned text shows its first lines, a bottom-aligned one its last, a
// centred one its middle. Nothing changes outside the cell, and every pixel of the border stays black,
// drawn over the text.
TEST_F(GridPrinterTest, TextTallerThanItsCellIsCutAtItsEdgeUnderItsBorder)
{
    const struct {
        VAlign align;
        bool wideAtTop; // the top quarter of the cell shows a wide line
        bool wideAtBottom;
    } cases[]
        = { { VAlign::Top, true, false }, { VAlign::Center, false, false }, { VAlign::Bottom, false, true } };
    const auto onScreen = [](const Sheet& sheet) {
        SheetLayout layout;
        layout.update(sheet);
        const CellGeometry zoomed(layout, 1, 1, QPointF(), 2.0 / 15);
        QImage image(zoomed.rect(CellRange { 1, 1, 3, 3 }).size().toSize(), QImage::Format_RGB32);
        SheetPaintOptions withoutGrid;
        withoutGrid.gridLines = false;
        QPainter painter(&image);
        SheetPainter(sheet, zoomed).paint(painter, CellRange { 1, 1, 3, 3 }, withoutGrid);
        return image;
    };
    const auto onPaper = [this](const Sheet& sheet, const QString& name) {
        printToPdf(sheet, name);
        run("pdftoppm", { "-r", "144", "-png", "-singlefile", pdfPath(name), folder.filePath(name) });
        return QImage(folder.filePath(name + QStringLiteral(".png")));
    };
    const auto red = [](QRgb p) { return qRed(p) > 150 && qRed(p) - qGreen(p) > 40; };
    const auto black = [](QRgb p) { return qRed(p) < 110 && qGreen(p) < 110 && qBlue(p) < 110; };
    for (const auto& c : cases) {
        Sheet blank;
        CellFormat format;
        format.wrapText = true;
        format.vAlign = c.align;
        format.fontSize = 14;
        format.fontColor = qRgb(255, 0, 0);
        for (BorderSide side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right })
            format.border(side) = Border { BorderStyle::Thin, 0 };
        blank.applyFormat(CellRange::cell(2, 2), format);
        blank.setColWidth(2, 1500);
        blank.setRowHeight(2, 750);
        blank.setPrintArea(QStringLiteral("$A$1:$C$3"));
        Sheet filled = blank;
        filled.setText(2, 2, QStringLiteral("关于印发档案\n甲\n乙\n丙\n规范化建设"));
        const QString name = QStringLiteral("tall-%1").arg(int(c.align));

        const struct {
            const char* device;
            QImage image;
            QImage without;
            QRect cell; // from the middle of its left and top border to that of its right and bottom one
        } devices[] = {
            { "screen", onScreen(filled), onScreen(blank), QRect(144, 36, 200, 100) },
            { "paper", onPaper(filled, name), onPaper(blank, name + "-blank"), QRect(216, 171, 150, 75) },
        };
        for (const auto& d : devices) {
            const std::string what = std::string(d.device) + " " + std::to_string(int(c.align));
            ASSERT_EQ(d.image.size(), d.without.size()) << what;
            int changedOutside = 0, borderLost = 0, ink = 0;
            for (int y = 0; y < d.image.height(); ++y) {
                for (int x = 0; x < d.image.width(); ++x) {
                    const QRgb p = d.image.pixel(x, y);
                    changedOutside += !d.cell.contains(x, y) && p != d.without.pixel(x, y) ? 1 : 0;
                    borderLost += black(d.without.pixel(x, y)) && !black(p) ? 1 : 0;
                    ink += red(p) ? 1 : 0;
                }
            }
            EXPECT_EQ(changedOutside, 0) << what;
            EXPECT_EQ(borderLost, 0) << what;
            EXPECT_GT(ink, 200) << what;
            // Whether the red ink in a band across the cell is a line of five characters (or of one).
            const auto wide = [&](const QRect& band) {
                int left = band.right(), right = band.left();
                for (int y = band.top(); y <= band.bottom(); ++y) {
                    for (int x = band.left(); x <= band.right(); ++x) {
                        if (red(d.image.pixel(x, y))) {
                            left = std::min(left, x);
                            right = std::max(right, x);
                        }
                    }
                }
                EXPECT_TRUE(right - left > band.width() / 2 || right - left < band.width() / 4) << what;
                return right - left > band.width() / 2;
            };
            const int quarter = d.cell.height() / 4;
            const QRect top(d.cell.left() + 3, d.cell.top() + 3, d.cell.width() - 6, quarter - 3);
            EXPECT_EQ(wide(top), c.wideAtTop) << what;
            EXPECT_EQ(wide(top.translated(0, d.cell.height() - quarter - 3)), c.wideAtBottom) << what;
        }
    }
}

TEST_F(GridPrinterTest, TitlesRepeatAndFooterNumbersThePages)
{
    Sheet sheet = numberedRows(100);
    sheet.setText(1, 1, QStringLiteral("档号标题"));
    sheet.setPrintTitles(QStringLiteral("$1:$1"));
    PageSetup setup;
    setup.header = QStringLiteral("&L卷内目录&R&D");
    setup.footer = QStringLiteral("第&P页 共&N页");
    sheet.setPageSetup(setup);
    ASSERT_EQ(printToPdf(sheet, "titles"), 2);
    const QString first = pdfText(pdfPath("titles"), 1);
    const QString second = pdfText(pdfPath("titles"), 2);
    EXPECT_TRUE(first.contains(QStringLiteral("档号标题")));
    EXPECT_TRUE(second.contains(QStringLiteral("档号标题")));
    EXPECT_TRUE(second.contains(QStringLiteral("卷内目录")));
    EXPECT_TRUE(first.contains(QStringLiteral("第1页 共2页")));
    EXPECT_TRUE(second.contains(QStringLiteral("第2页 共2页")));
    EXPECT_TRUE(second.contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    // The title row takes the room of one row on the second page.
    EXPECT_EQ(rowNumbers(second), range(52, 100));
    EXPECT_LT(second.indexOf(QStringLiteral("档号标题")), second.indexOf(QStringLiteral("行52")));
}

TEST_F(GridPrinterTest, PaperAndOrientationComeFromThePageSetup)
{
    const struct {
        int paper;
        bool landscape;
        double widthCm, heightCm;
        QSizeF points;
    } cases[] = {
        { 8, false, 0, 0, { 841.89, 1190.55 } },
        { 5, true, 0, 0, { 1008, 612 } },
        { 77, false, 0, 0, { 841.89, 595.28 } },
        { 256, false, 20, 15, { 566.93, 425.2 } },
    };
    for (const auto& c : cases) {
        Sheet sheet = numberedRows(3);
        PageSetup setup;
        setup.paperSize = c.paper;
        setup.landscape = c.landscape;
        setup.customWidthCm = c.widthCm;
        setup.customHeightCm = c.heightCm;
        sheet.setPageSetup(setup);
        const QString name = QStringLiteral("paper-%1-%2").arg(c.paper).arg(c.landscape);
        ASSERT_EQ(printToPdf(sheet, name), 1);
        const QSizeF size = pdfPageSize(pdfPath(name));
        EXPECT_NEAR(size.width(), c.points.width(), 1) << c.paper << (c.landscape ? " landscape" : "");
        EXPECT_NEAR(size.height(), c.points.height(), 1) << c.paper << (c.landscape ? " landscape" : "");
    }
}

TEST_F(GridPrinterTest, CopiesAndPageRangeFollowThePrinter)
{
    const Sheet sheet = numberedRows(100);
    EXPECT_EQ(printToPdf(sheet, "copies", [](QPrinter& p) { p.setCopyCount(2); }), 2);
    EXPECT_EQ(pdfPageCount(pdfPath("copies")), 4);
    EXPECT_EQ(rowNumbers(pdfText(pdfPath("copies"), 3)), range(1, 51));

    EXPECT_EQ(printToPdf(sheet, "second",
                  [](QPrinter& p) {
                      p.setPrintRange(QPrinter::PageRange);
                      p.setFromTo(2, 2);
                  }),
        1);
    EXPECT_EQ(pdfPageCount(pdfPath("second")), 1);
    EXPECT_EQ(rowNumbers(pdfText(pdfPath("second"), 1)), range(52, 100));
}

// The page rendered back from the PDF has ink on the border of B2 and none inside it.
TEST_F(GridPrinterTest, BorderedCellHasInkOnPaper)
{
    Sheet sheet;
    sheet.setText(5, 5, QStringLiteral("末"));
    CellFormat framed;
    for (BorderSide side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right })
        framed.border(side) = Border { BorderStyle::Thick, 0 };
    sheet.applyFormat(CellRange::cell(2, 2), framed);
    ASSERT_EQ(printToPdf(sheet, "border"), 1);
    const QString stem = folder.filePath("border-page");
    run("pdftoppm", { "-r", "72", "-png", "-singlefile", pdfPath("border"), stem });
    const QImage page(stem + ".png");
    ASSERT_FALSE(page.isNull());
    // At 72 dpi a point is a pixel: B2 starts 0.75 in + 1080 twips (54 + 54 points) from the left
    // and 1 in + 270 twips (72 + 13.5 points) from the top; it is 54 x 13.5 points.
    const QRectF b2(108, 85.5, 54, 13.5);
    auto darkNear = [&](QPoint p) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (qGray(page.pixel(p + QPoint(dx, dy))) < 128)
                    return true;
        return false;
    };
    auto inkAlong = [&](QPointF from, QPointF to) {
        int ink = 0;
        for (int i = 1; i < 10; ++i)
            ink += darkNear((from + (to - from) * i / 10.0).toPoint()) ? 1 : 0;
        return ink;
    };
    EXPECT_EQ(inkAlong(b2.topLeft(), b2.topRight()), 9);
    EXPECT_EQ(inkAlong(b2.bottomLeft(), b2.bottomRight()), 9);
    EXPECT_EQ(inkAlong(b2.topLeft(), b2.bottomLeft()), 9);
    EXPECT_EQ(inkAlong(b2.topRight(), b2.bottomRight()), 9);
    EXPECT_EQ(inkAlong(b2.center() - QPointF(20, 0), b2.center() + QPointF(20, 0)), 0);
    EXPECT_EQ(inkAlong(QPointF(170, 110), QPointF(250, 110)), 0);
}

TEST_F(GridPrinterTest, NamedPdfPrinterWritesANewFileAndAnEmptySheetNothing)
{
    EXPECT_EQ(GridPrinter(Sheet {}).print(platform::ui::PdfPrinterName), 0);
    EXPECT_EQ(GridPrinter(numberedRows(60)).print(platform::ui::PdfPrinterName), 2);
    const QStringList written = QDir(folder.path()).entryList({ "*.pdf" });
    ASSERT_EQ(written.size(), 1);
    EXPECT_EQ(pdfPageCount(folder.filePath(written.front())), 2);
}

TEST_F(GridPrinterTest, PrinterFailuresAreErrors)
{
    const Sheet sheet = numberedRows(3);
    const struct {
        const char* what;
        std::function<int()> print;
        int number;
    } cases[] = {
        { "unwritable file",
            [&] {
                QPrinter printer;
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(QStringLiteral("/nonexistent-folder/out.pdf"));
                return GridPrinter(sheet).print(printer);
            },
            platform::errors::PrinterFault },
        { "printer not installed", [&] { return GridPrinter(sheet).print(QStringLiteral("没有这台打印机")); },
            platform::errors::PrinterFault },
        { "bad print area",
            [&] {
                Sheet bad = sheet;
                bad.setPrintArea(QStringLiteral("A1:"));
                return GridPrinter(bad).print(platform::ui::PdfPrinterName);
            },
            platform::errors::InvalidArgument },
    };
    for (const auto& c : cases) {
        try {
            c.print();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const platform::Error& e) {
            EXPECT_EQ(e.number(), c.number) << c.what;
        }
    }
}

// A disk that fills up while the built-in printer writes its file, at its first byte, in its middle or
// at its last byte: the failure says why, and no cut file stays behind to pass for a printout.
TEST_F(GridPrinterTest, AFullDiskIsToldWithItsReasonAndLeavesNoFile)
{
    const Sheet sheet = numberedRows(600);
    ASSERT_EQ(GridPrinter(sheet).print(platform::ui::PdfPrinterName), 12);
    const QStringList whole = QDir(folder.path()).entryList({ "*.pdf" });
    ASSERT_EQ(whole.size(), 1);
    const qint64 size = QFileInfo(folder.filePath(whole.front())).size();
    QFile::remove(folder.filePath(whole.front()));
    for (const qint64 room : { qint64(0), size / 2, size - 1 }) {
        try {
            orvtest::FileSizeLimit disk(room);
            GridPrinter(sheet).print(platform::ui::PdfPrinterName);
            ADD_FAILURE() << room << ": printed";
        } catch (const platform::Error& e) {
            EXPECT_EQ(e.number(), platform::errors::PrinterFault);
            EXPECT_TRUE(e.description().endsWith(QStringLiteral("：") + qt_error_string(EFBIG)))
                << room << ": " << e.description().toStdString();
        }
        EXPECT_TRUE(QDir(folder.path()).entryList({ "*.pdf" }).isEmpty()) << room;
    }
}

TEST_F(GridPrinterTest, PrinterDialogCanPrintOrCancel)
{
    const Sheet sheet = numberedRows(100);
    {
        platform::ui::ScriptedUi script;
        script.onDialog(QStringLiteral("*"), [](QDialog& dialog) { dialog.reject(); });
        EXPECT_EQ(GridPrinter(sheet).print(*pdfPrinter("cancelled"), true), 0);
        EXPECT_EQ(script.shownDialogs().size(), 1);
        EXPECT_FALSE(QFileInfo::exists(pdfPath("cancelled")));
    }
    platform::ui::ScriptedUi script;
    script.onDialog(QStringLiteral("*"), [](QDialog& dialog) { dialog.accept(); });
    const auto printer = pdfPrinter("accepted");
    EXPECT_EQ(GridPrinter(sheet).print(*printer, true), 2);
    EXPECT_EQ(pdfPageCount(printer->outputFileName()), 2);
}
