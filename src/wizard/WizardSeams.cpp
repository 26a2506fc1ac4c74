#include "wizard/WizardSeams.h"

#include "platform/ui/ModalDialog.h"
#include "store/WindowSeams.h"
#include "wizard/clsStatReport.h"
#include "wizard/frmWizard.h"

namespace wizard
{

namespace
{

// A new wizard window for each run: given the group, the name and the source table, shown only when it
// kept the table; its Finish value is the answer.
int RunWizardWindow(const store::WizardRequest& request)
{
    frmWizard window;
    window.setGroupID(request.groupId);
    window.setReportName(request.reportName);
    window.setLinkTableName(request.linkTableName);
    if (window.LinkTableName().isEmpty())
        return store::WizardNotFinished;
    window.Form_Load();
    platform::ui::showModal(window);
    return window.Finish();
}

store::StatReportResult SaveStatDefinition(
    std::shared_ptr<platform::db::Connection> connection, const QString& groupId, const QString& reportName)
{
    clsStatReport definition;
    definition.Connection = std::move(connection);
    definition.GroupID = groupId;
    definition.reportName = reportName;
    const bool saved = definition.Save();
    return { saved, definition.ReportId() };
}

const bool installedAtLoad = (installWizardSeams(), true);

} // namespace

void installWizardSeams()
{
    store::windowSeams().frmWizard = RunWizardWindow;
    store::windowSeams().clsStatReport = SaveStatDefinition;
}

} // namespace wizard
