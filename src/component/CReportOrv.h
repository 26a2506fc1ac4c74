#pragma once

#include "platform/Export.h"

#include <memory>
#include <QString>
#include <QStringList>
#include <QVector>

namespace platform::db
{
class Connection;
class Recordset;
} // namespace platform::db

namespace platform::outside
{
class User;
class SysInfo;
} // namespace platform::outside

// The component's one public class. The host gives it an open connection, its user and system-information
// objects, the archive table and report group it works on, the report, and a filter and sort order or a
// ready record set; then it calls one member that designs, previews, prints, exports or copies reports.
//
// Every property the host sets is kept twice: in the object (what the getter returns) and in the
// process-wide report state that the rest of the component reads. The state is shared by all objects
// and outlives them, so a host sets the properties a member relies on before every call.
// Creating an object switches off blank-page printing and the silent mode.
class ORV_EXPORT CReportOrv
{
public:
    CReportOrv();
    ~CReportOrv();
    CReportOrv(const CReportOrv&) = delete;
    CReportOrv& operator=(const CReportOrv&) = delete;

    // The connection also becomes the shared error log's.
    void setConnection(std::shared_ptr<platform::db::Connection> connection);
    std::shared_ptr<platform::db::Connection> Connection() const;
    void setSysInfo(std::shared_ptr<platform::outside::SysInfo> sysInfo);
    std::shared_ptr<platform::outside::SysInfo> SysInfo() const;
    void setUser(std::shared_ptr<platform::outside::User> user);
    std::shared_ptr<platform::outside::User> User() const;
    void setReportId(const QString& reportId);
    QString ReportId() const;
    void setReportGroupId(const QString& reportGroupId);
    QString ReportGroupId() const;
    void setTABLENAME(const QString& tableName);
    QString TABLENAME() const;
    void setSelectWhere(const QString& selectWhere);
    QString SelectWhere() const;
    // The state receives the list with every item qualified by the TABLENAME of the moment (set the table
    // first); the getter returns the list as given.
    void setSelectOrder(const QString& selectOrder);
    QString SelectOrder() const;
    void setDataRecordSet(std::shared_ptr<platform::db::Recordset> recordSet);
    std::shared_ptr<platform::db::Recordset> DataRecordSet() const;
    void setErrorMessage(const QString& errorMessage);
    // The state's message: also what WebPrint and the silent build wrote.
    QString ErrorMessage() const;
    void setOpenType(int openType);
    int OpenType() const;
    void setIsPrintBlankReport(bool printBlank);
    bool IsPrintBlankReport() const;

    // Opens the designer for a report of type *viReportType (0 when omitted), when the state has both a
    // TABLENAME and a ReportGroupId; otherwise does nothing.
    void ShowReportDesigner(int* viReportType = nullptr);
    void PrintReport();
    void PreviewPrint();
    void PreviewBlankPage();
    // Replaces every report of the target group (ReportGroupId, else the target paired with vModelId in
    // vntTables, else TABLENAME) by copies of the model group's reports, with the table names replaced
    // along vntTables (rows of [model table, target table]). Tells the user and answers false when it
    // cannot; a failed copy leaves the target group's reports as they were.
    bool CreatReportByModel(QString& vModelId, const QVector<QStringList>& vntTables);
    // Deletes every report of the given groups; tells the user and answers false on failure.
    bool DeleteAllReport(const QStringList& vntTableName);
    // Changes no report: every build works its data-source SQL out anew before its data query.
    void setGetSQL(const QString& sql);
    void ShowPageSetupDlg();
    void setGetFactTableName(const QString& tableName);
    QString GetWebReportPath() const;
    void WebPrint();

private:
    struct Fields;
    std::unique_ptr<Fields> d;
};
