#include "designer/MenuRules.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>

using namespace designer;
using platform::grid::CellRange;

namespace
{

constexpr int WholeRow = platform::grid::kWholeRowLastCol;
constexpr int WholeCol = platform::grid::kWholeColLastRow;

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

TEST(DesignerMenuRules, CommandsEnabledBySelectionKindAndReportType)
{
    const QStringList cellsOutsideMarkers { "mnuInsertRowAbove", "mnuInsertRowBelow", "mnuInsertColLeft",
        "mnuInsertColRight", "mnuDeleteCol", "mnuDeleteRow", "mnuCellFormat", "mnuDataSource", "mnuColWidth",
        "CellFormat", "DataSource", "mnuAddRegion", "mnuDeleteRegion", "mnuRowHeight", "InsertRow",
        "InsertCol" };
    const QStringList cellsFromMarkers { "mnuInsertRowAbove", "mnuInsertRowBelow", "mnuInsertColLeft",
        "mnuInsertColRight", "mnuDeleteCol", "mnuDeleteRow", "mnuAddRegion", "mnuDeleteRegion",
        "mnuRowHeight", "InsertRow", "InsertCol" };
    const struct {
        CellRange selection;
        int type;
        QStringList enabled;
    } cases[] = {
        { { 1, 1, WholeCol, WholeRow }, store::DataReport, { "mnuColWidth", "mnuRowHeight" } },
        { { 2, 1, 4, WholeRow }, store::DataReport,
            { "mnuInsertRowAbove", "mnuInsertRowBelow", "mnuColWidth", "mnuRowHeight", "mnuDeleteRow",
                "InsertRow" } },
        { { 1, 3, WholeCol, 3 }, store::DataReport,
            { "mnuInsertColLeft", "mnuInsertColRight", "mnuColWidth", "mnuRowHeight", "mnuDeleteCol",
                "InsertCol" } },
        { { 2, 2, 3, 4 }, store::DataReport, cellsOutsideMarkers },
        { { 2, 1, 3, 4 }, store::DataReport, cellsFromMarkers },
        { { 2, 1, 2, 1 }, store::DataReport, cellsFromMarkers },
        // A statistics report has no marker column: column 1 takes formats and contents.
        { { 2, 1, 2, 1 }, store::StatisticsReport, cellsOutsideMarkers },
    };
    for (const auto& c : cases) {
        const QStringList enabled = commandsEnabledBySelection(c.selection, c.type);
        EXPECT_EQ(sorted(enabled), sorted(c.enabled)) << c.selection.row1 << "," << c.selection.col1;
        for (const QString& name : enabled) {
            EXPECT_TRUE(reportCommands().contains(name)) << name.toStdString();
            EXPECT_TRUE(selectionCommands().contains(name) || name == "mnuAddRegion") << name.toStdString();
        }
    }
    // Merge and the two clear commands follow a report's presence alone; New, Open and Exit never wait.
    for (const char* name : { "mnuMerge", "mnuClearFormat", "mnuClearContent", "mnuSave", "Save" }) {
        EXPECT_TRUE(reportCommands().contains(name));
        EXPECT_FALSE(selectionCommands().contains(name));
    }
    for (const char* name : { "mnuNew", "mnuOpen", "mnuExit", "mnuHelpTopic", "mnuAbout", "mnuDesignRegion" })
        EXPECT_FALSE(reportCommands().contains(name));
}

TEST(DesignerMenuRules, PopupBySelection)
{
    const struct {
        CellRange selection;
        int type;
        GridPopup popup;
    } cases[] = {
        { { 1, 1, WholeCol, WholeRow }, store::DataReport, GridPopup::None },
        { { 1, 2, WholeCol, 3 }, store::DataReport, GridPopup::Col },
        { { 2, 1, 2, WholeRow }, store::DataReport, GridPopup::Row },
        { { 2, 1, 5, 1 }, store::DataReport, GridPopup::ReportRegion },
        { { 2, 1, 5, 1 }, store::StatisticsReport, GridPopup::DesignRegion },
        { { 2, 1, 5, 3 }, store::DataReport, GridPopup::None },
        { { 2, 1, 5, 3 }, store::StatisticsReport, GridPopup::DesignRegion },
        { { 2, 2, 2, 2 }, store::DataReport, GridPopup::DesignRegion },
    };
    for (const auto& c : cases)
        EXPECT_EQ(popupFor(c.selection, c.type), c.popup) << c.selection.row1 << "," << c.selection.col2;
}

// Data and statistics reports name the areas alike, column 1 included.
TEST(DesignerMenuRules, AreaNames)
{
    const struct {
        int row, col;
        QString name;
    } cases[] = { { 0, 0, "报表设计器" }, { 0, 3, "列标志区" }, { 4, 0, "行标志区" },
        { 4, 1, "报表区域标志区" }, { 4, 2, "报表设计区域" } };
    for (const auto& c : cases)
        EXPECT_EQ(AreaName(c.row, c.col), c.name) << c.row << "," << c.col;
}

TEST(DesignerMenuRules, ColumnLetters)
{
    const std::pair<int, const char*> letters[]
        = { { 1, "A" }, { 2, "B" }, { 26, "Z" }, { 27, "AA" }, { 52, "AZ" }, { 53, "BA" }, { 256, "IV" } };
    for (const auto& [col, text] : letters)
        EXPECT_EQ(ColumnLetters(col), QString::fromLatin1(text)) << col;
    for (const int col : { 0, -1, 257 })
        EXPECT_FALSE(ColumnLetters(col)) << col;
}
