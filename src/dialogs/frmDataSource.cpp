#include "dialogs/frmDataSource.h"

#include "dialogs/CaptionLabel.h"
#include "dialogs/CellDialogSelection.h"
#include "dialogs/frmSysArg.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SpecialFormulaObject.h"
#include "platform/outside/SqlFormulaObject.h"
#include "platform/outside/StatExpressionObject.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/WindowShow.h"
#include "store/DescribedColumns.h"
#include "store/HelpPage.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"

#include <algorithm>
#include <iterator>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QValidator>
#include <QVBoxLayout>

namespace dialogs
{

namespace
{

constexpr int KeyRole = Qt::UserRole;
constexpr int TwipsPerPixel = 15;
const QString RootKey = QStringLiteral("Root");
const QString FieldsKey = QStringLiteral("Fields");

int reportType()
{
    return store::reportState().ReportType;
}

void place(QWidget* control, int leftTwips, int topTwips)
{
    control->move(leftTwips / TwipsPerPixel, topTwips / TwipsPerPixel);
}

// Holds a box to what its filter lets in, however the clerk puts it in: typed, pasted or dropped. While
// `loading` is set, the box shows the text read from the cell as it is.
class FilteredBox : public QValidator
{
public:
    FilteredBox(CharFilter filter, const bool& loading, QObject* parent)
        : QValidator(parent)
        , filter_(std::move(filter))
        , loading_(loading)
    {
    }
    State validate(QString& input, int& pos) const override
    {
        if (loading_)
            return Acceptable;
        const FilteredEdit kept = FilterEdit(input, pos, filter_);
        input = kept.text;
        pos = kept.caret;
        return Acceptable;
    }

private:
    CharFilter filter_;
    const bool& loading_;
};

} // namespace

frmDataSource::frmDataSource(platform::grid::Sheet& grid, const ReportTables& tables, QWidget* parent)
    : QDialog(parent)
    , tvwDataSource(new QTreeWidget)
    , txtText(new QPlainTextEdit)
    , cmdselPara(new QPushButton(QStringLiteral("参数选择(&Q)")))
    , txtField(new QLineEdit)
    , ChkSX(new QCheckBox)
    , chkInsert(new QCheckBox(QStringLiteral("插入字符")))
    , TxtChar(new QLineEdit)
    , TxtChar1(new QLineEdit)
    , optFrt(new QRadioButton)
    , OptBck(new QRadioButton)
    , Label8(new QLabel(QStringLiteral("个字")))
    , Label10(new QLabel(QStringLiteral("个字")))
    , txtSQL(new QPlainTextEdit)
    , CmdSelect(new QPushButton(QStringLiteral("参数选择(&Q)")))
    , chkAutoSelect(new QCheckBox(QStringLiteral("自动条件")))
    , chkSelR(new QCheckBox(QStringLiteral("作数据源")))
    , txtSysArgument(new QLineEdit)
    , cmdSysArg(new QPushButton(QStringLiteral("插入系统参数(&I)...")))
    , txtPicture(new QLineEdit)
    , cmdSelectPic(new QPushButton(QStringLiteral("...")))
    , cboFormula(new QComboBox)
    , txtRegion(new QLineEdit)
    , txtSpecFormula(new QLineEdit)
    , lblDescription(new QLabel)
    , cmdSetFormula(new QPushButton(QStringLiteral("...")))
    , txtSQLFormula(new QLineEdit)
    , txtSqlFormulaDesc(new QLineEdit)
    , cmdSetSqlFormula(new QPushButton(QStringLiteral("...")))
    , CboSelCol(new QComboBox)
    , LblSum(new QLabel(QStringLiteral("根据选择的列计算总和")))
    , cmdOk(new QPushButton(QStringLiteral("确定(&O)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , cmdHelp(new QPushButton(QStringLiteral("帮助(&H)")))
    , grid_(grid)
    , tables_(tables)
{
    setObjectName(QStringLiteral("frmDataSource"));
    setWindowTitle(QStringLiteral("数据源设置"));
    tvwDataSource->setHeaderHidden(true);
    tvwDataSource->setFixedWidth(210);
    buildPanels();

    auto* panels = new QVBoxLayout;
    for (QGroupBox* frame : fraDataSource) {
        frame->setVisible(false);
        panels->addWidget(frame);
    }
    panels->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(tvwDataSource);
    body->addLayout(panels, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : { cmdOk, cmdCancel, cmdHelp })
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(640, 400);

    cmdOk->setDefault(true);
    CmdSelect->setEnabled(false);
    cboFormula->setEditable(true);
    cboFormula->addItems(
        { QStringLiteral("SUM"), QStringLiteral("AVERAGE"), QStringLiteral("MIN"), QStringLiteral("MAX") });
    CboSelCol->setEditable(true);
    lblDescription->setWordWrap(true);

    for (QObject* watched : std::initializer_list<QObject*> { txtText, txtSQL, txtSQL->viewport() })
        watched->installEventFilter(this);
    const auto optionChar
        = [this](QChar c, const QString&) { return FilterOptionChar(c, !chkInsert->isChecked()); };
    for (QLineEdit* option : { TxtChar, TxtChar1 })
        option->setValidator(new FilteredBox(optionChar, loading_, option));
    CboSelCol->setValidator(new FilteredBox(FilterColumnChar, loading_, CboSelCol));

    connect(tvwDataSource, &QTreeWidget::currentItemChanged, this, &frmDataSource::tvwDataSource_NodeClick);
    connect(txtText, &QPlainTextEdit::textChanged, this, &frmDataSource::touch);
    connect(txtField, &QLineEdit::textEdited, this, &frmDataSource::txtField_Change);
    connect(txtSysArgument, &QLineEdit::textChanged, this, &frmDataSource::txtSysArgument_Change);
    connect(txtPicture, &QLineEdit::textChanged, this, &frmDataSource::txtPicture_Change);
    connect(txtSpecFormula, &QLineEdit::textChanged, this, &frmDataSource::txtSpecFormula_Change);
    connect(txtSQLFormula, &QLineEdit::textChanged, this, &frmDataSource::txtSQLFormula_Change);
    connect(CboSelCol, &QComboBox::currentTextChanged, this, &frmDataSource::CboSelCol_Change);
    connect(txtSQL, &QPlainTextEdit::textChanged, this, &frmDataSource::txtSQL_Change);
    connect(ChkSX, &QCheckBox::clicked, this, &frmDataSource::ChkSX_Click);
    connect(chkInsert, &QCheckBox::clicked, this, &frmDataSource::chkInsert_Click);
    for (QObject* option :
        std::initializer_list<QObject*> { TxtChar, TxtChar1, txtRegion, txtSqlFormulaDesc })
        connect(static_cast<QLineEdit*>(option), &QLineEdit::textEdited, this, &frmDataSource::optionChanged);
    for (QAbstractButton* option :
        std::initializer_list<QAbstractButton*> { optFrt, OptBck, chkAutoSelect, chkSelR })
        connect(option, &QAbstractButton::clicked, this, &frmDataSource::optionChanged);
    connect(cboFormula, &QComboBox::currentTextChanged, this, &frmDataSource::optionChanged);
    connect(cmdselPara, &QPushButton::clicked, this, &frmDataSource::cmdselPara_Click);
    connect(CmdSelect, &QPushButton::clicked, this, &frmDataSource::CmdSelect_Click);
    connect(cmdSysArg, &QPushButton::clicked, this, &frmDataSource::cmdSysArg_Click);
    connect(cmdSelectPic, &QPushButton::clicked, this, &frmDataSource::cmdSelectPic_Click);
    connect(cmdSetFormula, &QPushButton::clicked, this, &frmDataSource::cmdSetFormula_Click);
    connect(cmdSetSqlFormula, &QPushButton::clicked, this, &frmDataSource::cmdSetSqlFormula_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmDataSource::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDataSource::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDataSource::cmdHelp_Click);
    platform::ui::bindHelpKey(*this, [this] { cmdHelp_Click(); });
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

void frmDataSource::buildPanels()
{
    const auto frame = [this](SourceKind kind, const QString& title = {}) {
        auto* box = new QGroupBox(title);
        fraDataSource[int(kind)] = box;
        return new QGridLayout(box);
    };

    QGridLayout* text = frame(SourceKind::Text);
    text->addWidget(captionFor(QStringLiteral("请输入文字(&S)："), txtText), 0, 0);
    text->addWidget(txtText, 1, 0, 1, 2);
    text->addWidget(cmdselPara, 2, 1);

    QGridLayout* fields = frame(SourceKind::Fields);
    txtField->setMinimumWidth(220);
    fields->addWidget(new QLabel(QStringLiteral("已选择了字段：")), 0, 0);
    fields->addWidget(txtField, 0, 1);
    fields->addWidget(chkInsert, 1, 0, 1, 2);
    auto* options = new QWidget;
    options->setFixedSize(360, 100);
    for (QWidget* control :
        std::initializer_list<QWidget*> { ChkSX, TxtChar, Label8, optFrt, OptBck, TxtChar1, Label10 })
        control->setParent(options);
    TxtChar->setFixedWidth(40);
    TxtChar1->setFixedWidth(40);
    place(ChkSX, 0, 240);
    fields->addWidget(options, 2, 0, 1, 2);

    QGridLayout* sql = frame(SourceKind::Sql);
    sql->addWidget(captionFor(QStringLiteral("请输入SQL语句(&S)："), txtSQL), 0, 0, 1, 3);
    sql->addWidget(txtSQL, 1, 0, 1, 3);
    sql->addWidget(chkAutoSelect, 2, 0);
    sql->addWidget(chkSelR, 2, 1);
    sql->addWidget(CmdSelect, 2, 2);

    QGridLayout* sysArg = frame(SourceKind::SysArg);
    sysArg->addWidget(
        captionFor(QStringLiteral("请输入文字,或点击“插入”按钮选择系统参数(&S)："), txtSysArgument), 0, 0, 1,
        2);
    sysArg->addWidget(txtSysArgument, 1, 0, 1, 2);
    sysArg->addWidget(cmdSysArg, 2, 1);

    QGridLayout* picture = frame(SourceKind::Pic);
    picture->addWidget(captionFor(QStringLiteral("请输入完整的路径和文件名(&S)："), txtPicture), 0, 0, 1, 2);
    picture->addWidget(txtPicture, 1, 0);
    picture->addWidget(cmdSelectPic, 1, 1);

    QGridLayout* builtin = frame(SourceKind::InFormu);
    builtin->addWidget(captionFor(QStringLiteral("选择公式(&S)："), cboFormula), 0, 0);
    builtin->addWidget(cboFormula, 0, 1);
    builtin->addWidget(captionFor(QStringLiteral("输入区域(&Q)："), txtRegion), 1, 0);
    builtin->addWidget(txtRegion, 1, 1);

    QGridLayout* special = frame(SourceKind::SpecFormu);
    special->addWidget(new QLabel(QStringLiteral("公式：")), 0, 0);
    special->addWidget(txtSpecFormula, 0, 1);
    special->addWidget(cmdSetFormula, 0, 2);
    special->addWidget(new QLabel(QStringLiteral("描述：")), 1, 0, Qt::AlignTop);
    special->addWidget(lblDescription, 1, 1, 1, 2);

    QGridLayout* sqlFormula = frame(SourceKind::SqlFormu);
    sqlFormula->addWidget(new QLabel(QStringLiteral("公式名：")), 0, 0);
    sqlFormula->addWidget(txtSQLFormula, 0, 1);
    sqlFormula->addWidget(cmdSetSqlFormula, 0, 2);
    sqlFormula->addWidget(new QLabel(QStringLiteral("公式描述：")), 1, 0);
    sqlFormula->addWidget(txtSqlFormulaDesc, 1, 1, 1, 2);

    QGridLayout* sumColumn = frame(SourceKind::SumCol, QStringLiteral("选择求和列(细节区)"));
    sumColumn->addWidget(CboSelCol, 0, 0);
    sumColumn->addWidget(LblSum, 0, 1);
}

void frmDataSource::Form_Load()
{
    loading_ = true;
    touched_ = false;
    kind_ = SourceKind::Text;
    InitFromActiveCell();
    chkInsert_Click();
    loading_ = false;
}

void frmDataSource::InitFromActiveCell()
{
    SkipMarkerColumn(grid_);
    SourceText.clear();
    {
        const QSignalBlocker quiet(CboSelCol);
        CboSelCol->clear();
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            CboSelCol->addItem(QString(QLatin1Char(letter)));
        CboSelCol->setCurrentIndex(-1);
    }
    BuildSourceTree();
    cellText_ = grid_.activeCellText();
    DataSourceForm read;
    ShowCellContent(cellText_, reportType(), read);
    showForm(read);
    ShowPanel(read.kind);
    selectNode(NodeKeyOfKind(read.kind));
    if (read.kind == SourceKind::Fields)
        selectFieldNode(read.fieldColumn);
    if (const auto text = PanelSourceText(read, reportType(), !tables_[1].isEmpty());
        text && read.kind != SourceKind::Text && read.kind != SourceKind::Fields)
        SourceText = *text;
}

void frmDataSource::BuildSourceTree()
{
    const QSignalBlocker quiet(tvwDataSource);
    tvwDataSource->clear();
    auto* root = new QTreeWidgetItem(tvwDataSource, { QStringLiteral("数据源") });
    root->setData(0, KeyRole, RootKey);
    QTreeWidgetItem* fields = nullptr;
    for (const KindNode& node : KindNodes(reportType())) {
        auto* item = new QTreeWidgetItem(root, { node.caption });
        item->setData(0, KeyRole, node.key);
        if (node.key == FieldsKey)
            fields = item;
    }
    if (fields) {
        for (int i = 0; i < int(tables_.size()) && !tables_[i].isEmpty(); ++i)
            platform::ui::showingFailures({}, [&] { LoadVisibleFields(i, fields); });
        fields->setExpanded(true);
    }
    root->setExpanded(true);
}

void frmDataSource::LoadVisibleFields(int table, QTreeWidgetItem* fields)
{
    const auto rows = store::openStoreSql(
        QStringLiteral("select table_chn_name,column_chn_name,column_name from "
                       "table_struct_description where table_name = ? and column_visible='T'"),
        { tables_[table] });
    if (rows->eof())
        return;
    auto* tableNode = new QTreeWidgetItem(fields, { rows->text(0).trimmed() });
    tableNode->setData(0, KeyRole, QStringLiteral("T%1").arg(table));
    for (int column = 0; !rows->eof(); rows->moveNext()) {
        const QString caption = rows->text(1).trimmed();
        if (!store::NamesAField(tables_[table], rows->text(2), caption, "LoadVisibleFields"))
            continue;
        auto* node = new QTreeWidgetItem(tableNode, { caption });
        node->setData(0, KeyRole, QStringLiteral("F%1%2").arg(table).arg(column++));
    }
}

void frmDataSource::selectNode(const QString& key)
{
    const QSignalBlocker quiet(tvwDataSource);
    for (QTreeWidgetItemIterator it(tvwDataSource); *it; ++it) {
        if ((*it)->data(0, KeyRole).toString() == key) {
            tvwDataSource->setCurrentItem(*it);
            return;
        }
    }
}

// The cell's field shown in the tree, its table opened, so that the clerk sees which one it is; a cell
// names its field alone or as "field(table)".
void frmDataSource::selectFieldNode(const QString& field)
{
    const QSignalBlocker quiet(tvwDataSource);
    for (QTreeWidgetItemIterator it(tvwDataSource); *it; ++it) {
        QTreeWidgetItem* node = *it;
        const QString key = node->data(0, KeyRole).toString();
        if (key == FieldsKey || !key.startsWith(QLatin1Char('F')))
            continue;
        const QString column = node->text(0);
        if (field == column
            || field == column + QLatin1Char('(') + node->parent()->text(0) + QLatin1Char(')')) {
            node->parent()->setExpanded(true);
            tvwDataSource->setCurrentItem(node);
            return;
        }
    }
}

void frmDataSource::tvwDataSource_NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const QString key = node->data(0, KeyRole).toString();
    if (key == RootKey || key == FieldsKey || (key.size() == 2 && key.startsWith(QLatin1Char('T')))) {
        cmdOk->setEnabled(false);
        kind_ = SourceKind::None;
        return;
    }
    for (const KindNode& kind : KindNodes(reportType())) {
        if (kind.key != key)
            continue;
        ShowPanel(kind.kind);
        QWidget* const focus[] = { txtText, nullptr, txtSQL, txtSysArgument, txtPicture, cboFormula };
        if (int(kind.kind) < int(std::size(focus)) && focus[int(kind.kind)])
            focus[int(kind.kind)]->setFocus();
        return;
    }
    ShowPanel(SourceKind::Fields);
    fieldTable_ = node->parent() ? node->parent()->text(0) : QString();
    fieldColumn_ = node->text(0);
    txtField->setText(FieldBoxText(form()));
    edited(SourceKind::Fields);
}

void frmDataSource::ShowPanel(SourceKind kind)
{
    if (kind == SourceKind::None)
        return;
    for (QGroupBox* frame : fraDataSource)
        frame->setVisible(false);
    fraDataSource[int(kind)]->setVisible(true);
    cmdOk->setEnabled(true);
    kind_ = kind;
}

DataSourceForm frmDataSource::form() const
{
    DataSourceForm form;
    form.kind = kind_;
    form.text = txtText->toPlainText();
    form.fieldTable = fieldTable_;
    form.fieldColumn = fieldColumn_;
    form.fieldOption = ChkSX->isChecked();
    form.insertMode = chkInsert->isChecked();
    form.front = optFrt->isChecked();
    form.optionChars = TxtChar->text();
    form.optionCount = TxtChar1->text();
    form.sql = txtSQL->toPlainText();
    form.autoCondition = chkAutoSelect->isChecked();
    form.dataSource = chkSelR->isChecked();
    form.sysArg = txtSysArgument->text();
    form.picture = txtPicture->text();
    form.function = cboFormula->currentText();
    form.region = txtRegion->text();
    form.specFormula = txtSpecFormula->text();
    form.sqlFormula = txtSQLFormula->text();
    form.sqlFormulaDesc = txtSqlFormulaDesc->text();
    form.sumColumn = CboSelCol->currentText();
    return form;
}

void frmDataSource::showForm(const DataSourceForm& form)
{
    const QList<QObject*> boxes { txtText, txtField, ChkSX, chkInsert, TxtChar, TxtChar1, optFrt, OptBck,
        txtSQL, chkAutoSelect, chkSelR, txtSysArgument, txtPicture, cboFormula, txtRegion, txtSpecFormula,
        txtSQLFormula, txtSqlFormulaDesc, CboSelCol };
    for (QObject* box : boxes)
        box->blockSignals(true);
    kind_ = form.kind;
    txtText->setPlainText(form.text);
    fieldTable_ = form.fieldTable;
    fieldColumn_ = form.fieldColumn;
    txtField->setText(FieldBoxText(form));
    ChkSX->setChecked(form.fieldOption);
    chkInsert->setChecked(form.insertMode);
    if (form.front)
        optFrt->setChecked(true);
    else if (form.fieldOption)
        OptBck->setChecked(true);
    TxtChar->setText(form.optionChars);
    TxtChar1->setText(form.optionCount);
    txtSQL->setPlainText(form.sql);
    chkAutoSelect->setChecked(form.autoCondition);
    chkSelR->setChecked(form.dataSource);
    txtSysArgument->setText(form.sysArg);
    txtPicture->setText(form.picture);
    cboFormula->setCurrentText(form.function);
    txtRegion->setText(form.region);
    txtSpecFormula->setText(form.specFormula);
    lblDescription->setText(form.specFormula);
    txtSQLFormula->setText(form.sqlFormula);
    txtSqlFormulaDesc->setText(form.sqlFormulaDesc);
    CboSelCol->setCurrentText(form.sumColumn);
    for (QObject* box : boxes)
        box->blockSignals(false);
    ChkSX_Click();
}

void frmDataSource::touch()
{
    if (!loading_)
        touched_ = true;
}

void frmDataSource::rebuild(SourceKind kind)
{
    DataSourceForm boxes = form();
    boxes.kind = kind;
    if (const auto text = PanelSourceText(boxes, reportType(), !tables_[1].isEmpty()))
        SourceText = *text;
}

// Leaving the text box is no edit: the text counts as changed only when it was typed.
void frmDataSource::txtText_LostFocus()
{
    rebuild(SourceKind::Text);
}

void frmDataSource::txtField_Change()
{
    DataSourceForm typed;
    SetFieldFromBox(typed, txtField->text());
    fieldTable_ = typed.fieldTable;
    fieldColumn_ = typed.fieldColumn;
    edited(SourceKind::Fields);
}

void frmDataSource::txtSysArgument_Change()
{
    edited(SourceKind::SysArg);
}

void frmDataSource::txtPicture_Change()
{
    edited(SourceKind::Pic);
}

void frmDataSource::txtSpecFormula_Change()
{
    edited(SourceKind::SpecFormu);
}

void frmDataSource::txtSQLFormula_Change()
{
    edited(SourceKind::SqlFormu);
}

void frmDataSource::CboSelCol_Change()
{
    edited(SourceKind::SumCol);
}

void frmDataSource::edited(SourceKind kind)
{
    rebuild(kind);
    touch();
}

void frmDataSource::txtSQL_Change()
{
    touch();
    sqlCaret_ = txtSQL->textCursor().position();
    CmdSelect->setEnabled(UpdateSelectButton(txtSQL->toPlainText(), sqlCaret_, CmdSelect->isEnabled()));
}

void frmDataSource::optionChanged()
{
    touch();
}

void frmDataSource::ChkSX_Click()
{
    const bool on = ChkSX->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { TxtChar, optFrt, OptBck, TxtChar1 })
        control->setEnabled(on);
    if (on && !loading_ && TxtChar->isVisible())
        TxtChar->setFocus();
    touch();
}

// Insert mode puts the characters before or after the value; take mode cuts a part of it ("从第：" n
// "个字" "向后取" m "个字"). A take option read back as "向前取" keeps that choice.
void frmDataSource::chkInsert_Click()
{
    const bool insert = chkInsert->isChecked();
    ChkSX->setText(insert ? QStringLiteral("插入字符：") : QStringLiteral("从第："));
    optFrt->setText(insert ? QStringLiteral("向前插") : QStringLiteral("向前取"));
    OptBck->setText(insert ? QStringLiteral("向后插") : QStringLiteral("向后取"));
    if (!insert && (!loading_ || !optFrt->isChecked()))
        OptBck->setChecked(true);
    optFrt->setVisible(insert || optFrt->isChecked());
    for (QWidget* control : std::initializer_list<QWidget*> { TxtChar1, Label8, Label10 })
        control->setVisible(!insert);
    for (QWidget* control :
        std::initializer_list<QWidget*> { ChkSX, TxtChar, Label8, optFrt, OptBck, TxtChar1, Label10 })
        control->adjustSize();
    if (insert) {
        place(TxtChar, 1560, 240);
        place(optFrt, 1560, 1080);
        place(OptBck, 3600, 1080);
    } else {
        place(TxtChar, 1200, 240);
        place(Label8, 1860, 300);
        place(optFrt, 2400, 1080);
        place(OptBck, 2400, 240);
        place(TxtChar1, 3480, 240);
        place(Label10, 4140, 300);
    }
    touch();
}

bool frmDataSource::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtText && event->type() == QEvent::FocusOut)
        txtText_LostFocus();
    const bool sqlBox = watched == txtSQL || watched == txtSQL->viewport();
    if (sqlBox && (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease)) {
        sqlCaret_ = txtSQL->textCursor().position();
        CmdSelect->setEnabled(UpdateSelectButton(txtSQL->toPlainText(), sqlCaret_, CmdSelect->isEnabled()));
    }
    return QDialog::eventFilter(watched, event);
}

void frmDataSource::insertParameter(QPlainTextEdit* box, int caret)
{
    platform::ui::showingFailures({}, [&] {
        platform::outside::StatExpressionObject parameters;
        parameters.setConnection(store::reportState().Connection);
        parameters.setReportId(store::reportState().ReportId);
        parameters.showParameterDialog();
        const QString chosen = parameters.chosenParameter();
        if (chosen.isEmpty())
            return;
        const QString text = box->toPlainText();
        const int at = std::clamp(caret, 0, int(text.size()));
        box->setPlainText(text.left(at) + chosen + text.mid(at));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(at + int(chosen.size()));
        box->setTextCursor(cursor);
        box->setFocus();
    });
}

void frmDataSource::cmdselPara_Click()
{
    insertParameter(txtText, txtText->textCursor().position());
    edited(SourceKind::Text);
}

void frmDataSource::CmdSelect_Click()
{
    insertParameter(txtSQL, sqlCaret_);
}

void frmDataSource::cmdSysArg_Click()
{
    // The caption invites words and parameters together: the parameter goes in at the cursor (or over the
    // selected text) so that what the clerk typed before choosing it stays.
    const QString chosen = PickSysArg(this);
    if (!chosen.isEmpty())
        txtSysArgument->insert(chosen);
}

void frmDataSource::cmdSelectPic_Click()
{
    QFileDialog chooser(this);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setNameFilter(QStringLiteral("图元文件(*.wmf)"));
    if (platform::ui::showModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    txtPicture->setText(chooser.selectedFiles().first());
}

void frmDataSource::cmdSetFormula_Click()
{
    platform::ui::showingFailures({}, [&] {
        platform::outside::SpecialFormulaObject picker;
        picker.setConnection(store::reportState().Connection);
        picker.setTableNames({ tables_[0], tables_[1], tables_[2] });
        picker.showPicker();
        if (picker.chosenFormula().isEmpty())
            return;
        txtSpecFormula->setText(picker.chosenFormula());
        lblDescription->setText(picker.chosenFormula());
    });
}

void frmDataSource::cmdSetSqlFormula_Click()
{
    platform::ui::showingFailures({}, [&] {
        platform::outside::SqlFormulaObject picker;
        picker.setConnection(store::reportState().Connection);
        const QString name = picker.chosenFormulaName();
        if (name.isEmpty())
            return;
        txtSQLFormula->setText(name);
        txtSqlFormulaDesc->setText(picker.chosenFormulaDescription());
    });
}

QWidget* frmDataSource::control(SourceFocus focus) const
{
    switch (focus) {
    case SourceFocus::OptionChars:
        return TxtChar;
    case SourceFocus::OptionCount:
        return TxtChar1;
    case SourceFocus::Sql:
        return txtSQL;
    case SourceFocus::Region:
        return txtRegion;
    case SourceFocus::SumColumn:
        return CboSelCol;
    }
    return nullptr;
}

void frmDataSource::cmdOk_Click()
{
    const auto confirmed = ConfirmSource(form(), SourceText, reportType(), !tables_[1].isEmpty());
    if (const auto* refusal = std::get_if<platform::ui::Refusal<SourceFocus>>(&confirmed)) {
        platform::ui::showRefusal(*refusal, [this](SourceFocus focus) { return control(focus); });
        return;
    }
    SourceText = std::get<QString>(confirmed);
    // Nothing to write when the user changed nothing, or came back to the cell's own text.
    if (!touched_ || SourceText == cellText_)
        SourceText.clear();
    accept();
}

void frmDataSource::cmdCancel_Click()
{
    SourceText.clear();
    reject();
}

void frmDataSource::cmdHelp_Click()
{
    store::OpenHelpPage(QStringLiteral("数据源设置.htm"));
}

QString ShowDataSourceDialog(platform::grid::Sheet& grid, const ReportTables& tables, QWidget* parent)
{
    frmDataSource dialog(grid, tables, parent);
    return platform::ui::showModal(dialog) == QDialog::Accepted ? dialog.SourceText : QString();
}

} // namespace dialogs
