// The page arithmetic of a data report over a definition built in memory: no database, no engine state.

#include "EngineFixture.h"

#include "engine/FitScale.h"
#include "engine/PageCounts.h"
#include "engine/PageGeometry.h"
#include "engine/PaperChecks.h"
#include "engine/PaperSizes.h"
#include "engine/StoredSizes.h"
#include "store/SizeLists.h"

using namespace enginetest;

namespace
{

constexpr int Fix = store::keywords::DataRowsFixMode;
constexpr int Auto = store::keywords::DataRowsAutoMode;
constexpr int NoRecords = -1; // a case that throws instead

// A data report with the detail band on rows first..last and the given ROWHEIGHT and COLWIDTH lists.
store::ReportDefinition definitionWith(
    int first, int last, const QStringList& rowLists = {}, const QStringList& colLists = {})
{
    store::ReportDefinition definition;
    definition.type = store::DataReport;
    if (first > 0)
        definition.regions[store::RegionEntry::DataDetail] = { true, first, last };
    const auto addLists = [&](const QString& kind, const QStringList& lists) {
        for (const QString& list : lists) {
            store::StoredFormatRow row;
            row.kind = kind;
            row.sizes = store::parseSizeList(list);
            definition.formats.append(row);
        }
    };
    addLists(store::keywords::RowHeight, rowLists);
    addLists(store::keywords::ColWidth, colLists);
    return definition;
}

TEST(PageArithmetic, RecordsPerPageFromTheStoredRowsAndTheDesignedPaper)
{
    const QString fixedAndBlock
        = sizeList({ { 1, "1000" }, { 2, "1000" }, { 3, "200" }, { 4, "100" }, { 5, "1000" } });
    const struct {
        const char* name;
        int dataRows;
        int designHeight;
        double topMargin;
        double bottomMargin;
        QString heights; // the detail band is rows 3 to 4
        int recordsPerPage;
        std::optional<int> freeHeight;
        int error;
    } cases[] = {
        { "a number of rows is taken as stored", 5, A4HeightTwips, 0.39375, 0.39375,
            sizeList({ { 3, "300" }, { 4, "0" } }), 5, std::nullopt, 0 },
        // 16838 - 567 - 567 - 3000 = 12704 twips for blocks of 300.
        { "FIX fills the paper below the fixed rows", Fix, A4HeightTwips, 0.39375, 0.39375, fixedAndBlock, 42,
            12704, 0 },
        { "AUTO sizes its pages as FIX does", Auto, A4HeightTwips, 0.39375, 0.39375, fixedAndBlock, 42, 12704,
            0 },
        // Row 51 lies beyond ROW_COUNT (50) and is a fixed row all the same: 12704 - 1000 = 11704.
        { "FIX counts a stored row beyond the sheet", Fix, A4HeightTwips, 0.39375, 0.39375,
            fixedAndBlock + sizeList({ { 51, "1000" } }), 39, 11704, 0 },
        { "AUTO counts it too", Auto, A4HeightTwips, 0.39375, 0.39375,
            fixedAndBlock + sizeList({ { 51, "1000" } }), 39, 11704, 0 },
        // 10001 - 4.5 = 9996.5 goes to the even 9996.
        { "a half twip goes to the even whole number", Fix, 10001, 0.003125, 0,
            sizeList({ { 3, "50" }, { 4, "50" } }), 99, 9996, 0 },
        { "a fractional row height is rounded before it is added", Fix, 10000, 0, 0,
            sizeList({ { 1, "999.5" }, { 3, "100.5" }, { 4, "99.5" } }), 45, 9000, 0 },
        // 3000 twips hold no block of 4000: the quotient truncates toward 0.
        { "a detail band taller than the page", Fix, 3000, 0, 0, sizeList({ { 3, "2000" }, { 4, "2000" } }),
            0, 3000, 0 },
        { "a paper of size 0", Fix, 0, 0, 0, sizeList({ { 3, "200" } }), 0, 0, 0 },
        { "0 rows per page", 0, A4HeightTwips, 0, 0, sizeList({ { 3, "200" } }), 0, std::nullopt, 0 },
        { "a detail band without stored heights", Fix, A4HeightTwips, 0, 0, sizeList({ { 1, "500" } }),
            NoRecords, std::nullopt, platform::errors::DivisionByZero },
        { "more rows than 16 bits hold", Fix, 32767 * 2, 0, 0, sizeList({ { 3, "1" } }), NoRecords,
            std::nullopt, platform::errors::Overflow },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::ReportDefinition definition = definitionWith(3, 4, { c.heights });
        definition.page.DataRows = c.dataRows;
        definition.page.TopMarge = c.topMargin;
        definition.page.BottomMarge = c.bottomMargin;
        engine::RecordsOnPage records;
        EXPECT_EQ(
            errorNumberOf([&] { records = engine::recordsOnPage(definition, c.designHeight); }), c.error);
        if (c.error != 0)
            continue;
        EXPECT_EQ(records.recordsPerPage, c.recordsPerPage);
        EXPECT_EQ(records.freeHeight, c.freeHeight);
    }
}

TEST(PageArithmetic, APageSheetIsTheTemplateWithOneDetailBlockPerRecordAndTheMarginRows)
{
    const struct {
        const char* name;
        int bandFirst; // 0: no detail band
        int bandLast;
        int rowCount;
        int colCount;
        int recordsPerPage;
        int rows;
        int cols;
        int detailRows;
        int error;
    } cases[] = {
        { "the demo report's page", 9, 9, 9, 7, 20, 19 + 9 + 2, 8, 1, 0 },
        { "a band of two rows", 6, 7, 10, 3, 3, 2 * 2 + 10 + 2, 4, 2, 0 },
        { "one record adds nothing to the template", 6, 7, 10, 3, 1, 12, 4, 2, 0 },
        { "without a detail band a block is one row", 0, 0, 5, 5, 4, 3 + 5 + 2, 6, 1, 0 },
        { "a band whose end lies above its start is one row", 5, 3, 5, 5, 2, 1 + 5 + 2, 6, 1, 0 },
        { "more rows than 16 bits hold", 2, 3, 10, 5, 20000, 0, 0, 2, platform::errors::Overflow },
        { "more columns than 16 bits hold", 2, 3, 10, 32767, 1, 0, 0, 2, platform::errors::Overflow },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::ReportDefinition definition = definitionWith(c.bandFirst, c.bandLast);
        definition.page.RowCount = c.rowCount;
        definition.page.ColCount = c.colCount;
        EXPECT_EQ(engine::detailRowCount(definition), c.detailRows);
        engine::PageSheetSize sheet;
        EXPECT_EQ(
            errorNumberOf([&] { sheet = engine::pageSheetSize(definition, c.recordsPerPage); }), c.error);
        if (c.error != 0)
            continue;
        EXPECT_EQ(sheet.rows, c.rows);
        EXPECT_EQ(sheet.cols, c.cols);
    }
}

TEST(PageArithmetic, PagesAreTheRecordsPerPageRoundedUp)
{
    const struct {
        long long records;
        int perPage;
        long long pages;
    } cases[] = { { 0, 20, 0 }, { 1, 20, 1 }, { 20, 20, 1 }, { 21, 20, 2 }, { 400, 20, 20 },
        { 5000000000LL, 3, 1666666667 } };
    for (const auto& c : cases)
        EXPECT_EQ(engine::PagesForRecords(c.records, c.perPage), c.pages) << c.records << " at " << c.perPage;
    EXPECT_EQ(errorNumberOf([] { engine::PagesForRecords(5, 0); }), platform::errors::DivisionByZero);
}

TEST(PageArithmetic, StoredSizesCountOnTheirSideOfTheDetailBandItemByItem)
{
    // One stored list straddles the band, as a designer that saved the rows in one block would write it.
    // An item that is no number counts nothing (the definition check refuses it); one beyond the design
    // sheet (a data report's 50 rows and columns) counts like any other.
    const store::ReportDefinition definition = definitionWith(3, 4,
        { sizeList({ { 1, "500" }, { 2, "400" }, { 3, "300" }, { 4, "200" }, { 5, "100" }, { 6, "50" } }),
            sizeList({ { 7, "60" }, { 8, "70.5" } }), sizeList({ { 9, "abc" }, { 51, "700" } }) },
        { sizeList({ { 1, "1000" }, { 2, "2000" } }), sizeList({ { 3, "1500.5" }, { 4, "1501.5" } }),
            sizeList({ { 5, "wide" }, { 51, "700" } }) });
    EXPECT_EQ(engine::LoadRowHeights(definition), 500 + 400 + 100 + 50 + 60 + 70 + 700);
    EXPECT_EQ(engine::GetRowsHeight(definition), 300 + 200);
    EXPECT_EQ(engine::LoadColWidths(definition), 1000 + 2000 + 1500 + 1502 + 700);
}

TEST(PageArithmetic, DesignedPaperComesFromThePrinterTheNoteOrTheLookup)
{
    const QSize a4(A4WidthTwips, A4HeightTwips);
    const QSize lookedUp(8960, 12320);
    const struct {
        const char* name;
        int code;
        QSize printer; // what the printer gave for the code
        std::optional<QString> note; // the PAGE_SIZE row's note; none: no row
        std::optional<QSize> lookup; // the page_size row; none: no row
        QSize paper;
        bool looksUp;
    } cases[] = {
        { "a paper the printer takes", 9, a4, QString(), lookedUp, a4, false },
        { "custom paper from the note", 256, QSize(0, 0), QStringLiteral("20|30|11200|16800"), lookedUp,
            QSize(11200, 16800), false },
        { "custom paper with an empty note from the lookup", 256, QSize(0, 0), QString(""), lookedUp,
            lookedUp, true },
        { "custom paper without a PAGE_SIZE row", 256, QSize(0, 0), std::nullopt, lookedUp, QSize(0, 0),
            false },
        { "a code only the lookup knows", 500, QSize(0, 0), QString(), lookedUp, lookedUp, true },
        { "a code nobody knows", 501, QSize(0, 0), QString(), std::nullopt, QSize(0, 0), true },
        { "half a size from the printer and no row keeps that half", 501, QSize(11906, 0), QString(),
            std::nullopt, QSize(11906, 0), true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::ReportDefinition definition;
        definition.paperNote = c.note;
        bool askedLookup = false;
        const QSize paper = engine::designPaperPortrait(definition, c.code, c.printer, [&] {
            askedLookup = true;
            return c.lookup;
        });
        EXPECT_EQ(paper, c.paper);
        EXPECT_EQ(askedLookup, c.looksUp);
    }
}

TEST(PageArithmetic, ColumnsAndMarginsAreComparedWithThePaperInTheReportsOrientation)
{
    const struct {
        const char* name;
        bool landscape;
        double leftMargin;
        double rightMargin;
        QString widths;
        bool exceeds;
    } cases[] = {
        // The default margins are 1134 + 567 twips.
        { "exactly as wide as A4", false, 0.7875, 0.39375, sizeList({ { 2, "5000" }, { 3, "5205" } }),
            false },
        { "one twip wider than A4", false, 0.7875, 0.39375, sizeList({ { 2, "5000" }, { 3, "5206" } }),
            true },
        { "landscape takes the paper's height", true, 0.7875, 0.39375, sizeList({ { 2, "15137" } }), false },
        { "landscape, one twip more", true, 0.7875, 0.39375, sizeList({ { 2, "15138" } }), true },
        { "margins of an inch", false, 1.0, 1.0, sizeList({ { 2, "9026" } }), false },
        { "margins of an inch, one twip more", false, 1.0, 1.0, sizeList({ { 2, "9027" } }), true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::ReportDefinition definition = definitionWith(0, 0, {}, { c.widths });
        definition.page.PageLandscape = c.landscape;
        definition.page.LeftMarge = c.leftMargin;
        definition.page.RightMarge = c.rightMargin;
        const QSize paper = engine::inReportOrientation(definition.page, QSize(A4WidthTwips, A4HeightTwips));
        EXPECT_EQ(
            paper, c.landscape ? QSize(A4HeightTwips, A4WidthTwips) : QSize(A4WidthTwips, A4HeightTwips));
        EXPECT_EQ(engine::ColumnsExceedWidth(definition, paper.width()), c.exceeds);
    }
}

TEST(PageArithmetic, FitFactorsStretchTheTemplateToThePrintersPage)
{
    // Fixed rows 3300 twips, a detail block of 360, columns 10000 wide, margins 0.39375 inches except the
    // left one (0.7875). The fixed rows count as stretched by ScaleY 16838 / 16632, each rounded:
    // 729 + 425 + 6 × 364 = 3338, so the fixed height is 567 + 567 + 3338 = 4472. Usable width
    // 11906 - 1701 - 5 = 10200.
    const QStringList rows { sizeList({ { 1, "720" }, { 2, "420" }, { 3, "360" }, { 4, "360" } }),
        sizeList({ { 5, "360" } }), sizeList({ { 6, "360" }, { 7, "360" }, { 8, "360" }, { 9, "360" } }) };
    const QString columns = sizeList({ { 2, "4000" }, { 3, "6000" } });
    // Fourteen columns of 668 (9352 twips) would each round up to 729 at 10200 / 9352, 10206 twips, more
    // than the 10205 the paper leaves: one twip less makes each 728.
    QString fourteen;
    for (int col = 2; col <= 15; ++col)
        fourteen += sizeList({ { col, "668" } });
    const QSize a4(A4WidthTwips, A4HeightTwips);
    const QSize designed(11760, 16632);
    const struct {
        const char* name;
        bool selfFit;
        int dataRows;
        int recordsPerPage;
        engine::FitPapers papers;
        double scaleY;
        double scaleX;
        double detailScale;
        QString widths = {};
    } cases[] = {
        { "not fitted", false, 20, 20, { designed, a4, A4HeightTwips }, 1.0, 1.0, 1.0 },
        { "FIX stretches the detail as the page", true, Fix, 34, { designed, a4, std::nullopt },
            16838.0 / 16632, 10200.0 / 10000, 16838.0 / 16632 },
        { "20 records fill the printer's page", true, 20, 20, { designed, a4, A4HeightTwips },
            16838.0 / 16632, 10200.0 / 10000, (16838.0 - 4472 - 10) / (20 * 360) },
        { "AUTO fills the page like a number of rows", true, Auto, 34, { designed, a4, A4HeightTwips },
            16838.0 / 16632, 10200.0 / 10000, (16838.0 - 4472 - 10) / (34 * 360) },
        { "the printer's page now, not the paper measured", true, 20, 20, { designed, a4, 20000 },
            16838.0 / 16632, 10200.0 / 10000, (20000.0 - 4472 - 10) / (20 * 360) },
        { "without a printer the designed paper serves", true, 20, 20, { designed, a4, std::nullopt },
            16838.0 / 16632, 10200.0 / 10000, (16632.0 - 4472 - 10) / (20 * 360) },
        { "columns that would round past the paper", true, 20, 20, { a4, a4, A4HeightTwips }, 1.0,
            10199.0 / 9352, (16838.0 - 4434 - 10) / (20 * 360), fourteen },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::ReportDefinition definition
            = definitionWith(5, 5, rows, { c.widths.isEmpty() ? columns : c.widths });
        definition.page.SelfFit = c.selfFit;
        definition.page.DataRows = c.dataRows;
        EXPECT_EQ(engine::fillsPrinterPage(definition.page), c.selfFit && c.dataRows != Fix);
        const engine::FitFactors factors = engine::fitFactors(definition, c.papers, c.recordsPerPage);
        EXPECT_DOUBLE_EQ(factors.scaleY, c.scaleY);
        EXPECT_DOUBLE_EQ(factors.scaleX, c.scaleX);
        EXPECT_DOUBLE_EQ(factors.detailScale, c.detailScale);
    }
}

TEST(PageArithmetic, FittingToNothingIsADivisionByZero)
{
    const engine::FitPapers papers { QSize(11760, 16632), QSize(A4WidthTwips, A4HeightTwips), A4HeightTwips };
    const struct {
        const char* name;
        QSize design;
        QStringList rowLists;
        QStringList colLists;
    } cases[] = {
        { "columns of no width", papers.design, { sizeList({ { 1, "360" } }) }, {} },
        { "a designed paper of no width", QSize(0, 16632), { sizeList({ { 1, "360" } }) },
            { sizeList({ { 1, "1000" } }) } },
        { "a designed paper of no height", QSize(11760, 0), { sizeList({ { 1, "360" } }) },
            { sizeList({ { 1, "1000" } }) } },
        { "a detail block of no height", papers.design, {}, { sizeList({ { 1, "1000" } }) } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store::ReportDefinition definition = definitionWith(1, 1, c.rowLists, c.colLists);
        definition.page.SelfFit = true;
        definition.page.DataRows = 20;
        engine::FitPapers used = papers;
        used.design = c.design;
        EXPECT_EQ(errorNumberOf([&] { engine::fitFactors(definition, used, 20); }),
            platform::errors::DivisionByZero);
    }
}

} // namespace
