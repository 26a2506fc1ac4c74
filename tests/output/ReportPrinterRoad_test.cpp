#include "output/FrmInit.h"
#include "output/ReportPrinterRoad.h"
#include "OutputWindowFixture.h"
#include "platform/db/Connection.h"
#include "platform/Error.h"
#include "platform/outside/HandOverFolder.h"
#include "platform/outside/SettingsObject.h"
#include "platform/ui/ComponentFolder.h"
#include "support/FileSizeLimit.h"
#include "support/SavedEnvironment.h"

#include <cerrno>
#include <functional>
#include <optional>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QXmlStreamReader>

using namespace outputtest;
using platform::outside::SettingsObject;

namespace
{

void writeFile(const QString& path, const QByteArray& text, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A datareport.xml as written: the fields its schema declares and the fields of its one row, in order.
struct DataFile {
    QStringList schema;
    QStringList row; // "name=value"
};

DataFile dataFileOf(const QString& xml)
{
    DataFile file;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.qualifiedName() == QLatin1String("s:AttributeType"))
            file.schema.append(reader.attributes().value(QStringLiteral("name")).toString());
        if (reader.qualifiedName() == QLatin1String("z:row")) {
            for (const auto& attribute : reader.attributes())
                file.row.append(
                    attribute.qualifiedName().toString() + QLatin1Char('=') + attribute.value().toString());
        }
    }
    return file;
}

class ReportPrinterRoadTest : public OutputWindowTest
{
protected:
    ReportPrinterRoadTest()
        : OutputWindowTest(10)
    {
        platform::outside::setSettingsFolder(settings.path());
        platform::ui::setComponentFolder(component.path());
        writeFile(QDir(component.path()).filePath(QStringLiteral("目录.rpt")), "template");
    }
    ~ReportPrinterRoadTest() override
    {
        platform::outside::setSettingsFolder({});
        platform::ui::setComponentFolder({});
    }

    void setSetting(const QString& key, const QString& value)
    {
        SettingsObject().write(output::ReportPrinterSection, key, value);
    }

    QTemporaryDir settings;
    QTemporaryDir component;
};

