#include "DataReportFixture.h"

#include "demo/DemoReports.h"
#include "engine/CellTextFit.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/PageSheet.h"
#include "output/PdfPrints.h"
#include "platform/db/ValueText.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/print/GridPrinter.h"
#include "platform/grid/Sheet.h"

#include <map>
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

// Dates at the edges of what every spreadsheet program numbers alike, and numbers and texts at the edges
// of what the General format shows, as records of a date, a number and a text field (the number also
// as a statement's value, the road of a statistics cell) under a date format, General, the text format
// "@" and "0.00": the built page and the paper show each with the characters written (a format of the
// designer's formats a number), and the workbook holds a number only where its format shows those
// characters at any column width, else the text shown.
TEST_P(ExportedValues, DatesAndNumbersAsASpreadsheetHoldsThem)
{
    enum Column { Date = 3, Number, Statement, NumberTwoDecimals, Text, TextAsText, TextTwoDecimals };
    const std::map<int, const char*> formats = { { Date, "yyyy/mm/dd" }, { Number, "General" },
        { Statement, "General" }, { NumberTwoDecimals, "0.00" }, { Text, "General" }, { TextAsText, "@" },
        { TextTwoDecimals, "0.00" } };
    struct Written {
        int col;
        const char* shown;
        const char* kind; // of the workbook's cell, as xlrd reads it
        double value = 0; // of the workbook's cell unless it holds the text shown
    };
    struct Record {
        const char* date = nullptr; // a literal for doc_date
        const char* number = nullptr; // a literal for amount
        const char* text = nullptr; // note
        std::vector<Written> cells;
    };
    const bool sqlite = GetParam() == orvtest::Backend::SQLite;
    std::vector<Record> records = {
        // Before 1900-03-01 not every spreadsheet numbers a day alike (before 1900 none does): the text.
        { "0001-01-01", nullptr, nullptr, { { Date, "0001/01/01", "text" } } },
        { "1850-06-15", nullptr, nullptr, { { Date, "1850/06/15", "text" } } },
        { "1899-12-31", nullptr, nullptr, { { Date, "1899/12/31", "text" } } },
        { "1900-01-01", nullptr, nullptr, { { Date, "1900/01/01", "text" } } },
        { "1900-02-28", nullptr, nullptr, { { Date, "1900/02/28", "text" } } },
        { "1900-03-01", nullptr, nullptr, { { Date, "1900/03/01", "date", 61 } } },
        { "2003-05-17", nullptr, nullptr, { { Date, "2003/05/17", "date", 37758 } } },
        { "10000-01-01", nullptr, nullptr, { { Date, "10000/01/01", "text" } } },
        { "infinity", nullptr, nullptr, { { Date, "infinity", "text" } } },
        // A number's characters as the database shows it, under General on the page and in the workbook.
        { nullptr, "0.00001", nullptr,
            { { Number, "0.00001", "text" }, { Statement, "0.00001", "text" },
                { NumberTwoDecimals, "0.00", "text" } } },
        { nullptr, "1e15", nullptr,
            { { Number, "1000000000000000", "text" }, { Statement, "1000000000000000", "text" },
                { NumberTwoDecimals, "1000000000000000.00", "text" } } },
        { nullptr, "110101900307123", nullptr,
            { { Number, "110101900307123", "text" }, { Statement, "110101900307123", "text" } } },
        { nullptr, "1.00000000004295e20", nullptr,
            { { Number, "100000000004295000000", "text" }, { Statement, "100000000004295000000", "text" } } },
        { nullptr, "0.1", nullptr,
            { { Number, "0.1", "number", 0.1 }, { Statement, "0.1", "number", 0.1 },
                { NumberTwoDecimals, "0.10", "text" } } },
        // No date: written as it is.
        { nullptr, "59", nullptr,
            { { Number, "59", "number", 59 }, { Statement, "59", "number", 59 },
                { NumberTwoDecimals, "59.00", "text" } } },
        { nullptr, "12.34", nullptr,
            { { Number, "12.34", "number", 12.34 }, { Statement, "12.34", "number", 12.34 },
                { NumberTwoDecimals, "12.34", "number", 12.34 } } },
        { nullptr, sqlite ? "1e999" : "'Infinity'", nullptr,
            { { Number, "Infinity", "text" }, { NumberTwoDecimals, "Infinity", "text" } } },
        // A text field's characters, whatever number they read as.
        { nullptr, nullptr, "110101900307123",
            { { Text, "110101900307123", "text" }, { TextAsText, "110101900307123", "text" },
                { TextTwoDecimals, "110101900307123.00", "text" } } },
        { nullptr, nullptr, "123456789012",
            { { Text, "123456789012", "text" }, { TextAsText, "123456789012", "text" } } },
        { nullptr, nullptr, "3.14159265358979",
            { { Text, "3.14159265358979", "text" }, { TextAsText, "3.14159265358979", "text" },
                { TextTwoDecimals, "3.14", "text" } } },
        { nullptr, nullptr, "0.00001", { { Text, "0.00001", "text" }, { TextAsText, "0.00001", "text" } } },
        { nullptr, nullptr, "1E-05", { { Text, "1E-05", "text" }, { TextTwoDecimals, "0.00", "text" } } },
        { nullptr, nullptr, "100000000004295000000",
            { { Text, "100000000004295000000", "text" }, { TextAsText, "100000000004295000000", "text" } } },
        { nullptr, nullptr, "2024",
            { { Text, "2024", "number", 2024 }, { TextAsText, "2024", "text" },
                { TextTwoDecimals, "2024.00", "text" } } },
        { nullptr, nullptr, "13800138000",
            { { Text, "13800138000", "number", 13800138000 }, { TextAsText, "13800138000", "text" } } },
        { nullptr, nullptr, "12.34",
            { { TextAsText, "12.34", "text" }, { TextTwoDecimals, "12.34", "number", 12.34 } } },
    };
    // Beyond the years a date number holds, with the sign or era the database writes.
    if (sqlite)
        records.push_back({ "-0001-01-01", nullptr, nullptr, { { Date, "-0001/01/01", "text" } } });
    else {
        records.push_back({ "4713-01-01 BC", nullptr, nullptr, { { Date, "4713/01/01 BC", "text" } } });
        records.push_back({ "-infinity", nullptr, nullptr, { { Date, "-infinity", "text" } } });
    }
    execute(QStringLiteral("alter table docs add column doc_date date"));
    execute(QStringLiteral("alter table docs add column amount double precision"));
    execute(QStringLiteral("alter table docs add column note varchar(40)"));
    double total = 0;
    for (std::size_t piece = 1; piece <= records.size(); ++piece) {
        const Record& r = records[piece - 1];
        execute(QStringLiteral(
            "insert into docs (recid, piece_no, doc_date, amount, note) values ('R%1', %1, %2, %3, %4)")
                    .arg(piece)
                    .arg(r.date ? text(QString::fromLatin1(r.date)) : QStringLiteral("null"),
                        r.number ? QString::fromLatin1(r.number) : QStringLiteral("null"),
                        r.text ? text(QString::fromLatin1(r.text)) : QStringLiteral("null")));
        bool isNumber = false;
        const double number = r.number ? QByteArray(r.number).toDouble(&isNumber) : 0;
        if (isNumber && std::isfinite(number))
            total += number;
    }
    DocsLayout layout;
    layout.dataRows = QString::number(records.size());
    defineReport(layout);
    const int band = layout.bandBegin();
    execute(QStringLiteral("delete from report_data where row_no = %1 and col_no > 2").arg(band));
    execute(QStringLiteral("update report_info set info_description = '9' where info_type = 'COL_COUNT'"));
    execute(QStringLiteral("delete from report_format where format_type = 'COLWIDTH'"));
    colWidths(sizeList({ { 2, "500" }, { 3, "1300" }, { 4, "1300" }, { 5, "1300" }, { 6, "1500" },
        { 7, "1300" }, { 8, "1300" }, { 9, "1500" } }));
    cell(band, Date, QStringLiteral("@B|docs.doc_date"));
    for (const int col : { Number, NumberTwoDecimals })
        cell(band, col, QStringLiteral("@B|docs.amount"));
    // The report tail sums this column, which leaves out the infinity.
    cell(band, Statement,
        QStringLiteral("@J|select amount from docs where recid = #docs.recid# and amount < 1e300"));
    for (const int col : { Text, TextAsText, TextTwoDecimals })
        cell(band, col, QStringLiteral("@B|docs.note"));
    for (const auto& [col, code] : formats) {
        const QString stored = code == std::string("@") ? QStringLiteral("\\@") : QString::fromLatin1(code);
        format(
            QStringLiteral("INPUTFORMAT"), band, col, band, col, QStringLiteral("@INPUTFORMAT|1|") + stored);
    }
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

    const auto expectShown = [&](int row, const Written& w, const char* format) {
        const QJsonObject& cell = written.value({ row, w.col });
        const QJsonValue value = w.kind == std::string("text") ? QJsonValue(w.shown) : QJsonValue(w.value);
        EXPECT_EQ(sheet.text(row, w.col), QLatin1String(w.shown)) << w.col;
        EXPECT_EQ(cell[u"kind"].toString(), QLatin1String(w.kind)) << w.shown << " in " << w.col;
        EXPECT_EQ(cell[u"value"], value) << w.shown << " in " << w.col;
        EXPECT_EQ(cell[u"format"].toString(), QLatin1String(format)) << w.shown << " in " << w.col;
        EXPECT_TRUE(printed.contains(QLatin1String(w.shown))) << w.shown;
    };
    // One band row a record, the first numbered 1 by %N in column 2.
    int first = 1;
    while (first < sheet.maxRow() && sheet.value(first, 2) != platform::grid::CellValue(1.0))
        ++first;
    for (std::size_t record = 0; record < records.size(); ++record) {
        for (const Written& w : records[record].cells)
            expectShown(first + int(record), w, formats.at(w.col));
    }
    // The column's total as its digits, a text in the workbook since General would show it otherwise.
    int tail = first + int(records.size());
    while (tail < sheet.maxRow() && sheet.text(tail, 2) != QStringLiteral("合计"))
        ++tail;
    const QByteArray sum = platform::db::numberText(total).toLatin1();
    expectShown(tail, { Statement, sum.constData(), "text" }, "General");
}

} // namespace
