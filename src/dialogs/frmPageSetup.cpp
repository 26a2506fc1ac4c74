#include "dialogs/frmPageSetup.h"

#include "dialogs/PaperTable.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/WindowShow.h"
#include "store/PageSettings.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/TextConvert.h"
#include "store/WindowSeams.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dialogs
{

namespace
{

const QString MarginsHint = QStringLiteral("设置打印内容页边距。");
const QString PaperHint = QStringLiteral("设置纸张类型及打印方向。");
const QString ParametersHint = QStringLiteral("设置报表的打印类型。");

QGroupBox* optionFrame(const QString& title, std::initializer_list<QRadioButton*> options, QWidget* parent)
{
    auto* frame = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(frame);
    for (QRadioButton* option : options) {
        option->setParent(frame);
        layout->addWidget(option);
    }
    return frame;
}

} // namespace

void installPageSetupDialog()
{
    store::windowSeams().frmPageSetup = [] {
        frmPageSetup dialog;
        platform::ui::showModal(dialog);
    };
}

frmPageSetup::frmPageSetup(QWidget* parent)
    : QDialog(parent)
    , tabPageSetup(new QTabWidget(this))
    , txtLeftMarge(new QLineEdit)
    , txtRightMarge(new QLineEdit)
    , txtTopMarge(new QLineEdit)
    , txtBottomMarge(new QLineEdit)
    , cboPagesize(new QComboBox)
    , txtPageWidth(new QLineEdit)
    , txtPageHeight(new QLineEdit)
    , optOriention { new QRadioButton(QStringLiteral("纵向(&I)")),
        new QRadioButton(QStringLiteral("横向(&W)")) }
    , optFixRows { new QRadioButton(QStringLiteral("固定行数(&R)：")),
        new QRadioButton(QStringLiteral("固定行高(&H)")), new QRadioButton(QStringLiteral("自适应行高(&A)")) }
    , txtRows(new QLineEdit)
    , optSelfFit { new QRadioButton(QStringLiteral("是(&Y)")), new QRadioButton(QStringLiteral("否(&N)")) }
    , optRecount { new QRadioButton(QStringLiteral("是(&S)")), new QRadioButton(QStringLiteral("否(&F)")) }
    , lblMessage(new QLabel)
    , cmdOk(new QPushButton(QStringLiteral("确定(&O)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , cmdDefault(new QPushButton(QStringLiteral("默认(&D)")))
{
    setObjectName(QStringLiteral("frmPageSetup"));
    setWindowTitle(QStringLiteral("页面设置"));

    tabPageSetup->addTab(marginsTab(), QStringLiteral("页边距(&M)"));
    tabPageSetup->addTab(paperTab(), QStringLiteral("纸张(&B)"));
    tabPageSetup->addTab(parametersTab(), QStringLiteral("报表参数(&P)"));

    auto* note = new QGroupBox(QStringLiteral("说明"));
    lblMessage->setWordWrap(true);
    (new QVBoxLayout(note))->addWidget(lblMessage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : { cmdOk, cmdCancel, cmdDefault })
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabPageSetup);
    layout->addWidget(note);
    layout->addLayout(buttons);
    cmdOk->setDefault(true);

    const QString marginHints[] = { QStringLiteral("设置报表最左边的打印内容到打印纸张左边界的距离。"),
        QStringLiteral("设置报表最右边的打印内容到打印纸张右边界的距离。"),
        QStringLiteral("设置报表顶端的打印内容到打印纸张上边界的距离。"),
        QStringLiteral("设置报表最下边的打印内容到打印纸张下边界的距离。") };
    QLineEdit* const margins[] = { txtLeftMarge, txtRightMarge, txtTopMarge, txtBottomMarge };
    for (int i = 0; i < 4; ++i)
        addHint(margins[i], marginHints[i]);
    addHint(cboPagesize,
        QStringLiteral("设置打印用纸，可以是标准的纸张：A4,B3等；使用自定义可以定义纸张的大小。"));
    for (QRadioButton* option : optOriention)
        addHint(option, QStringLiteral("设置报表的打印方向，分纵向和横向两个打印方向。"));
    for (QRadioButton* option : optFixRows)
        addHint(option, ParametersHint);
    addHint(txtRows, ParametersHint);
    for (QRadioButton* option : optSelfFit)
        addHint(option,
            QStringLiteral("设置报表的打印生成是否是自适应的，自适应是打印的。报表内容可以根据打印纸的大小进"
                           "行一定范围的调整。"));
    for (QRadioButton* option : optRecount)
        addHint(option, QStringLiteral("设置报表打印时，是否进行分组重计页数。"));

    connect(cboPagesize, &QComboBox::currentIndexChanged, this, &frmPageSetup::cboPagesize_Click);
    for (QRadioButton* option : optFixRows)
        connect(option, &QRadioButton::toggled, this, &frmPageSetup::optFixRows_Click);
    connect(tabPageSetup, &QTabWidget::currentChanged, this, &frmPageSetup::tabPageSetup_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmPageSetup::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPageSetup::cmdCancel_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmPageSetup::cmdDefault_Click);
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

QWidget* frmPageSetup::marginsTab()
{
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    const std::pair<const char16_t*, QLineEdit*> boxes[]
        = { { u"左边距(&L)：", txtLeftMarge }, { u"右边距(&R)：", txtRightMarge },
              { u"上边距(&U)：", txtTopMarge }, { u"下边距(&X)：", txtBottomMarge } };
    int row = 0;
    for (const auto& [caption, box] : boxes) {
        auto* label = new QLabel(QString::fromUtf16(caption));
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("（单位：厘米）")), row, 1);
    return tab;
}

QWidget* frmPageSetup::paperTab()
{
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    grid->addWidget(new QLabel(QStringLiteral("纸型：")), 0, 0);
    grid->addWidget(cboPagesize, 0, 1, 1, 2);
    const std::pair<const char16_t*, QLineEdit*> sizes[]
        = { { u"宽度(&W)：", txtPageWidth }, { u"高度(&H)：", txtPageHeight } };
    int row = 1;
    for (const auto& [caption, box] : sizes) {
        auto* label = new QLabel(QString::fromUtf16(caption));
        label->setBuddy(box);
        box->setMaxLength(8);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("厘米")), row++, 2);
    }
    fraOriention = optionFrame(QStringLiteral("方向"), { optOriention[0], optOriention[1] }, tab);
    grid->addWidget(fraOriention, row, 0, 1, 3);
    grid->setRowStretch(row + 1, 1);
    return tab;
}

QWidget* frmPageSetup::parametersTab()
{
    auto* tab = new QWidget;
    fraStyle = new QGroupBox(QStringLiteral("样式"), tab);
    auto* style = new QGridLayout(fraStyle);
    txtRows->setMaxLength(2);
    style->addWidget(optFixRows[0], 0, 0);
    style->addWidget(txtRows, 0, 1);
    style->addWidget(new QLabel(QStringLiteral("行")), 0, 2);
    style->addWidget(optFixRows[1], 1, 0);
    style->addWidget(optFixRows[2], 2, 0);
    fraSelfFit = optionFrame(QStringLiteral("自适应生成"), { optSelfFit[0], optSelfFit[1] }, tab);
    fraPageRecount = optionFrame(QStringLiteral("分组重计页数"), { optRecount[0], optRecount[1] }, tab);
    auto* layout = new QVBoxLayout(tab);
    for (QWidget* frame : std::initializer_list<QWidget*> { fraStyle, fraSelfFit, fraPageRecount })
        layout->addWidget(frame);
    return tab;
}

void frmPageSetup::addHint(QWidget* control, const QString& hint)
{
    hints_[control] = hint;
    control->installEventFilter(this);
}

bool frmPageSetup::eventFilter(QObject* watched, QEvent* event)
{
    const bool pointed = event->type() == QEvent::Enter;
    const bool focused = event->type() == QEvent::FocusIn && watched == cboPagesize;
    if (pointed || focused) {
        if (const auto hint = hints_.find(watched); hint != hints_.end())
            lblMessage->setText(hint->second);
    }
    return QDialog::eventFilter(watched, event);
}

void frmPageSetup::Form_Load()
{
    PageSetupChanged = false;
    const store::ReportState& state = store::reportState();
    {
        const QSignalBlocker quiet(cboPagesize);
        cboPagesize->clear();
    }
    platform::ui::showingFailures({}, [&] {
        const QStringList papers = PaperNames();
        {
            const QSignalBlocker quiet(cboPagesize);
            cboPagesize->addItems(papers);
        }
        const qsizetype current = papers.indexOf(PaperNameOfCode(state.PageSize));
        selectPaper(current >= 0 ? int(current) : 0);
    });
    showForm(FormFromState(state));
    const bool dataReport = state.ReportType != store::StatisticsReport;
    fraStyle->setEnabled(dataReport);
    fraPageRecount->setEnabled(dataReport);
    lblMessage->setText(MarginsHint);
    PageSetupChanged = true;
}

void frmPageSetup::showForm(const PageSetupForm& form)
{
    txtLeftMarge->setText(form.leftMarge);
    txtRightMarge->setText(form.rightMarge);
    txtTopMarge->setText(form.topMarge);
    txtBottomMarge->setText(form.bottomMarge);
    // The state's settings carry no paper size (the paper table gives it); the defaults do.
    if (!form.paperWidth.isEmpty() || !form.paperHeight.isEmpty()) {
        txtPageWidth->setText(form.paperWidth);
        txtPageHeight->setText(form.paperHeight);
    }
    optOriention[form.landscape ? 1 : 0]->setChecked(true);
    if (form.rowsMode == RowsMode::FixedCount)
        txtRows->setText(form.rows);
    optFixRows[int(form.rowsMode)]->setChecked(true);
    optFixRows_Click();
    optSelfFit[form.selfFit ? 0 : 1]->setChecked(true);
    optRecount[form.pageRecount ? 0 : 1]->setChecked(true);
}

PageSetupForm frmPageSetup::form() const
{
    PageSetupForm form;
    form.leftMarge = txtLeftMarge->text();
    form.rightMarge = txtRightMarge->text();
    form.topMarge = txtTopMarge->text();
    form.bottomMarge = txtBottomMarge->text();
    form.paperName = cboPagesize->currentText();
    form.paperWidth = txtPageWidth->text();
    form.paperHeight = txtPageHeight->text();
    form.landscape = !optOriention[0]->isChecked();
    form.rowsMode = optFixRows[1]->isChecked() ? RowsMode::FixedHeight
        : optFixRows[2]->isChecked()           ? RowsMode::AutoHeight
                                               : RowsMode::FixedCount;
    form.rows = txtRows->text();
    form.selfFit = optSelfFit[0]->isChecked();
    form.pageRecount = optRecount[0]->isChecked();
    return form;
}

void frmPageSetup::selectPaper(int index)
{
    {
        const QSignalBlocker quiet(cboPagesize);
        cboPagesize->setCurrentIndex(index);
    }
    cboPagesize_Click();
}

bool frmPageSetup::customPaperChosen() const
{
    return cboPagesize->currentText().trimmed() == CustomPaperName;
}

void frmPageSetup::cboPagesize_Click()
{
    const bool custom = customPaperChosen();
    txtPageWidth->setEnabled(custom);
    txtPageHeight->setEnabled(custom);
    platform::ui::showingFailures({}, [&] {
        if (const auto size = PaperSizeToShow(cboPagesize->currentText().trimmed())) {
            txtPageWidth->setText(size->width);
            txtPageHeight->setText(size->height);
        }
    });
}

void frmPageSetup::optFixRows_Click()
{
    txtRows->setEnabled(!optFixRows[int(RowsMode::FixedHeight)]->isChecked());
}

void frmPageSetup::tabPageSetup_Click(int tab)
{
    const QString hints[] = { MarginsHint, PaperHint, ParametersHint };
    if (tab >= 0 && tab < 3)
        lblMessage->setText(hints[tab]);
}

QLineEdit* frmPageSetup::box(SetupField field) const
{
    switch (field) {
    case SetupField::LeftMarge:
        return txtLeftMarge;
    case SetupField::RightMarge:
        return txtRightMarge;
    case SetupField::TopMarge:
        return txtTopMarge;
    case SetupField::BottomMarge:
        return txtBottomMarge;
    case SetupField::Rows:
        return txtRows;
    case SetupField::PaperWidth:
        return txtPageWidth;
    case SetupField::PaperHeight:
        return txtPageHeight;
    }
    return txtLeftMarge;
}

void frmPageSetup::cmdOk_Click()
{
    const PageSetupForm typed = form();
    if (const auto refusal = ValidatePageSetup(typed, { fraStyle->isEnabled(), customPaperChosen() })) {
        platform::ui::showRefusal(
            *refusal, [this](SetupField field) { return box(field); }, tabPageSetup);
        return;
    }
    const bool written = platform::ui::showingFailures({}, [&] {
        store::ReportState& state = store::reportState();
        // The one paper without a row is the "A4" that the defaults add to a table lacking it.
        const int paperCode = PaperCodeOfName(typed.paperName).value_or(store::keywords::defaults::PageSize);
        if (paperCode == store::keywords::CustomPaperSize && !state.ReportId.isEmpty())
            store::SaveCustomPaperSize(
                *store::toDouble(typed.paperWidth.trimmed()), *store::toDouble(typed.paperHeight.trimmed()));
        WritePageSetup(typed, paperCode, state);
    });
    if (written)
        accept();
}

void frmPageSetup::cmdCancel_Click()
{
    reject();
}

// Escape and the title bar's close button are Cancel: nothing was taken over, so nothing changed.
void frmPageSetup::reject()
{
    PageSetupChanged = false;
    QDialog::reject();
}

void frmPageSetup::cmdDefault_Click()
{
    if (!platform::ui::askYesNo(QStringLiteral("是否确定要将页边距、纸张大小和报表参数设为默认值？"),
            platform::ui::Icon::Question))
        return;
    const PageSetupForm defaults = DefaultForm();
    int paper = -1;
    for (int i = 0; i < cboPagesize->count() && paper < 0; ++i) {
        if (cboPagesize->itemText(i).trimmed() == defaults.paperName)
            paper = i;
    }
    if (paper < 0) {
        const QSignalBlocker quiet(cboPagesize);
        cboPagesize->addItem(defaults.paperName);
        paper = cboPagesize->count() - 1;
    }
    selectPaper(paper);
    showForm(defaults);
}

} // namespace dialogs
