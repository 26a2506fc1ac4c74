#include "output/frmPrtSelection.h"

#include "engine/EngineState.h"
#include "output/PrintRange.h"
#include "platform/Error.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Printers.h"
#include "platform/ui/WindowShow.h"
#include "store/ReportDefinition.h"
#include "store/TextConvert.h"

#include <cmath>
#include <limits>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace output
{

namespace
{
const QString RefusedRange = QStringLiteral("-1");
}

frmPrtSelection::frmPrtSelection(const engine::DataReportRun& report, QWidget* parent)
    : QDialog(parent)
    , Frame2(new QGroupBox(QStringLiteral("打印机选择(&P):"), this))
    , CmbPrint(new QComboBox(Frame2))
    , Frame1(new QGroupBox(QStringLiteral("打印范围"), this))
    , Option1(new QRadioButton(QStringLiteral("全部"), Frame1))
    , Option2(new QRadioButton(QStringLiteral("当前页"), Frame1))
    , Option3(new QRadioButton(
          QStringLiteral("页码范围（请键入页码，或用逗号隔开的页码范围,连续页用 - 号连接）"), Frame1))
    , Pages(new QLineEdit(Frame1))
    , Label2(new QLabel(QStringLiteral("打印份数"), this))
    , Copys(new QLineEdit(this))
    , Command1(new QPushButton(QStringLiteral("确定"), this))
    , Command2(new QPushButton(QStringLiteral("取消"), this))
    , report_(report)
{
    setObjectName(QStringLiteral("frmPrtSelection"));
    setWindowTitle(QStringLiteral("打印设置"));

    (new QVBoxLayout(Frame2))->addWidget(CmbPrint);
    auto* range = new QVBoxLayout(Frame1);
    for (QWidget* control : std::initializer_list<QWidget*> { Option1, Option2, Option3, Pages })
        range->addWidget(control);
    auto* copies = new QHBoxLayout;
    copies->addWidget(Label2);
    copies->addWidget(Copys);
    copies->addStretch();
    copies->addWidget(Command1);
    copies->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1);
    layout->addLayout(copies);
    Command1->setDefault(true);

    connect(Option1, &QRadioButton::clicked, this, &frmPrtSelection::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &frmPrtSelection::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &frmPrtSelection::Option3_Click);
    connect(Copys, &QLineEdit::textChanged, this, &frmPrtSelection::Copys_Change);
    connect(Command1, &QPushButton::clicked, this, &frmPrtSelection::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPrtSelection::Command2_Click);
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

void frmPrtSelection::Form_Load()
{
    Frame1->setTitle(QStringLiteral("打印范围，共") + QString::number(TotalPageCount) + QStringLiteral("页"));
    Pages->clear();
    Option1->setChecked(true);
    Option1_Click();
    Copies = 1;
    Copys->setText(QString::number(Copies));
    FillPrinterList();
}

void frmPrtSelection::FillPrinterList()
{
    CmbPrint->clear();
    try {
        const QString current = platform::ui::defaultPrinterName().toUpper();
        for (const QString& printer : platform::ui::installedPrinters()) {
            if (printer.toUpper() == current)
                CmbPrint->insertItem(0, printer);
            else
                CmbPrint->addItem(printer);
        }
        CmbPrint->setCurrentIndex(CmbPrint->count() > 0 ? 0 : -1);
    } catch (const platform::Error& error) {
        // Without a printer list the print goes to the current printer.
        platform::ui::showFailure({}, error);
    }
}

void frmPrtSelection::Option1_Click()
{
    Pages->setEnabled(false);
}

void frmPrtSelection::Option2_Click()
{
    Pages->setEnabled(false);
    Pages->setText(QString::number(CurrentPage));
}

void frmPrtSelection::Option3_Click()
{
    Pages->setEnabled(true);
}

void frmPrtSelection::Copys_Change()
{
    const auto number = store::toDouble(Copys->text());
    if (!number)
        return;
    const double copies = std::nearbyint(*number);
    if (copies > 0 && copies <= std::numeric_limits<qint16>::max())
        Copies = int(copies);
}

QString frmPrtSelection::BuildPrintRange()
{
    const RangeChoice choice = Option1->isChecked() ? RangeChoice::AllPages
        : Option2->isChecked()                      ? RangeChoice::CurrentPage
                                                    : RangeChoice::PageList;
    const PrintRangeRequest request { choice, Pages->text(), CurrentPage, TotalPageCount };
    const int lastCol = WorkingLastCol > 0 ? WorkingLastCol : report_.definition().page.ColCount;
    const auto range
        = output::BuildPrintRange(request, currentPageRows(report_, StatPageStarts, WorkingLastRow), lastCol);
    if (!range) {
        platform::ui::msgBox(QStringLiteral("未指定有效的页码范围，操作无效"), platform::ui::Buttons::Ok,
            platform::ui::Icon::Information, QStringLiteral("指定打印范围"));
        return RefusedRange;
    }
    Confirmed = true;
    return *range;
}

void frmPrtSelection::Command1_Click()
{
    platform::ui::selectDefaultPrinter(CmbPrint->currentText().trimmed());
    Confirmed = false;
    PrintRange = BuildPrintRange();
    if (Confirmed)
        accept();
}

void frmPrtSelection::Command2_Click()
{
    Confirmed = false;
    reject();
}

} // namespace output
