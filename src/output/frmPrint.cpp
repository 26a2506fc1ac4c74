#include "output/frmPrint.h"

#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/BatchLoop.h"
#include "output/BatchRules.h"
#include "output/ExportFile.h"
#include "output/frmPrintSetup.h"
#include "output/frmPrtSelection.h"
#include "output/GenerationFailure.h"
#include "output/OutputWindowLayout.h"
#include "output/PageNavigation.h"
#include "output/PageView.h"
#include "output/PrintTiming.h"
#include "output/ReportOutput.h"
#include "output/ReportPrinter.h"
#include "output/ReportPrinting.h"
#include "output/StatusPanels.h"
#include "output/WebExport.h"
#include "platform/grid/print/PrintRun.h"
#include "platform/outside/SharedObjects.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/Printers.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowSize.h"
#include "store/DefinitionReader.h"
#include "store/HelpPage.h"
#include "store/PrintSettings.h"
#include "store/ReportDefinition.h"
#include "store/ReportLog.h"
#include "store/ReportState.h"
#include "store/WindowSeams.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

namespace output
{

namespace
{

// The smallest window: 6000 by 5000 twips.
const QSize MinimumWindowSize(400, 333);
const QString PreviewModeText = QStringLiteral("打印预览");
const QString HelpTopic = QStringLiteral("打印效果预览.htm");
// The print window's batches: the messages run before each one, and a cancel is seen between two.
class WindowBatches : public OutputBatches
{
public:
    WindowBatches(const frmPrint& window, ReportOutput& report, platform::grid::Sheet& working,
        QProgressBar& progress, Take take)
        : OutputBatches(report, working, frmPrint::PagesPerBatch, progress, std::move(take))
        , window_(window)
    {
    }
    void letMessagesRun() override { platform::ui::pumpMessages(); }
    bool cancelRequested() const override { return window_.CancelRequested; }

private:
    const frmPrint& window_;
};

// The use log never stops a print or an export that has been done.
void logUse(const QString& operationWord)
{
    try {
        store::WriteReportLog(operationWord);
    } catch (const std::exception&) {
        // The row is lost; the work it records stands.
    }
}

} // namespace

frmPrint::frmPrint(QWidget* parent)
    : QDialog(parent)
    , picBackground(new QWidget(this))
    , fbkPrint(new PageView(picBackground))
    , cmdPrint(new QPushButton(QStringLiteral("生成报表(M)"), this))
    , cmdLastPage(new QPushButton(QStringLiteral("上一页(&U)"), this))
    , cmdNextPage(new QPushButton(QStringLiteral("下一页(&N)"), this))
    , cmdResize(new QPushButton(QStringLiteral("缩放(&Z)"), this))
    , Command1(new QPushButton(QStringLiteral("打印（&P)"), this))
    , cmdSave(new QPushButton(QStringLiteral("保存(&V)"), this))
    , cmdPrintSetup(new QPushButton(QStringLiteral("设置(&T)"), this))
    , CmdSet(new QPushButton(QStringLiteral("页面设置(&S)..."), this))
    , CmdEdit(new QPushButton(QStringLiteral("修改报表(&E)..."), this))
    , cmdHelp(new QPushButton(QStringLiteral("帮助(&H)"), this))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)"), this))
    , staPreview(new QStatusBar(this))
    , prgPrint(new QProgressBar(staPreview))
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("报表打印"));
    picBackground->setAutoFillBackground(true);
    picBackground->setBackgroundRole(QPalette::Dark);
    staPreview->addPermanentWidget(prgPrint);
    staPreview->setSizeGripEnabled(false);
    LayOutOutputWindow(*this,
        { cmdPrint, cmdLastPage, cmdNextPage, cmdResize, Command1, cmdSave, cmdPrintSetup, CmdSet, CmdEdit,
            cmdHelp, cmdCancel },
        *picBackground, *staPreview, MinimumWindowSize);
    platform::ui::openOnScreen(*this, OutputWindowWantedSize);
    fbkPrint->setEnabled(false);
    prgPrint->setVisible(false);

    connect(cmdPrint, &QPushButton::clicked, this, &frmPrint::cmdPrint_Click);
    connect(cmdLastPage, &QPushButton::clicked, this, &frmPrint::cmdLastPage_Click);
    connect(cmdNextPage, &QPushButton::clicked, this, &frmPrint::cmdNextPage_Click);
    connect(cmdResize, &QPushButton::clicked, this, &frmPrint::cmdResize_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPrint::Command1_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmPrint::cmdSave_Click);
    connect(cmdPrintSetup, &QPushButton::clicked, this, &frmPrint::cmdPrintSetup_Click);
    connect(CmdSet, &QPushButton::clicked, this, &frmPrint::CmdSet_Click);
    connect(CmdEdit, &QPushButton::clicked, this, &frmPrint::CmdEdit_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPrint::cmdHelp_Click);
    platform::ui::bindHelpKey(*this, [this] { cmdHelp_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrint::cmdCancel_Click);
    connect(fbkPrint, &PageView::mouseClicked, this, &frmPrint::fbkPrint_MouseClick);
    connect(fbkPrint, &PageView::cellEdited, this, &frmPrint::fbkPrint_CellEdited);
    platform::ui::activateOnFirstShow(*this, [this] { Form_Activate(); });
}

