#include "dialogs/frmCellFormat.h"

#include "dialogs/BorderPreview.h"
#include "dialogs/CaptionLabel.h"
#include "dialogs/CellDialogSelection.h"
#include "dialogs/FontChooser.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/WindowShow.h"
#include "store/HelpPage.h"
#include "platform/ui/ModalDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace dialogs
{

namespace
{

const QStringList TabHints { QStringLiteral("选择单元格要显示的数字的分类，显示格式，及要显示的数字类型。"),
    QStringLiteral("在水平对齐/垂直对齐中选择单元格的文本对齐方式。\n在文本控制中选择文本的控制类型。"),
    QStringLiteral("显示的是当前的使用的字体属性，使用字体设置功能设置单元格的字体属性。"),
    QStringLiteral("选择当前单元格的边框。") };

QIcon lineSample(int entry)
{
    QPixmap sample(64, 12);
    sample.fill(Qt::white);
    QPainter painter(&sample);
    PaintPreviewLine(painter, LineOfEntry(entry, 0), { 4, 5 }, { 60, 5 }, { 0, 3 });
    return QIcon(sample);
}

void setCheck(QCheckBox* box, Qt::CheckState state)
{
    const QSignalBlocker quiet(box);
    box->setTristate(state == Qt::PartiallyChecked);
    box->setCheckState(state);
}

} // namespace

frmCellFormat::frmCellFormat(platform::grid::Sheet& grid, bool selectionCrossesRegion, QWidget* parent)
    : QDialog(parent)
    , tabFormat(new QTabWidget)
    , lstClass(new QListWidget)
    , lstNumber(new QListWidget)
    , txtFormat(new QLineEdit)
    , cboHAlign(new QComboBox)
    , cboVAlign(new QComboBox)
    , chkWrap(new QCheckBox(QStringLiteral("自动换行(&W)")))
    , chkShrink(new QCheckBox(QStringLiteral("缩小字体填充(&K)")))
    , chkMerge(new QCheckBox(QStringLiteral("合并单元格(&M)")))
    , txtFontName(new QLineEdit)
    , txtFontStyle(new QLineEdit)
    , txtFontSize(new QLineEdit)
    , cmdSetFont(new QPushButton(QStringLiteral("字体设置(&S)...")))
    , picPreview(new BorderPreview)
    , Command1(new QPushButton(QStringLiteral("颜色(&P)")))
    , lblMessage(new QLabel)
    , cmdOK(new QPushButton(QStringLiteral("确定(&O)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , cmdHelp(new QPushButton(QStringLiteral("帮助(&H)")))
    , grid_(grid)
    , crossesRegion_(selectionCrossesRegion)
{
    setObjectName(QStringLiteral("frmCellFormat"));
    setWindowTitle(QStringLiteral("单元格式设置"));
    tabFormat->addTab(numberTab(), QStringLiteral("数字(&N)"));
    tabFormat->addTab(alignmentTab(), QStringLiteral("对齐(&A)"));
    tabFormat->addTab(fontTab(), QStringLiteral("字体(&T)"));
    tabFormat->addTab(borderTab(), QStringLiteral("边框(&B)"));

    auto* note = new QGroupBox(QStringLiteral("说明"));
    lblMessage->setWordWrap(true);
    lblMessage->setMinimumHeight(36);
    (new QVBoxLayout(note))->addWidget(lblMessage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : { cmdOK, cmdCancel, cmdHelp })
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabFormat);
    layout->addWidget(note);
    layout->addLayout(buttons);
    cmdOK->setDefault(true);

    connect(lstClass, &QListWidget::currentRowChanged, this, &frmCellFormat::lstClass_Click);
    connect(lstNumber, &QListWidget::currentRowChanged, this, &frmCellFormat::lstNumber_Click);
    connect(txtFormat, &QLineEdit::textEdited, this, &frmCellFormat::txtFormat_Change);
    connect(cboHAlign, &QComboBox::editTextChanged, this, &frmCellFormat::alignment_Change);
    connect(cboVAlign, &QComboBox::editTextChanged, this, &frmCellFormat::alignment_Change);
    connect(chkWrap, &QCheckBox::clicked, this, &frmCellFormat::chkWrap_Click);
    connect(chkShrink, &QCheckBox::clicked, this, &frmCellFormat::chkShrink_Click);
    connect(chkMerge, &QCheckBox::clicked, this, &frmCellFormat::chkMerge_Click);
    connect(cmdSetFont, &QPushButton::clicked, this, &frmCellFormat::cmdSetFont_Click);
    connect(picPreview, &BorderPreview::sideClicked, this, &frmCellFormat::lblBorder_MouseDown);
    connect(Command1, &QPushButton::clicked, this, &frmCellFormat::Command1_Click);
    connect(tabFormat, &QTabWidget::currentChanged, this, &frmCellFormat::tabFormat_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmCellFormat::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCellFormat::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmCellFormat::cmdHelp_Click);
    platform::ui::bindHelpKey(*this, [this] { cmdHelp_Click(); });
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

QWidget* frmCellFormat::numberTab()
{
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    txtFormat->setMaxLength(20);
    grid->addWidget(captionFor(QStringLiteral("分类(&K)："), lstClass), 0, 0);
    grid->addWidget(captionFor(QStringLiteral("类型(&P)："), lstNumber), 0, 1);
    grid->addWidget(lstClass, 1, 0);
    grid->addWidget(lstNumber, 1, 1);
    grid->addWidget(captionFor(QStringLiteral("格式字符串(&F)："), txtFormat), 2, 0);
    grid->addWidget(txtFormat, 2, 1);
    return tab;
}

QWidget* frmCellFormat::alignmentTab()
{
    auto* tab = new QWidget;
    auto* align = new QGroupBox(QStringLiteral("文本对齐"));
    auto* alignGrid = new QGridLayout(align);
    for (QComboBox* box : { cboHAlign, cboVAlign })
        box->setEditable(true);
    cboHAlign->addItems(HAlignTexts());
    cboVAlign->addItems(VAlignTexts());
    alignGrid->addWidget(captionFor(QStringLiteral("水平对齐(&G)："), cboHAlign), 0, 0);
    alignGrid->addWidget(cboHAlign, 0, 1);
    alignGrid->addWidget(captionFor(QStringLiteral("垂直对齐(&V)："), cboVAlign), 1, 0);
    alignGrid->addWidget(cboVAlign, 1, 1);
    auto* control = new QGroupBox(QStringLiteral("文本控制"));
    auto* controlLayout = new QVBoxLayout(control);
    for (QCheckBox* box : { chkWrap, chkShrink, chkMerge })
        controlLayout->addWidget(box);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(align);
    layout->addWidget(control);
    layout->addStretch();
    return tab;
}

QWidget* frmCellFormat::fontTab()
{
    auto* tab = new QWidget;
    auto* frame = new QGroupBox(QStringLiteral("字体属性"));
    auto* grid = new QGridLayout(frame);
    const std::pair<const char16_t*, QLineEdit*> boxes[]
        = { { u"字  体：", txtFontName }, { u"字  型：", txtFontStyle }, { u"字  号：", txtFontSize } };
    int row = 0;
    for (const auto& [caption, box] : boxes) {
        box->setReadOnly(true);
        grid->addWidget(captionFor(QString::fromUtf16(caption), box), row, 0);
        grid->addWidget(box, row++, 1);
    }
    grid->addWidget(cmdSetFont, row, 1, Qt::AlignRight);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(frame);
    layout->addStretch();
    return tab;
}

QWidget* frmCellFormat::borderTab()
{
    auto* tab = new QWidget;
    auto* sides = new QGridLayout;
    for (int side = 0; side < SideCount; ++side) {
        cmdBorder[side] = new QPushButton(SideButtons()[side].caption);
        sides->addWidget(cmdBorder[side], side % 3, side / 3);
    }
    auto* presetRow = new QHBoxLayout;
    const QString presets[] = { QStringLiteral("无边框"), QStringLiteral("外框"), QStringLiteral("内框") };
    for (int preset = 0; preset < 3; ++preset) {
        cmdBorder[SideCount + preset] = new QPushButton(presets[preset]);
        presetRow->addWidget(cmdBorder[SideCount + preset]);
    }
    for (int index = 0; index < int(cmdBorder.size()); ++index)
        connect(cmdBorder[index], &QPushButton::clicked, this, [this, index] { cmdBorder_Click(index); });

    auto* styles = new QGroupBox(QStringLiteral("线型"));
    auto* styleLayout = new QVBoxLayout(styles);
    auto* group = new QButtonGroup(this);
    for (int entry = 0; entry < LineStyleCount; ++entry) {
        auto* sample = new QToolButton;
        sample->setCheckable(true);
        sample->setAutoRaise(true);
        sample->setIcon(lineSample(entry));
        sample->setIconSize({ 64, 12 });
        group->addButton(sample, entry);
        styleLayout->addWidget(sample);
        lblLineStyle[entry] = sample;
    }
    connect(group, &QButtonGroup::idClicked, this, &frmCellFormat::lblLineStyle_Click);
    styleLayout->addWidget(Command1);

    auto* left = new QVBoxLayout;
    left->addWidget(picPreview);
    left->addLayout(sides);
    left->addLayout(presetRow);
    left->addStretch();
    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(left, 1);
    layout->addWidget(styles);
    return tab;
}

void frmCellFormat::Form_Load()
{
    loading_ = true;
    Applied = false;
    lineColor_ = 0;
    SkipMarkerColumn(grid_);
    const bool oneBlock = IsOneMergedBlock(grid_);
    form_ = FormOfFormat(grid_.selectionFormat(), oneBlock);

    {
        const QSignalBlocker quiet(lstClass);
        lstClass->clear();
    }
    platform::ui::showingFailures({}, [&] {
        const QStringList classes = NumberClasses();
        if (classes.isEmpty())
            return;
        {
            const QSignalBlocker quiet(lstClass);
            lstClass->addItems(classes);
            lstClass->setCurrentRow(-1);
        }
        showNumberFormat(form_.numberFormat);
    });

    {
        const QSignalBlocker quietH(cboHAlign);
        const QSignalBlocker quietV(cboVAlign);
        cboHAlign->setCurrentText(form_.hAlign);
        cboVAlign->setCurrentText(form_.vAlign);
    }
    setCheck(chkWrap, form_.wrap);
    setCheck(chkShrink, form_.wrap == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
    setCheck(chkMerge, form_.merge);
    form_.alignmentChanged = true;

    showFont();

    const BorderEnabling enabling = BorderEnablingFor(grid_.selection(), oneBlock);
    for (int side : { InnerVerticalSide, InnerHorizontalSide }) {
        const bool enabled = side == InnerVerticalSide ? enabling.innerVertical : enabling.innerHorizontal;
        cmdBorder[side]->setEnabled(enabled);
        picPreview->lblBorder[side]->setEnabled(enabled);
    }
    cmdBorder[InnerBorders]->setEnabled(enabling.innerPreset);
    picPreview->setMarks(enabling.verticalMarks, enabling.horizontalMarks);
    showSides();

    chkMerge->setEnabled(!crossesRegion_);
    {
        const QSignalBlocker quiet(tabFormat);
        tabFormat->setCurrentIndex(0);
    }
    lblMessage->setText(TabHints[0]);
    lblLineStyle_Click(0);
    loading_ = false;
}

// A format that the table lists selects its class and type (which counts as a change, as choosing
// them does); any other is shown as it is and written only when the user changes the number format.
void frmCellFormat::showNumberFormat(const QString& format)
{
    const auto listed = FindNumberFormat(format);
    const auto classRows
        = listed ? lstClass->findItems(listed->numberClass, Qt::MatchExactly) : QList<QListWidgetItem*> {};
    if (classRows.isEmpty()) {
        const QSignalBlocker quiet(txtFormat);
        txtFormat->setText(format);
        form_.numberChanged = false;
        return;
    }
    lstClass->setCurrentItem(classRows.first());
    const auto typeRows = lstNumber->findItems(listed->type, Qt::MatchExactly);
    if (!typeRows.isEmpty())
        lstNumber->setCurrentItem(typeRows.first());
}

void frmCellFormat::fillTypes()
{
    const QSignalBlocker quiet(lstNumber);
    platform::ui::showingFailures({}, [&] {
        const QStringList types = NumberTypes(lstClass->currentItem()->text());
        if (types.isEmpty())
            return;
        lstNumber->clear();
        lstNumber->addItems(types);
    });
}

void frmCellFormat::showFormatString()
{
    if (!lstClass->currentItem() || !lstNumber->currentItem())
        return;
    platform::ui::showingFailures({}, [&] {
        if (const auto format
            = FormatStringOf(lstClass->currentItem()->text(), lstNumber->currentItem()->text()))
            txtFormat->setText(*format);
    });
}

void frmCellFormat::lstClass_Click()
{
    if (!lstClass->currentItem())
        return;
    fillTypes();
    if (lstNumber->count() > 0) {
        const QSignalBlocker quiet(lstNumber);
        lstNumber->setCurrentRow(0);
    }
    form_.numberChanged = true;
    showFormatString();
}

void frmCellFormat::lstNumber_Click()
{
    form_.numberChanged = true;
    showFormatString();
}

void frmCellFormat::txtFormat_Change()
{
    form_.numberChanged = true;
}

void frmCellFormat::alignment_Change()
{
    form_.alignmentChanged = true;
}

void frmCellFormat::chkWrap_Click()
{
    chkWrap->setTristate(false);
    setCheck(chkShrink, chkWrap->isChecked() ? Qt::Unchecked : Qt::Checked);
    form_.alignmentChanged = true;
}

void frmCellFormat::chkShrink_Click()
{
    setCheck(chkWrap, chkShrink->isChecked() ? Qt::Unchecked : Qt::Checked);
    form_.alignmentChanged = true;
}

void frmCellFormat::chkMerge_Click()
{
    chkMerge->setTristate(false);
    form_.alignmentChanged = true;
}

void frmCellFormat::showFont()
{
    txtFontName->setText(form_.fontName);
    txtFontSize->setText(form_.fontSize);
    txtFontStyle->setText(FontStyleText(form_.font.bold, form_.font.italic));
}

void frmCellFormat::cmdSetFont_Click()
{
    FontChoice preset = form_.font;
    preset.name = txtFontName->text();
    FontChooser dlgFont(preset, this);
    if (platform::ui::showModal(dlgFont) != QDialog::Accepted)
        return;
    form_.font = dlgFont.choice();
    form_.fontName = form_.font.name;
    form_.fontSize = QString::number(float(form_.font.size));
    form_.fontChanged = true;
    showFont();
}

void frmCellFormat::showSides()
{
    picPreview->setSides(form_.sides);
}

void frmCellFormat::cmdBorder_Click(int index)
{
    if (index < SideCount)
        DrawSide(form_.sides, index, lineStyle_, lineColor_);
    else
        ApplyPreset(form_.sides, BorderPreset(index), lineStyle_, lineColor_);
    form_.bordersChanged = true;
    showSides();
}

void frmCellFormat::lblBorder_MouseDown(int side, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        ClearSide(form_.sides, side);
    else if (button == Qt::LeftButton)
        DrawSide(form_.sides, side, lineStyle_, lineColor_);
    else
        return;
    form_.bordersChanged = true;
    showSides();
}

void frmCellFormat::lblLineStyle_Click(int entry)
{
    lineStyle_ = entry;
    lblLineStyle[entry]->setChecked(true);
}

void frmCellFormat::Command1_Click()
{
    QColorDialog chooser(QColor::fromRgb(lineColor_), this);
    if (platform::ui::showModal(chooser) != QDialog::Accepted)
        return;
    lineColor_ = chooser.selectedColor().rgb() & 0xFFFFFF;
    form_.bordersChanged = true;
}

void frmCellFormat::tabFormat_Click(int tab)
{
    lblMessage->setText(TabHints.value(tab));
}

void frmCellFormat::readControls()
{
    form_.numberFormat = txtFormat->text();
    form_.hAlign = cboHAlign->currentText();
    form_.vAlign = cboVAlign->currentText();
    form_.wrap = chkWrap->checkState();
    form_.merge = chkMerge->checkState();
    form_.fontName = txtFontName->text();
    form_.fontSize = txtFontSize->text();
}

void frmCellFormat::cmdOK_Click()
{
    readControls();
    if (const auto format = BuildCellFormat(form_)) {
        if (!platform::ui::showingFailures({}, [&] { grid_.applyFormatToSelection(*format); }))
            return;
        Applied = true;
    }
    accept();
}

void frmCellFormat::cmdCancel_Click()
{
    reject();
}

void frmCellFormat::cmdHelp_Click()
{
    store::OpenHelpPage(QStringLiteral("设置单元格格式.htm"));
}

bool ShowCellFormatDialog(platform::grid::Sheet& grid, bool selectionCrossesRegion, QWidget* parent)
{
    frmCellFormat dialog(grid, selectionCrossesRegion, parent);
    platform::ui::showModal(dialog);
    return dialog.Applied;
}

} // namespace dialogs
