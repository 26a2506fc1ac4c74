#include "Arguments.h"
#include "demo/DemoReports.h"
#include "HostOptions.h"
#include "HostSession.h"
#include "output/frmPreview.h"
#include "output/frmPrint.h"
#include "output/Frmprocess.h"
#include "platform/db/Connection.h"
#include "platform/Error.h"
#include "platform/outside/SharedObjects.h"
#include "platform/ui/Printers.h"
#include "platform/ui/ScriptedPrinters.h"
#include "platform/ui/ScriptedUi.h"
#include "store/ReportLoader.h"
#include "store/ReportState.h"
#include "support/DesktopOpenerScript.h"
#include "support/SavedEnvironment.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUrl>

using namespace host;

TEST(HostDefaults, ReportCommandsOnTheDemoArchiveGetItsTableGroupAndReport)
{
    const HostOptions demoPreview = withDefaults(parseHostOptions(arguments({ "preview" })));
    EXPECT_EQ(demoPreview.table, demo::SampleReportGroup);
    EXPECT_EQ(demoPreview.group, demo::SampleReportGroup);
    EXPECT_EQ(demoPreview.reportId, demo::DataReportId);
    EXPECT_FALSE(demoPreview.userId.isEmpty());

    const HostOptions ownDatabase
        = withDefaults(parseHostOptions(arguments({ "preview", "--db", "archive.db", "--table", "jjda" })));
    EXPECT_EQ(ownDatabase.table, QStringLiteral("jjda"));
    EXPECT_EQ(ownDatabase.group, QStringLiteral("jjda"));
    EXPECT_TRUE(ownDatabase.reportId.isEmpty());

    // A server database asked to hold the demo archive uses its sample report as the demo file does.
    const HostOptions serverDemo = withDefaults(parseHostOptions(
        arguments({ "web", "--db", "postgresql://postgres@127.0.0.1:54329/archive", "--demo" })));
    EXPECT_TRUE(serverDemo.demo);
    EXPECT_EQ(serverDemo.table, demo::SampleReportGroup);
    EXPECT_EQ(serverDemo.reportId, demo::DataReportId);

    const HostOptions chosen = withDefaults(
        parseHostOptions(arguments({ "web", "--group", "g1", "--report", "r1", "--user", "u:名" })));
    EXPECT_EQ(chosen.group, QStringLiteral("g1"));
    EXPECT_EQ(chosen.reportId, QStringLiteral("r1"));
    EXPECT_EQ(chosen.userName, QStringLiteral("名"));

    // An empty --report opens the designer on no report, even on the demo archive.
    const HostOptions noReport = withDefaults(parseHostOptions(arguments({ "design", "--report", "" })));
    EXPECT_TRUE(noReport.reportId.isEmpty());
    EXPECT_EQ(noReport.group, demo::SampleReportGroup);
}

TEST(HostDefaults, GroupCommandsGetNoGroupThatWouldBecomeTheirTarget)
{
    const HostOptions copy = withDefaults(
        parseHostOptions(arguments({ "copy-group", "--model", "wsda", "--tables", "wsda=wsda2" })));
    EXPECT_TRUE(copy.group.isEmpty());
    EXPECT_TRUE(copy.table.isEmpty());
    EXPECT_TRUE(withDefaults(parseHostOptions(arguments({ "delete-group", "wsda2" }))).group.isEmpty());
}

