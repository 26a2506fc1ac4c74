#include "component/CReportOrv.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/ReportFonts.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/HostObjects.h"
#include "platform/outside/SharedObjects.h"
#include "platform/ui/MessageBox.h"
#include "store/GroupCopy.h"
#include "store/GroupDelete.h"
#include "store/ReportLoader.h"
#include "store/ReportRoutes.h"
#include "store/ReportState.h"
#include "store/SelectOrder.h"
#include "store/TextConvert.h"
#include "store/UserNotice.h"
#include "store/WindowSeams.h"

using store::reportState;

struct CReportOrv::Fields {
    std::shared_ptr<platform::db::Connection> connection;
    std::shared_ptr<platform::outside::User> user;
    std::shared_ptr<platform::outside::SysInfo> sysInfo;
    int openType = 0;
    QString reportId;
    bool isPrintBlankReport = false;
    QString reportGroupId;
    QString tableName;
    QString selectWhere;
    QString selectOrder;
    std::shared_ptr<platform::db::Recordset> dataRecordSet;
    QString errorMessage;
};

namespace
{

void tell(const QString& text)
{
    platform::ui::msgBox(
        text, platform::ui::Buttons::Ok, platform::ui::Icon::Information, platform::ui::DefaultTitle);
}

// The target group of a model copy: the state's group when set, else the target paired with the model,
// else the state's table as it stands.
void chooseTargetGroup(const QString& modelId, const QVector<QStringList>& tables)
{
    auto& state = reportState();
    if (!store::trimBlanks(state.ReportGroupId).isEmpty()) {
        state.TABLENAME = state.ReportGroupId;
        return;
    }
    const QString model = store::trimBlanks(modelId).toLower();
    for (const QStringList& row : tables) {
        if (row.size() >= 2 && store::trimBlanks(row.at(0)).toLower() == model) {
            state.TABLENAME = row.at(1);
            return;
        }
    }
}

} // namespace

CReportOrv::CReportOrv()
    : d(std::make_unique<Fields>())
{
    platform::grid::useReportFonts();
    auto& state = reportState();
    state.IsPrintBlankReport = false;
    state.WebPrintMode = false;
    state.FirstPageSizing = true;
    state.SourceSql.clear();
}

CReportOrv::~CReportOrv() = default;

void CReportOrv::setConnection(std::shared_ptr<platform::db::Connection> connection)
{
    d->connection = connection;
    reportState().Connection = connection;
    platform::outside::sharedErrorLog()->setConnection(std::move(connection));
}

std::shared_ptr<platform::db::Connection> CReportOrv::Connection() const
{
    return d->connection;
}

void CReportOrv::setSysInfo(std::shared_ptr<platform::outside::SysInfo> sysInfo)
{
    d->sysInfo = sysInfo;
    reportState().SysInfo = std::move(sysInfo);
}

std::shared_ptr<platform::outside::SysInfo> CReportOrv::SysInfo() const
{
    return d->sysInfo;
}

void CReportOrv::setUser(std::shared_ptr<platform::outside::User> user)
{
    d->user = user;
    reportState().User = std::move(user);
}

std::shared_ptr<platform::outside::User> CReportOrv::User() const
{
    return d->user;
}

void CReportOrv::setReportId(const QString& reportId)
{
    d->reportId = reportId;
    reportState().ReportId = reportId;
}

QString CReportOrv::ReportId() const
{
    return d->reportId;
}

void CReportOrv::setReportGroupId(const QString& reportGroupId)
{
    d->reportGroupId = reportGroupId;
    reportState().ReportGroupId = reportGroupId;
}

QString CReportOrv::ReportGroupId() const
{
    return d->reportGroupId;
}

void CReportOrv::setTABLENAME(const QString& tableName)
{
    d->tableName = tableName;
    reportState().TABLENAME = tableName;
}

QString CReportOrv::TABLENAME() const
{
    return d->tableName;
}

void CReportOrv::setSelectWhere(const QString& selectWhere)
{
    d->selectWhere = selectWhere;
    reportState().SelectWhere = selectWhere;
}

QString CReportOrv::SelectWhere() const
{
    return d->selectWhere;
}

