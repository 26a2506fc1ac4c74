#include "OutputWindowFixture.h"

#include "engine/EngineState.h"
#include "output/frmPreview.h"
#include "output/PageView.h"
#include "platform/db/Connection.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/ScriptedPrinters.h"
#include "store/clsPropertyHandle.h"

#include <functional>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

using namespace outputtest;

namespace
{

bool sheetHolds(const platform::grid::Sheet& sheet, const QString& text)
{
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        for (int col = 1; col <= sheet.maxCol(); ++col) {
            if (sheet.text(row, col).contains(text))
                return true;
        }
    }
    return false;
}

class Preview : public OutputWindowTest
{
protected:
    Preview()
        : OutputWindowTest(200)
    {
    }

    // Opens the preview as the host does and runs `work` in it once it has built its report.
    void preview(const std::function<void(frmPreview&)>& work)
    {
        ui.onDialog(QStringLiteral("frmPreview"), [&](QDialog& dialog) {
            ++windowsDriven;
            work(static_cast<frmPreview&>(dialog));
        });
        report.PreviewBlankPage();
    }

    // Every row of the demo statistics report 5000 twips high: three rows fill a page.
    void makeStatisticsReportTall()
    {
        QString heights;
        for (int row = 1; row <= 9; ++row)
            heights += store::clsPropertyHandle::GetPropertyString(
                QString::number(row), store::PropertyDataType::Integer, QStringLiteral("5000"));
        database.connection()->execute(
            QStringLiteral("insert into report_format (report_id, format_order, begin_row_no, begin_col_no, "
                           "end_row_no, end_col_no, format_type, format_description) "
                           "values (?, 100, 1, 0, 9, 0, 'ROWHEIGHT', ?)"),
            { demo::StatisticsReportId, heights });
        report.setReportId(demo::StatisticsReportId);
    }

    int windowsDriven = 0;
};

OUTPUT_WINDOW_SUITE(Preview);

TEST_P(Preview, TheDataReportShowsItsBlankFormOnOnePage)
{
    preview([&](frmPreview& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("效果预览 - ") + demo::DataReportName);
        EXPECT_EQ(window.pageCount(), 1);
        EXPECT_FALSE(window.cmdLastPage->isEnabled());
        EXPECT_FALSE(window.cmdNextPage->isEnabled());
        EXPECT_TRUE(window.fbkPreview->isEnabled());

        // One page of the template: its fixed texts, no record.
        const platform::grid::Sheet& form = window.report();
        EXPECT_EQ(form.maxRow(), window.run()->PageSheetRows);
        EXPECT_EQ(window.fbkPreview->page().maxRow(), form.maxRow());
        EXPECT_TRUE(sheetHolds(form, demo::DataReportName));
        EXPECT_TRUE(sheetHolds(form, QStringLiteral("件号")));
        EXPECT_FALSE(sheetHolds(form, QStringLiteral("J001-")));

        QStringList panels;
        for (const QLabel* label : window.staPreview->findChildren<QLabel*>())
            panels.append(label->text());
        EXPECT_EQ(panels, (QStringList { QStringLiteral("效果预览"), QStringLiteral("王档案") }));

        window.cmdClose_Click();
    });
    EXPECT_EQ(windowsDriven, 1);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_P(Preview, TheBlankFormPrintsOnOneSheetWithoutItsFrame)
{
    preview([&](frmPreview& window) {
        const platform::grid::Sheet before = window.report();
        window.cmdBlankRpt_Click();
        // The frame round the page is the view's: no cell of the form got a border from it.
        for (int row = 1; row <= before.maxRow(); ++row) {
            for (int col = 1; col <= before.maxCol(); ++col)
                ASSERT_EQ(window.report().format(row, col), before.format(row, col)) << row << "," << col;
        }
    });
    ASSERT_EQ(prints.jobs().size(), 1);
    EXPECT_EQ(prints.totalPages(), 1);
    const QString form = orvtest::PdfPrints::pageText(prints.jobs().front(), 1);
    EXPECT_TRUE(form.contains(demo::DataReportName) && form.contains(QStringLiteral("页数")))
        << form.toStdString();
    // The preview prints no report of the archive: nothing is logged.
    EXPECT_TRUE(logRows().isEmpty());
}

TEST_P(Preview, WithoutAPrinterTheBlankFormIsNotPrinted)
{
    preview([&](frmPreview& window) {
        const platform::ui::ScriptedPrinters none(platform::ui::PrinterScript {});
        window.cmdBlankRpt_Click();
    });
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes().front().text, QStringLiteral("没有安装打印机，不能打印空白表格！"));
    EXPECT_EQ(ui.boxes().front().icon, platform::ui::Icon::None);
    EXPECT_TRUE(prints.jobs().isEmpty());
}