// A mistyped archive file is refused by its path before SQLite would make it; --demo makes and fills it.
TEST(HostDatabase, AMissingArchiveFileIsMadeOnlyForTheDemo)
{
    const QTemporaryDir folder;
    const orvtest::SavedEnvironment savedExportFolder { "ORV_WEB_EXPORT_DIR" };
    qputenv("ORV_WEB_EXPORT_DIR", folder.path().toLocal8Bit());
    const QString file = folder.filePath(QStringLiteral("missing.db"));
    QString output;
    QTextStream out(&output);
    const auto run = [&](const char* option) {
        return runHostCommand(parseHostOptions(arguments({ "web", option, "--db" }) << file), out);
    };
    try {
        run("--report=1");
        ADD_FAILURE() << "a missing archive was opened";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.description(), QStringLiteral("数据库文件“") + file + QStringLiteral("”不存在"));
    }
    EXPECT_FALSE(QFileInfo::exists(file));
    // A server's address that is a file's name for want of a scheme is named without its password.
    for (const char* db : { " postgresql://u:Geheim@h/db", "host=h password=Geheim",
             "sqlite://u:Geheim@/a.db", "a.db?password=Geheim" }) {
        try {
            runHostCommand(parseHostOptions(arguments({ "web", "--report=1", "--db", db })), out);
            ADD_FAILURE() << "opened " << db;
        } catch (const platform::Error& error) {
            EXPECT_TRUE(error.description().startsWith(QStringLiteral("数据库文件“"))
                && error.description().contains(QLatin1String("***")))
                << error.description().toStdString();
            EXPECT_FALSE(error.description().contains(QLatin1String("Geheim")))
                << error.description().toStdString();
        }
    }
    EXPECT_EQ(run("--demo"), 0) << output.toStdString();
    EXPECT_GT(QFileInfo(file).size(), 0);
    store::reportState() = store::ReportState {};
    platform::outside::releaseShared();
}

// The demo archive made inside a server's database names that database without any of its passwords.
TEST(HostDatabase, TheDemoArchiveCreatedOnAServerIsNamedWithoutItsPasswords)
{
    orvtest::skipUnlessAvailable(orvtest::Backend::PostgreSQL);
    if (IsSkipped())
        return;
    const orvtest::TestDatabase database(orvtest::Backend::PostgreSQL, orvtest::TestDatabase::Content::Empty);
    const QString user = QUrl(database.url()).userName();
    const QString url = QString(database.url()).replace(user + QLatin1Char('@'), user + ":Geheim-1@")
        + "?sslpassword=Geheim-2&password=Geheim-3";
    QString output;
    QTextStream out(&output);
    runHostCommand(parseHostOptions(arguments({ "delete-group", "none", "--demo", "--db" }) << url), out);
    EXPECT_TRUE(output.contains("demo archive created in "
        + QString(url).replace("Geheim-1", "***").replace("Geheim-2", "***").replace("Geheim-3", "***")))
        << output.toStdString();
    EXPECT_FALSE(output.contains("Geheim")) << output.toStdString();
    store::reportState() = store::ReportState {};
    platform::outside::releaseShared();
}

namespace
{

// The host program on an archive of its own, the PDF printer as the only printer, boxes answered by
// script and web exports into a folder of the test.
class HostExitCode : public orvtest::BackendTest
{
protected:
    HostExitCode()
        : database(GetParam(), orvtest::TestDatabase::Content::DemoArchive, 60)
    {
        qputenv("ORV_WEB_EXPORT_DIR", exports.path().toLocal8Bit());
        platform::ui::setPdfPrinterFolder(exports.filePath(QStringLiteral("pdf")));
    }
    ~HostExitCode() override
    {
        platform::ui::setPdfPrinterFolder({});
        store::reportState() = store::ReportState {};
        platform::outside::releaseShared();
    }

    int run(const char* command, const QString& reportId = demo::DataReportId, const QStringList& more = {})
    {
        return runOnArchive(QStringList { QString::fromLatin1(command), QStringLiteral("--table"),
                                demo::SampleReportGroup, QStringLiteral("--report"), reportId }
            + more);
    }
    int runOnArchive(const QStringList& words)
    {
        output.clear();
        QTextStream out(&output);
        return runHostCommand(
            parseHostOptions(words + QStringList { QStringLiteral("--db"), database.url() }), out);
    }

    QStringList exported() const { return QDir(exports.path()).entryList(QDir::Files); }