void CReportOrv::setSelectOrder(const QString& selectOrder)
{
    d->selectOrder = selectOrder;
    reportState().SelectOrder = store::QualifySelectOrder(selectOrder, reportState().TABLENAME);
}

QString CReportOrv::SelectOrder() const
{
    return d->selectOrder;
}

void CReportOrv::setDataRecordSet(std::shared_ptr<platform::db::Recordset> recordSet)
{
    d->dataRecordSet = recordSet;
    reportState().DataRecordSet = std::move(recordSet);
}

std::shared_ptr<platform::db::Recordset> CReportOrv::DataRecordSet() const
{
    return d->dataRecordSet;
}

void CReportOrv::setErrorMessage(const QString& errorMessage)
{
    d->errorMessage = errorMessage;
    reportState().ErrorMessage = errorMessage;
}

QString CReportOrv::ErrorMessage() const
{
    return reportState().ErrorMessage;
}

void CReportOrv::setOpenType(int openType)
{
    d->openType = openType;
}

int CReportOrv::OpenType() const
{
    return d->openType;
}

void CReportOrv::setIsPrintBlankReport(bool printBlank)
{
    d->isPrintBlankReport = printBlank;
    reportState().IsPrintBlankReport = printBlank;
}

bool CReportOrv::IsPrintBlankReport() const
{
    return d->isPrintBlankReport;
}

void CReportOrv::ShowReportDesigner(int* viReportType)
{
    auto& state = reportState();
    if (state.TABLENAME.isEmpty() || state.ReportGroupId.isEmpty())
        return;
    state.ReportType = viReportType ? *viReportType : store::NoReportType;
    if (store::windowSeams().frmReportDesigner)
        store::windowSeams().frmReportDesigner();
}

void CReportOrv::PrintReport()
{
    store::PrintReport();
}

void CReportOrv::PreviewPrint()
{
    store::PreviewPrint();
}

void CReportOrv::PreviewBlankPage()
{
    store::PreviewBlankPage();
}

bool CReportOrv::CreatReportByModel(QString& vModelId, const QVector<QStringList>& vntTables)
{
    auto& state = reportState();
    const QString modelGroup = store::trimBlanks(vModelId);
    if (modelGroup.isEmpty()) {
        tell(QStringLiteral("新增底层门类的类型为空，不能生成报表！"));
        return false;
    }
    try {
        chooseTargetGroup(vModelId, vntTables);
        const QString targetGroup = store::trimBlanks(state.TABLENAME);
        if (targetGroup.isEmpty()) {
            tell(QStringLiteral("新增底层门类的表名为空，不能生成报表！"));
            return false;
        }
        // A group cannot be its own model.
        if (targetGroup.compare(modelGroup, Qt::CaseInsensitive) == 0) {
            tell(QStringLiteral("新增底层门类与模板门类相同，不能生成报表！"));
            return false;
        }
        // The copies replace the group's reports in one transaction: a failed copy leaves them as they were.
        if (store::ReplaceGroupReports(modelGroup, vntTables))
            return true;
    } catch (const std::exception&) {
        // Answered below like a failed copy.
    }
    tell(QStringLiteral("生成报表时出错！"));
    return false;
}

bool CReportOrv::DeleteAllReport(const QStringList& vntTableName)
{
    if (store::DeleteGroupReports(vntTableName))
        return true;
    tell(QStringLiteral("删除报表时出错！"));
    return false;
}

void CReportOrv::setGetSQL(const QString& sql)
{
    reportState().SourceSql = sql;
}

void CReportOrv::ShowPageSetupDlg()
{
    // A custom paper size is written into the report's rows: a report that is not there (a stale id)
    // would be given a stray row, and the clerk's settings would go nowhere.
    if (!reportState().ReportId.isEmpty() && !store::ReportIndexExists()) {
        store::NoticeUser(store::ReportMissingMessage);
        return;
    }
    if (store::windowSeams().frmPageSetup)
        store::windowSeams().frmPageSetup();
}

void CReportOrv::setGetFactTableName(const QString& tableName)
{
    reportState().FactTableName = tableName;
}

QString CReportOrv::GetWebReportPath() const
{
    return reportState().WebReportPath;
}

void CReportOrv::WebPrint()
{
    store::WebPrint();
}
