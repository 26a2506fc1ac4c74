#pragma once

#include "engine/OutputForm.h"
#include "engine/StatisticsRun.h"
#include "output/PreviewPages.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/MessagePump.h"

#include <memory>
#include <optional>
#include <QDialog>

class QPushButton;
class QStatusBar;

namespace engine
{
struct DataReportRun;
}
namespace output
{
class PageView;
}
namespace store
{
struct ReportDefinition;
}

// The preview window ("效果预览"): the current report as its blank form before anything is printed. A
// data report shows its template without data, one page; a statistics report is built with its texts
// and pictures only and shown page by page. The page shows whole or at full size, and the blank form
// can be printed from here. It shows the definition it is given (the designer's) or, without one, the
// current report's definition as stored, read once when it builds.
class frmPreview : public QDialog, public engine::OutputForm
{
    Q_OBJECT
public:
    explicit frmPreview(
        QWidget* parent = nullptr, std::shared_ptr<const store::ReportDefinition> definition = {});
    ~frmPreview() override;

    int currentPage() const { return currentPage_; }
    int pageCount() const { return pages_.count; }
    bool fullSize() const { return fullSize_; }
    // The report as built, all its pages, and the run that built it (none before the build).
    const platform::grid::Sheet& report() const { return report_; }
    const engine::DataReportRun* run() const { return run_.get(); }
    // A statistics report's build: its page starts and pictures.
    const engine::StatisticsRun& statistics() const { return statistics_; }

    QWidget* picBackground;
    output::PageView* fbkPreview;
    QStatusBar* staPreview;
    QPushButton* cmdLastPage;
    QPushButton* cmdNextPage;
    QPushButton* cmdResize;
    QPushButton* cmdBlankRpt;
    QPushButton* cmmdPrintSetup;
    QPushButton* cmdHelp;
    QPushButton* cmdClose;

public slots:
    void Form_Activate();
    void cmdLastPage_Click();
    void cmdNextPage_Click();
    void cmdResize_Click();
    void cmdBlankRpt_Click();
    void cmmdPrintSetup_Click();
    void cmdHelp_Click();
    void cmdClose_Click();
    void fbkPreview_MouseClick(int button, int shift, int x, int y);
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window closes by its close button only: Escape and the desktop's close command do nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void picturesLoaded(const QVector<QImage>&) override { }

    bool buildReport();
    void showCurrentPage();
    void ToggleZoom();
    void LayoutPreview();

    platform::grid::Sheet report_;
    engine::StatisticsRun statistics_;
    output::PreviewPages pages_;
    int reportType_ = 0;
    int currentPage_ = 1;
    bool fullSize_ = true;
    bool firstActivation_ = true;
    std::optional<platform::ui::WaitCursor> waitCursor_; // from construction until the first build ends
    std::shared_ptr<const store::ReportDefinition> definition_;
    std::unique_ptr<engine::DataReportRun> run_; // the build shown; this window receives its pictures
};
