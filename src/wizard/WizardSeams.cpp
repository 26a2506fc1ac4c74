#include "wizard/WizardSeams.h"

#include "platform/ui/MessageBox.h"
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
    if (window.LinkTableName().isEmpty()) {
        // Told before the designer's "报表生成出错！", so that the clerk (or whoever sets up the archive's
        // tables) learns why no wizard came.
        const QString cause = window.Model().LastError().description;
        platform::ui::msgBox(cause.isEmpty()
                ? QStringLiteral("向导读不出数据表 %1 的表关系和表描述，不能为它生成数据报表。")
                      .arg(request.linkTableName.trimmed())
                : cause,
            platform::ui::Buttons::Ok, platform::ui::Icon::Information);
        return store::WizardNotFinished;
    }
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

} // namespace

void installWizardSeams()
{
    store::windowSeams().frmWizard = RunWizardWindow;
    store::windowSeams().clsStatReport = SaveStatDefinition;
}

} // namespace wizard
