#include "dialogs/frmPageSetup.h"
#include "engine/EngineState.h"
#include "output/frmPrint.h"
#include "output/frmPrintSetup.h"
#include "output/frmPrtSelection.h"
#include "output/PageView.h"
#include "OutputWindowFixture.h"
#include "platform/db/Connection.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/ui/ModalDialog.h"
#include "platform/outside/SettingsObject.h"
#include "store/PrintSettings.h"
#include "store/ReportState.h"
#include "store/WindowSeams.h"
#include "support/DesktopOpenerScript.h"
#include "support/FileSizeLimit.h"
#include "support/SpreadsheetPrintout.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using output::frmPrint;
using platform::grid::Sheet;
using platform::ui::MsgBoxResult;

namespace
{

const QString UserName = QStringLiteral("王档案");
const QString NoDataText = QStringLiteral("报表没有数据，不能生成报表！打印空白页请到报表打印界面打印！");
constexpr int ArchiveRecords = 600;
constexpr int RecordsPerPage = 20; // DATA_ROWS of the demo data report

// The archive numbers ("J001-2003-Y-008-001") a sheet shows, top to bottom.
QStringList archiveNumbers(const Sheet& sheet)
{
    static const QRegularExpression archiveNumber(QStringLiteral("^J\\d{3}-\\d{4}-"));
    QStringList numbers;
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        for (int col = 1; col <= sheet.maxCol(); ++col) {
            if (archiveNumber.match(sheet.text(row, col)).hasMatch())
                numbers.append(sheet.text(row, col));
        }
    }
    return numbers;
}

QStringList archiveNumbersIn(const QString& text)
{
    static const QRegularExpression archiveNumber(QStringLiteral("J\\d{3}-\\d{4}-[A-Z]-\\d{3}-\\d{3}"));
    QStringList numbers;
    for (auto it = archiveNumber.globalMatch(text); it.hasNext();)
        numbers.append(it.next().captured());
    return numbers;
}

QString panelText(const frmPrint& window, const char* panel)
{
    const auto* label = window.staPreview->findChild<QLabel*>(QString::fromLatin1(panel));
    return label ? label->text() : QString();
}

// The print window opened on the demo archive's data report the way a host opens it; web exports and
// settings go to folders of the test, and the print timing starts as in a new process.
class PrintWindowTest : public outputtest::OutputWindowTest
{
protected:
    PrintWindowTest()
        : OutputWindowTest(ArchiveRecords)
        , savedExportFolder_(qgetenv("ORV_WEB_EXPORT_DIR"))
    {
        qputenv("ORV_WEB_EXPORT_DIR", exports.path().toLocal8Bit());
        platform::outside::setSettingsFolder(settings_.path());
        frmPrint::AutoPrint = false;
        frmPrint::PagesPerBatch = 0;
    }

    ~PrintWindowTest() override
    {
        frmPrint::AutoPrint = false;
        store::reportState() = store::ReportState {};
        platform::outside::setSettingsFolder({});
        if (savedExportFolder_.isEmpty())
            qunsetenv("ORV_WEB_EXPORT_DIR");
        else
            qputenv("ORV_WEB_EXPORT_DIR", savedExportFolder_);
    }

    // The driver of the next showings of a dialog (by object name), in place of an earlier one.
    void drive(const QString& dialog, std::function<void(QDialog&)> driver)
    {
        if (!drivers_.contains(dialog))
            ui.onDialog(dialog, [this, dialog](QDialog& window) { drivers_[dialog](window); });
        drivers_[dialog] = std::move(driver);
    }

    // PreviewPrint with the driver working on the print window once it has built its first batch.
    void preview(std::function<void(frmPrint&)> driver)
    {
        drive(QStringLiteral("frmPrint"), [&](QDialog& window) { driver(static_cast<frmPrint&>(window)); });
        report.PreviewPrint();
    }

    // The pages of the whole report: every group of filing year and retention period starts a page.
    int expectedPages() const
    {
        int pages = 0;
        for (const QStringList& group : database.rows(QStringLiteral(
                 "select filing_year, retention, count(*) from wsda group by filing_year, retention")))
            pages += int(std::ceil(group.at(2).toDouble() / RecordsPerPage));
        return pages;
    }

    // Exports through the save dialog, answering it with the path after choosing each of `types` in turn
    // from its list of file types, as a clerk does with the keys.
    void exportTo(frmPrint& window, const QString& path, const QStringList& types = {})
    {
        drive(QStringLiteral("CommDialog"), [path, types](QDialog& dialog) {
            auto* typeList = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (const QString& type : types) {
                QTest::keyClick(typeList, Qt::Key_Home);
                while (typeList->currentText() != type && typeList->currentIndex() < typeList->count() - 1)
                    QTest::keyClick(typeList, Qt::Key_Down);
            }
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(&dialog, "accept");
        });
        window.cmdSave_Click();
    }