    orvtest::TestDatabase database;
    QTemporaryDir exports;
    orvtest::SavedEnvironment savedExportFolder { "ORV_WEB_EXPORT_DIR" };
    platform::ui::ScriptedUi ui;
    platform::ui::ScriptedPrinters printers { platform::ui::PrinterScript {
        { platform::ui::PdfPrinterName }, platform::ui::PdfPrinterName } };
    QString output;
};
INSTANTIATE_TEST_SUITE_P(
    Backends, HostExitCode, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName());

TEST_P(HostExitCode, AReportNamedWithoutItsGroupIsFoundUnderTheGroupItIsStoredIn)
{
    QTextStream out(&output);
    EXPECT_EQ(runHostCommand(parseHostOptions({ QStringLiteral("web"), QStringLiteral("--db"), database.url(),
                                 QStringLiteral("--report"), demo::DataReportId }),
                  out),
        0)
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("of group wsda on table wsda"))) << output.toStdString();
    EXPECT_EQ(exported().size(), 1);
}

// On an archive of one's own --report alone is enough for the designer too: it opens on that report.
TEST_P(HostExitCode, TheDesignerOpensOnAReportNamedAlone)
{
    QString title;
    ui.onDialog(QStringLiteral("frmReportDesigner"), [&](QDialog& window) { title = window.windowTitle(); });
    EXPECT_EQ(runOnArchive({ QStringLiteral("design"), QStringLiteral("--report"), demo::DataReportId }), 0)
        << output.toStdString();
    EXPECT_EQ(title, demo::DataReportName);
}

TEST_P(HostExitCode, OnlyACommandThatDidItsWorkExitsWithZero)
{
    ASSERT_EQ(run("web"), 0) << output.toStdString();
    ASSERT_EQ(exported().size(), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("GetWebReportPath: ") + exports.filePath(exported().first())));
    EXPECT_EQ(run("print"), 0) << output.toStdString();
    EXPECT_EQ(QDir(exports.filePath(QStringLiteral("pdf"))).entryList(QDir::Files).size(), 1);
    // A statistics report whose printer dialog closes unanswered printed nothing.
    EXPECT_EQ(run("print", demo::StatisticsReportId), 1) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("ErrorMessage: 报表打印已取消"))) << output.toStdString();

    // A report that is not stored: refused before anything is built, nothing written.
    EXPECT_EQ(run("web", QStringLiteral("20990101000000000000")), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("ErrorMessage: 报表索引信息不存在")));
    EXPECT_TRUE(output.contains(QStringLiteral("nothing written")));
    EXPECT_EQ(exported().size(), 1);

    // A definition the engine refuses, on the print road and on the export road.
    database.connection()->execute(
        QStringLiteral("update report_index set report_type=7 where report_id='%1'").arg(demo::DataReportId));
    const QString refusal = QStringLiteral("报表类型（report_type）“7”不正确");
    EXPECT_EQ(run("print"), 1);
    EXPECT_TRUE(output.contains(refusal)) << output.toStdString();
    EXPECT_EQ(run("web"), 1);
    EXPECT_TRUE(output.contains(refusal)) << output.toStdString();
    EXPECT_EQ(exported().size(), 1);

    // Export and print folders that cannot be made under a file.
    QFile blocker(exports.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("ORV_WEB_EXPORT_DIR", blocker.fileName().toLocal8Bit() + "/sub");
    platform::ui::setPdfPrinterFolder(blocker.fileName() + QStringLiteral("/sub"));
    database.connection()->execute(
        QStringLiteral("update report_index set report_type=1 where report_id='%1'").arg(demo::DataReportId));
    EXPECT_EQ(run("web"), 1) << output.toStdString();
    EXPECT_EQ(run("print"), 1) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("ErrorMessage: 打印报表时出错！")));
}

