#include "DesignerWindowFixture.h"

#include "designer/MenuRules.h"
#include "designer/SizeInput.h"
#include "platform/ui/ScriptedUi.h"

#include <functional>
#include <QAction>
#include <QDialog>
#include <QTest>

using designer::frmReportDesigner;
using platform::ui::MsgBoxResult;

namespace
{

// The designer shown and active, as a clerk has it in front of him: keys go where the focus is and
// F1 finds the window it was pressed in.
void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

class DesignerKeysAndMouse : public designertest::DesignerWindowTest
{
protected:
    // The point on the border after column `col` (below row `row`) in the grid's headings.
    static QPoint columnBorder(frmReportDesigner& window, int col)
    {
        const QRect heading = window.fbkRptDesigner->cellRect(0, col);
        return { heading.x() + heading.width(), heading.center().y() };
    }
    static QPoint rowBorder(frmReportDesigner& window, int row)
    {
        const QRect heading = window.fbkRptDesigner->cellRect(row, 0);
        return { heading.center().x(), heading.y() + heading.height() };
    }

    static void drag(frmReportDesigner& window, QPoint from, QPoint by)
    {
        QWidget* viewport = window.fbkRptDesigner->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, from + by);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, from + by);
    }
};

// Outside editing, Tab and Shift+Tab move the active cell right and left, Enter moves it down, and the
// focus stays in the grid, in data and statistics reports alike.
TEST_P(DesignerKeysAndMouse, TabShiftTabAndEnterMoveTheActiveCellWithinTheGrid)
{
    const struct {
        QString reportId;
        int type;
        int row; // a row without merged cells
        int firstCol;
    } reports[] = { { demo::DataReportId, store::DataReport, 5, 2 },
        { demo::StatisticsReportId, store::StatisticsReport, 3, 1 } };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int rowMove, col; // col counted from the report's first design column
    } steps[]
        = { { Qt::Key_Tab, {}, 0, 1 }, { Qt::Key_Tab, {}, 0, 2 }, { Qt::Key_Tab, Qt::ShiftModifier, 0, 1 },
              { Qt::Key_Backtab, Qt::ShiftModifier, 0, 0 }, { Qt::Key_Return, {}, 1, 0 } };
    for (const auto& report : reports) {
        openOn(report.reportId, report.type);
        const auto window = openDesigner();
        showActive(*window);
        platform::grid::GridView* grid = window->fbkRptDesigner;
        select(*window, report.row, report.firstCol);
        grid->setFocus();
        for (const auto& step : steps) {
            QTest::keyClick(grid, step.key, step.modifiers);
            const int row = report.row + step.rowMove;
            const int col = report.firstCol + step.col;
            EXPECT_EQ(window->grid().activeRow(), row) << report.type << " key " << step.key;
            EXPECT_EQ(window->grid().activeCol(), col) << report.type << " key " << step.key;
            EXPECT_EQ(window->grid().selection(), platform::grid::CellRange::cell(row, col));
            EXPECT_TRUE(grid->hasFocus()) << report.type << " key " << step.key;
            EXPECT_EQ(window->txtRange->text(), *designer::ColumnLetters(col) + QString::number(row));
        }
        EXPECT_FALSE(window->ReportModified());
        window->hide();
    }
}

// F1 opens the topic of the window it is pressed in: the designer's and each dialog's that has a help
// button.
TEST_P(DesignerKeysAndMouse, F1OpensTheHelpTopicOfTheWindowItIsPressedIn)
{
    const auto window = openDesigner();
    showActive(*window);
    select(*window, 5, 3);
    QTest::keyClick(window->fbkRptDesigner, Qt::Key_F1);
    ASSERT_EQ(ui.openedUrls().size(), 1);
    EXPECT_TRUE(ui.openedUrls()[0].toLocalFile().endsWith("help/报表设计器.htm"));

    const struct {
        const char* command;
        const char* dialog;
        const char* page;
    } dialogs[] = { { "mnuAddRegion", "frmAddRegion", "help/添加区域.htm" },
        { "mnuCellFormat", "frmCellFormat", "help/设置单元格格式.htm" },
        { "mnuDataSource", "frmDataSource", "help/数据源设置.htm" },
        { "mnuPreview", "frmPreview", "help/打印效果预览.htm" } };
    for (const auto& d : dialogs) {
        ui.onDialog(d.dialog, [](QDialog& dialog) {
            showActive(dialog);
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_F1);
            dialog.reject();
        });
        const qsizetype opened = ui.openedUrls().size();
        window->command(d.command)->trigger();
        ASSERT_EQ(ui.openedUrls().size(), opened + 1) << d.dialog;
        EXPECT_TRUE(ui.openedUrls().last().toLocalFile().endsWith(QString::fromUtf8(d.page))) << d.dialog;
    }
    EXPECT_TRUE(ui.boxes().empty()) << ui.boxTexts().join('|').toStdString();
    window->hide();
}

