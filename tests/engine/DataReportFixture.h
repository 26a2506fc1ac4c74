#pragma once

#include "EngineFixture.h"

#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/grid/Sheet.h"
#include "store/PageSettings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

namespace enginetest
{

// One document of the test table docs. Pieces are numbered in the order the report sorts them (group
// fields first, then piece_no), so a page's records read as a run of piece numbers.
struct Doc {
    QString g1;
    QString g2;
    QString g3;
    int piece = 0;
    QString title;
    int pages = 0;
};

// 23 documents: groups A (12: Aa 7, Ab 5) and B (11: Ba 11); on the third level Aa splits x 3 / y 4,
// Ab is x 5, Ba splits x 4 / y 7.
inline std::vector<Doc> standardDocs()
{
    std::vector<Doc> docs;
    const struct {
        const char* g1;
        const char* g2;
        const char* g3;
        int count;
    } runs[] = { { "A", "a", "x", 3 }, { "A", "a", "y", 4 }, { "A", "b", "x", 5 }, { "B", "a", "x", 4 },
        { "B", "a", "y", 7 } };
    int piece = 0;
    for (const auto& run : runs) {
        for (int i = 0; i < run.count; ++i) {
            ++piece;
            docs.push_back({ QString::fromLatin1(run.g1), QString::fromLatin1(run.g2),
                QString::fromLatin1(run.g3), piece, QStringLiteral("文件%1").arg(piece), piece * 3 + 1 });
        }
    }
    return docs;
}

// The template of the test report over docs, design rows top to bottom:
//   report head "文件目录" | page head (headings) | group heads of levels 1..L ("组N" and the field) |
//   detail band: %N, piece_no, title, page_no (a second band row shows recid) |
//   group tails L..1 ("组N尾") | page tail "第%p页 共%P页" | report tail "合计" and the sum of page_no.
// Columns 2 to 5 (column 1 is the region-marker column). Rows outside the band are 400 twips high,
// band rows `bandRowHeight`.
struct DocsLayout {
    int groupLevels = 0;
    QString dataRows = QStringLiteral("5");
    int bandRows = 1;
    int bandRowHeight = 300;
    int reportHeadHeight = 400;
    bool pageRecount = false;
    bool selfFit = false;
    bool reportHead = true;
    bool reportTail = true;
    // A picture file for the report head (column 5) and, with a band of two rows, for the band's second
    // row (column 2).
    QString picture {};

