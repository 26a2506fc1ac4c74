#pragma once

#include "output/PrintRange.h"
#include "platform/grid/Sheet.h"

#include <memory>
#include <QDialog>

class QProgressBar;
class QPushButton;
class QStatusBar;

namespace engine
{
struct DataReportRun;
}
namespace platform::grid
{
class PrintRun;
}

namespace output
{

class PageView;
class ReportOutput;

// The print window "报表打印": builds the current report into its hidden working sheet (a data report
// batch by batch, a statistics report at once), shows one page at a time, prints chosen pages and
// exports the report to a file; every print and every export adds a use-log row. Loaded in silent web
// mode it builds the whole report, prints nothing and writes it as an Excel file for the host.
//
// Its life: Form_Load (the checks and the preparation; false when the window unloads itself at once),
// showing (the first activation builds the first batch), the commands, and the destructor, which
// releases what the report and the host's objects hold.
class frmPrint : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrint(QWidget* parent = nullptr);
    ~frmPrint() override;

    // The print timing of the one print window of the process: it stays from one showing to the next.
    // A data report's load takes the pages per batch from the settings.
    static inline int PagesPerBatch = 0;
    static inline bool AutoPrint = false;

    platform::grid::Sheet mfbkReport; // the working sheet: the pages built last
    QWidget* picBackground;
    PageView* fbkPrint;
    QPushButton* cmdPrint;
    QPushButton* cmdLastPage;
    QPushButton* cmdNextPage;
    QPushButton* cmdResize;
    QPushButton* Command1;
    QPushButton* cmdSave;
    QPushButton* cmdPrintSetup;
    QPushButton* CmdSet;
    QPushButton* CmdEdit;
    QPushButton* cmdHelp;
    QPushButton* cmdCancel;
    QStatusBar* staPreview;
    QProgressBar* prgPrint;

    int CurrentPage = 1; // the page shown, from 1
    bool GenerationPending = false; // the first batch is still to be built
    bool FitZoom = true; // the page is shown fitted to the page area, else at 100 %
    bool CancelRequested = false;

    bool Form_Load();
    // The run of the report loaded; none before a load.
    const engine::DataReportRun* reportRun() const;

public slots:
    void Form_Activate();
    void cmdPrint_Click();
    void cmdLastPage_Click();
    void cmdNextPage_Click();
    void cmdResize_Click();
    void Command1_Click();
    void cmdSave_Click();
    void cmdPrintSetup_Click();
    void CmdSet_Click();
    void CmdEdit_Click();
    void cmdHelp_Click();
    void cmdCancel_Click();
    void fbkPrint_MouseClick(int button, int shift, int x, int y);
    void fbkPrint_CellEdited(int row, int col);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Escape takes the cancel button's road, with its question.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void GenerateReport();
    void BuildBatches(bool autoPrint);
    void ShowCurrentPage();
    void PrintPages(const QString& area, int copies, platform::grid::PrintRun* oneDocument = nullptr);
    void ShowBatchCaption();
    void RunWebExport();
    void Form_Unload();
    QString AskExportPath();
    SheetRows CurrentPageRows() const;

    std::unique_ptr<ReportOutput> report_;
    bool generating_ = false;
};

} // namespace output