    QTemporaryDir exports;

private:
    QMap<QString, std::function<void(QDialog&)>> drivers_;
    QTemporaryDir settings_;
    QByteArray savedExportFolder_;
};

QStringList allArchiveNumbers(const orvtest::TestDatabase& db)
{
    QStringList numbers;
    for (const QStringList& row : db.rows(QStringLiteral("select archive_no from wsda")))
        numbers.append(row.first());
    return numbers;
}

} // namespace

TEST_P(PrintWindowTest, ShowsEveryPageOfEveryBatchOnceInOrderOfTheButtons)
{
    const int totalPages = expectedPages();
    ASSERT_GT(totalPages, RecordsPerPage) << "the demo report must need a second batch";
    QStringList shown;
    int batches = 0;
    bool opened = false;
    preview([&](frmPrint& window) {
        opened = true;
        EXPECT_EQ(panelText(window, "panel1"), QStringLiteral("打印预览"));
        EXPECT_EQ(panelText(window, "panel2"), UserName);
        EXPECT_EQ(window.cmdPrint->text(), QStringLiteral("生成后20页报表(M)"));
        while (true) {
            ++batches;
            const int pages = int(window.reportRun()->PageRowRanges.size());
            EXPECT_EQ(window.CurrentPage, 1);
            EXPECT_FALSE(window.cmdLastPage->isEnabled());
            for (int page = 1; page <= pages; ++page) {
                EXPECT_EQ(window.CurrentPage, page);
                EXPECT_EQ(window.fbkPrint->page().maxRow(), window.reportRun()->PageSheetRows);
                shown += archiveNumbers(window.fbkPrint->page());
                EXPECT_EQ(window.cmdNextPage->isEnabled(), page < pages) << "page " << page;
                if (page < pages)
                    window.cmdNextPage_Click();
            }
            // Back to the first page of the batch.
            while (window.cmdLastPage->isEnabled())
                window.cmdLastPage_Click();
            EXPECT_EQ(window.CurrentPage, 1);
            if (!window.cmdPrint->isEnabled())
                break;
            window.cmdPrint_Click();
        }
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(batches, (totalPages + RecordsPerPage - 1) / RecordsPerPage);
    EXPECT_EQ(shown.size(), ArchiveRecords);
    QStringList expected = allArchiveNumbers(database);
    QStringList sorted = shown;
    sorted.sort();
    expected.sort();
    EXPECT_EQ(sorted, expected) << "every record once";
}

TEST_P(PrintWindowTest, BatchesOfOnePageLeaveNothingToNavigate)
{
    store::SavePrintPages(QStringLiteral("1"));
    preview([&](frmPrint& window) {
        for (int batch = 1; batch <= 3; ++batch) {
            EXPECT_EQ(window.reportRun()->PageRowRanges.size(), 1);
            EXPECT_FALSE(window.cmdLastPage->isEnabled());
            EXPECT_FALSE(window.cmdNextPage->isEnabled());
            window.cmdNextPage_Click();
            EXPECT_EQ(window.CurrentPage, 1);
            window.cmdPrint_Click();
        }
    });
}

TEST_P(PrintWindowTest, AutomaticPrintingPrintsEachBatchAsItIsBuilt)
{
    store::SavePrintPages(QStringLiteral("10"));
    frmPrint::AutoPrint = true;
    preview([](frmPrint&) {});
    // To the PDF printer the batches of the run make one file.
    const int pages = expectedPages();
    const QStringList jobs = prints.jobs();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(orvtest::PdfPrints::pageCount(jobs.first()), pages);
    EXPECT_TRUE(orvtest::PdfPrints::pageText(jobs.first(), 1).contains(demo::DataReportName));
    EXPECT_EQ(logRows().size(), (pages + 9) / 10);
}

// A cancel confirmed while automatic printing runs lets the batch under way finish and builds no further
// one; the document of the batches printed would pass for the whole report, so it goes, and with it
// their rows of the use log.
TEST_P(PrintWindowTest, ACancelledAutomaticPrintLeavesNoFileAndNoLogRow)
{
    store::SavePrintPages(QStringLiteral("10"));
    frmPrint::AutoPrint = true;
    store::windowSeams().frmPrint = [this](store::PrintWindowUse) {
        frmPrint window;
        bool clicked = false;
        // Once the first batch is printed; the click waits in the window's messages, which run before
        // the next batch.
        QObject::connect(window.prgPrint, &QProgressBar::valueChanged, &window, [&] {
            if (!clicked && prints.jobs().size() == 1) {
                clicked = true;
                QMetaObject::invokeMethod(&window, &frmPrint::cmdCancel_Click, Qt::QueuedConnection);
            }
        });
        if (window.Form_Load())
            platform::ui::showModal(window);
    };
    ui.queueAnswer(MsgBoxResult::Yes);
    report.PreviewPrint();

    ASSERT_GT(expectedPages(), 20);
    EXPECT_EQ(ui.boxTexts(), QStringList { QStringLiteral("确定要取消报表生成吗？") });
    EXPECT_TRUE(prints.jobs().isEmpty());
    EXPECT_TRUE(logRows().isEmpty());
}

TEST_P(PrintWindowTest, PrintsExactlyTheChosenPagesAndCopiesWithOneLogRow)
{
    QList<QStringList> pageNumbers;
    preview([&](frmPrint& window) {
        for (int page = 1; page <= 5; ++page) {
            pageNumbers.append(archiveNumbers(window.fbkPrint->page()));
            window.cmdNextPage_Click();
        }
        drive(QStringLiteral("frmPrtSelection"), [](QDialog& dialog) {
            auto& selection = static_cast<output::frmPrtSelection&>(dialog);
            selection.Option3->click();
            selection.Pages->setText(QStringLiteral("1,3-5"));
            selection.Copys->setText(QStringLiteral("2"));
            selection.Command1_Click();
        });
        window.Command1_Click();
        // A cancelled range dialog prints nothing and logs nothing.
        drive(QStringLiteral("frmPrtSelection"),
            [](QDialog& dialog) { static_cast<output::frmPrtSelection&>(dialog).Command2_Click(); });
        window.Command1_Click();
    });
    const QStringList jobs = prints.jobs();
    ASSERT_EQ(jobs.size(), 1);
    ASSERT_EQ(orvtest::PdfPrints::pageCount(jobs.first()), 8);
    const int chosen[] = { 1, 3, 4, 5, 1, 3, 4, 5 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(
            archiveNumbersIn(orvtest::PdfPrints::pageText(jobs.first(), i + 1)), pageNumbers[chosen[i] - 1])
            << "printed page " << i + 1;
    EXPECT_EQ(logRows(), printLogRow(demo::DataReportName));
}

TEST_P(PrintWindowTest, ExportsByTheNamesExtensionAfterTheOverwriteQuestion)
{
    QStringList firstPage;
    const auto path = [this](const char* name) { return exports.filePath(QString::fromUtf8(name)); };
    // A name without an export type's extension (none, an empty one or one of its own) takes that of the
    // type chosen last (the grid's own, offered first, when none is chosen); an export type's extension wins.
    const std::pair<const char*, QStringList> answers[] = {
        { "目录.XLS", { "Tabbed Text (*.txt)" } },
        { "report.html", {} },
        { "report", { "HTML (*.htm)" } },
        { "report", { "HTML (*.htm)", "Tabbed Text (*.txt)" } },
        { "report.vts", {} },
        { "目录", {} },
        { "J001.2003", {} },
        { "目录2024.12月", { "Execl (*.xls)" } },
        { "trail.", { "Execl (*.xls)" } },
        { "mulu3.xlsx", { "Execl (*.xls)" } },
    };
    preview([&](frmPrint& window) {
        firstPage = archiveNumbers(window.fbkPrint->page());
        for (const auto& [name, types] : answers)
            exportTo(window, path(name), types);
    });
    EXPECT_EQ(QDir(exports.path()).entryList(QDir::Files),
        (QStringList { "J001.2003.vts", "mulu3.xlsx.xls", "report.htm", "report.html", "report.txt",
            "report.vts", "trail.xls", "目录.vts", "目录.XLS", "目录2024.12月.xls" }));
    ASSERT_FALSE(firstPage.isEmpty());

    QStringList xlsValues;
    for (const auto& cell :
        xlsDump(path("目录.XLS"))[QStringLiteral("sheets")][0][QStringLiteral("cells")].toArray())
        xlsValues.append(cell[QStringLiteral("value")].toVariant().toString());
    EXPECT_TRUE(xlsValues.contains(demo::DataReportName));
    for (const QString& number : firstPage)
        EXPECT_TRUE(xlsValues.contains(number)) << number.toStdString();
    EXPECT_FALSE(xlsDump(path("目录2024.12月.xls"))[QStringLiteral("sheets")].toArray().isEmpty());

    for (const char* name : { "report.html", "report.htm" }) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("<table"), Qt::CaseInsensitive)) << name;
        EXPECT_TRUE(text.contains(firstPage.first()));
    }
    QFile text(path("report.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(text.readAll()).contains(QStringLiteral("件号\t档号\t责任者")));
    for (const char* name : { "report.vts", "目录.vts", "J001.2003.vts" }) {
        const Sheet sheet = platform::grid::io::readVts(path(name));
        EXPECT_EQ(archiveNumbers(sheet).mid(0, firstPage.size()), firstPage) << name;
    }
    EXPECT_EQ(logRows().size(), int(std::size(answers)));
    EXPECT_EQ(logRows().first().value(3), QStringLiteral("导出"));
}

TEST_P(PrintWindowTest, AnExistingFileIsReplacedOnlyAfterYes)
{
    const QString path = exports.filePath(QStringLiteral("old.txt"));
    auto writeOld = [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    };
    auto contents = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    writeOld();
    preview([&](frmPrint& window) {
        ui.queueAnswer(MsgBoxResult::No);
        exportTo(window, path);
        EXPECT_EQ(contents(), QStringLiteral("old"));
        EXPECT_TRUE(logRows().isEmpty());
        ui.queueAnswer(MsgBoxResult::Yes);
        exportTo(window, path);
    });
    EXPECT_TRUE(
        ui.boxTexts().contains(QStringLiteral("文件“") + path + QStringLiteral("”已经存在，是否覆盖？")));
    EXPECT_TRUE(contents().contains(demo::DataReportName));
    EXPECT_EQ(logRows().size(), 1);
}

TEST_P(PrintWindowTest, AFailedExportIsToldAndNotLogged)
{
    const QString path = exports.filePath(QStringLiteral("missing/folder/report.xls"));
    preview([&](frmPrint& window) { exportTo(window, path); });
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_FALSE(ui.boxTexts().isEmpty());
    EXPECT_TRUE(ui.boxTexts().last().startsWith(QStringLiteral("导出失败：")));
    EXPECT_TRUE(logRows().isEmpty());
}

// A disk that fills up: the export says so, nothing is logged, and the older file stays as it was.
TEST_P(PrintWindowTest, AnExportOntoAFullDiskIsToldAndTheOlderFileStays)
{
    const QString path = exports.filePath(QStringLiteral("目录.xls"));
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older");
    }
    preview([&](frmPrint& window) {
        ui.queueAnswer(MsgBoxResult::Yes);
        orvtest::FileSizeLimit disk(512);
        exportTo(window, path);
    });
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("older"));
    EXPECT_EQ(QDir(exports.path()).entryList(QDir::Files), QStringList { QStringLiteral("目录.xls") });
    ASSERT_FALSE(ui.boxTexts().isEmpty());
    EXPECT_TRUE(ui.boxTexts().last().startsWith(QStringLiteral("导出失败：")))
        << ui.boxTexts().last().toStdString();
    EXPECT_TRUE(logRows().isEmpty());
}

