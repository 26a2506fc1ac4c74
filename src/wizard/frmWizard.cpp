#include "wizard/frmWizard.h"

#include "platform/ui/HelpTopic.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowSize.h"
#include "store/HelpPage.h"
#include "store/ReportState.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace wizard
{

namespace
{

using platform::ui::Buttons;
using platform::ui::Icon;
using platform::ui::msgBox;

const QString MultiSelectTip = QStringLiteral("按下Ctrl或Shift键进行多选");
constexpr int FrameLeftGap = 8;

QListWidget* multiSelectList()
{
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setToolTip(MultiSelectTip);
    return list;
}

// A button that moves entries between two lists. It never takes Enter: after a transfer the focus often
// lands on the next such button, and Enter there would move every entry without the clerk seeing it; Enter
// goes forward instead, and Space still presses the button that has the focus.
QPushButton* arrowButton(const QString& text)
{
    auto* button = new QPushButton(text);
    button->setFixedWidth(40);
    button->setAutoDefault(false);
    return button;
}

// A captioned list: the label above the list.
QWidget* captioned(const QString& caption, QWidget* control)
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(control, 1);
    return box;
}

QWidget* buttonColumn(std::initializer_list<QPushButton*> buttons)
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    layout->addStretch();
    return column;
}

QLabel* heading(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 2);
    label->setFont(font);
    return label;
}

// One step's frame: heading, the step's controls, its explanation below.
QWidget* stepFrame(QLabel* title, QWidget* controls, QLabel* explanation)
{
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(FrameLeftGap, FrameLeftGap, FrameLeftGap, 0);
    layout->addWidget(title);
    layout->addWidget(controls, 1);
    layout->addWidget(explanation);
    return frame;
}

QWidget* row(std::initializer_list<std::pair<QWidget*, int>> widgets)
{
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [widget, stretch] : widgets)
        layout->addWidget(widget, stretch);
    return box;
}

int selectedCount(QListWidget* list)
{
    return int(list->selectedItems().size());
}

} // namespace

