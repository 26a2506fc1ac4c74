#include "output/frmPreview.h"

#include "engine/BlankReport.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/StatisticsReport.h"
#include "output/GenerationFailure.h"
#include "output/OutputWindowLayout.h"
#include "output/PageNavigation.h"
#include "output/PageView.h"
#include "output/ReportPrinter.h"
#include "output/StatusPanels.h"
#include "platform/outside/FailureLog.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/Printers.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowSize.h"
#include "store/DefinitionReader.h"
#include "store/HelpPage.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>

namespace
{

const QString Caption = QStringLiteral("效果预览");
// The smallest window: 6000 by 4500 twips.
const QSize MinimumWindowSize(400, 300);
constexpr int LeftButton = 1;

} // namespace

frmPreview::frmPreview(QWidget* parent, std::shared_ptr<const store::ReportDefinition> definition)
    : QDialog(parent)
    , picBackground(new QWidget(this))
    , fbkPreview(new output::PageView(picBackground))
    , staPreview(new QStatusBar(this))
    , cmdLastPage(new QPushButton(QStringLiteral("上一页(&P)"), this))
    , cmdNextPage(new QPushButton(QStringLiteral("下一页(&N)"), this))
    , cmdResize(new QPushButton(QStringLiteral("缩放(&Z)"), this))
    , cmdBlankRpt(new QPushButton(QStringLiteral("打印空白表格(&P)"), this))
    , cmmdPrintSetup(new QPushButton(QStringLiteral("打印设置(&S)"), this))
    , cmdHelp(new QPushButton(QStringLiteral("帮助(&H)"), this))
    , cmdClose(new QPushButton(QStringLiteral("关闭(&C)"), this))
    , definition_(std::move(definition))
{
    // The window closes by its own button only, never while the report is being built.
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    setWindowTitle(Caption + QStringLiteral(" - ") + store::reportState().ReportName);
    picBackground->setAutoFillBackground(true);
    picBackground->setBackgroundRole(QPalette::Dark);
    output::LayOutOutputWindow(*this,
        { cmdLastPage, cmdNextPage, cmdResize, cmdBlankRpt, cmmdPrintSetup, cmdHelp, cmdClose },
        *picBackground, *staPreview, MinimumWindowSize);
    platform::ui::openOnScreen(*this, output::OutputWindowWantedSize);
    picBackground->installEventFilter(this);

    connect(cmdLastPage, &QPushButton::clicked, this, &frmPreview::cmdLastPage_Click);
    connect(cmdNextPage, &QPushButton::clicked, this, &frmPreview::cmdNextPage_Click);
    connect(cmdResize, &QPushButton::clicked, this, &frmPreview::cmdResize_Click);
    connect(cmdBlankRpt, &QPushButton::clicked, this, &frmPreview::cmdBlankRpt_Click);
    connect(cmmdPrintSetup, &QPushButton::clicked, this, &frmPreview::cmmdPrintSetup_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPreview::cmdHelp_Click);
    platform::ui::bindHelpKey(*this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &frmPreview::cmdClose_Click);
    connect(fbkPreview, &output::PageView::mouseClicked, this, &frmPreview::fbkPreview_MouseClick);

    fbkPreview->setEnabled(false);
    waitCursor_.emplace();
    output::SetStatusText(*staPreview, Caption, output::UserStatusText());
    platform::ui::activateOnFirstShow(*this, [this] { Form_Activate(); });
}

frmPreview::~frmPreview() = default;

// The report is built on the first activation only; a window whose report cannot be built closes.
void frmPreview::Form_Activate()
{
    if (!firstActivation_)
        return;
    platform::ui::pumpMessages();
    bool built = false;
    try {
        built = buildReport();
    } catch (const std::exception& error) {
        // The clerk and the host learn why the window closes; the log keeps the details.
        platform::outside::reportFailure("frmPreview", error);
        waitCursor_.reset();
        output::tellGenerationFailure(error);
    } catch (...) {
        platform::outside::reportUnknownFailure("frmPreview");
    }
    if (!built) {
        waitCursor_.reset();
        reject();
        return;
    }
    firstActivation_ = false;
    LayoutPreview();
    waitCursor_.reset();
    fullSize_ = fbkPreview->zoom() == 100;
    fbkPreview->setEnabled(true);
}