TEST_P(PrintWindowTest, WebPrintOntoAFullDiskSaysWhyAndGivesNoPath)
{
    {
        orvtest::FileSizeLimit disk(512);
        report.WebPrint();
    }
    EXPECT_TRUE(report.GetWebReportPath().isEmpty());
    EXPECT_TRUE(report.ErrorMessage().contains(QStringLiteral("无法写入")))
        << report.ErrorMessage().toStdString();
    EXPECT_TRUE(QDir(exports.path()).isEmpty());
}

TEST_P(PrintWindowTest, WebPrintExportsTheWholeReportAndPrintsNothing)
{
    frmPrint::AutoPrint = true; // left on by an earlier preview
    report.WebPrint();
    EXPECT_TRUE(report.ErrorMessage().isEmpty()) << report.ErrorMessage().toStdString();
    const QString path = report.GetWebReportPath();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(exports.path()).absolutePath());
    EXPECT_TRUE(path.endsWith(QStringLiteral(".XLS")));
    EXPECT_TRUE(prints.jobs().isEmpty());
    EXPECT_TRUE(ui.shownDialogs().isEmpty());

    static const QRegularExpression archiveNumber(QStringLiteral("^J\\d{3}-\\d{4}-"));
    static const QRegularExpression pageNumber(QStringLiteral("^第\\d+页 共\\d+页$"));
    QMap<int, QString> archiveRow;
    QMap<int, double> pagesColumn;
    int pageTails = 0;
    for (const auto& cell : xlsDump(path)[QStringLiteral("sheets")][0][QStringLiteral("cells")].toArray()) {
        const QString value = cell[QStringLiteral("value")].toVariant().toString();
        const int row = cell[QStringLiteral("row")].toInt();
        if (archiveNumber.match(value).hasMatch())
            archiveRow[row] = value;
        if (pageNumber.match(value).hasMatch())
            ++pageTails;
        if (cell[QStringLiteral("col")].toInt() == 6
            && cell[QStringLiteral("kind")].toString() == QStringLiteral("number"))
            pagesColumn[row] = cell[QStringLiteral("value")].toDouble();
    }
    EXPECT_EQ(archiveRow.size(), ArchiveRecords);
    EXPECT_EQ(pageTails, expectedPages());
    double pagesOfRecords = 0;
    for (auto it = archiveRow.cbegin(); it != archiveRow.cend(); ++it)
        pagesOfRecords += pagesColumn.value(it.key());
    EXPECT_EQ(pagesOfRecords, database.scalar(QStringLiteral("select sum(page_no) from wsda")).toDouble());
}