TEST_P(Preview, TheStatisticsReportIsSteppedThroughPageByPage)
{
    makeStatisticsReportTall();
    qsizetype builtPages = 0;
    preview([&](frmPreview& window) {
        const QVector<int>& starts = window.statistics().PageStartArray;
        builtPages = starts.size();
        ASSERT_GE(starts.size(), 3);
        ASSERT_EQ(window.pageCount(), starts.size());
        const auto shownFirstRow = [&] {
            const platform::grid::Sheet& page = window.fbkPreview->page();
            QStringList texts;
            for (int col = 1; col <= page.maxCol(); ++col)
                texts.append(page.text(1, col));
            return texts;
        };
        const auto reportRow = [&](int row) {
            QStringList texts;
            for (int col = 1; col <= window.report().maxCol(); ++col)
                texts.append(window.report().text(row, col));
            return texts;
        };

        struct Step {
            std::function<void()> press;
            int page;
            bool previous;
            bool next;
        };
        const int last = int(starts.size());
        const Step steps[] = {
            { [] {}, 1, false, true },
            { [&] { window.cmdNextPage_Click(); }, 2, true, true },
            { [&] { window.cmdLastPage_Click(); }, 1, false, true },
            { [&] { window.cmdLastPage_Click(); }, 1, false, true }, // nothing before page 1
            { [&] {
                 for (int page = 1; page < last; ++page)
                     window.cmdNextPage_Click();
             },
                last, true, false },
            { [&] { window.cmdNextPage_Click(); }, last, true, false }, // nothing after the last page
            { [&] { window.cmdLastPage_Click(); }, last - 1, true, true },
        };
        for (const Step& step : steps) {
            step.press();
            EXPECT_EQ(window.currentPage(), step.page);
            EXPECT_EQ(window.cmdLastPage->isEnabled(), step.previous) << step.page;
            EXPECT_EQ(window.cmdNextPage->isEnabled(), step.next) << step.page;
            EXPECT_EQ(shownFirstRow(), reportRow(starts[step.page - 1])) << step.page;
        }

        // Only texts: the counts of the archive are left for the print.
        EXPECT_TRUE(sheetHolds(window.report(), QStringLiteral("保管期限")));
        EXPECT_FALSE(
            sheetHolds(window.report(), database.scalar(QStringLiteral("select sum(page_no) from wsda"))));

        window.cmdBlankRpt_Click();
    });
    EXPECT_EQ(windowsDriven, 1);
    ASSERT_EQ(prints.jobs().size(), 1);
    EXPECT_EQ(prints.totalPages(), builtPages);
}

TEST_P(Preview, ZoomSwitchesBetweenTheWholePageAndFullSize)
{
    preview([&](frmPreview& window) {
        window.resize(900, 600);
        const auto pageFits = [&] {
            return window.fbkPreview->pageSizeAt100().height() * window.fbkPreview->zoom() / 100.0
                <= window.picBackground->height() + 1;
        };
        // Fitted when shown: the whole page in the page area.
        ASSERT_LT(window.fbkPreview->zoom(), 100);
        const int fitted = window.fbkPreview->zoom();
        EXPECT_FALSE(window.fullSize());
        EXPECT_TRUE(pageFits());
        EXPECT_FALSE(window.fbkPreview->showVScrollBar());

        window.cmdResize_Click();
        EXPECT_TRUE(window.fullSize());
        EXPECT_EQ(window.fbkPreview->zoom(), 100);
        EXPECT_TRUE(window.fbkPreview->showVScrollBar());

        window.fbkPreview_MouseClick(2, 0, 10, 10); // the right button changes nothing
        EXPECT_EQ(window.fbkPreview->zoom(), 100);

        window.fbkPreview_MouseClick(1, 0, 10, 10);
        EXPECT_FALSE(window.fullSize());
        EXPECT_EQ(window.fbkPreview->zoom(), fitted);
        EXPECT_FALSE(window.fbkPreview->showVScrollBar());
    });
    EXPECT_EQ(windowsDriven, 1);
}

TEST_P(Preview, AReportThatCannotBeBuiltClosesTheWindow)
{
    store::reportState().ReportType = store::DataReport;
    report.setReportId(QStringLiteral("20990101000000000000"));
    preview([](frmPreview&) {});
    EXPECT_EQ(ui.shownDialogs(), QStringList { "frmPreview" });
    EXPECT_EQ(windowsDriven, 0);
    EXPECT_EQ(ui.boxes().size(), 1);
}

// The hourglass shows from the window's opening until its report is built, and no way out leaves it on.
TEST_P(Preview, NoWayOutOfTheWindowLeavesTheWaitCursorOn)
{
    const auto waiting = [] { return QGuiApplication::overrideCursor() != nullptr; };
    const struct {
        const char* name;
        std::function<void()> open;
    } ways[] = {
        { "built, then closed", [&] { preview([&](frmPreview& window) { EXPECT_FALSE(waiting()); }); } },
        { "a report that cannot be built",
            [&] {
                report.setReportId(QStringLiteral("20990101000000000000"));
                preview([](frmPreview&) {});
            } },
        { "destroyed before it was shown",
            [&] {
                const frmPreview window;
                EXPECT_TRUE(waiting());
            } },
    };
    for (const auto& way : ways) {
        way.open();
        EXPECT_FALSE(waiting()) << way.name;
    }
}

TEST_P(Preview, HelpOpensItsTopic)
{
    preview([](frmPreview& window) { window.cmdHelp_Click(); });
    EXPECT_TRUE(ui.boxes().empty());
    ASSERT_EQ(ui.openedUrls().size(), 1);
    EXPECT_TRUE(ui.openedUrls().first().toLocalFile().endsWith(QStringLiteral("help/打印效果预览.htm")));
}

} // namespace