frmPrint::~frmPrint()
{
    Form_Unload();
}

// A load that fails (the database, the report's definition) says why, in ErrorMessage in silent web
// mode, and the window unloads.
bool frmPrint::Form_Load()
{
    auto& state = store::reportState();
    if (state.ReportId.isEmpty())
        return false;
    try {
        const auto definition = store::ReadCurrentReportDefinition();
        // The run tells no window of its pictures: they travel with the sheet as drawing objects.
        report_ = reportOutputFor(definition);
        if (!definition->isDataReport())
            cmdPrintSetup->setEnabled(false);
        else
            PagesPerBatch = store::GetPrintPages();
        if (!report_->Prepare())
            return false;
    } catch (const std::exception& error) {
        tellGenerationFailure(error);
        return false;
    }
    CurrentPage = 1;
    GenerationPending = true;
    FitZoom = true;
    CancelRequested = false;
    SetStatusText(*staPreview, PreviewModeText, UserStatusText());
    if (state.WebPrintMode)
        RunWebExport();
    return true;
}

const engine::DataReportRun* frmPrint::reportRun() const
{
    return report_ ? &report_->Run() : nullptr;
}

void frmPrint::Form_Unload()
{
    try {
        if (report_)
            report_->Release();
    } catch (const std::exception&) {
        // Closing goes on whatever the clean-up meets.
    }
    auto& state = store::reportState();
    state.User.reset();
    state.SysInfo.reset();
    state.DataRecordSet.reset();
    platform::outside::releaseShared();
}

// In silent web mode everything is built and nothing printed, whatever an earlier showing left as
// the print timing; messages go to the host through ErrorMessage.
void frmPrint::RunWebExport()
{
    auto& state = store::reportState();
    GenerationPending = false;
    try {
        const QString path = WriteWebExport(*report_, mfbkReport, *prgPrint);
        if (!path.isEmpty())
            state.WebReportPath = path;
    } catch (const std::exception& error) {
        tellGenerationFailure(error);
    }
}

void frmPrint::Form_Activate()
{
    GenerateReport();
}

void frmPrint::ShowBatchCaption()
{
    cmdPrint->setText(BatchButtonCaption(PagesPerBatch));
    KeepButtonsWhole(*this, MinimumWindowSize);
}

void frmPrint::GenerateReport()
{
    ShowBatchCaption();
    if (!GenerationPending) {
        fbkPrint->setEnabled(true);
        return;
    }
    GenerationPending = false;
    BuildBatches(AutoPrint);
}

void frmPrint::cmdPrint_Click()
{
    if (report_->Finished()) {
        cmdPrint->setEnabled(false);
        return;
    }
    BuildBatches(AutoPrint);
}