// A clerk opens the web export in a spreadsheet program and prints it: the report's pages come out,
// each holding one page's records and its page tail.
TEST_P(PrintWindowTest, TheWebWorkbookPrintsAsTheReportsPagesInASpreadsheetProgram)
{
    report.WebPrint();
    ASSERT_FALSE(report.GetWebReportPath().isEmpty()) << report.ErrorMessage().toStdString();
    QTemporaryDir folder;
    const std::optional<QString> pdf = orvtest::spreadsheetPdf(report.GetWebReportPath(), folder.path());
    if (!pdf)
        GTEST_SKIP() << "LibreOffice is not installed";
    const QStringList pages = orvtest::pdfPageTexts(*pdf);
    ASSERT_EQ(pages.size(), expectedPages());
    static const QRegularExpression pageTail(QStringLiteral("第\\d+页 共\\d+页"));
    static const QRegularExpression archiveNumber(QStringLiteral("J\\d{3}-\\d{4}-\\w+-\\d{3}-\\d{3}"));
    QStringList numbers;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        QStringList onPage;
        for (auto it = archiveNumber.globalMatch(pages[page]); it.hasNext();)
            onPage.append(it.next().captured());
        EXPECT_EQ(pages[page].count(pageTail), 1) << "page " << page + 1;
        EXPECT_GE(onPage.size(), 1) << "page " << page + 1;
        EXPECT_LE(onPage.size(), RecordsPerPage) << "page " << page + 1;
        numbers += onPage;
    }
    QStringList expected = allArchiveNumbers(database);
    std::sort(expected.begin(), expected.end());
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, expected);
}

