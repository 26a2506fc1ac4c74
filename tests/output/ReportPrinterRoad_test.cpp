#include "output/FrmInit.h"
#include "output/ReportPrinterRoad.h"
#include "OutputWindowFixture.h"
#include "platform/outside/SettingsObject.h"
#include "platform/ui/ComponentFolder.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
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

// The one row of a datareport.xml, field by field.
QMap<QString, QString> rowOf(const QString& xml)
{
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (reader.qualifiedName() == QLatin1String("z:row")) {
            QMap<QString, QString> row;
            for (const auto& attribute : reader.attributes())
                row.insert(attribute.qualifiedName().toString(), attribute.value().toString());
            return row;
        }
    }
    return {};
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

// The stand-in program lies in a folder whose name holds a blank and records what it was given.
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

    output::RunReportPrinter(QStringLiteral("目录.rpt"));

    EXPECT_TRUE(ui.boxes().empty()) << ui.boxTexts().join(QLatin1Char('\n')).toStdString();
    const QStringList arguments
        = readFile(seen + QStringLiteral(".args")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_TRUE(arguments[0].endsWith(QLatin1String("/datareport.xml")));
    EXPECT_EQ(arguments[1], QDir(component.path()).filePath(QStringLiteral("目录.rpt")));
    EXPECT_FALSE(QFileInfo::exists(arguments[0])) << "the data file is removed once the program has ended";
    EXPECT_EQ(readFile(seen + QStringLiteral(".mode")).trimmed(), QStringLiteral("600"));

    const auto row = rowOf(readFile(seen + QStringLiteral(".xml")));
    EXPECT_EQ(row.keys(), (QStringList { "Dsn", "Sql", "reportname" }));
    EXPECT_EQ(row.value(QStringLiteral("reportname")), QStringLiteral("目录.rpt"));
    EXPECT_TRUE(row.value(QStringLiteral("Sql")).startsWith(QLatin1String("select wsda.* from wsda")))
        << row.value(QStringLiteral("Sql")).toStdString();
    EXPECT_TRUE(row.value(QStringLiteral("Sql")).contains(QLatin1String("wsda.archive_no")));
    EXPECT_FALSE(row.value(QStringLiteral("Dsn")).isEmpty());
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
}

TEST(ReportPrinterData, DsnIsCutFromItsKeyword)
{
    EXPECT_EQ(output::DsnOf(QStringLiteral("Provider=MSDASQL;DSN=archive;UID=sa\"")),
        QStringLiteral("DSN=archive;UID=sa"));
    EXPECT_EQ(output::DsnOf(QStringLiteral("sqlite:/data/a.db")), QStringLiteral("sqlite:/data/a.db"));
    const auto row = rowOf(QString::fromUtf8(output::ReportPrinterData(
        QStringLiteral("dsn=a'b\"c"), QStringLiteral("select 1 where x < 'y'"), QStringLiteral("r.rpt"))));
    EXPECT_EQ(row.value(QStringLiteral("Dsn")), QStringLiteral("dsn=a'b\"c"));
    EXPECT_EQ(row.value(QStringLiteral("Sql")), QStringLiteral("select 1 where x < 'y'"));
}

OUTPUT_WINDOW_SUITE(ReportPrinterRoadTest);

} // namespace
