#include "HostSession.h"

#include "HostSysInfo.h"

#include "component/ClassFactory.h"
#include "component/CReportOrv.h"
#include "component/EntryPoints.h"
#include "component/Hresult.h"
#include "demo/DemoDatabase.h"
#include "demo/DemoReports.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"
#include "platform/ui/Printers.h"
#include "store/ReportKeywords.h"

#include <functional>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>

namespace host
{

namespace
{

std::shared_ptr<CReportOrv> createReportObject()
{
    void* factory = nullptr;
    const int result = DllGetClassObject(component::ReportProgId.toUtf8().constData(), &factory);
    if (result != component::hresult::Ok || !factory)
        throw platform::Error(result, QStringLiteral("orvreport"), QStringLiteral("无法创建 CReportOrv"));
    return static_cast<component::ClassFactory*>(factory)->createInstance();
}

void setProperties(
    CReportOrv& report, const HostOptions& options, std::shared_ptr<platform::db::Connection> connection)
{
    report.setConnection(std::move(connection));
    report.setUser(std::make_shared<platform::outside::NamedUser>(options.userId, options.userName));
    report.setSysInfo(std::make_shared<HostSysInfo>());
    report.setTABLENAME(options.table);
    report.setReportGroupId(options.group);
    report.setReportId(options.reportId);
    report.setSelectWhere(options.where);
    report.setSelectOrder(options.order);
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool holdsDemoArchive(platform::db::Connection& connection)
{
    try {
        platform::db::Recordset probe;
        probe.open(QStringLiteral("select count(*) from report_index where report_id = %1")
                       .arg(platform::db::sqlText(demo::DataReportId)),
            connection);
        return probe.field(0).toDouble() > 0;
    } catch (const platform::Error&) {
        return false;
    }
}

// The database of --db, or the demo archive, created on first use (also inside the database of
// --db when --demo asks for it). SQLite would make an empty file of a mistyped name: an archive file that
// is not there is refused unless --demo is to fill it, named as the masked --db gives it, since a server's
// URL or connection string mistyped may name a password.
std::shared_ptr<platform::db::Connection> openDatabase(const HostOptions& options, QTextStream& out)
{
    QString url = options.database;
    const QString file = platform::db::sqliteFileOf(url);
    if (!options.demo && !file.isEmpty() && file != QLatin1String(":memory:") && !QFileInfo::exists(file))
        throw platform::Error(platform::errors::DatabaseError, QStringLiteral("orvreport"),
            QStringLiteral("数据库文件“%1”不存在")
                .arg(QDir::toNativeSeparators(
                    QFileInfo(platform::db::sqliteFileOf(platform::db::maskedUrl(url))).absoluteFilePath())));
    if (url.isEmpty()) {
        url = defaultDemoDatabasePath();
        QDir().mkpath(QFileInfo(url).absolutePath());
        demo::ensureDemoDatabase(url);
        out << "demo archive: " << QDir::toNativeSeparators(url) << Qt::endl;
    }
    std::shared_ptr<platform::db::Connection> connection = platform::db::Connection::open(url);
    if (options.demo && !options.database.isEmpty() && !holdsDemoArchive(*connection)) {
        demo::createSchema(*connection);
        demo::createArchive(*connection);
        out << "demo archive created in " << platform::db::maskedUrl(options.database) << Qt::endl;
    }
    return connection;
}

// The commands that work on one report, which --report must name.
bool needsReport(HostCommand command)
{
    return command == HostCommand::Preview || command == HostCommand::Print || command == HostCommand::Blank
        || command == HostCommand::Web || command == HostCommand::PageSetup;
}

// Why the component would leave the command without effect and without a word; "" when it has what it
// works on. The designer on an archive of the host's own has no demo report to open and no group to
// create reports in unless the command line names one.
QString missingSubject(const HostOptions& options)
{
    if (needsReport(options.command) && options.reportId.trimmed().isEmpty())
        return QStringLiteral("the command works on one report, and --report names none");
    if (options.command == HostCommand::Design && !options.reportGiven && options.table.isEmpty()
        && options.group.isEmpty())
        return QStringLiteral("design on an archive of one's own wants --report, --table or --group");
    return {};
}

// A report command failed when the component refused it (ErrorMessage, which outside the silent web
// export carries refusals only) or, for the web export, when it wrote no file: the file is that
// command's result, and a notice in ErrorMessage beside it does not undo it.
bool reportCommandFailed(HostCommand command, const CReportOrv& report)
{
    if (command != HostCommand::Web)
        return !report.ErrorMessage().isEmpty();
    const QString path = report.GetWebReportPath();
    return path.isEmpty() || QFileInfo(path).size() == 0;
}

// Calls the command's member and tells what came back; 1 when the member reported failure.
int callMember(CReportOrv& report, const HostOptions& options, QTextStream& out)
{
    switch (options.command) {
    case HostCommand::Design: {
        int reportType = options.reportType;
        out << "ShowReportDesigner(" << reportType << ")" << Qt::endl;
        report.ShowReportDesigner(&reportType);
        return 0;
    }
    case HostCommand::Preview:
        out << "PreviewPrint()" << Qt::endl;
        report.PreviewPrint();
        return 0;
    case HostCommand::Print:
        out << "PrintReport()" << Qt::endl;
        report.PrintReport();
        return 0;
    case HostCommand::Blank:
        out << "PreviewBlankPage()" << Qt::endl;
        report.PreviewBlankPage();
        return 0;
    case HostCommand::PageSetup:
        out << "ShowPageSetupDlg()" << Qt::endl;
        report.ShowPageSetupDlg();
        return 0;
    case HostCommand::Web:
        out << "WebPrint()" << Qt::endl;
        report.WebPrint();
        out << "GetWebReportPath: " << report.GetWebReportPath() << Qt::endl;
        return 0;
    case HostCommand::CopyGroup: {
        QString model = options.model;
        const bool copied = report.CreatReportByModel(model, options.tables);
        out << "CreatReportByModel(" << options.model << ") = " << yesNo(copied) << Qt::endl;
        return copied ? 0 : 1;
    }
    case HostCommand::DeleteGroup: {
        const bool deleted = report.DeleteAllReport(options.groups);
        out << "DeleteAllReport(" << options.groups.join(QLatin1Char(',')) << ") = " << yesNo(deleted)
            << Qt::endl;
        return deleted ? 0 : 1;
    }
    }
    return 0;
}

} // namespace

QString defaultDemoDatabasePath()
{
    const QString fromEnvironment = qEnvironmentVariable("ORV_DEMO_DB");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("OrvReport/demo.db"));
}

HostOptions withDefaults(HostOptions options)
{
    // The group commands name their groups themselves; a default group would become their target.
    if (!isGroupCommand(options.command)) {
        if (options.database.isEmpty() || options.demo) {
            if (options.table.isEmpty())
                options.table = demo::SampleReportGroup;
            if (options.reportId.isEmpty() && !options.reportGiven)
                options.reportId = demo::DataReportId;
        }
        if (options.group.isEmpty())
            options.group = options.table;
    }
    if (options.userId.isEmpty()) {
        options.userId = QStringLiteral("demo");
        options.userName = QStringLiteral("演示用户");
    }
    return options;
}

// A report named without its group takes the group it is stored under (and the table of that name), so
// that `--db FILE --report ID` opens it as the archive application would instead of doing nothing.
HostOptions withStoredGroup(HostOptions options, platform::db::Connection& connection)
{
    if (isGroupCommand(options.command) || !options.group.isEmpty() || options.reportId.isEmpty())
        return options;
    QSqlQuery stored = connection.run(
        QStringLiteral("select report_group_id from report_index where report_id = ?"), { options.reportId });
    if (stored.next()) {
        options.group = stored.value(0).toString().trimmed();
        if (options.table.isEmpty())
            options.table = options.group;
    }
    return options;
}

// The tables that the stored reports of the group are built on (their TABLES_NAME lists), each once.
QStringList tablesOfGroup(const QString& group, platform::db::Connection& connection)
{
    QSqlQuery stored = connection.run(
        QStringLiteral("select i.info_description from report_info i, report_index x where x.report_id = "
                       "i.report_id and x.report_group_id = ? and i.info_type = ?"),
        { group, store::keywords::TablesName });
    QStringList tables;
    while (stored.next()) {
        for (QString table : stored.value(0).toString().split(QLatin1Char(','))) {
            table = table.trimmed();
            if (!table.isEmpty() && !tables.contains(table, Qt::CaseInsensitive))
                tables.append(table);
        }
    }
    return tables;
}

// The designer works in a group on a table, and the component opens nothing without both. A group named
// without its table takes the one table that the group's stored reports are built on. Gives why the
// designer cannot open ("" when it can).
QString completeDesignSubject(HostOptions& options, platform::db::Connection& connection)
{
    if (options.command != HostCommand::Design || !options.table.isEmpty())
        return {};
    if (options.group.isEmpty()) {
        const QString stored = options.reportId.trimmed().isEmpty()
            ? QString()
            : QStringLiteral(" (no report %1 is stored)").arg(options.reportId);
        return QStringLiteral("design wants --table or --group") + stored;
    }
    const QStringList tables = tablesOfGroup(options.group, connection);
    if (tables.size() == 1) {
        options.table = tables.first();
        return {};
    }
    return QStringLiteral("design wants --table: the stored reports of group %1 are built on %2")
        .arg(
            options.group, tables.isEmpty() ? QStringLiteral("no table") : tables.join(QStringLiteral(", ")));
}

int runHostCommand(const HostOptions& given, QTextStream& out)
{
    HostOptions options = withDefaults(given);
    if (const QString missing = missingSubject(options); !missing.isEmpty()) {
        out << "refused: " << missing << Qt::endl;
        return 1;
    }
    const std::shared_ptr<platform::db::Connection> connection = openDatabase(options, out);
    options = withStoredGroup(options, *connection);
    if (const QString missing = completeDesignSubject(options, *connection); !missing.isEmpty()) {
        out << "refused: " << missing << Qt::endl;
        return 1;
    }
    if (!options.printer.isEmpty() && !platform::ui::selectDefaultPrinter(options.printer))
        throw platform::Error(platform::errors::PrinterFault, QStringLiteral("orvreport"),
            QStringLiteral("没有安装打印机“%1”").arg(options.printer));

    const std::shared_ptr<CReportOrv> report = createReportObject();
    setProperties(*report, options, connection);
    if (!isGroupCommand(options.command))
        out << "report " << options.reportId << " of group " << options.group << " on table " << options.table
            << Qt::endl;
    report->setErrorMessage({});
    int exitCode = callMember(*report, options, out);
    const QString message = report->ErrorMessage();
    if (!message.isEmpty())
        out << "ErrorMessage: " << message << Qt::endl;
    if (!isGroupCommand(options.command) && reportCommandFailed(options.command, *report)) {
        if (options.command == HostCommand::Web)
            out << "nothing written" << Qt::endl;
        exitCode = 1;
    }
    return exitCode;
}

} // namespace host