TEST_P(PrintWindowTest, WebPrintWithoutDataWritesNothingAndSaysWhy)
{
    report.setSelectWhere(QStringLiteral("1=0"));
    report.WebPrint();
    EXPECT_TRUE(report.GetWebReportPath().isEmpty());
    EXPECT_EQ(report.ErrorMessage(), NoDataText);
    EXPECT_TRUE(QDir(exports.path()).isEmpty());
    EXPECT_TRUE(ui.boxTexts().isEmpty());
}

TEST_P(PrintWindowTest, WithoutDataTheWindowClosesAfterTheEnginesMessage)
{
    report.setSelectWhere(QStringLiteral("1=0"));
    bool driven = false;
    preview([&](frmPrint&) { driven = true; });
    EXPECT_FALSE(driven);
    EXPECT_EQ(ui.boxTexts(), QStringList { NoDataText });
}

TEST_P(PrintWindowTest, WithoutReportNoWindowOpens)
{
    report.setReportId(QString());
    preview([](frmPrint&) {});
    EXPECT_TRUE(ui.shownDialogs().isEmpty());
}

TEST_P(PrintWindowTest, ClosingReleasesTheHostsObjectsAndTheSharedOnes)
{
    preview([](frmPrint&) {});
    const auto& state = store::reportState();
    EXPECT_FALSE(state.User);
    EXPECT_FALSE(state.SysInfo);
    EXPECT_FALSE(state.DataRecordSet);
    EXPECT_EQ(state.StatusUserText, UserName);
}