frmWizard::frmWizard(QWidget* parent)
    : QDialog(parent)
    , picNav(new QWidget)
    , steps(new QStackedWidget)
    , imgStep(new QLabel)
    , Text1(heading(QStringLiteral("选择数据表")))
    , tvTables(new QTreeWidget)
    , lstCheckedTable(multiSelectList())
    , cmdAddTable(arrowButton(QStringLiteral(">")))
    , cmdRemoveTable(arrowButton(QStringLiteral("<")))
    , lstUseTable(new QListWidget)
    , lstSourceField(multiSelectList())
    , lstCheckedField(multiSelectList())
    , cmdAddField(arrowButton(QStringLiteral(">")))
    , cmdAddFields(arrowButton(QStringLiteral(">>")))
    , cmdRemoveField(arrowButton(QStringLiteral("<")))
    , cmdRemoveFields(arrowButton(QStringLiteral("<<")))
    , optGroup { nullptr, new QRadioButton(QStringLiteral("第一级分组")),
        new QRadioButton(QStringLiteral("第二级分组")), new QRadioButton(QStringLiteral("第三级分组")) }
    , lstUseFields(multiSelectList())
    , lstGroupFields(multiSelectList())
    , cmdAddGroup(arrowButton(QStringLiteral(">")))
    , cmdRemoveGroup(arrowButton(QStringLiteral("<")))
    , lstNoUseFields(multiSelectList())
    , lstOrderByFields(multiSelectList())
    , cmdAddOrder(arrowButton(QStringLiteral(">")))
    , cmdRemoveOrder(arrowButton(QStringLiteral("<")))
    , cmdMoveUP(arrowButton(QStringLiteral("▲")))
    , cmdMoveDown(arrowButton(QStringLiteral("▼")))
    , frOrder(new QGroupBox(QStringLiteral("排序方式")))
    , optSort { new QRadioButton(QStringLiteral("升序")), new QRadioButton(QStringLiteral("降序")) }
    , tree_(tvTables)
{
    setObjectName(QStringLiteral("frmWizard"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    const char* const navTexts[] = { "帮助(&H)", "取消(&C)", "<上一步(&B)", "下一步(&N)>", "完成(&F)" };
    for (int i = 0; i < int(cmdNav.size()); ++i) {
        cmdNav[i] = new QPushButton(QString::fromUtf8(navTexts[i]));
        connect(cmdNav[i], &QPushButton::clicked, this, [this, i] { cmdNav_Click(NavButton(i)); });
    }
    platform::ui::bindHelpKey(*this, [this] { cmdNav_Click(NavButton::Help); });
    for (int i = 0; i < StepCount; ++i) {
        lblStep[i] = new QLabel;
        lblStep[i]->setWordWrap(true);
    }
    buildSteps();

    auto* navLayout = new QHBoxLayout(picNav);
    navLayout->addWidget(nav(NavButton::Help));
    navLayout->addStretch();
    for (int i = int(NavButton::Cancel); i < NavButtonCount; ++i)
        navLayout->addWidget(cmdNav[i]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(steps, 1);
    layout->addWidget(picNav);
    platform::ui::openOnScreen(*this, { 640, 460 });
    nav(NavButton::Finish)->setEnabled(false);
    platform::ui::loadOnShow(*this, [this] { nav(NavButton::Next)->setFocus(); });
}

frmWizard::~frmWizard() = default;

void frmWizard::buildSteps()
{
    imgStep->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(64, 64));
    imgStep->setAlignment(Qt::AlignTop);
    fraStep[0]
        = stepFrame(heading(QStringLiteral("开始")), row({ { imgStep, 0 }, { lblStep[0], 1 } }), new QLabel);
    lblStep[0]->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    tvTables->setHeaderHidden(true);
    fraStep[1] = stepFrame(Text1,
        row({ { captioned(QStringLiteral("可选择的数据表"), tvTables), 1 },
            { buttonColumn({ cmdAddTable, cmdRemoveTable }), 0 },
            { captioned(QStringLiteral("选中的数据表"), lstCheckedTable), 1 } }),
        lblStep[1]);

    fraStep[2] = stepFrame(heading(QStringLiteral("选择字段")),
        row({ { captioned(QStringLiteral("数据表"), lstUseTable), 1 },
            { captioned(QStringLiteral("字段列表"), lstSourceField), 1 },
            { buttonColumn({ cmdAddField, cmdAddFields, cmdRemoveField, cmdRemoveFields }), 0 },
            { captioned(QStringLiteral("选中字段"), lstCheckedField), 1 } }),
        lblStep[2]);

    auto* groupFrame = new QGroupBox(QStringLiteral("分组"));
    auto* groupLayout = new QVBoxLayout(groupFrame);
    for (int level = 1; level <= 3; ++level) {
        groupLayout->addWidget(optGroup[level]);
        connect(optGroup[level], &QRadioButton::clicked, this, [this, level] { optGroup_Click(level); });
    }
    groupLayout->addStretch();
    fraStep[3] = stepFrame(heading(QStringLiteral("选择分组字段")),
        row({ { groupFrame, 0 }, { captioned(QStringLiteral("字段列表"), lstUseFields), 1 },
            { buttonColumn({ cmdAddGroup, cmdRemoveGroup }), 0 },
            { captioned(QStringLiteral("分组字段"), lstGroupFields), 1 } }),
        lblStep[3]);

    auto* sortLayout = new QVBoxLayout(frOrder);
    for (int i = 0; i < 2; ++i) {
        sortLayout->addWidget(optSort[i]);
        connect(optSort[i], &QRadioButton::clicked, this, [this, i] { optSort_Click(i); });
    }
    auto* orderColumn = new QWidget;
    auto* orderLayout = new QVBoxLayout(orderColumn);
    orderLayout->setContentsMargins(0, 0, 0, 0);
    orderLayout->addStretch();
    orderLayout->addWidget(cmdMoveUP);
    orderLayout->addWidget(cmdMoveDown);
    orderLayout->addWidget(frOrder);
    orderLayout->addStretch();
    fraStep[4] = stepFrame(heading(QStringLiteral("选择排序字段")),
        row({ { captioned(QStringLiteral("字段列表"), lstNoUseFields), 1 },
            { buttonColumn({ cmdAddOrder, cmdRemoveOrder }), 0 },
            { captioned(QStringLiteral("排序字段"), lstOrderByFields), 1 }, { orderColumn, 0 } }),
        lblStep[4]);

    fraStep[5] = stepFrame(heading(QStringLiteral("完成")), lblStep[5], new QLabel);
    lblStep[5]->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    for (QWidget* frame : fraStep)
        steps->addWidget(frame);

    // The current table counts as chosen however it became current: a click, the arrow keys, Space or
    // Enter (the keys are seen in eventFilter).
    connect(tvTables, &QTreeWidget::itemClicked, this,
        [this](QTreeWidgetItem* node) { tvTables_NodeClick(node); });
    connect(tvTables, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (node)
            tvTables_NodeClick(node);
    });
    tvTables->installEventFilter(this);
    connect(cmdAddTable, &QPushButton::clicked, this, &frmWizard::cmdAddTable_Click);
    connect(cmdRemoveTable, &QPushButton::clicked, this, &frmWizard::cmdRemoveTable_Click);
    connect(lstCheckedTable, &QListWidget::itemSelectionChanged, this, &frmWizard::lstCheckedTable_Click);
    connect(lstCheckedTable, &QListWidget::itemDoubleClicked, this, &frmWizard::cmdRemoveTable_Click);
    connect(lstUseTable, &QListWidget::itemSelectionChanged, this, &frmWizard::lstUseTable_Click);
    connect(cmdAddField, &QPushButton::clicked, this, &frmWizard::cmdAddField_Click);
    connect(cmdAddFields, &QPushButton::clicked, this, &frmWizard::cmdAddFields_Click);
    connect(cmdRemoveField, &QPushButton::clicked, this, &frmWizard::cmdRemoveField_Click);
    connect(cmdRemoveFields, &QPushButton::clicked, this, &frmWizard::cmdRemoveFields_Click);
    connect(lstSourceField, &QListWidget::itemSelectionChanged, this, &frmWizard::lstSourceField_Click);
    connect(lstSourceField, &QListWidget::itemDoubleClicked, this, &frmWizard::lstSourceField_DblClick);
    connect(lstCheckedField, &QListWidget::itemSelectionChanged, this, &frmWizard::lstCheckedField_Click);
    connect(lstCheckedField, &QListWidget::itemDoubleClicked, this, &frmWizard::cmdRemoveField_Click);
    connect(cmdAddGroup, &QPushButton::clicked, this, &frmWizard::cmdAddGroup_Click);
    connect(cmdRemoveGroup, &QPushButton::clicked, this, &frmWizard::cmdRemoveGroup_Click);
    connect(lstUseFields, &QListWidget::itemSelectionChanged, this,
        [this] { RefreshListButtons(lstUseFields, lstGroupFields, cmdAddGroup, cmdRemoveGroup); });
    connect(lstUseFields, &QListWidget::itemDoubleClicked, this, &frmWizard::lstUseFields_DblClick);
    connect(lstGroupFields, &QListWidget::itemSelectionChanged, this, &frmWizard::lstGroupFields_MouseUp);
    connect(lstGroupFields, &QListWidget::itemDoubleClicked, this, &frmWizard::cmdRemoveGroup_Click);
    lstUseFields->viewport()->installEventFilter(this);
    connect(cmdAddOrder, &QPushButton::clicked, this, &frmWizard::cmdAddOrder_Click);
    connect(cmdRemoveOrder, &QPushButton::clicked, this, &frmWizard::cmdRemoveOrder_Click);
    connect(cmdMoveUP, &QPushButton::clicked, this, &frmWizard::cmdMoveUP_Click);
    connect(cmdMoveDown, &QPushButton::clicked, this, &frmWizard::cmdMoveDown_Click);
    connect(lstOrderByFields, &QListWidget::itemSelectionChanged, this, &frmWizard::lstOrderByFields_Click);
    connect(lstOrderByFields, &QListWidget::itemDoubleClicked, this, &frmWizard::cmdRemoveOrder_Click);
    connect(lstNoUseFields, &QListWidget::itemSelectionChanged, this, &frmWizard::lstNoUseFields_Click);
    connect(lstNoUseFields, &QListWidget::itemDoubleClicked, this, &frmWizard::cmdAddOrder_Click);
}

void frmWizard::setGroupID(const QString& groupId)
{
    groupId_ = groupId;
    model_.GroupID = groupId;
}

void frmWizard::setReportName(const QString& name)
{
    reportName_ = name;
    model_.reportName = name;
}

void frmWizard::setLinkTableName(const QString& table)
{
    if (table.trimmed().isEmpty())
        return;
    const platform::ui::WaitCursor waiting;
    linkTableName_.clear();
    model_.Connection = store::reportState().Connection;
    try {
        if (model_.GetSourceInfo(table))
            linkTableName_ = table;
    } catch (const std::exception&) {
        // a table whose relations cannot be read is not kept
    }
}

void frmWizard::Form_Load()
{
    saved_ = false;
    if (linkTableName_.isEmpty()) {
        hide();
        return;
    }
    model_.ListTableTree(tree_);
    for (int i = 0; i < StepCount; ++i)
        lblStep[i]->setText(StepText(WizardStep(i)));
    ShowStep(WizardStep::Introduction);
    currentTable_ = -1;
    currentGroup_ = 1;
    RefreshOrderControls();
}

bool frmWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tvTables && event->type() == QEvent::KeyPress && tvTables->currentItem()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
            tvTables_NodeClick(tvTables->currentItem());
    }
    if (watched == lstUseFields->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            lstUseFields_MouseDown();
        else if (event->type() == QEvent::MouseButtonRelease)
            QMetaObject::invokeMethod(this, &frmWizard::lstUseFields_MouseUp, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void frmWizard::reject()
{
    cmdNav_Click(NavButton::Cancel);
}

void frmWizard::ShowStep(WizardStep step)
{
    switch (step) {
    case WizardStep::Introduction:
        saved_ = false;
        break;
    case WizardStep::Tables:
        cmdAddTable->setEnabled(false);
        cmdRemoveTable->setEnabled(false);
        EnableNextByList(lstCheckedTable);
        saved_ = false;
        break;
    case WizardStep::Fields: {
        TakeOverChanges(false);
        ListWidgetControl useTable(lstUseTable);
        model_.ListCheckedTables(useTable);
        if (lstUseTable->count() > 0)
            lstUseTable->setCurrentRow(0);
        lstUseTable_Click();
        RefreshFieldButtons();
        saved_ = false;
        break;
    }
    case WizardStep::Groups: {
        TakeOverChanges(true);
        optGroup[currentGroup_]->setChecked(true);
        optGroup_Click(currentGroup_);
        EnableNextAndFinish(lstUseFields->count() > 0);
        RefreshOrderControls();
        break;
    }
    case WizardStep::Sort: {
        ListWidgetControl unsorted(lstNoUseFields);
        ListWidgetControl sorted(lstOrderByFields);
        model_.ListOrderByItem(unsorted, sorted);
        RefreshListButtons(lstNoUseFields, lstOrderByFields, cmdAddOrder, cmdRemoveOrder);
        RefreshOrderControls();
        nav(NavButton::Next)->setEnabled(true);
        break;
    }
    case WizardStep::Summary: {
        const ListWidgetControl sorted(lstOrderByFields);
        model_.MarkOrderByItem(sorted);
        saved_ = false;
        break;
    }
    default:
        return;
    }
    fraStep[int(step_)]->setEnabled(false);
    steps->setCurrentWidget(fraStep[int(step)]);
    fraStep[int(step)]->setEnabled(true);
    setWindowTitle(WizardCaption(reportName_, step));
    SetNavButtons(step);
    // A step starts on the control where its choice starts, never on a button that a click left the focus
    // on: Enter then goes to the default button.
    const std::array<QWidget*, StepCount> startControl { nav(NavButton::Next), tvTables, lstSourceField,
        lstUseFields, lstNoUseFields, nav(NavButton::Finish) };
    startControl[int(step)]->setFocus();
}

void frmWizard::TakeOverChanges(bool fieldsToo)
{
    if (tablesChanged_) {
        model_.MarkUserCheckedTable(tree_);
        model_.CreateUserCheckedItem();
        tablesChanged_ = false;
        fieldsChanged_ = true;
    }
    if (fieldsChanged_ && fieldsToo) {
        model_.ClearGroup();
        currentGroup_ = 1;
        fieldsChanged_ = false;
    }
}

// Enter goes forward: the step's forward button is the default one, 完成 on the last step.
void frmWizard::SetNavButtons(WizardStep step)
{
    step_ = step;
    nav(NavButton::Next)->setDefault(step != WizardStep::Summary);
    nav(NavButton::Finish)->setDefault(step == WizardStep::Summary);
    nav(NavButton::Back)->setEnabled(step != WizardStep::Introduction);
    if (step == WizardStep::Introduction)
        nav(NavButton::Next)->setEnabled(true);
    if (step == WizardStep::Summary)
        nav(NavButton::Next)->setEnabled(false);
}

void frmWizard::EnableNextAndFinish(bool enabled)
{
    nav(NavButton::Next)->setEnabled(enabled);
    nav(NavButton::Finish)->setEnabled(enabled);
}

void frmWizard::cmdNav_Click(NavButton button)
{
    switch (button) {
    case NavButton::Help:
        ShowWizardHelp();
        break;
    case NavButton::Cancel:
        if (platform::ui::askYesNo(QStringLiteral("您真的要取消生成数据报表吗"), Icon::Question,
                QStringLiteral("取消生成报表"))) {
            saved_ = false;
            cancelled_ = true;
            QDialog::reject();
        }
        break;
    case NavButton::Back:
        ShowStep(WizardStep(int(step_) - 1));
        break;
    case NavButton::Next:
        ShowStep(WizardStep(int(step_) + 1));
        break;
    case NavButton::Finish: {
        // Choices changed on a step that was left without going forward count too.
        TakeOverChanges(true);
        if (step_ == WizardStep::Sort)
            model_.MarkOrderByItem(ListWidgetControl(lstOrderByFields));
        {
            const platform::ui::WaitCursor waiting;
            saved_ = model_.Save();
        }
        if (saved_)
            accept();
        else
            msgBox(QStringLiteral("报表生成出错！") + QLatin1Char('\n') + model_.FailureText(), Buttons::Ok,
                Icon::Information);
        break;
    }
    }
}

void frmWizard::ShowWizardHelp()
{
    const QString topic = StepHelpTopic(step_);
    if (topic.isEmpty()) {
        msgBox(
            QStringLiteral("不存在帮助主题"), Buttons::Ok, Icon::Information, QStringLiteral("主题找不到"));
        return;
    }
    store::OpenHelpPage(topic, QStringLiteral("帮助文件找不到"));
}

void frmWizard::EnableNextByList(QListWidget* list)
{
    nav(NavButton::Next)->setEnabled(list->count() > 0);
}

void frmWizard::RefreshListButtons(
    QListWidget* source, QListWidget* target, QPushButton* add, QPushButton* remove, bool byCount)
{
    add->setEnabled(byCount ? source->count() > 0 : selectedCount(source) > 0);
    remove->setEnabled(byCount ? target->count() > 0 : selectedCount(target) > 0);
}

// ---- step 1: tables

void frmWizard::tvTables_NodeClick(QTreeWidgetItem* item)
{
    if (lstCheckedTable->count() >= clsReportWizard::MaxTables)
        return;
    const int node = tree_.nodeOf(item);
    if (node < 0 || tree_.bold(node)) {
        cmdAddTable->setEnabled(false);
        return;
    }
    const bool onPath = model_.NodeInPath(tree_, node, ListWidgetControl(lstCheckedTable));
    cmdAddTable->setEnabled(onPath);
    rememberedNode_ = onPath ? node : -1;
}

void frmWizard::cmdAddTable_Click()
{
    if (rememberedNode_ < 0 || tree_.bold(rememberedNode_)) {
        cmdAddTable->setEnabled(false);
        return;
    }
    ListWidgetControl(lstCheckedTable).addItem(tree_.text(rememberedNode_), rememberedNode_);
    tree_.setBold(rememberedNode_, true);
    cmdAddTable->setEnabled(false);
    tablesChanged_ = true;
    EnableNextByList(lstCheckedTable);
}

void frmWizard::cmdRemoveTable_Click()
{
    ListWidgetControl chosen(lstCheckedTable);
    if (chosen.selectedCount() == 0)
        return;
    for (int i = chosen.count() - 1; i >= 0; --i) {
        if (!chosen.selected(i))
            continue;
        tree_.setBold(chosen.itemData(i), false);
        chosen.removeItem(i);
    }
    cmdRemoveTable->setEnabled(false);
    EnableNextByList(lstCheckedTable);
    tablesChanged_ = true;
}

void frmWizard::lstCheckedTable_Click()
{
    cmdRemoveTable->setEnabled(selectedCount(lstCheckedTable) > 0);
}

// ---- step 2: fields

void frmWizard::lstUseTable_Click()
{
    const QList<QListWidgetItem*> selected = lstUseTable->selectedItems();
    if (selected.isEmpty())
        return;
    currentTable_ = selected.first()->data(Qt::UserRole).toInt();
    ListWidgetControl unchecked(lstSourceField);
    ListWidgetControl checked(lstCheckedField);
    model_.ListFieldsToListBox(currentTable_, &unchecked, &checked);
    RefreshFieldButtons();
}

void frmWizard::RefreshFieldButtons()
{
    const int checked = model_.CheckedFieldCount();
    const FieldButtons buttons = FieldButtonStates(checked, lstSourceField->count(),
        selectedCount(lstSourceField), lstCheckedField->count(), selectedCount(lstCheckedField));
    cmdAddField->setEnabled(buttons.addOne);
    cmdAddFields->setEnabled(buttons.addAll);
    cmdRemoveField->setEnabled(buttons.removeOne);
    cmdRemoveFields->setEnabled(buttons.removeAll);
    EnableNextAndFinish(buttons.next);
    if (buttons.tooMany)
        msgBox(TooManyFieldsText(), Buttons::Ok, Icon::Information, TooManyFieldsTitle);
}

void frmWizard::moveFields(QListWidget* from, QListWidget* to, bool addMode)
{
    ListWidgetControl source(from);
    ListWidgetControl destination(to);
    model_.MoveListItem(source, destination, addMode);
    const ListWidgetControl checked(lstCheckedField);
    model_.MarkCheckFields(currentTable_, &checked);
    RefreshFieldButtons();
    fieldsChanged_ = true;
}

void frmWizard::cmdAddField_Click()
{
    moveFields(lstSourceField, lstCheckedField, true);
}

void frmWizard::cmdRemoveField_Click()
{
    moveFields(lstCheckedField, lstSourceField, false);
}

void frmWizard::cmdAddFields_Click()
{
    const AddAllFields add = FieldsToAddAll(model_.CheckedFieldCount(), lstSourceField->count());
    for (int i = 0; i < lstSourceField->count(); ++i)
        lstSourceField->item(i)->setSelected(i < add.take);
    cmdAddField_Click();
    fieldsChanged_ = true;
    if (add.limited)
        msgBox(CannotAddMoreFieldsText(), Buttons::Ok, Icon::Information, TooManyFieldsTitle);
}

void frmWizard::cmdRemoveFields_Click()
{
    lstCheckedField->selectAll();
    cmdRemoveField_Click();
}

void frmWizard::lstSourceField_Click()
{
    if (model_.CheckedFieldCount() >= clsReportWizard::MaxFields)
        cmdAddField->setEnabled(false);
    else
        RefreshListButtons(lstSourceField, lstCheckedField, cmdAddField, cmdRemoveField);
}

void frmWizard::lstSourceField_DblClick()
{
    if (model_.CheckedFieldCount() >= clsReportWizard::MaxFields) {
        msgBox(CannotAddMoreFieldsText(), Buttons::Ok, Icon::Information, TooManyFieldsTitle);
        return;
    }
    if (lstSourceField->count() > 0 && selectedCount(lstSourceField) > 0)
        cmdAddField_Click();
}

void frmWizard::lstCheckedField_Click()
{
    cmdRemoveField->setEnabled(selectedCount(lstCheckedField) > 0);
}

// ---- step 3: groups

void frmWizard::optGroup_Click(int level)
{
    currentGroup_ = level;
    ListWidgetControl ungrouped(lstUseFields);
    ListWidgetControl grouped(lstGroupFields);
    model_.ListGroupItem(level, ungrouped, grouped);
    RefreshGroupControls();
}

void frmWizard::RefreshGroupControls()
{
    const int open = model_.CheckGroup();
    for (int level = 1; level <= 3; ++level)
        optGroup[level]->setEnabled(level <= open);
    RefreshListButtons(lstUseFields, lstGroupFields, cmdAddGroup, cmdRemoveGroup);
}

void frmWizard::cmdAddGroup_Click()
{
    if (!GroupFieldsFit(model_.CheckedGroupItemCount(), selectedCount(lstUseFields))) {
        cmdAddGroup->setEnabled(false);
        msgBox(TooManyGroupFieldsText(), Buttons::Ok, Icon::Information, TooManyFieldsTitle);
        return;
    }
    moveGroupFields(lstUseFields, lstGroupFields);
}

void frmWizard::cmdRemoveGroup_Click()
{
    moveGroupFields(lstGroupFields, lstUseFields);
}

void frmWizard::moveGroupFields(QListWidget* from, QListWidget* to)
{
    ListWidgetControl source(from);
    ListWidgetControl destination(to);
    model_.MoveListItem(source, destination);
    model_.MarkUserCheckedGroup(currentGroup_, ListWidgetControl(lstGroupFields));
    // Listed again: recording a level empties the deeper ones, whose fields come back to the field list.
    optGroup_Click(currentGroup_);
    const bool ungroupedLeft = lstUseFields->count() > 0;
    EnableNextAndFinish(ungroupedLeft);
}

void frmWizard::lstUseFields_MouseDown()
{
    groupedAtMouseDown_ = model_.CheckedGroupItemCount();
    groupLimitFlag_ = false;
}

void frmWizard::lstUseFields_MouseUp()
{
    const int selected = selectedCount(lstUseFields);
    if (GroupFieldsFit(groupedAtMouseDown_, selected))
        return;
    cmdAddGroup->setEnabled(false);
    if (selected >= 2 || groupLimitFlag_)
        msgBox(TooManyGroupFieldsText(), Buttons::Ok, Icon::Information, TooManyFieldsTitle);
}

void frmWizard::lstUseFields_DblClick()
{
    if (!GroupFieldsFit(model_.CheckedGroupItemCount(), selectedCount(lstUseFields))) {
        cmdAddGroup->setEnabled(false);
        groupLimitFlag_ = true;
        return;
    }
    if (lstUseFields->count() > 0 && selectedCount(lstUseFields) > 0)
        cmdAddGroup_Click();
}

void frmWizard::lstGroupFields_MouseUp()
{
    if (model_.CheckedGroupItemCount() >= clsReportWizard::MaxGroupFields)
        cmdAddGroup->setEnabled(false);
    else
        RefreshListButtons(lstUseFields, lstGroupFields, cmdAddGroup, cmdRemoveGroup);
}

// ---- step 4: sort

void frmWizard::moveSortFields(QListWidget* from, QListWidget* to)
{
    ListWidgetControl source(from);
    ListWidgetControl destination(to);
    model_.MoveListItem(source, destination);
    model_.MarkOrderByItem(ListWidgetControl(lstOrderByFields));
    RefreshListButtons(lstNoUseFields, lstOrderByFields, cmdAddOrder, cmdRemoveOrder);
    RefreshOrderControls();
}

void frmWizard::cmdAddOrder_Click()
{
    moveSortFields(lstNoUseFields, lstOrderByFields);
}

void frmWizard::cmdRemoveOrder_Click()
{
    moveSortFields(lstOrderByFields, lstNoUseFields);
}

void frmWizard::moveOrderEntry(int offset)
{
    const QList<QListWidgetItem*> selected = lstOrderByFields->selectedItems();
    if (selected.size() != 1)
        return;
    const int from = lstOrderByFields->row(selected.first());
    const int to = from + offset;
    if (to < 0 || to >= lstOrderByFields->count())
        return;
    QListWidgetItem* entry = lstOrderByFields->takeItem(from);
    lstOrderByFields->insertItem(to, entry);
    lstOrderByFields->clearSelection();
    entry->setSelected(true);
    model_.MarkOrderByItem(ListWidgetControl(lstOrderByFields));
}

void frmWizard::cmdMoveUP_Click()
{
    moveOrderEntry(-1);
}

void frmWizard::cmdMoveDown_Click()
{
    moveOrderEntry(1);
}

void frmWizard::lstOrderByFields_Click()
{
    const QList<QListWidgetItem*> selected = lstOrderByFields->selectedItems();
    if (!selected.isEmpty()) {
        if (const auto descending = model_.GetSortMethod(selected.first()->data(Qt::UserRole).toInt()))
            optSort[*descending ? 1 : 0]->setChecked(true);
    }
    RefreshListButtons(lstNoUseFields, lstOrderByFields, cmdAddOrder, cmdRemoveOrder);
    RefreshOrderControls();
}

void frmWizard::lstNoUseFields_Click()
{
    RefreshListButtons(lstNoUseFields, lstOrderByFields, cmdAddOrder, cmdRemoveOrder);
}

void frmWizard::optSort_Click(int index)
{
    for (QListWidgetItem* entry : lstOrderByFields->selectedItems())
        model_.SetSortMethod(entry->data(Qt::UserRole).toInt(), index == 1);
}

void frmWizard::RefreshOrderControls()
{
    const bool one = selectedCount(lstOrderByFields) == 1;
    cmdMoveUP->setEnabled(one);
    cmdMoveDown->setEnabled(one);
    frOrder->setEnabled(one);
    const bool any = lstOrderByFields->count() > 0;
    if (!any) {
        for (QRadioButton* option : optSort) {
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
    for (QRadioButton* option : optSort)
        option->setEnabled(any);
}

} // namespace wizard
