#include "platform/Error.h"
#include "platform/ui/Printers.h"
#include "platform/ui/ScriptedPrinters.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

using namespace platform::ui;

namespace
{

int errorNumberOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const platform::Error& error) {
        return error.number();
    }
    return 0;
}

// Restores the default printer's paper and orientation that a test changes.
class PrintersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        paper = defaultPrinterPaperCode();
        orientation = defaultPrinterOrientation();
    }
    void TearDown() override
    {
        setDefaultPrinterPaperCode(paper);
        setDefaultPrinterOrientation(orientation);
        setPdfPrinterFolder({});
    }
    int paper = papercodes::A4;
    PrinterOrientation orientation = PrinterOrientation::Portrait;
};

} // namespace

TEST_F(PrintersTest, PdfPrinterIsAlwaysInstalled)
{
    const QStringList printers = installedPrinters();
    EXPECT_TRUE(printers.contains(PdfPrinterName));
    EXPECT_TRUE(printers.contains(defaultPrinterName()));
    EXPECT_TRUE(selectDefaultPrinter(QStringLiteral("pdf")));
    EXPECT_EQ(defaultPrinterName(), PdfPrinterName);
    EXPECT_FALSE(selectDefaultPrinter(QStringLiteral("没有这台打印机")));
    EXPECT_EQ(defaultPrinterName(), PdfPrinterName);
    EXPECT_EQ(
        errorNumberOf([] { makePrinter(QStringLiteral("没有这台打印机")); }), platform::errors::PrinterFault);
}

// Codes map to Qt's page sizes and back, and the rotated papers (77, A4 rotated...) are their paper
// turned: wider than high.
TEST(PaperCodes, CodesMapToPapersOfTheirSizeAndBack)
{
    const struct {
        int code;
        QPageSize::PageSizeId id;
    } standard[] = { { 1, QPageSize::Letter }, { 5, QPageSize::Legal }, { 8, QPageSize::A3 },
        { 9, QPageSize::A4 }, { 11, QPageSize::A5 }, { 13, QPageSize::JisB5 },
        { 7, QPageSize::ExecutiveStandard }, { 27, QPageSize::EnvelopeDL } };
    for (const auto& c : standard) {
        EXPECT_EQ(pageSizeForPaperCode(c.code).id(), c.id) << c.code;
        EXPECT_EQ(paperCodeForPageSize(QPageSize(c.id)), c.code) << c.code;
    }
    const struct {
        int code;
        QSizeF millimetres;
    } measured[] = { { 77, { 297, 210 } }, { 76, { 420, 297 } }, { 78, { 210, 148 } },
        { 75, { 279.4, 215.9 } }, { 80, { 257, 182 } }, { 89, { 182, 128 } }, { 106, { 215, 146 } },
        { 14, { 215.9, 330.2 } }, { 55, { 210, 297 } }, { 70, { 105, 148 } }, { 118, { 458, 324 } } };
    for (const auto& c : measured) {
        const QSizeF size = pageSizeForPaperCode(c.code).size(QPageSize::Millimeter);
        EXPECT_NEAR(size.width(), c.millimetres.width(), 0.6) << c.code;
        EXPECT_NEAR(size.height(), c.millimetres.height(), 0.6) << c.code;
    }
    EXPECT_EQ(paperCodeForPageSize(pageSizeForPaperCode(77)), 77);
    EXPECT_FALSE(pageSizeForPaperCode(papercodes::Custom).isValid());
    EXPECT_FALSE(pageSizeForPaperCode(9999).isValid());
    EXPECT_EQ(
        paperCodeForPageSize(QPageSize(QSizeF(123, 77), QPageSize::Millimeter, {}, QPageSize::ExactMatch)),
        papercodes::Custom);
}

TEST(PaperCodes, EveryCodeComesBackAsAPaperOfTheSameSize)
{
    const QList<int> codes = paperCodes();
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    for (int code : { 1, 5, 8, 9, 11, 13, 14, 77, 118 })
        EXPECT_TRUE(codes.contains(code)) << code;
    for (int code : { 48, 49, 119, 256 })
        EXPECT_FALSE(codes.contains(code)) << code;
    for (int code : codes) {
        const QPageSize size = pageSizeForPaperCode(code);
        const int back = paperCodeForPageSize(size);
        EXPECT_NE(back, papercodes::Custom) << code;
        EXPECT_TRUE(
            pageSizeForPaperCode(back).size(QPageSize::Millimeter) == size.size(QPageSize::Millimeter))
            << code << " came back as " << back;
    }
}

