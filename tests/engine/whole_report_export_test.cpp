#include "DataReportFixture.h"

#include "demo/DemoReports.h"
#include "engine/CellTextFit.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/PageSheet.h"
#include "output/PdfPrints.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/print/GridPrinter.h"
#include "platform/grid/Sheet.h"

#include <QFile>
#include <QJsonArray>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace enginetest;
using platform::grid::Sheet;
namespace io = platform::grid::io;

namespace
{

class WholeReportExport : public EngineTest
{
protected:
    // The demo data report on a demo archive of `records` documents, built whole as the web export does.
    Sheet buildDemoReport(int records)
    {
        useDatabase(Content::DemoArchive, records);
        store::reportState().ReportId = demo::DataReportId;
        store::reportState().WebPrintMode = true;
        Sheet sheet;
        useDefinition();
        EXPECT_TRUE(engine::CanPrintDataReport(run));
        engine::PrepareReportData(run);
        engine::CreateDataReport(run, sheet, engine::AllRemainingPages);
        return sheet;
    }
};
ENGINE_TEST_SUITE(WholeReportExport);

// The text of an exported cell (0-based row and column), "" when the reader found none.
QString cellText(const QJsonObject& sheet, int row, int col)
{
    for (const QJsonValue& cell : sheet[QStringLiteral("cells")].toArray()) {
        const QJsonObject c = cell.toObject();
        if (c[QStringLiteral("row")].toInt() == row && c[QStringLiteral("col")].toInt() == col) {
            const QJsonValue value = c[QStringLiteral("value")];
            return value.isDouble() ? QString::number(value.toDouble(), 'g', 15) : value.toString();
        }
    }
    return QString();
}

TEST_P(WholeReportExport, TheWholeDemoReportIsWrittenAsAWorkbookAndAWebPage)
{
    const Sheet sheet = buildDemoReport(120);
    const engine::DataReportRun& state = run;
    ASSERT_TRUE(state.ReportFinished);
    ASSERT_TRUE(state.ReportHasData);
    ASSERT_EQ(state.PageRowRanges.size(), state.TotalPages);
    ASSERT_GE(state.TotalPages, 3);
    EXPECT_TRUE(ui.boxes().empty());

    QTemporaryDir folder;
    const QString workbook = folder.filePath(QStringLiteral("report.xls"));
    io::writeSheet(sheet, workbook, io::FileType::Xls);
    const QJsonObject book = xlsDump(workbook);
    const QJsonArray sheets = book[QStringLiteral("sheets")].toArray();
    ASSERT_EQ(sheets.size(), 1);
    const QJsonObject written = sheets[0].toObject();
    // Every page, down to the report tail above the last page's bottom margin row.
    EXPECT_EQ(written[QStringLiteral("rows")].toInt(), state.PageRowRanges.last().lastRow - 1);
    // A page break where each page but the first begins (0-based rows).
    QJsonArray breaks;
    for (qsizetype page = 1; page < state.PageRowRanges.size(); ++page)
        breaks.append(state.PageRowRanges[page].firstRow - 1);
    EXPECT_EQ(written[QStringLiteral("breaks")].toArray(), breaks);
    // Page rows: 2 the title, 28 the page numbers, 27 the total of the last page.
    EXPECT_EQ(cellText(written, 1, 1), QStringLiteral("文书档案目录"));
    EXPECT_EQ(cellText(written, 27, 1).left(3), QStringLiteral("第1页"));
    const int last = state.PageRowRanges.last().firstRow - 1;
    const QString pages
        = QString::number(scalar(QStringLiteral("select sum(page_no) from wsda")).toLongLong());
    EXPECT_EQ(cellText(written, last + 26, 6), pages);
    EXPECT_TRUE(cellText(written, state.PageRowRanges[1].firstRow, 1).isEmpty())
        << "the title on page 1 only";

    const QString page = folder.filePath(QStringLiteral("report.htm"));
    io::writeSheet(sheet, page, io::FileType::Html);
    QFile html(page);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    EXPECT_EQ(text.count(QStringLiteral("文书档案目录")), 1);
    EXPECT_EQ(text.count(QStringLiteral("第1页 共")), state.GroupCount);
    EXPECT_EQ(text.count(QStringLiteral("制表日期：")), 1);
    EXPECT_TRUE(text.contains(pages));
}

// The demo report, the first a new user sees, shows its archive numbers and group tails at the
// report's font, whole: their columns are wide enough.
TEST_P(WholeReportExport, TheDemoReportShowsItsArchiveNumbersAndGroupTailsUnshrunk)
{
    const Sheet sheet = buildDemoReport(400);
    static const QRegularExpression archiveNumber(QStringLiteral("^J\\d{3}-\\d{4}-\\w+-\\d{3}-\\d{3}$"));
    int checked = 0;
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        for (int col = 1; col <= sheet.maxCol(); ++col) {
            const QString text = sheet.text(row, col);
            if (!archiveNumber.match(text).hasMatch() && text != QStringLiteral("以上保管期限："))
                continue;
            const platform::grid::CellFormat format = sheet.format(row, col);
            EXPECT_EQ(format.fontSize, 10) << text.toStdString() << " in row " << row;
            EXPECT_LE(platform::grid::measureTextTwips(text, platform::grid::fontOf(format)).width(),
                engine::CellWidth(sheet, row, col))
                << text.toStdString() << " in row " << row;
            ++checked;
        }
    }
    EXPECT_GT(checked, 400);
}