// Builds the next batch, shows its first page and, with automatic printing, prints it and builds the
// next one until the data ends; a cancel between two batches ends the generation and the window, and so
// does a report without data. A failure is told, to the host too.
void frmPrint::BuildBatches(bool autoPrint)
{
    generating_ = true;
    fbkPrint->setEnabled(false);
    prgPrint->setVisible(true);
    BatchEnd end = BatchEnd::Paused;
    {
        const platform::ui::WaitCursor waiting;
        try {
            // Printed batches on a printer that writes a file make one document for the run.
            const std::unique_ptr<platform::grid::PrintRun> oneDocument
                = autoPrint ? OneDocumentRun() : nullptr;
            int batchesInDocument = 0;
            WindowBatches batches(*this, *report_, mfbkReport, *prgPrint, [&](int) {
                CurrentPage = 1;
                ShowCurrentPage();
                const AfterBatch next = afterBatch(autoPrint, report_->Finished(), CancelRequested);
                if (next.printBatch) {
                    PrintPages(
                        AllPagesArea(report_->Pages(mfbkReport), report_->PageCount(), mfbkReport.maxCol()),
                        1, oneDocument.get());
                    ++batchesInDocument;
                }
                return next.buildNext;
            });
            end = runBatches(batches).end;
            // A document cut short by a cancel goes unfinished, and with it its file and its batches' rows
            // of the use log.
            if (oneDocument && end != BatchEnd::Cancelled) {
                oneDocument->finish();
                for (int batch = 0; batch < batchesInDocument; ++batch)
                    logUse(store::LogWordPrint);
            }
        } catch (const std::exception& error) {
            tellGenerationFailure(error);
        }
    }
    prgPrint->setVisible(false);
    generating_ = false;
    cmdPrint->setEnabled(!report_->Finished());
    fbkPrint->setEnabled(true);
    if (end == BatchEnd::NoData || CancelRequested)
        reject();
}

SheetRows frmPrint::CurrentPageRows() const
{
    return report_->Pages(mfbkReport).rows(CurrentPage).value_or(SheetRows { 1, 1 });
}

void frmPrint::ShowCurrentPage()
{
    platform::ui::showingFailures(
        QStringLiteral("显示报表页失败："), [&] { fbkPrint->showPage(mfbkReport, CurrentPageRows()); });
    const NavigationButtons navigation = navigationFor(CurrentPage, report_->PageCount());
    cmdLastPage->setEnabled(navigation.previous);
    cmdNextPage->setEnabled(navigation.next);
    fbkPrint->arrangeInParent(FitZoom);
}

void frmPrint::cmdLastPage_Click()
{
    if (!navigationFor(CurrentPage, report_->PageCount()).previous)
        return;
    --CurrentPage;
    ShowCurrentPage();
    if (!cmdLastPage->isEnabled())
        cmdNextPage->setFocus();
}

void frmPrint::cmdNextPage_Click()
{
    if (!navigationFor(CurrentPage, report_->PageCount()).next)
        return;
    ++CurrentPage;
    ShowCurrentPage();
    if (!cmdNextPage->isEnabled() && cmdLastPage->isEnabled())
        cmdLastPage->setFocus();
}

void frmPrint::cmdResize_Click()
{
    FitZoom = !FitZoom;
    fbkPrint->arrangeInParent(FitZoom);
}

void frmPrint::fbkPrint_MouseClick(int button, int, int, int)
{
    if (button == 1 && !fbkPrint->allowEdit())
        cmdResize_Click();
}

// A new size fits the page to the new page area again.
void frmPrint::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (GenerationPending)
        return;
    FitZoom = true;
    fbkPrint->arrangeInParent(FitZoom);
}

void frmPrint::Command1_Click()
{
    frmPrtSelection selection(report_->Run(), this);
    selection.CurrentPage = CurrentPage;
    selection.TotalPageCount = report_->PageCount();
    selection.StatPageStarts = report_->StatPageStarts();
    selection.WorkingLastRow = mfbkReport.maxRow();
    selection.WorkingLastCol = mfbkReport.maxCol();
    platform::ui::showModal(selection);
    if (!selection.Confirmed)
        return;
    const QString area = selection.PrintRange.isEmpty()
        ? AllPagesArea(report_->Pages(mfbkReport), report_->PageCount(), mfbkReport.maxCol())
        : selection.PrintRange;
    platform::ui::showingFailures(QStringLiteral("打印失败："), [&] { PrintPages(area, selection.Copies); });
    fbkPrint->setEnabled(true);
}

