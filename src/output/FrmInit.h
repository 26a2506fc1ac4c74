#pragma once

#include <array>
#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;

namespace output
{

// One prerequisite step of the report printer: its button's caption, the installer file below the
// install root's "brimkit" folder, and whether it is a package run by the system's package installer.
struct PrerequisiteStep {
    QString caption;
    QString file;
    bool package;
};
const std::array<PrerequisiteStep, 5>& PrerequisiteSteps();

// The program and arguments that start a step's installer (never through a shell).
struct StepCommand {
    QString program;
    QStringList arguments;
};
StepCommand StepCommandOf(const PrerequisiteStep& step, const QString& installRoot);

} // namespace output

// "水晶报表程序安装": the report printer's prerequisites, installed step by step in a fixed order. The
// steps started are counted in the setting "PrintSetup"/"ReportInit".
class FrmInit : public QDialog
{
    Q_OBJECT
public:
    explicit FrmInit(QWidget* parent = nullptr);

    QLabel* Label1;
    std::array<QPushButton*, 5> CmdInst;

public slots:
    void CmdInst_Click(int index);
};
