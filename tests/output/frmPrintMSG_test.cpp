#include "OutputWindowFixture.h"

#include "engine/BlankReport.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/frmPrintMSG.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/ModalDialog.h"
#include "store/DefinitionReader.h"

#include <QApplication>
#include <QDialog>
#include <QProgressBar>

using namespace outputtest;
using platform::ui::MsgBoxResult;

namespace
{

class PrintWithoutPreview : public OutputWindowTest
{
protected:
    PrintWithoutPreview()
        : OutputWindowTest(600)
    {
    }

    // The state's report checked and prepared on a run of the test's own, as the print job prepares it.
    static std::unique_ptr<engine::DataReportRun> preparedRun()
    {
        auto run = std::make_unique<engine::DataReportRun>(
            store::ReadReportDefinition(store::reportState().ReportId));
        EXPECT_TRUE(engine::CanPrintDataReport(*run));
        engine::PrepareReportData(*run);
        return run;
    }

    // The pages of every print job, in order.
    QStringList printedPages() const
    {
        QStringList pages;
        for (const QString& job : prints.jobs()) {
            for (int page = 1; page <= orvtest::PdfPrints::pageCount(job); ++page)
                pages.append(orvtest::PdfPrints::pageText(job, page));
        }
        return pages;
    }

    // Clicks the window's cancel button while the second batch is being built: the click waits in the
    // window's messages like a user's.
    void clickCancelDuringSecondBatch(frmPrintMSG& window)
    {
        QObject::connect(window.prgPrint, &QProgressBar::valueChanged, [this, &window](int) {
            // After the first batch is printed: the change that tells it, then the second batch's build.
            if (prints.jobs().size() == 1 && ++progressAfterFirstBatch == 2)
                QMetaObject::invokeMethod(&window, &frmPrintMSG::cmdCancel_Click, Qt::QueuedConnection);
        });
    }

    // The window shown as PrintReport shows it, to reach its controls.
    void printInWindow(frmPrintMSG& window)
    {
        store::ReadRptIndex();
        platform::ui::showModal(window);
    }

    int progressAfterFirstBatch = 0;
};

OUTPUT_WINDOW_SUITE(PrintWithoutPreview);

TEST_P(PrintWithoutPreview, EveryPageOfTheDataReportGoesIntoOnePdfFile)
{
    report.PrintReport();

    const long long totalPages = preparedRun()->TotalPages;
    ASSERT_GT(totalPages, 20);
    EXPECT_EQ(ui.shownDialogs(), QStringList { "frmPrintMSG" });
    EXPECT_TRUE(ui.boxes().empty());

    // Built and printed ten pages at a time, the whole run in one file.
    const QStringList jobs = prints.jobs();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(orvtest::PdfPrints::pageCount(jobs.front()), totalPages);

    // Each built page is one sheet of paper with its column headings; the title only on the first.
    const QStringList pages = printedPages();
    ASSERT_EQ(pages.size(), totalPages);
    for (int page = 0; page < pages.size(); ++page) {
        EXPECT_TRUE(pages[page].contains(QStringLiteral("件号"))) << page + 1;
        EXPECT_EQ(pages[page].contains(demo::DataReportName), page == 0) << page + 1;
    }
    EXPECT_TRUE(pages.back().contains(QStringLiteral("制表日期")));

    EXPECT_EQ(logRows(), printLogRow(demo::DataReportName));
}

TEST_P(PrintWithoutPreview, ProgressRunsToFiftyAndTheWindowClosesItself)
{
    frmPrintMSG window;
    QList<int> progress;
    QObject::connect(
        window.prgPrint, &QProgressBar::valueChanged, [&](int value) { progress.append(value); });
    printInWindow(window);

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.mid(0, 2), (QList<int> { 5, 10 }));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 50);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("打印报表"));
}

// A click on the cancel button while the second batch is built waits for the messages to run, which
// they do once before every batch: the second batch is printed, the third is never built, and the
// window closes when the job has stopped. The file of the batches printed would pass for the whole
// report: it goes, the use log records no print, and the host reads that the print was cancelled.
TEST_P(PrintWithoutPreview, CancelDuringTheSecondBatchBuildsNoMoreAndLeavesNoFile)
{
    frmPrintMSG window;
    clickCancelDuringSecondBatch(window);
    ui.queueAnswer(MsgBoxResult::Yes);
    printInWindow(window);

    EXPECT_EQ(ui.boxTexts(), QStringList { QStringLiteral("确定要取消报表生成吗？") });
    EXPECT_GE(progressAfterFirstBatch, 2) << "the first batch went into a file";
    EXPECT_TRUE(prints.jobs().isEmpty());
    EXPECT_FALSE(window.job().report()->ReportFinished);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(logRows().isEmpty());
    EXPECT_EQ(store::reportState().ErrorMessage, QStringLiteral("报表打印已取消"));
}

TEST_P(PrintWithoutPreview, ACancelNotConfirmedLetsEveryBatchPrint)
{
    frmPrintMSG window;
    clickCancelDuringSecondBatch(window);
    ui.queueAnswer(MsgBoxResult::No);
    printInWindow(window);

    EXPECT_EQ(ui.boxTexts().size(), 1);
    EXPECT_EQ(prints.totalPages(), window.job().report()->TotalPages);
}