    int reportHeadRow() const { return 1; }
    int pageHeadRow() const { return 2; }
    int groupHeadRow(int level) const { return 2 + level; }
    int bandBegin() const { return 3 + groupLevels; }
    int bandEnd() const { return bandBegin() + bandRows - 1; }
    int groupTailRow(int level) const { return bandEnd() + 1 + groupLevels - level; }
    int pageTailRow() const { return bandEnd() + groupLevels + 1; }
    int reportTailRow() const { return pageTailRow() + 1; }
    int rowCount() const { return reportTailRow(); }
};

// The top and bottom margins the test report stores: 0.5 inch.
constexpr int MarginTwips = 720;

class DataReportTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        createDocsTable();
    }

    void createDocsTable()
    {
        execute(QStringLiteral("create table docs (recid varchar(20), g1 varchar(10), g2 varchar(10), "
                               "g3 varchar(10), piece_no integer, title varchar(1000), page_no integer)"));
        for (const char* column : { "recid", "g1", "g2", "g3", "piece_no", "title", "page_no" }) {
            execute(QStringLiteral(
                "insert into table_struct_description (table_name, table_chn_name, column_name, "
                "column_type, column_chn_name, column_visible) values ('docs', '文件', %1, "
                "'varchar', %1, 'T')")
                        .arg(text(QString::fromLatin1(column))));
        }
    }

    // A database of its own holding `docs` only, for a test that builds several reports.
    void freshDocs(const std::vector<Doc>& docs = standardDocs())
    {
        useDatabase(Content::Schema);
        createDocsTable();
        insertDocs(docs);
    }

    void insertDocs(const std::vector<Doc>& docs)
    {
        // Inserted in reverse, so that only the report's sort puts them in order.
        for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
            execute(QStringLiteral("insert into docs values (%1, %2, %3, %4, %5, %6, %7)")
                        .arg(text(QStringLiteral("R%1").arg(it->piece, 4, 10, QLatin1Char('0'))),
                            text(it->g1), text(it->g2), text(it->g3))
                        .arg(it->piece)
                        .arg(text(it->title))
                        .arg(it->pages));
        }
    }

    void defineReport(const DocsLayout& layout)
    {
        index();
        region(QStringLiteral("REPORT_HEAD"), layout.reportHeadRow(), layout.reportHeadRow(), 1,
            layout.reportHead);
        region(QStringLiteral("PAGE_HEAD"), layout.pageHeadRow(), layout.pageHeadRow());
        region(QStringLiteral("DATA_DETAIL"), layout.bandBegin(), layout.bandEnd());
        region(QStringLiteral("PAGE_TAIL"), layout.pageTailRow(), layout.pageTailRow());
        region(QStringLiteral("REPORT_TAIL"), layout.reportTailRow(), layout.reportTailRow(), 1,
            layout.reportTail);
        for (int level = 1; level <= layout.groupLevels; ++level) {
            region(
                QStringLiteral("GROUP_HEAD"), layout.groupHeadRow(level), layout.groupHeadRow(level), level);
            region(
                QStringLiteral("GROUP_TAIL"), layout.groupTailRow(level), layout.groupTailRow(level), level);
        }
        const auto flag = [](bool on) { return on ? QStringLiteral("T") : QStringLiteral("F"); };
        const std::pair<const char*, QString> rows[] = { { "SQL_SELECT", "docs.*" },
            { "SQL_ORDER", "docs.piece_no" }, { "TABLES_NAME", "docs" }, { "DATA_ROWS", layout.dataRows },
            { "SELF_FIT", flag(layout.selfFit) }, { "PAGE_RECOUNT", flag(layout.pageRecount) },
            { "PAGE_SIZE", "9" }, { "PAGE_LANDSCAPE", "F" }, { "TOP_MARGE", "0.5" },
            { "BOTTOM_MARGE", "0.5" }, { "LEFT_MARGE", "0.7875" }, { "RIGHT_MARGE", "0.39375" },
            { "ROW_COUNT", QString::number(layout.rowCount()) }, { "COL_COUNT", "5" } };
        for (const auto& [type, value] : rows)
            info(QString::fromLatin1(type), value);

        colWidths(sizeList({ { 2, "800" }, { 3, "1200" }, { 4, "4000" }, { 5, "1000" } }));
        // Three stored lists: the rows above the band, the band's, the rows below it.
        const auto storeHeights = [&](int first, int last) {
            QString list;
            for (int row = first; row <= last; ++row) {
                const bool inBand = row >= layout.bandBegin() && row <= layout.bandEnd();
                const int height = inBand ? layout.bandRowHeight : row == 1 ? layout.reportHeadHeight : 400;
                list += sizeList({ { row, QString::number(height) } });
            }
            rowHeights(first, last, list);
        };
        storeHeights(1, layout.bandBegin() - 1);
        storeHeights(layout.bandBegin(), layout.bandEnd());
        storeHeights(layout.bandEnd() + 1, layout.rowCount());
        format(QStringLiteral("BORDER"), layout.bandBegin(), 2, layout.bandEnd(), 5,
            QStringLiteral("@WHICHBORDER|2|0@BORDERSTYLE|2|1@WHICHBORDER|2|2@BORDERSTYLE|2|1"));
        format(QStringLiteral("FONT"), layout.reportHeadRow(), 2, layout.reportHeadRow(), 5,
            QStringLiteral("@FONTBOLD|4|TRUE"));
        format(QStringLiteral("MERGE"), layout.pageTailRow(), 2, layout.pageTailRow(), 4,
            QStringLiteral("@MERGE|4|TRUE"));

        cell(layout.reportHeadRow(), 2, QStringLiteral("@A|文件目录"));
        cell(layout.pageHeadRow(), 2, QStringLiteral("@A|序号"));
        cell(layout.pageHeadRow(), 3, QStringLiteral("@A|件号"));
        cell(layout.pageHeadRow(), 4, QStringLiteral("@A|题名"));
        cell(layout.pageHeadRow(), 5, QStringLiteral("@A|页数"));
        for (int level = 1; level <= layout.groupLevels; ++level) {
            cell(layout.groupHeadRow(level), 2, QStringLiteral("@A|组%1").arg(level));
            cell(layout.groupHeadRow(level), 3, QStringLiteral("@B|docs.g%1").arg(level));
            cell(layout.groupTailRow(level), 2, QStringLiteral("@A|组%1尾").arg(level));
        }
        cell(layout.bandBegin(), 2, QStringLiteral("@C|%N"));
        cell(layout.bandBegin(), 3, QStringLiteral("@B|docs.piece_no"));
        cell(layout.bandBegin(), 4, QStringLiteral("@B|docs.title"));
        cell(layout.bandBegin(), 5, QStringLiteral("@B|docs.page_no"));
        if (layout.bandRows > 1)
            cell(layout.bandEnd(), 4, QStringLiteral("@B|docs.recid"));
        cell(layout.pageTailRow(), 2, QStringLiteral("@C|第%p页 共%P页"));
        cell(layout.reportTailRow(), 2, QStringLiteral("@A|合计"));
        cell(layout.reportTailRow(), 5, QStringLiteral("@R|E&"));
        if (!layout.picture.isEmpty()) {
            cell(layout.reportHeadRow(), 5, QStringLiteral("@D|") + layout.picture);
            if (layout.bandRows > 1)
                cell(layout.bandEnd(), 2, QStringLiteral("@D|") + layout.picture);
        }
    }

    void region(const QString& type, int begin, int end, int order = 1, bool present = true)
    {
        if (present)
            info(type, QStringLiteral("%1:%2").arg(begin).arg(end), order);
    }

    // The preview road up to the data: the stored definition, the check, then the preparation.
    void prepare()
    {
        useDefinition();
        ASSERT_TRUE(engine::CanPrintDataReport(run));
        engine::PrepareReportData(run);
    }

    // Prepares the report and builds its first `pages` pages.
    platform::grid::Sheet build(int pages)
    {
        prepare();
        platform::grid::Sheet sheet;
        engine::CreateDataReport(run, sheet, pages);
        return sheet;
    }

    const engine::DataReportRun& state() const { return run; }
};