// Prints pages of the working sheet on the current printer with the report's paper and orientation;
// the pages carry their own margins. Pages added to a document of several batches are logged once it
// is finished (BuildBatches). Throws when the printer fails.
void frmPrint::PrintPages(const QString& area, int copies, platform::grid::PrintRun* oneDocument)
{
    report_->SetUpPrinting(mfbkReport);
    if (oneDocument) {
        PrintArea(mfbkReport, area, *oneDocument);
        return;
    }
    PrintArea(mfbkReport, area, copies, platform::ui::defaultPrinterName());
    logUse(store::LogWordPrint);
}

QString frmPrint::AskExportPath()
{
    QFileDialog CommDialog(this, QString(), QString(), ExportFilter);
    CommDialog.setObjectName(QStringLiteral("CommDialog"));
    CommDialog.setAcceptMode(QFileDialog::AcceptSave);
    CommDialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (platform::ui::showModal(CommDialog) != QDialog::Accepted)
        return {};
    const QString typed = CommDialog.selectedFiles().value(0);
    return typed.isEmpty() ? QString() : exportPathFor(typed, CommDialog.selectedNameFilter());
}

void frmPrint::cmdSave_Click()
{
    const QString path = AskExportPath();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)
        && !platform::ui::askYesNo(QStringLiteral("文件“") + path + QStringLiteral("”已经存在，是否覆盖？"),
            platform::ui::Icon::Question))
        return;
    platform::ui::showingFailures(QStringLiteral("导出失败："), [&] {
        platform::grid::io::writeSheet(mfbkReport, path, exportTypeFor(path));
        logUse(store::LogWordExport);
    });
}

void frmPrint::cmdPrintSetup_Click()
{
    frmPrintSetup timing(this);
    timing.PagesPerBatch = PagesPerBatch;
    timing.AutoPrint = AutoPrint;
    if (platform::ui::showModal(timing) != QDialog::Accepted)
        return;
    PagesPerBatch = timing.PagesPerBatch;
    AutoPrint = timing.AutoPrint;
    ShowBatchCaption();
}

// The page setup edits the report's page settings; the pages already built stay as they are.
void frmPrint::CmdSet_Click()
{
    platform::ui::showingFailures(QStringLiteral("页面设置失败："), [] {
        if (const auto& pageSetup = store::windowSeams().frmPageSetup)
            pageSetup();
    });
}

// Edits go into the working sheet, so that what is printed and exported holds them.
void frmPrint::CmdEdit_Click()
{
    if (platform::ui::askYesNo(
            QStringLiteral("确认要进入报表修改模式吗(Y/N)?"), platform::ui::Icon::Question, windowTitle())) {
        fbkPrint->setAllowEdit(true);
        fbkPrint->setShowSelection(true); // the cell being edited is seen
    }
}

void frmPrint::fbkPrint_CellEdited(int row, int col)
{
    const int workingRow = CurrentPageRows().first + row - 1;
    platform::ui::showingFailures(QStringLiteral("修改报表失败："), [&] {
        mfbkReport.paste(fbkPrint->page().copy(platform::grid::CellRange::cell(row, col)), workingRow, col);
    });
}

void frmPrint::cmdHelp_Click()
{
    store::OpenHelpPage(HelpTopic);
}

// A cancel during a generation ends it after the batch under way; the window then closes.
void frmPrint::cmdCancel_Click()
{
    if (!platform::ui::askYesNo(QStringLiteral("确定要取消报表生成吗？")))
        return;
    CancelRequested = true;
    if (!generating_)
        reject();
}

void frmPrint::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        cmdCancel_Click();
    else
        QDialog::keyPressEvent(event);
}

} // namespace output
