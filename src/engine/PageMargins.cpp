#include "engine/PageMargins.h"

#include "engine/EngineState.h"
#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace engine
{

namespace
{

constexpr double TwipsPerInch = 1440.0;

QList<PageMarginRow> readStoredMargins()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id=")
        + store::reportIdLiteral()
        + QStringLiteral(" and (info_type='TOP_MARGE' or info_type='BOTTOM_MARGE' or "
                         "info_type='LEFT_MARGE' or info_type='RIGHT_MARGE')"));
    QList<PageMarginRow> margins;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const auto inches = store::toDouble(rows->text(QStringLiteral("info_description")));
        margins.append({ store::upperKeyword(rows->text(QStringLiteral("info_type"))), inches.value_or(-1) });
    }
    return margins;
}

int marginTwips(double inches, int defaultTwips)
{
    return inches == -1 ? defaultTwips : roundInt16(inches * TwipsPerInch);
}

} // namespace

void LoadPageMargins(platform::grid::Sheet& grid)
{
    DataEngineState& engine = dataEngine();
    if (!engine.PageMarginRows)
        engine.PageMarginRows = readStoredMargins();
    if (engine.PageMarginRows->isEmpty()) {
        SetDefaultLayout(grid);
        return;
    }
    for (const PageMarginRow& margin : *engine.PageMarginRows)
        ApplyPageMargin(grid, margin.infoType, margin.inches);
}

void SetDefaultLayout(platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    grid.setRowHeight(1, DefaultTopMarginTwips);
    grid.setRowHeight(engine.PageSheetRows, DefaultBottomMarginTwips);
    grid.setColWidth(1, DefaultLeftMarginTwips);
    grid.setColWidth(engine.PageSheetCols, DefaultRightMarginTwips);
    store::ReportState& state = store::reportState();
    state.TopMarge = store::keywords::defaults::OtherMarge;
    state.LeftMarge = store::keywords::defaults::LeftMarge;
    state.BottomMarge = store::keywords::defaults::OtherMarge;
    state.RightMarge = store::keywords::defaults::OtherMarge;
}

void ApplyPageMargin(platform::grid::Sheet& grid, const QString& infoType, double inches)
{
    const DataEngineState& engine = dataEngine();
    namespace keywords = store::keywords;
    if (infoType == keywords::TopMarge)
        grid.setRowHeight(1, marginTwips(inches, DefaultTopMarginTwips));
    else if (infoType == keywords::BottomMarge)
        grid.setRowHeight(engine.PageSheetRows, marginTwips(inches, DefaultBottomMarginTwips));
    else if (infoType == keywords::LeftMarge)
        grid.setColWidth(1, marginTwips(inches, DefaultLeftMarginTwips));
    else if (infoType == keywords::RightMarge)
        grid.setColWidth(engine.PageSheetCols, marginTwips(inches, DefaultRightMarginTwips));
}

void SetFillerColWidth(platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    long long used = 0;
    for (int col = 1; col < engine.PageSheetCols; ++col)
        used += grid.colWidth(col);
    const int rest = fitInt16(engine.PrinterPaperWidth - fitInt32(used));
    grid.setColWidth(engine.PageSheetCols, rest > 0 ? rest : 0);
}

} // namespace engine