TEST_P(PrintWithoutPreview, NoDataTellsSoAndPrintsNothing)
{
    report.setSelectWhere(QStringLiteral("1=0"));
    report.PrintReport();

    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes().front().text, QStringLiteral("报表没有数据，不能生成报表！"));
    EXPECT_EQ(ui.boxes().front().title, QStringLiteral("提示信息"));
    EXPECT_EQ(ui.boxes().front().icon, platform::ui::Icon::Information);
    EXPECT_TRUE(prints.jobs().isEmpty());
    // Nothing was printed, so nothing is logged.
    EXPECT_TRUE(logRows().isEmpty());
}

// The blank form goes to paper as the template draws it: the borders of its cells stay, also on the
// form's outer edge.
TEST_P(PrintWithoutPreview, NoDataPrintsOneBlankFormWhenTheHostAsksForIt)
{
    report.setSelectWhere(QStringLiteral("1=0"));
    report.setIsPrintBlankReport(true);
    frmPrintMSG window;
    printInWindow(window);

    EXPECT_TRUE(ui.boxes().empty());
    ASSERT_EQ(prints.jobs().size(), 1);
    EXPECT_EQ(prints.totalPages(), 1);
    const QString form = orvtest::PdfPrints::pageText(prints.jobs().front(), 1);
    EXPECT_TRUE(form.contains(demo::DataReportName) && form.contains(QStringLiteral("件号")))
        << form.toStdString();
    EXPECT_FALSE(form.contains(QStringLiteral("J001-")));
    EXPECT_EQ(logRows(), printLogRow(demo::DataReportName));

    platform::grid::Sheet asBuilt;
    engine::CreateBlankReport(*preparedRun(), asBuilt);
    const platform::grid::Sheet& printed = window.job().sheet();
    ASSERT_EQ(printed.maxRow(), asBuilt.maxRow());
    ASSERT_EQ(printed.maxCol(), asBuilt.maxCol());
    for (int row = 1; row <= asBuilt.maxRow(); ++row) {
        for (int col = 1; col <= asBuilt.maxCol(); ++col)
            EXPECT_EQ(printed.format(row, col).borders, asBuilt.format(row, col).borders)
                << row << "," << col;
    }
}

TEST_P(PrintWithoutPreview, TheStatisticsReportIsPrintedWholeAfterThePrinterDialog)
{
    report.setReportId(demo::StatisticsReportId);
    qsizetype builtPages = 0;
    ui.onDialog(QStringLiteral("QPrintDialog"), [&](QDialog& dialog) {
        // The print-progress window's job has built the pages when it asks for the printer.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (const auto* progress = qobject_cast<frmPrintMSG*>(window))
                builtPages = progress->job().statistics().PageStartArray.size();
        }
        dialog.accept();
    });
    report.PrintReport();

    EXPECT_EQ(ui.shownDialogs(), (QStringList { "frmPrintMSG", "QPrintDialog" }));
    // Its pages as the build divided them, every column on them: the sheet's margin and filler columns
    // already fill the paper's width, so the printer adds no margins of its own.
    ASSERT_EQ(prints.jobs().size(), 1);
    EXPECT_EQ(prints.totalPages(), builtPages);
    const QString page = orvtest::PdfPrints::pageText(prints.jobs().front(), 1);
    for (const QString& text : { demo::StatisticsReportName, QStringLiteral("合计"), QStringLiteral("页数") })
        EXPECT_TRUE(page.contains(text)) << text.toStdString() << "\n" << page.toStdString();
    EXPECT_EQ(logRows(), printLogRow(demo::StatisticsReportName));
}

// A print cancelled before anything reached the printer (a click seen at the job's first look at the
// window's messages, before the data opens, or a statistics report's printer dialog cancelled) prints
// nothing, logs nothing and shows no box; the host still learns that the report was not printed.
TEST_P(PrintWithoutPreview, ACancelBeforeAnythingIsPrintedSaysNothingButTellsTheHost)
{
    const struct {
        QString reportId;
        bool cancelAtFirstMessages; // else the print window's printer dialog goes unanswered
        QStringList shownDialogs; // so far
    } cases[] = {
        { demo::DataReportId, true, {} },
        { demo::StatisticsReportId, true, {} },
        { demo::StatisticsReportId, false, { "frmPrintMSG", "QPrintDialog" } },
    };
    for (const auto& c : cases) {
        report.setReportId(c.reportId);
        report.setErrorMessage({});
        if (c.cancelAtFirstMessages) {
            store::ReadRptIndex();
            output::ReportPrintJob job({ {}, [&job] { job.requestCancel(); } });
            job.run();
        } else {
            report.PrintReport();
        }

        EXPECT_EQ(ui.shownDialogs(), c.shownDialogs) << c.reportId.toStdString();
        EXPECT_TRUE(prints.jobs().isEmpty());
        EXPECT_TRUE(ui.boxes().empty());
        EXPECT_TRUE(logRows().isEmpty());
        EXPECT_EQ(report.ErrorMessage(), QStringLiteral("报表打印已取消")) << c.reportId.toStdString();
    }
}

} // namespace