// The stand-in program lies in a folder whose name holds a blank and records what it was given. The
// report's order names a column that is gone: the numeric wrapping is dropped with it.
TEST_P(ReportPrinterRoadTest, ProgramGetsItsPrivateDataFileAndItGoesAfterwards)
{
    const QString seen = QDir(component.path()).filePath(QStringLiteral("seen"));
    const QString program = QDir(component.path()).filePath(QStringLiteral("报表 程序/reportprinter"));
    writeFile(program,
        QStringLiteral("#!/bin/sh\ncp \"$1\" '%1.xml'\nstat -c %a \"$1\" > '%1.mode'\nprintf '%s\\n' \"$@\" "
                       "> '%1.args'\n")
            .arg(seen)
            .toUtf8(),
        true);
    setSetting(output::ReportInitKey, QStringLiteral("5"));
    setSetting(output::ReportPrinterKey, program);
    database.connection()->execute(
        QStringLiteral("update report_info set info_description = ? where report_id = ? and info_type = ?"),
        { QStringLiteral("wsda.nosuch,Convert(float,wsda.piece_no) desc"), demo::WordReportId,
            QStringLiteral("SQL_ORDER") });
    report.setReportId(demo::WordReportId);
    report.setSelectWhere(QStringLiteral("wsda.piece_no > 1"));

    // A data folder left by a host that was killed, one of a host that still runs, and links planted by
    // the names a clean-up looks at, to a folder of the clerk's with files and a subfolder.
    QProcess ended;
    ended.start(QStringLiteral("cat"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedId = ended.processId();
    ended.closeWriteChannel();
    ASSERT_TRUE(ended.waitForFinished());
    const QTemporaryDir temp;
    const orvtest::SavedEnvironment savedTemp { "TMPDIR" };
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QDir own(platform::outside::handOverFolder());
    const auto dataFolder
        = [&](qint64 pid) { return own.filePath(QStringLiteral("datareport-%1-aBc123").arg(pid)); };
    const QString left = dataFolder(endedId);
    const QString running = dataFolder(QCoreApplication::applicationPid());
    writeFile(left + QStringLiteral("/datareport.xml"), "password");
    writeFile(running + QStringLiteral("/datareport.xml"), "password");
    const QString clerks = QDir(temp.path()).filePath(QStringLiteral("档案"));
    const QStringList clerksFiles
        = { clerks + QStringLiteral("/a.txt"), clerks + QStringLiteral("/sub/b.txt") };
    for (const QString& file : clerksFiles)
        writeFile(file, "archive");
    for (const QString& link :
        { QDir(temp.path()).filePath(QStringLiteral("orvreport-datareport-%1-x").arg(endedId)),
            dataFolder(endedId) + QStringLiteral("x") })
        ASSERT_TRUE(QFile::link(clerks, link));

    output::RunReportPrinter(QStringLiteral("目录.rpt"));

    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_TRUE(QFileInfo::exists(running + QStringLiteral("/datareport.xml")));
    for (const QString& file : clerksFiles)
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_EQ(ui.boxTexts(),
        QStringList { QStringLiteral("当前某个排序字段并不存在实体表中，不进行数字排序方式打印报表") });
    const QStringList arguments
        = readFile(seen + QStringLiteral(".args")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_TRUE(arguments[0].startsWith(own.filePath(QStringLiteral("datareport-"))));
    EXPECT_TRUE(arguments[0].endsWith(QLatin1String("/datareport.xml")));
    EXPECT_EQ(arguments[1], QDir(component.path()).filePath(QStringLiteral("目录.rpt")));
    EXPECT_FALSE(QFileInfo::exists(arguments[0])) << "the data file is removed once the program has ended";
    EXPECT_EQ(readFile(seen + QStringLiteral(".mode")).trimmed(), QStringLiteral("600"));

    const DataFile data = dataFileOf(readFile(seen + QStringLiteral(".xml")));
    EXPECT_EQ(data.schema, (QStringList { "Dsn", "Sql", "reportname" }));
    const QStringList row = {
        QStringLiteral("Dsn=") + database.url(),
        // The engine puts the host's condition in parentheses; PostgreSQL sorts NULL as SQL Server does.
        QStringLiteral("Sql=select wsda.* from wsda where (wsda.piece_no > 1)  order by wsda.piece_no desc ")
            + (GetParam() == orvtest::Backend::PostgreSQL ? QStringLiteral("NULLS LAST ") : QString()),
        QStringLiteral("reportname=目录.rpt"),
    };
    EXPECT_EQ(data.row.join(QLatin1Char('\n')).toStdString(), row.join(QLatin1Char('\n')).toStdString());
}

// What fails before the program starts is told with its cause and fails the host's command; the
// program never starts: a host's filter that would add a statement to the query the program runs as it
// stands, an own folder whose name a file holds, a disk too full for the data file.
TEST_P(ReportPrinterRoadTest, FailuresBeforeTheProgramStartsAreToldWithTheirCause)
{
    const QString seen = QDir(component.path()).filePath(QStringLiteral("seen"));
    const QString program = QDir(component.path()).filePath(QStringLiteral("reportprinter"));
    writeFile(program, QStringLiteral("#!/bin/sh\ncp \"$1\" '%1'\n").arg(seen).toUtf8(), true);
    setSetting(output::ReportInitKey, QStringLiteral("5"));
    setSetting(output::ReportPrinterKey, program);
    report.setReportId(demo::WordReportId);
    const orvtest::SavedEnvironment savedRuntime { "XDG_RUNTIME_DIR" };
    const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString own = QDir(runtime.path()).filePath(QStringLiteral("OrvReport"));
    std::optional<orvtest::FileSizeLimit> disk;
    const std::tuple<const char*, std::function<void()>, QString> cases[] = {
        { "a second statement",
            [&] { report.setSelectWhere(QStringLiteral("1=1); delete from report_index; --")); },
            QStringLiteral("只能执行一条SQL语句，第二条语句被拒绝：") },
        { "own folder a file", [&] { writeFile(own, "x"); }, QStringLiteral("不能使用文件夹 ") + own },
        { "full disk", [&] { disk.emplace(512); }, qt_error_string(EFBIG) },
    };
    for (const auto& [what, arrange, cause] : cases) {
        report.setSelectWhere({});
        QFile::remove(own);
        arrange();
        report.setErrorMessage({});
        output::RunReportPrinter(QStringLiteral("目录.rpt"));
        disk.reset();
        EXPECT_TRUE(report.ErrorMessage().contains(cause))
            << what << ": " << report.ErrorMessage().toStdString();
        EXPECT_EQ(ui.boxTexts().last(), report.ErrorMessage()) << what;
        EXPECT_FALSE(QFileInfo::exists(seen)) << what;
    }
    EXPECT_EQ(QDir(own).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList()) << "no data left";
}

// A program that ends badly is told, logged, and fails the host's command.
TEST_P(ReportPrinterRoadTest, AProgramThatFailsIsToldWithHowItEnded)
{
    const QString program = QDir(component.path()).filePath(QStringLiteral("reportprinter"));
    setSetting(output::ReportInitKey, QStringLiteral("5"));
    setSetting(output::ReportPrinterKey, program);
    const std::pair<QByteArray, QString> cases[] = {
        { "exit 1", QStringLiteral("报表打印程序出错：退出状态 1") },
        { "exit 3", QStringLiteral("报表打印程序出错：退出状态 3") },
        { "kill -KILL $$", QStringLiteral("报表打印程序出错：被信号 9 终止") },
    };
    for (const auto& [script, told] : cases) {
        writeFile(program, "#!/bin/sh\n" + script + "\n", true);
        report.setErrorMessage({});
        const qsizetype boxes = ui.boxes().size();
        output::RunReportPrinter(QStringLiteral("目录.rpt"));
        ASSERT_EQ(ui.boxes().size(), boxes + 1) << script.constData();
        EXPECT_EQ(ui.boxes().back().text, told);
        EXPECT_EQ(report.ErrorMessage(), told);
    }
    const auto logged
        = database.rows(QStringLiteral("select procedure_name, description from orv_error_log"));
    ASSERT_EQ(logged.size(), 3);
    EXPECT_EQ(logged[0], (QStringList { "RunReportPrinter", program + QStringLiteral(" 被信号 9 终止") }));
    EXPECT_EQ(logged[1], (QStringList { "RunReportPrinter", program + QStringLiteral(" 退出状态 1") }));
    EXPECT_EQ(logged[2], (QStringList { "RunReportPrinter", program + QStringLiteral(" 退出状态 3") }));
}

TEST_P(ReportPrinterRoadTest, MissingProgramIsToldAndLoggedWithItsCause)
{
    setSetting(output::ReportInitKey, QStringLiteral("5"));
    setSetting(output::ReportPrinterKey, QStringLiteral("/nowhere/reportprinter"));
    output::RunReportPrinter(QStringLiteral("目录.rpt"));
    ASSERT_EQ(ui.boxTexts(), QStringList { QStringLiteral("压缩、解压缩文件出错！") });
    const auto logged
        = database.rows(QStringLiteral("select procedure_name, description from orv_error_log"));
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged[0][1].contains(QLatin1String("/nowhere/reportprinter"))) << logged[0][1].toStdString();
}

TEST_P(ReportPrinterRoadTest, InstallerStepsRunInOrderAndCountOnlyWhatStarted)
{
    setSetting(output::ReportInitKey, QStringLiteral("4"));
    output::RunReportPrinter(QStringLiteral("目录.rpt"));
    EXPECT_EQ(ui.shownDialogs(), QStringList { QStringLiteral("FrmInit") })
        << "fewer than five steps: installer";

    SettingsObject install;
    install.setKeyPath(QStringLiteral("SOFTWARE\\BRIMFOLD2008\\QK7400_3"));
    install.write(QString(), QStringLiteral("APP_PATH"), component.path());
    setSetting(output::ReportInitKey, QStringLiteral("0"));
    const auto steps
        = [] { return SettingsObject().read(output::ReportPrinterSection, output::ReportInitKey); };
    FrmInit window;
    EXPECT_EQ(window.CmdInst[4]->text(), QStringLiteral("5、安装水晶报表程序"));

    window.CmdInst_Click(1);
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("请先运行1、安装NET运行环境"));
    const QString installer = QDir(component.path()).filePath(QStringLiteral("brimkit/dotnetfx.exe"));
    window.CmdInst_Click(0);
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("找不到安装程序 %1！").arg(installer));
    EXPECT_EQ(steps(), QStringLiteral("0"));

    writeFile(installer, "#!/bin/sh\nexit 0\n", true);
    window.CmdInst_Click(0);
    EXPECT_EQ(steps(), QStringLiteral("1"));
    writeFile(QDir(component.path()).filePath(QStringLiteral("brimkit/mdac_typ.exe")), "MZ", false);
    window.CmdInst_Click(1);
    EXPECT_TRUE(ui.boxes().back().text.contains(QStringLiteral("不能在本系统上运行")));
    EXPECT_EQ(steps(), QStringLiteral("1"));

    // The last step tells where to install before its installer is looked for and started.
    const QString notice = QStringLiteral("请注意该安装一定要安装到档案管理程序的archive目录下");
    const QString package = QDir(component.path()).filePath(QStringLiteral("brimkit/VelmarReport.msi"));
    setSetting(output::ReportInitKey, QStringLiteral("4"));
    window.CmdInst_Click(4);
    EXPECT_EQ(ui.boxTexts().mid(ui.boxTexts().size() - 2),
        (QStringList { notice, QStringLiteral("找不到安装程序 %1！").arg(package) }));
    EXPECT_EQ(steps(), QStringLiteral("4"));

    // The system's package installer, played by a script on the PATH that keeps its arguments.
    const QString started = QDir(component.path()).filePath(QStringLiteral("started"));
    writeFile(package, "package");
    writeFile(QDir(component.path()).filePath(QStringLiteral("bin/msiexec")),
        QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n")
            .arg(started)
            .toUtf8(),
        true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(QDir(component.path()).filePath(QStringLiteral("bin"))) + ':' + path);
    window.CmdInst_Click(4);
    qputenv("PATH", path);
    EXPECT_EQ(ui.boxes().back().text, notice);
    EXPECT_EQ(steps(), QStringLiteral("5"));
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(started) && clock.elapsed() < 30000)
        QThread::msleep(20);
    EXPECT_EQ(readFile(started), QStringLiteral("/i\n") + package + QLatin1Char('\n'));

    // Step 1 again after all five starts the count again.
    window.CmdInst_Click(0);
    EXPECT_EQ(steps(), QStringLiteral("1"));
}

TEST(ReportPrinterData, DsnIsCutFromItsKeyword)
{
    EXPECT_EQ(output::DsnOf(QStringLiteral("Provider=MSDASQL;DSN=archive;UID=sa\"")),
        QStringLiteral("DSN=archive;UID=sa"));
    EXPECT_EQ(output::DsnOf(QStringLiteral("sqlite:/data/a.db")), QStringLiteral("sqlite:/data/a.db"));
    const DataFile data = dataFileOf(QString::fromUtf8(output::ReportPrinterData(
        QStringLiteral("dsn=a'b\"c"), QStringLiteral("select 1 where x < 'y'"), QStringLiteral("r.rpt"))));
    EXPECT_EQ(data.row,
        (QStringList { QStringLiteral("Dsn=dsn=a'b\"c"), QStringLiteral("Sql=select 1 where x < 'y'"),
            QStringLiteral("reportname=r.rpt") }));
}

OUTPUT_WINDOW_SUITE(ReportPrinterRoadTest);

} // namespace
