#pragma once

#include <functional>
#include <memory>
#include <QString>

namespace platform::db
{
class Connection;
}

namespace platform::grid
{
class Sheet;
}

namespace store
{

// How the print window is used: shown modally for a preview, or loaded without being shown for the
// silent web export (its loading builds and exports the report) and unloaded again.
enum class PrintWindowUse { ShowModal, LoadSilently };

// What the new-report wizard is given; it keeps the table only when it can load its source information.
struct WizardRequest {
    QString groupId;
    QString reportName;
    QString linkTableName;
};

// Finish values of the wizard.
enum WizardFinish : int { WizardSaved = 0, WizardCancelled = 1, WizardNotFinished = 2 };

struct StatReportResult {
    bool saved = false;
    QString reportId; // the new report's id, also when the save failed
};

// The windows and creation paths that the public class and the store open. Each is a hook that the
// subsystem owning the window installs when it is linked in; while a hook is empty the member that would
// open the window returns without effect (the wizard answers WizardNotFinished, the statistics-report
// definition an unsaved result).
struct WindowSeams {
    std::function<void()> frmPrintMSG; // print-progress window, modal
    std::function<void(PrintWindowUse)> frmPrint; // print window
    std::function<void()> frmPreview; // preview window of the blank form, modal
    std::function<void()> frmReportDesigner; // designer window, modal
    std::function<void()> frmPageSetup; // a new page-setup dialog, modal
    std::function<void(const QString& note)> ShowWordReport; // ".doc" template reports
    std::function<void(const QString& note)> RunReportPrinter; // ".rpt" template reports
    std::function<int(const WizardRequest&)> frmWizard; // returns its Finish value
    std::function<StatReportResult(
        std::shared_ptr<platform::db::Connection>, const QString& groupId, const QString& reportName)>
        clsStatReport;
    // The designer's painting of the region-marker column (column 1 of a data report's design grid) from
    // the state's region table; the loader calls it once the region rows are read.
    std::function<void(platform::grid::Sheet&)> PaintRegionMarkers;
};

WindowSeams& windowSeams();

} // namespace store