// A filter or sort list that would run a further statement is refused before anything runs, on every
// command (the print road tells the clerk only that printing failed, and logs why). A ";" inside a
// literal is no statement's end.
TEST_P(HostExitCode, AHostsFilterOrSortRunsAsOneStatement)
{
    database.connection()->execute(QStringLiteral("create table canary (n integer)"));
    database.connection()->execute(QStringLiteral("insert into canary values (1)"));
    const QString counts = QStringLiteral("select (select count(*) from report_index), (select count(*) from "
                                          "wsda), (select count(*) from wsda where title = '改'), "
                                          "(select count(*) from canary)");
    const QList<QStringList> before = database.rows(counts);
    const std::pair<const char*, const char*> payloads[] = {
        { "--where", "1=1); delete from report_index; --" },
        { "--where", "1=1); drop table canary; --" },
        { "--where", "1=1); update wsda set title='改'; --" },
        { "--order", "wsda.archive_no; delete from wsda" },
    };
    for (const char* command : { "web", "preview", "print" }) {
        for (const auto& [option, text] : payloads) {
            const QString value = QString::fromUtf8(text);
            EXPECT_EQ(run(command, demo::DataReportId, { QString::fromLatin1(option), value }), 1)
                << command << " " << text;
            if (QLatin1String(command) != QLatin1String("print")) {
                EXPECT_TRUE(
                    output.contains(QStringLiteral("ErrorMessage: 只能执行一条SQL语句，第二条语句被拒绝："))
                    && output.contains(value.section(QLatin1Char(';'), 1)))
                    << output.toStdString();
            }
            EXPECT_EQ(database.rows(counts), before) << command << " " << text;
        }
    }
    EXPECT_TRUE(exported().isEmpty());
    EXPECT_EQ(
        run("web", demo::DataReportId, { QStringLiteral("--where"), QStringLiteral("wsda.title <> 'a;b'") }),
        0)
        << output.toStdString();
    EXPECT_EQ(exported().size(), 1);
}

// The Word report is written, but no application on this desktop opens it: the clerk is told where it
// lies, and the command fails. A help page that nothing opens is told too, but is not the command's result.
TEST_P(HostExitCode, ADocumentThatNothingOpensFailsTheCommandAHelpPageDoesNot)
{
    const orvtest::DesktopOpenerScript opener("exit 3");
    ui.onDialog(QStringLiteral("Frmprocess"),
        [](QDialog& window) { static_cast<Frmprocess&>(window).Form_Activate(); });
    EXPECT_EQ(run("preview", demo::WordReportId), 1) << output.toStdString();
    const QString message = ui.boxTexts().join(QLatin1Char('\n'));
    const QString document
        = message.section(QStringLiteral("本机没有能打开 "), 1).section(QLatin1Char(' '), 0, 0);
    EXPECT_TRUE(document.endsWith(QLatin1String(".docx")) && QFileInfo(document).isAbsolute())
        << message.toStdString();
    EXPECT_TRUE(QFileInfo(document).size() > 0) << "the document stays where the message says";
    EXPECT_TRUE(output.contains(QStringLiteral("ErrorMessage: 本机没有能打开 ") + document))
        << output.toStdString();
    QFile::remove(document);

    ui.onDialog(QStringLiteral("frmPrint"), [](QDialog& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
    });
    EXPECT_EQ(run("preview"), 0) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("ErrorMessage"))) << output.toStdString();
    EXPECT_EQ(database.rows(QStringLiteral("select description from orv_error_log where "
                                           "procedure_name = 'OpenHelpPage'")),
        QList<QStringList> { { ui.boxTexts().last() } });
    EXPECT_TRUE(ui.boxTexts().last().contains(QStringLiteral("help/打印效果预览.htm 的应用程序")));
}