TEST_F(PrintersTest, PageSizeInTwipsFollowsPaperAndOrientation)
{
    struct Case {
        int code;
        PrinterOrientation orientation;
        int width;
        int height;
    };
    // 1 inch = 1440 twips = 25.4 mm: A4 210 x 297 mm, A3 297 x 420 mm, Letter 8.5 x 11 in.
    const Case cases[] = {
        { papercodes::A4, PrinterOrientation::Portrait, 11906, 16838 },
        { papercodes::A4, PrinterOrientation::Landscape, 16838, 11906 },
        { papercodes::A3, PrinterOrientation::Portrait, 16838, 23811 },
        { papercodes::Letter, PrinterOrientation::Landscape, 15840, 12240 },
        { 77, PrinterOrientation::Portrait, 16838, 11906 }, // A4 rotated
    };
    for (const Case& c : cases) {
        setDefaultPrinterPaperCode(c.code);
        setDefaultPrinterOrientation(c.orientation);
        EXPECT_NEAR(defaultPrinterPageWidthTwips(), c.width, 1) << c.code;
        EXPECT_NEAR(defaultPrinterPageHeightTwips(), c.height, 1) << c.code;
    }
    setDefaultPrinterCustomSize(QSizeF(100.0, 50.8));
    setDefaultPrinterPaperCode(papercodes::Custom);
    setDefaultPrinterOrientation(PrinterOrientation::Portrait);
    EXPECT_NEAR(defaultPrinterPageWidthTwips(), 5669, 1);
    EXPECT_NEAR(defaultPrinterPageHeightTwips(), 2880, 1);
}

TEST_F(PrintersTest, UnknownPaperCodeIsRefusedAndKeepsThePaper)
{
    setDefaultPrinterPaperCode(papercodes::A5);
    EXPECT_EQ(errorNumberOf([] { setDefaultPrinterPaperCode(4711); }), platform::errors::InvalidArgument);
    EXPECT_EQ(defaultPrinterPaperCode(), papercodes::A5);
}

TEST_F(PrintersTest, ScriptedPrintersAnswerTheProbesQuestions)
{
    {
        ScriptedPrinters none({});
        EXPECT_TRUE(installedPrinters().isEmpty());
        EXPECT_EQ(errorNumberOf([] { defaultPrinterOrientation(); }), platform::errors::PrinterFault);
    }
    {
        ScriptedPrinters faulty(
            { { QStringLiteral("HP") }, QStringLiteral("HP"), 0, platform::errors::PrinterFault });
        EXPECT_EQ(installedPrinters(), QStringList { QStringLiteral("HP") });
        EXPECT_EQ(errorNumberOf([] { defaultPrinterOrientation(); }), platform::errors::PrinterFault);
        EXPECT_EQ(errorNumberOf([] { defaultPrinterPaperCode(); }), platform::errors::PrinterFault);
    }
    {
        ScriptedPrinters broken({ {}, {}, 68, 0 });
        EXPECT_EQ(errorNumberOf([] { installedPrinters(); }), 68);
    }
    {
        ScriptedPrinters two({ { QStringLiteral("HP"), QStringLiteral("Epson") }, QStringLiteral("HP") });
        EXPECT_EQ(defaultPrinterName(), QStringLiteral("HP"));
        EXPECT_TRUE(selectDefaultPrinter(QStringLiteral("EPSON")));
        EXPECT_EQ(defaultPrinterName(), QStringLiteral("Epson"));
        EXPECT_NO_THROW(defaultPrinterOrientation());
    }
    EXPECT_TRUE(installedPrinters().contains(PdfPrinterName));
    EXPECT_NE(defaultPrinterName(), QStringLiteral("Epson"));
}

TEST_F(PrintersTest, PdfPrinterWritesEachJobToANewFile)
{
    QTemporaryDir folder;
    setPdfPrinterFolder(folder.filePath(QStringLiteral("out")));
    setDefaultPrinterPaperCode(papercodes::A4);
    setDefaultPrinterOrientation(PrinterOrientation::Landscape);

    QStringList files;
    for (const QString& text : { QStringLiteral("Report one"), QStringLiteral("Report two") }) {
        std::unique_ptr<QPrinter> printer = makePrinter(QStringLiteral("PDF"));
        EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
        QPainter painter;
        ASSERT_TRUE(painter.begin(printer.get()));
        painter.drawText(QPointF(200, 400), text);
        painter.end();
        files.append(printer->outputFileName());
        EXPECT_EQ(QFileInfo(files.last()).absolutePath(), QDir(folder.filePath("out")).absolutePath());
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), { files.last(), QStringLiteral("-") });
        ASSERT_TRUE(pdftotext.waitForFinished(30000));
        EXPECT_TRUE(QString::fromUtf8(pdftotext.readAllStandardOutput()).contains(text))
            << files.last().toStdString();
    }
    EXPECT_NE(files[0], files[1]);
}

TEST_F(PrintersTest, PdfFolderComesFromTheEnvironmentUnlessSet)
{
    qputenv("ORV_PDF_DIR", "/tmp/orv-pdf-env");
    EXPECT_EQ(pdfPrinterFolder(), QStringLiteral("/tmp/orv-pdf-env"));
    setPdfPrinterFolder(QStringLiteral("/tmp/orv-pdf-set"));
    EXPECT_EQ(pdfPrinterFolder(), QStringLiteral("/tmp/orv-pdf-set"));
    qunsetenv("ORV_PDF_DIR");
}