// Where the pictures of a sheet stand, in the order they were placed.
inline QList<platform::grid::CellRange> picturePositions(const platform::grid::Sheet& sheet)
{
    QList<platform::grid::CellRange> positions;
    for (const int id : sheet.objectIds())
        positions.append(sheet.objectPosition(id));
    return positions;
}

// What one built page shows, read back from the output sheet.
struct PageView {
    QList<int> pieces; // piece numbers in the order their rows stand
    QStringList texts; // every shown text of the page, row by row ("" for empty cells), "|" between cells

    bool shows(const QString& text) const
    {
        for (const QString& row : texts) {
            if (row.split(u'|').contains(text))
                return true;
        }
        return false;
    }
};

inline PageView readPage(
    const platform::grid::Sheet& sheet, const engine::PageRowRange& range, int lastCol = 6)
{
    PageView view;
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        QStringList cells;
        for (int col = 1; col <= lastCol; ++col)
            cells.append(sheet.text(row, col));
        view.texts.append(cells.join(u'|'));
        const platform::grid::CellValue piece = sheet.value(row, 3);
        if (std::holds_alternative<double>(piece))
            view.pieces.append(int(std::get<double>(piece)));
    }
    return view;
}

// Runs of piece numbers: {1, 5} for pieces 1 to 5.
using PieceRun = std::pair<int, int>;

inline QList<PieceRun> runsOf(const QList<int>& pieces)
{
    QList<PieceRun> runs;
    for (const int piece : pieces) {
        if (!runs.isEmpty() && runs.last().second + 1 == piece)
            runs.last().second = piece;
        else
            runs.append({ piece, piece });
    }
    return runs;
}

} // namespace enginetest