// A preview whose generation fails (its automatic printing, on a printer folder under a file) says why
// and exits with 1; so do the commands on one report that name none, before anything is opened.
TEST_P(HostExitCode, AFailedPreviewAndACommandWithoutItsReportExitWithOne)
{
    QFile blocker(exports.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::ui::setPdfPrinterFolder(blocker.fileName() + QStringLiteral("/sub"));
    ui.onDialog(QStringLiteral("frmPrint"), [](QDialog&) {});
    output::frmPrint::AutoPrint = true;
    const int previewed = run("preview");
    output::frmPrint::AutoPrint = false;
    EXPECT_EQ(previewed, 1) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("ErrorMessage: "))) << output.toStdString();

    for (const char* command : { "preview", "print", "blank", "web", "page-setup" }) {
        for (const QString& none : { QString(), QStringLiteral("  ") }) {
            EXPECT_EQ(run(command, none), 1) << command;
            EXPECT_TRUE(output.contains(QStringLiteral("--report names none"))) << output.toStdString();
            EXPECT_FALSE(output.contains(QStringLiteral("()"))) << output.toStdString();
        }
    }
    EXPECT_EQ(runOnArchive({ QStringLiteral("design") }), 1);
    EXPECT_EQ(output,
        QStringLiteral("refused: design on an archive of one's own wants --report, --table or --group\n"));
    EXPECT_EQ(exported(), QStringList { QStringLiteral("blocker") });

    // A blank form whose data cannot be opened: told, not left as a silently closed window.
    ui.onDialog(QStringLiteral("frmPreview"),
        [](QDialog& window) { static_cast<frmPreview&>(window).Form_Activate(); });
    database.connection()->execute(QStringLiteral("drop table wsda"));
    EXPECT_EQ(run("blank"), 1) << output.toStdString();
    EXPECT_TRUE(ui.boxTexts().join(QString()).contains(QStringLiteral("报表生成失败：")))
        << output.toStdString();
}

// Every design opens the designer or says why not: a group named alone, with a report or without, takes
// the one table that its stored reports are built on; page setup refuses an id the archive does not hold
// and writes nothing.
TEST_P(HostExitCode, EveryDesignOpensTheDesignerOrSaysWhyNot)
{
    const QString missing = QStringLiteral("99999999999999999999");
    database.connection()->execute(
        QStringLiteral("update report_index set report_group_id = '两表' where report_id = ?"),
        { demo::WordReportId });
    database.connection()->execute(
        QStringLiteral("update report_info set info_description = 'wsaj, wsda' where "
                       "report_id = ? and info_type = 'TABLES_NAME'"),
        { demo::WordReportId });
    const std::pair<QStringList, QString> cases[] = {
        { { "design", "--group", "wsda" }, "report  of group wsda on table wsda\nShowReportDesigner(1)\n" },
        { { "design", "--group", "wsda", "--report", demo::DataReportId },
            "report " + demo::DataReportId + " of group wsda on table wsda\nShowReportDesigner(1)\n" },
        { { "design", "--group", "两表" },
            "refused: design wants --table: the stored reports of group 两表 are built on wsaj, wsda\n" },
        { { "design", "--report", "" }, "refused: design wants --table or --group\n" },
        { { "design", "--group", "空门类" },
            "refused: design wants --table: the stored reports of group 空门类 are built on no table\n" },
        { { "design", "--table", "wsda", "--report", missing }, "ShowReportDesigner(1)\n" },
        { { "page-setup", "--table", "wsda", "--report", missing },
            "ErrorMessage: " + store::ReportMissingMessage + "\n" },
    };
    for (const auto& [words, said] : cases) {
        EXPECT_EQ(runOnArchive(words), said.contains("refused") || said.contains("Error") ? 1 : 0);
        EXPECT_TRUE(output.endsWith(said)) << output.toStdString();
    }
    EXPECT_EQ(ui.boxTexts(), QStringList({ store::ReportMissingMessage, store::ReportMissingMessage }));
    EXPECT_EQ(database.rows("select count(*) from report_info where report_id='" + missing + "'"),
        QList<QStringList> { { QStringLiteral("0") } });
}

} // namespace
