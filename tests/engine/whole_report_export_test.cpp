#include "EngineFixture.h"

#include "demo/DemoReports.h"
#include "engine/CellTextFit.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/Sheet.h"

#include <QFile>
#include <QJsonArray>
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

} // namespace
