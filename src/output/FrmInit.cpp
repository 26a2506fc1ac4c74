#include "output/FrmInit.h"

#include "output/ReportPrinterRoad.h"
#include "platform/outside/ProgramStarter.h"
#include "platform/outside/SettingsObject.h"
#include "platform/ui/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace output
{

const std::array<PrerequisiteStep, 5>& PrerequisiteSteps()
{
    static const std::array<PrerequisiteStep, 5> steps { {
        { QStringLiteral("1、安装NET运行环境"), QStringLiteral("dotnetfx.exe"), false },
        { QStringLiteral("2、安装ADO2.7驱动程序"), QStringLiteral("mdac_typ.exe"), false },
        { QStringLiteral("3、安装ODBC驱动程序"), QStringLiteral("odbc_net.msi"), true },
        { QStringLiteral("4、安装ODBD补丁程序"), QStringLiteral("Q319243_MDAC27_x86.exe"), false },
        { QStringLiteral("5、安装水晶报表程序"), QStringLiteral("VelmarReport.msi"), true },
    } };
    return steps;
}

StepCommand StepCommandOf(const PrerequisiteStep& step, const QString& installRoot)
{
    const QString file = QDir(installRoot).filePath(QStringLiteral("brimkit/") + step.file);
    if (step.package)
        return { QStringLiteral("msiexec"), { QStringLiteral("/i"), file } };
    return { file, {} };
}

} // namespace output

namespace
{

// The install root of the archive application, kept under its own key path.
const QString InstallKeyPath = QStringLiteral("SOFTWARE\\BRIMFOLD2008\\QK7400_3");

void tell(const QString& text)
{
    platform::ui::msgBox(text, platform::ui::Buttons::Ok, platform::ui::Icon::Information);
}

} // namespace

FrmInit::FrmInit(QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel(QStringLiteral("若您需要使用水晶报表，需完成以下安装"), this))
{
    setWindowTitle(QStringLiteral("水晶报表程序安装"));
    setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 18);
    layout->setSpacing(8);
    layout->addWidget(Label1);
    for (int index = 0; index < int(CmdInst.size()); ++index) {
        CmdInst[index] = new QPushButton(output::PrerequisiteSteps()[index].caption, this);
        CmdInst[index]->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 12px;"));
        layout->addWidget(CmdInst[index]);
        connect(CmdInst[index], &QPushButton::clicked, this, [this, index] { CmdInst_Click(index); });
    }
}

void FrmInit::CmdInst_Click(int index)
{
    // "ReportInit" is the road's own setting, read where the road reads it; the install root lies under
    // the application's key path.
    platform::outside::SettingsObject settings;
    platform::outside::SettingsObject install;
    install.setKeyPath(InstallKeyPath);
    const QString installRoot = install.read(QString(), QStringLiteral("APP_PATH"));
    const int done
        = settings.read(output::ReportPrinterSection, output::ReportInitKey, QStringLiteral("0")).toInt();
    const auto& steps = output::PrerequisiteSteps();
    if (done < index) {
        tell(QStringLiteral("请先运行") + steps[std::clamp(done, 0, index)].caption);
        return;
    }
    const output::PrerequisiteStep& step = steps[index];
    if (index == 4)
        tell(QStringLiteral("请注意该安装一定要安装到档案管理程序的archive目录下"));
    const output::StepCommand command = output::StepCommandOf(step, installRoot);
    const QString file = QDir(installRoot).filePath(QStringLiteral("brimkit/") + step.file);
    if (!QFileInfo::exists(file)) {
        tell(QStringLiteral("找不到安装程序 %1！").arg(QDir::toNativeSeparators(file)));
        return;
    }
    // A step counts as done once its installer has started, whether or not it then succeeds; one that
    // cannot start on this system leaves the count as it was.
    QString failure;
    if (!platform::outside::StartProcess(command.program, command.arguments, &failure)) {
        tell(QStringLiteral("安装程序 %1 不能在本系统上运行：%2")
                 .arg(QDir::toNativeSeparators(file), failure));
        return;
    }
    settings.write(output::ReportPrinterSection, output::ReportInitKey, QString::number(index + 1));
}
