#include "output/ReportPrinterRoad.h"
#include "output/TemplateFiles.h"

#include "engine/DataSource.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/FrmInit.h"
#include "platform/db/Connection.h"
#include "platform/Error.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/HandOverFolder.h"
#include "platform/outside/PrivateFolder.h"
#include "platform/outside/ProgramStarter.h"
#include "platform/outside/SettingsObject.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/ui/ComponentFolder.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDialog.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/UserNotice.h"

#include <cerrno>
#include <csignal>
#include <pugixml.hpp>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QUrl>
#include <sstream>
#include <unistd.h>

namespace output
{

namespace
{

// The host's connection as a connection string: an ODBC connection's own, else the server's address.
QString connectionString(platform::db::Connection& connection)
{
    QSqlDatabase& database = connection.database();
    if (database.driverName() == QLatin1String("QODBC"))
        return database.databaseName();
    if (database.driverName() == QLatin1String("QSQLITE"))
        return QStringLiteral("sqlite:") + database.databaseName();
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(database.userName());
    url.setPassword(database.password());
    url.setHost(database.hostName());
    if (database.port() > 0)
        url.setPort(database.port());
    url.setPath(QLatin1Char('/') + database.databaseName());
    return url.toString();
}

// The report's query for the report printer, which runs it as it stands: held to one statement here.
QString reportQuery()
{
    const auto& state = store::reportState();
    engine::DataReportRun report(store::ReadReportDefinition(state.ReportId));
    engine::CheckReportSortOrder(report);
    return state.Connection->singleStatement(platform::outside::sharedSqlAdapter()->adaptSql(
        engine::BuildDataSourceSql(report, report.definition().sql.SqlSelect), *state.Connection));
}

QString reportPrinterProgram()
{
    const QString configured
        = platform::outside::SettingsObject().read(ReportPrinterSection, ReportPrinterKey).trimmed();
    return configured.isEmpty()
        ? QDir(platform::ui::componentFolder()).filePath(QStringLiteral("reportprinter"))
        : configured;
}

// Logs a failure of the report printer's run and tells the user `told`.
void tellFailure(const char* procedure, const QString& cause, const QString& told)
{
    platform::outside::reportFailure(
        procedure, platform::Error(platform::errors::FileError, QStringLiteral("reportprinter"), cause));
    store::NoticeUser(told, platform::ui::Icon::Information);
}

void showStartFailure(const QString& cause)
{
    tellFailure("ShellAndWait", cause, QStringLiteral("压缩、解压缩文件出错！"));
}

// The data file lies in a folder of its own, named after the process that wrote it, inside the user's
// own folder; a host that was killed while the program ran leaves it behind, with the connection's
// password in it.
const QString DataFolderPrefix = QStringLiteral("datareport-");

bool processGone(qint64 pid)
{
    return pid > 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Removes the data folders whose process is gone. Only the user can make anything in the own folder;
// a link found there is still not followed.
void removeDataOfEndedRuns(const platform::outside::PrivateFolder& own)
{
    const QFileInfoList folders = QDir(own.path())
                                      .entryInfoList({ DataFolderPrefix + QLatin1Char('*') },
                                          QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QFileInfo& folder : folders) {
        const QString writer = folder.fileName().mid(DataFolderPrefix.size()).section(QLatin1Char('-'), 0, 0);
        if (processGone(writer.toLongLong()))
            QDir(folder.filePath()).removeRecursively();
    }
}

// How the program ended when it did not end well, "" when it did.
QString programFault(const platform::outside::ProgramRun& run)
{
    if (run.signal != 0)
        return QStringLiteral("被信号 %1 终止").arg(run.signal);
    if (run.exitCode != 0)
        return QStringLiteral("退出状态 %1").arg(run.exitCode);
    return {};
}

} // namespace

QString DsnOf(const QString& connectionString)
{
    const qsizetype at = connectionString.indexOf(QLatin1String("dsn"), 0, Qt::CaseInsensitive);
    QString dsn = at < 0 ? connectionString : connectionString.mid(at);
    if (dsn.endsWith(QLatin1Char('"')))
        dsn.chop(1);
    return dsn;
}

QByteArray ReportPrinterData(const QString& dsn, const QString& sql, const QString& reportName)
{
    pugi::xml_document document;
    pugi::xml_node xml = document.append_child("xml");
    xml.append_attribute("xmlns:s") = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
    xml.append_attribute("xmlns:dt") = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
    xml.append_attribute("xmlns:rs") = "urn:schemas-microsoft-com:rowset";
    xml.append_attribute("xmlns:z") = "#RowsetSchema";
    pugi::xml_node schema = xml.append_child("s:Schema");
    schema.append_attribute("id") = "RowsetSchema";
    pugi::xml_node row = schema.append_child("s:ElementType");
    row.append_attribute("name") = "row";
    row.append_attribute("content") = "eltOnly";
    row.append_attribute("rs:updatable") = "true";
    const char* const names[] = { "Dsn", "Sql", "reportname" };
    int number = 1;
    for (const char* name : names) {
        pugi::xml_node attribute = row.append_child("s:AttributeType");
        attribute.append_attribute("name") = name;
        attribute.append_attribute("rs:number") = number++;
        attribute.append_attribute("rs:write") = "true";
        pugi::xml_node type = attribute.append_child("s:datatype");
        type.append_attribute("dt:type") = "string";
        type.append_attribute("dt:maxLength") = 0;
        type.append_attribute("rs:long") = "true";
    }
    row.append_child("s:extends").append_attribute("type") = "rs:rowbase";
    pugi::xml_node values = xml.append_child("rs:data").append_child("rs:insert").append_child("z:row");
    values.append_attribute("Dsn") = dsn.toUtf8().constData();
    values.append_attribute("Sql") = sql.toUtf8().constData();
    values.append_attribute("reportname") = reportName.toUtf8().constData();
    std::ostringstream text;
    document.save(text, "\t", pugi::format_default | pugi::format_no_declaration, pugi::encoding_utf8);
    return QByteArray::fromStdString(text.str());
}

namespace
{

void runReportPrinter(const QString& templateName)
{
    if (platform::outside::SettingsObject()
            .read(ReportPrinterSection, ReportInitKey, QStringLiteral("0"))
            .toInt()
        < PrerequisiteStepCount) {
        FrmInit window;
        platform::ui::showModal(window);
        return;
    }
    const QString templatePath = TemplatePath(templateName);
    if (!QFileInfo::exists(templatePath)) {
        store::NoticeUser(MissingTemplateText(templatePath), platform::ui::Icon::Information);
        return;
    }
    const auto& state = store::reportState();
    const QByteArray data
        = ReportPrinterData(DsnOf(connectionString(*state.Connection)), reportQuery(), templateName);

    // The file holds the connection's password and is handed to the program by its path: it lies in the
    // user's own folder, readable by its owner only, and goes with its folder.
    const platform::outside::PrivateFolder own(platform::outside::handOverFolder());
    removeDataOfEndedRuns(own);
    QTemporaryDir folder(QDir(own.path())
                             .filePath(DataFolderPrefix + QString::number(QCoreApplication::applicationPid())
                                 + QStringLiteral("-XXXXXX")));
    const QString dataName = QStringLiteral("datareport.xml");
    const QString dataPath = QDir(folder.path()).filePath(dataName);
    {
        const platform::outside::PrivateFolder dataFolder(folder.path());
        platform::outside::PrivateFile file(dataFolder, dataName);
        file.write(data.constData(), data.size());
        file.keep();
    }
    const QString program = reportPrinterProgram();
    const platform::outside::ProgramRun run
        = platform::outside::ShellAndWait(program, { dataPath, templatePath }, 0, folder.path());
    platform::ui::pumpMessages();
    if (!run.ended) {
        showStartFailure(run.failure);
        return;
    }
    if (const QString fault = programFault(run); !fault.isEmpty())
        tellFailure("RunReportPrinter", program + QLatin1Char(' ') + fault,
            QStringLiteral("报表打印程序出错：") + fault);
}

} // namespace

void RunReportPrinter(const QString& templateName)
{
    // A failure before the program starts (a refused query, an own folder that cannot be used, a full
    // disk) is told with its cause and fails the host's command, as on the Word road.
    try {
        runReportPrinter(templateName);
    } catch (const std::exception& error) {
        platform::outside::reportFailure("RunReportPrinter", error);
        store::NoticeUser(platform::ui::failureText(error), platform::ui::Icon::Critical);
    }
}

} // namespace output