// Escape and the title bar's close button on 页面设置 are Cancel: the report stays unchanged and closing
// asks nothing; OK marks it changed.
TEST_P(DesignerKeysAndMouse, PageSetupClosedByEscapeOrItsFrameChangesNothing)
{
    const auto window = openDesigner();
    std::function<void(QDialog&)> close;
    ui.onDialog("frmPageSetup", [&](QDialog& dialog) { close(dialog); });
    const std::function<void(QDialog&)> closings[]
        = { [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
              [](QDialog& dialog) { dialog.close(); } };
    for (const auto& closing : closings) {
        close = closing;
        window->command("PageSetup")->trigger();
        EXPECT_FALSE(window->ReportModified());
        EXPECT_TRUE(ui.shownDialogs().endsWith("dialogs::frmPageSetup"));
    }
    EXPECT_EQ(ui.shownDialogs().size(), 2);
    EXPECT_TRUE(window->Form_Unload());
    EXPECT_TRUE(ui.boxes().empty()) << ui.boxTexts().join('|').toStdString();
}

// A column's right border or a row's lower border dragged on the headings resizes it within the size
// dialogs' bounds; the marker column keeps its width; the layout counts as changed, so closing asks.
TEST_P(DesignerKeysAndMouse, DraggedBordersResizeWithinTheDialogsBounds)
{
    const auto window = openDesigner();
    window->resize(1000, 700);
    showActive(*window);
    platform::grid::Sheet& sheet = window->grid();
    const int markerWidth = sheet.colWidth(1);
    select(*window, 5, 3);
    const platform::grid::CellRange selected = sheet.selection();
    const struct {
        bool column;
        int index;
        int pixels; // at 100 %, 15 twips a pixel
        int twips;
    } drags[] = { { true, 3, 20, 2250 + 300 }, { true, 3, -10, 2250 + 150 }, { false, 5, 8, 360 + 120 },
        { true, 2, 900, designer::MaxSizeTwips }, { false, 4, -200, 1 } };
    for (const auto& d : drags) {
        const QPoint border = d.column ? columnBorder(*window, d.index) : rowBorder(*window, d.index);
        drag(*window, border, d.column ? QPoint(d.pixels, 0) : QPoint(0, d.pixels));
        EXPECT_EQ(d.column ? sheet.colWidth(d.index) : sheet.rowHeight(d.index), d.twips)
            << (d.column ? "column " : "row ") << d.index;
        EXPECT_EQ(sheet.selection(), selected) << "a drag on a border selects nothing";
    }
    drag(*window, columnBorder(*window, 1), QPoint(30, 0));
    EXPECT_EQ(sheet.colWidth(1), markerWidth);

    EXPECT_FALSE(window->ReportModified());
    ui.queueAnswer(MsgBoxResult::Cancel);
    EXPECT_FALSE(window->Form_Unload());
    EXPECT_EQ(ui.boxTexts(), QStringList { "报表已经修改，是否保存？" });
    window->setReportModified(false);
    window->hide();
}

// A statistics report has no marker column: its column 1 is dragged like the others, and a click there
// names it as in a data report.
TEST_P(DesignerKeysAndMouse, AStatisticsReportsColumnOneIsResizedAndNamed)
{
    openOn(demo::StatisticsReportId, store::StatisticsReport);
    const auto window = openDesigner();
    window->resize(1000, 700);
    showActive(*window);
    drag(*window, columnBorder(*window, 1), QPoint(20, 0));
    EXPECT_EQ(window->grid().colWidth(1), 2200 + 300);

    const QRect cell = window->fbkRptDesigner->cellRect(4, 1);
    QTest::mouseClick(window->fbkRptDesigner->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(window->txtRange->text(), "A4");
    EXPECT_EQ(panel(*window, "panel1"), "报表区域标志区");
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Backends, DesignerKeysAndMouse, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName {});

} // namespace