bool frmPreview::buildReport()
{
    fbkPreview->hide();
    // A definition handed over is the designer's, whose report is the state's already.
    if (!definition_)
        definition_ = store::ReadCurrentReportDefinition();
    run_ = std::make_unique<engine::DataReportRun>(definition_);
    run_->Output = this;
    setWindowTitle(Caption + QStringLiteral(" - ") + definition_->name);
    reportType_ = definition_->type;
    switch (reportType_) {
    case store::DataReport:
        platform::ui::pumpMessages();
        if (!engine::CanPreviewDataReport(*run_))
            return false;
        engine::PrepareReportData(*run_);
        engine::CreateBlankReport(*run_, report_);
        pages_ = output::blankFormPages(report_.maxRow());
        break;
    default:
        // Any other type meets the statistics report's check, which refuses it by name.
        statistics_.Output = this;
        if (!engine::CanPrintReport(statistics_, *run_))
            return false;
        engine::PreviewStatisticsReport(statistics_, *run_, report_);
        pages_ = output::statisticsPages(statistics_.PageStartArray, report_.maxRow());
        break;
    }
    cmdBlankRpt->setEnabled(pages_.count > 0);
    showCurrentPage();
    fbkPreview->show();
    return true;
}

void frmPreview::showCurrentPage()
{
    if (const auto rows = pages_.rows.rows(currentPage_))
        fbkPreview->showPage(report_, *rows);
    const output::NavigationButtons buttons = output::navigationFor(currentPage_, pages_.count);
    cmdLastPage->setEnabled(buttons.previous);
    cmdNextPage->setEnabled(buttons.next);
}

void frmPreview::cmdLastPage_Click()
{
    if (currentPage_ < 2)
        return;
    --currentPage_;
    showCurrentPage();
}

void frmPreview::cmdNextPage_Click()
{
    if (currentPage_ >= pages_.count)
        return;
    ++currentPage_;
    showCurrentPage();
}

void frmPreview::cmdResize_Click()
{
    ToggleZoom();
}

void frmPreview::fbkPreview_MouseClick(int button, int, int, int)
{
    if (button == LeftButton)
        ToggleZoom();
}

// Between the whole page and full size.
void frmPreview::ToggleZoom()
{
    fbkPreview->arrangeInParent(fullSize_);
    fullSize_ = !fullSize_;
}

// The page fitted to the page area whenever the window changes its size.
void frmPreview::LayoutPreview()
{
    if (isMinimized() || firstActivation_)
        return;
    fbkPreview->arrangeInParent(true);
    fullSize_ = fbkPreview->zoom() >= 100;
}

bool frmPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picBackground && event->type() == QEvent::Resize)
        LayoutPreview();
    return QDialog::eventFilter(watched, event);
}

// The blank form goes to the default printer without its dialog, in the report's orientation. The frame
// round the page belongs to the screen only and never reaches the paper.
void frmPreview::cmdBlankRpt_Click()
{
    if (!output::PrinterInstalled()) {
        platform::ui::msgBox(QStringLiteral("没有安装打印机，不能打印空白表格！"));
        return;
    }
    platform::outside::runLogged("cmdBlankRpt_Click", [this] {
        output::TurnPrinterToReport(run_->definition());
        if (reportType_ == store::DataReport)
            output::SetBlankFormPrintSetup(*run_, report_);
        else
            output::SetStatisticsPrintSetup(*run_, report_, statistics_.PageStartArray);
        output::PrintOnDefaultPrinter(report_, false);
    });
}

// The printer dialog for a look at the printers; nothing is taken from it.
void frmPreview::cmmdPrintSetup_Click()
{
    platform::outside::runLogged("cmmdPrintSetup_Click", [this] {
        const auto printer = platform::ui::makePrinter(platform::ui::defaultPrinterName());
        QPrintDialog dialog(printer.get(), this);
        dialog.setMinMax(1, 100);
        platform::ui::showModal(dialog);
    });
}

void frmPreview::cmdHelp_Click()
{
    store::OpenHelpPage(QStringLiteral("打印效果预览"));
}

void frmPreview::cmdClose_Click()
{
    accept();
}

void frmPreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

void frmPreview::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void frmPreview::done(int result)
{
    waitCursor_.reset();
    platform::outside::runLogged("frmPreview", [this] {
        if (reportType_ == store::DataReport && run_)
            engine::ClearReportData(*run_);
        else if (reportType_ == store::StatisticsReport)
            engine::UnloadStatPictures(statistics_);
    });
    QDialog::done(result);
}