TEST_P(PrintWindowTest, CancelAsksAndClosesOnlyOnYes)
{
    bool stillOpen = false;
    bool closed = false;
    preview([&](frmPrint& window) {
        ui.queueAnswer(MsgBoxResult::No);
        window.cmdCancel_Click();
        stillOpen = window.isVisible();
        ui.queueAnswer(MsgBoxResult::Yes);
        window.cmdCancel_Click();
        closed = !window.isVisible();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(closed);
    EXPECT_EQ(ui.boxTexts(), (QStringList(2, QStringLiteral("确定要取消报表生成吗？"))));
}

TEST_P(PrintWindowTest, EditsOfThePageGoIntoWhatIsExported)
{
    const QString path = exports.filePath(QStringLiteral("edited.txt"));
    int pageRows = 0;
    preview([&](frmPrint& window) {
        pageRows = window.reportRun()->PageSheetRows;
        window.cmdNextPage_Click();
        ui.queueAnswer(MsgBoxResult::No);
        window.CmdEdit_Click();
        EXPECT_FALSE(window.fbkPrint->allowEdit());
        EXPECT_FALSE(window.fbkPrint->showSelection());
        ui.queueAnswer(MsgBoxResult::Yes);
        window.CmdEdit_Click();
        ASSERT_TRUE(window.fbkPrint->allowEdit());
        EXPECT_TRUE(window.fbkPrint->showSelection()) << "the cell being edited is seen";
        // The user types into the title cell of page 2's first record.
        const int row = 6;
        window.fbkPrint->sheet()->setEntry(row, 5, QStringLiteral("已修改的题名"));
        window.fbkPrint_CellEdited(row, 5);
        exportTo(window, path);
    });
    EXPECT_EQ(ui.boxes().front().title, QStringLiteral("报表打印"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), pageRows + 6);
    EXPECT_EQ(lines[pageRows + 5].split(QLatin1Char('\t')).value(4), QStringLiteral("已修改的题名"));
}

TEST_P(PrintWindowTest, PrintTimingSetsTheBatchAndTheButton)
{
    preview([&](frmPrint& window) {
        drive(QStringLiteral("frmPrintSetup"), [](QDialog& dialog) {
            auto& timing = static_cast<output::frmPrintSetup&>(dialog);
            timing.txtPages->setText(QStringLiteral("5"));
            timing.optPrint[1]->setChecked(true);
            timing.cmdOk_Click();
        });
        window.cmdPrintSetup_Click();
        EXPECT_EQ(window.cmdPrint->text(), QStringLiteral("生成后5页报表(M)"));
        frmPrint::AutoPrint = false;
        window.cmdPrint_Click();
        EXPECT_EQ(window.reportRun()->PageRowRanges.size(), 5);
    });
    EXPECT_EQ(frmPrint::PagesPerBatch, 5);
    EXPECT_EQ(store::GetPrintPages(), 5);
}

TEST_P(PrintWindowTest, HelpOpensItsTopic)
{
    preview([](frmPrint& window) { window.cmdHelp_Click(); });
    EXPECT_TRUE(ui.boxTexts().isEmpty());
    ASSERT_EQ(ui.openedUrls().size(), 1);
    EXPECT_TRUE(ui.openedUrls().first().toLocalFile().endsWith(QStringLiteral("help/打印效果预览.htm")));

    // A desktop where no application opens the page: the clerk is told where it lies, but the preview
    // did its work.
    const orvtest::DesktopOpenerScript opener("exit 4");
    preview([](frmPrint& window) { window.cmdHelp_Click(); });
    const QString told = QStringLiteral("本机没有能打开 ") + ui.openedUrls().last().toLocalFile()
        + QStringLiteral(" 的应用程序，请用其他程序打开这个文件。");
    EXPECT_EQ(ui.boxTexts(), QStringList { told });
    EXPECT_EQ(report.ErrorMessage(), QString());
}

TEST_P(PrintWindowTest, StatisticsReportShowsItsPagesAndPrintsTheCurrentOneWhole)
{
    report.setReportId(demo::StatisticsReportId);
    preview([&](frmPrint& window) {
        EXPECT_FALSE(window.cmdPrintSetup->isEnabled());
        EXPECT_FALSE(window.cmdPrint->isEnabled());
        EXPECT_FALSE(window.cmdNextPage->isEnabled());
        EXPECT_EQ(window.fbkPrint->page().text(2, 2), demo::StatisticsReportName);
        drive(QStringLiteral("frmPrtSelection"), [](QDialog& dialog) {
            auto& selection = static_cast<output::frmPrtSelection&>(dialog);
            selection.Option2->click();
            selection.Command1_Click();
        });
        window.Command1_Click();
    });
    const QStringList jobs = prints.jobs();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(orvtest::PdfPrints::pageCount(jobs.first()), 1);
    const QString text = orvtest::PdfPrints::pageText(jobs.first(), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("页数"))) << text.toStdString();
    EXPECT_TRUE(text.contains(database.scalar(QStringLiteral("select sum(page_no) from wsda"))))
        << text.toStdString();
}

OUTPUT_WINDOW_SUITE(PrintWindowTest);

TEST_P(PrintWindowTest, AutoRowsShowEachPageWithItsOwnRowsAndNoPageBeyondTheBatch)
{
    preview([](frmPrint&) {}); // a preview of fixed pages first: the next one must size its pages anew
    database.connection()->execute(QStringLiteral("update report_info set info_description = 'AUTO' where "
                                                  "info_type = 'DATA_ROWS' and report_id = ?"),
        { demo::DataReportId });
    report.setUser(outputtest::archivist());
    QStringList shown;
    QSet<int> pageLengths;
    preview([&](frmPrint& window) {
        const auto& ranges = window.reportRun()->PageRowRanges;
        ASSERT_FALSE(ranges.isEmpty());
        for (int page = 1; page <= ranges.size(); ++page) {
            const engine::PageRowRange range = ranges[page - 1];
            EXPECT_EQ(window.fbkPrint->page().maxRow(), range.lastRow - range.firstRow + 1)
                << "page " << page;
            EXPECT_EQ(window.fbkPrint->page().text(1, 2), window.mfbkReport.text(range.firstRow, 2));
            shown += archiveNumbers(window.fbkPrint->page());
            pageLengths.insert(window.fbkPrint->page().maxRow());
            EXPECT_EQ(window.cmdNextPage->isEnabled(), page < ranges.size());
            window.cmdNextPage_Click();
        }
        EXPECT_EQ(window.CurrentPage, ranges.size());
    });
    EXPECT_GT(pageLengths.size(), 1) << "pages of different lengths";
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(QSet<QString>(shown.cbegin(), shown.cend()).size(), shown.size()) << "no record on two pages";
}

TEST_P(PrintWindowTest, TurningAutomaticPrintingOnPrintsEveryRemainingBatch)
{
    store::SavePrintPages(QStringLiteral("10"));
    preview([&](frmPrint& window) {
        EXPECT_TRUE(prints.jobs().isEmpty());
        drive(QStringLiteral("frmPrintSetup"), [](QDialog& dialog) {
            auto& timing = static_cast<output::frmPrintSetup&>(dialog);
            timing.optPrint[1]->setChecked(true);
            timing.cmdOk_Click();
        });
        window.cmdPrintSetup_Click();
        window.cmdPrint_Click();
        EXPECT_FALSE(window.cmdPrint->isEnabled()) << "every batch is built";
    });
    const int pages = expectedPages();
    EXPECT_EQ(prints.jobs().size(), 1);
    EXPECT_EQ(prints.totalPages(), pages - 10) << "the batches after the first one";
    EXPECT_EQ(logRows().size(), (pages + 9) / 10 - 1);
}

TEST_P(PrintWindowTest, AFailedPrintIsToldAndNotLogged)
{
    QFile blocker(exports.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::ui::setPdfPrinterFolder(blocker.fileName() + QStringLiteral("/pdf"));
    preview([&](frmPrint& window) {
        drive(QStringLiteral("frmPrtSelection"),
            [](QDialog& dialog) { static_cast<output::frmPrtSelection&>(dialog).Command1_Click(); });
        window.Command1_Click();
        EXPECT_TRUE(window.fbkPrint->isEnabled());
    });
    ASSERT_EQ(ui.boxTexts().size(), 1);
    EXPECT_TRUE(ui.boxTexts().first().startsWith(QStringLiteral("打印失败：")))
        << ui.boxTexts().first().toStdString();
    EXPECT_TRUE(logRows().isEmpty());
}

// A generation that fails (here its automatic printing) is told in the box and to the host.
TEST_P(PrintWindowTest, AFailedGenerationIsToldInTheBoxAndInErrorMessage)
{
    QFile blocker(exports.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::ui::setPdfPrinterFolder(blocker.fileName() + QStringLiteral("/pdf"));
    frmPrint::AutoPrint = true;
    report.setErrorMessage({});
    preview([](frmPrint&) {});
    ASSERT_EQ(ui.boxTexts().size(), 1);
    const QString prefix = QStringLiteral("报表生成失败：");
    EXPECT_TRUE(ui.boxTexts().first().startsWith(prefix)) << ui.boxTexts().first().toStdString();
    EXPECT_FALSE(report.ErrorMessage().isEmpty());
    EXPECT_EQ(prefix + report.ErrorMessage(), ui.boxTexts().first());
    EXPECT_TRUE(logRows().isEmpty());
}

// A page's statement that still writes (PostgreSQL lets a large object's unlinking through a READ ONLY
// transaction) fails the batch that read it, in the window and in the web export, which then writes no
// workbook; what it wrote is undone.
TEST_P(PrintWindowTest, AReadThatWroteFailsItsBatchAndTheWebExport)
{
    if (GetParam() == orvtest::Backend::SQLite)
        GTEST_SKIP() << "SQLite refuses every write as the statement is prepared";
    QSqlQuery created = database.connection()->run(QStringLiteral("select lo_create(0)"));
    const QString largeObject = created.next() ? created.value(0).toString() : QString();
    // In the page tail, read on every page; it unlinks only what it finds, so that no later page's read
    // fails (a failed read ends the transaction before it can be asked whether it wrote).
    database.connection()->execute(QStringLiteral("update report_data set data_type = 'J', data_description1 = ? "
                                                  "where report_id = ? and row_no = 8 and col_no = 2"),
        { "@J|select count(lo_unlink(oid)) from pg_largeobject_metadata where oid = " + largeObject,
            demo::DataReportId });
    const QString wrote = QStringLiteral("读取数据的语句修改了数据库，修改已撤销。");
    preview([](frmPrint&) {});
    EXPECT_EQ(ui.boxTexts(), QStringList { QStringLiteral("报表生成失败：") + wrote });
    report.setErrorMessage({});
    report.WebPrint();
    EXPECT_EQ(report.ErrorMessage(), wrote);
    EXPECT_TRUE(QDir(exports.path()).isEmpty());
    EXPECT_EQ(database.scalar("select count(*) from pg_largeobject_metadata where oid = " + largeObject), "1");
}

TEST_P(PrintWindowTest, WebPrintOfAReportWhoseDataCannotBeReadSaysWhyInErrorMessage)
{
    database.connection()->execute(QStringLiteral("drop table wsda"));
    report.WebPrint();
    EXPECT_TRUE(report.GetWebReportPath().isEmpty());
    EXPECT_TRUE(report.ErrorMessage().contains(QStringLiteral("wsda")))
        << report.ErrorMessage().toStdString();
    EXPECT_TRUE(ui.boxTexts().isEmpty());
    EXPECT_TRUE(QDir(exports.path()).isEmpty());
}

TEST_P(PrintWindowTest, ZoomSwitchesBetweenTheWholePageAndFullSize)
{
    preview([&](frmPrint& window) {
        EXPECT_TRUE(window.FitZoom);
        const int fitted = window.fbkPrint->zoom();
        window.cmdResize_Click();
        EXPECT_EQ(window.fbkPrint->zoom(), 100);
        window.fbkPrint_MouseClick(1, 0, 10, 10);
        EXPECT_EQ(window.fbkPrint->zoom(), fitted);
        window.fbkPrint_MouseClick(2, 0, 10, 10);
        EXPECT_EQ(window.fbkPrint->zoom(), fitted) << "only the left button zooms";
    });
}

// The dialog shows the page settings of the report the window built, not the component's defaults. The
// host's settings stay as it made them: a later print without data still prints the blank form.
TEST_P(PrintWindowTest, PageSetupShowsTheReportsSettingsAndKeepsThePagesBuiltAndTheHostsSettings)
{
    // A3 landscape, margins 3, 4, 1 and 1 cm, as inches.
    const std::pair<const char*, const char*> stored[]
        = { { "PAGE_SIZE", "8" }, { "PAGE_LANDSCAPE", "T" }, { "LEFT_MARGE", "1.18125" },
              { "RIGHT_MARGE", "1.575" }, { "TOP_MARGE", "0.39375" }, { "BOTTOM_MARGE", "0.39375" } };
    for (const auto& [type, value] : stored)
        database.connection()->execute(QStringLiteral("update report_info set info_description = ? where "
                                                      "info_type = ? and report_id = ?"),
            { QString::fromLatin1(value), QString::fromLatin1(type), demo::DataReportId });
    report.setIsPrintBlankReport(true);
    QStringList shown;
    drive(QStringLiteral("frmPageSetup"), [&](QDialog& dialog) {
        auto& setup = static_cast<dialogs::frmPageSetup&>(dialog);
        shown = QStringList { setup.cboPagesize->currentText(),
            setup.optOriention[1]->isChecked() ? QStringLiteral("横向") : QStringLiteral("纵向"),
            setup.txtLeftMarge->text(), setup.txtRightMarge->text(), setup.txtTopMarge->text(),
            setup.txtBottomMarge->text() };
        setup.cmdCancel_Click();
    });
    preview([&](frmPrint& window) {
        const QStringList before = archiveNumbers(window.fbkPrint->page());
        window.CmdSet_Click();
        EXPECT_EQ(archiveNumbers(window.fbkPrint->page()), before);
    });
    EXPECT_EQ(shown, (QStringList { "A3", "横向", "3", "4", "1", "1" }));
    EXPECT_TRUE(store::reportState().IsPrintBlankReport);
}