class ExportedValues : public DataReportTest
{
};
ENGINE_TEST_SUITE(ExportedValues);

// Dates and numbers at the edges of what a spreadsheet numbers, as records of a date and a number
// field and as a statement's value, the road of a statistics cell: the built page shows each as the
// workbook holds it and as the paper prints it.
TEST_P(ExportedValues, DatesAndNumbersAsASpreadsheetHoldsThem)
{
    const struct {
        const char* date;
        const char* number;
        const char* kind; // of the workbook's cell, as xlrd reads it
        double value; // of the workbook's cell unless it holds the text shown
        const char* shown;
    } cases[] = {
        // Before 1900-01-01 the 1900 date system numbers no day: the date's text.
        { "0001-01-01", nullptr, "text", 0, "0001-01-01" },
        { "1850-06-15", nullptr, "text", 0, "1850-06-15" },
        { "1899-12-30", nullptr, "text", 0, "1899-12-30" },
        { "1899-12-31", nullptr, "text", 0, "1899-12-31" },
        // Its serial numbers, which count a 1900-02-29.
        { "1900-01-01", nullptr, "date", 1, "1900-01-01" },
        { "1900-02-28", nullptr, "date", 59, "1900-02-28" },
        { "1900-03-01", nullptr, "date", 61, "1900-03-01" },
        { "2003-05-17", nullptr, "date", 37758, "2003-05-17" },
        // Every number of 15 significant digits is a number, the largest double too.
        { nullptr, "1e-05", "number", 1e-05, "1E-05" },
        { nullptr, "1e15", "number", 1e15, "1E+15" },
        { nullptr, "1e16", "number", 1e16, "1E+16" },
        { nullptr, "1.00000000004295e+20", "number", 1.00000000004295e+20, "1E+20" },
        { nullptr, "2.5e-300", "number", 2.5e-300, "2.5E-300" },
        { nullptr, "1.7976931348623157e308", "number", 1.7976931348623157e308, "1.79769E+308" },
    };
    execute(QStringLiteral("alter table docs add column doc_date date"));
    execute(QStringLiteral("alter table docs add column amount double precision"));
    const int records = int(std::size(cases));
    for (int piece = 1; piece <= records; ++piece) {
        const auto& c = cases[piece - 1];
        execute(
            QStringLiteral("insert into docs (recid, piece_no, doc_date, amount) values ('R%1', %1, %2, %3)")
                .arg(piece)
                .arg(c.date ? text(QString::fromLatin1(c.date)) : QStringLiteral("null"),
                    c.number ? QString::fromLatin1(c.number) : QStringLiteral("null")));
    }
    DocsLayout layout;
    layout.dataRows = QString::number(records);
    defineReport(layout);
    const int band = layout.bandBegin();
    execute(QStringLiteral("delete from report_data where row_no = %1 and col_no > 2").arg(band));
    cell(band, 3, QStringLiteral("@B|docs.doc_date"));
    cell(band, 4, QStringLiteral("@B|docs.amount"));
    cell(band, 5, QStringLiteral("@J|select amount from docs where recid = #docs.recid#"));
    format(QStringLiteral("INPUTFORMAT"), band, 3, band, 3, QStringLiteral("@INPUTFORMAT|1|yyyy-mm-dd"));
    Sheet sheet = build(engine::AllRemainingPages);

    QTemporaryDir folder;
    const QString workbook = folder.filePath(QStringLiteral("values.xls"));
    io::writeSheet(sheet, workbook, io::FileType::Xls);
    QMap<std::pair<int, int>, QJsonObject> written;
    for (const QJsonValue& cell : xlsDump(workbook)[u"sheets"][0][u"cells"].toArray())
        written[{ cell[u"row"].toInt() + 1, cell[u"col"].toInt() + 1 }] = cell.toObject();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("values.pdf")));
    engine::SetGridPageSetup(run, sheet);
    ASSERT_EQ(platform::grid::GridPrinter(sheet).print(printer), 1);
    const QString printed = orvtest::PdfPrints::pageText(printer.outputFileName(), 1);

    // One band row a record, the first numbered 1 by %N in column 2.
    int first = 1;
    while (first < sheet.maxRow() && sheet.value(first, 2) != platform::grid::CellValue(1.0))
        ++first;
    for (int record = 0; record < records; ++record) {
        const auto& c = cases[record];
        const QJsonValue value = c.kind == std::string("text") ? QJsonValue(c.shown) : QJsonValue(c.value);
        // The field's cell, and for a number the statement's cell beside it.
        for (const int col : c.date ? QList<int> { 3 } : QList<int> { 4, 5 }) {
            EXPECT_EQ(sheet.text(first + record, col), QLatin1String(c.shown)) << col;
            EXPECT_EQ(written.value({ first + record, col })[u"kind"].toString(), QLatin1String(c.kind))
                << c.shown;
            EXPECT_EQ(written.value({ first + record, col })[u"value"], value) << c.shown << " in " << col;
        }
        EXPECT_TRUE(printed.contains(QLatin1String(c.shown))) << c.shown;
    }
}

} // namespace
