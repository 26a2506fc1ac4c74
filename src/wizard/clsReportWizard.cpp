#include "wizard/clsReportWizard.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/outside/IdGeneratorObject.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/ui/MessageBox.h"
#include "store/DescribedColumns.h"
#include "wizard/WizardControls.h"

#include <algorithm>

namespace wizard
{


namespace
{

constexpr int DepthLimit = 5;
const QString RootKey = QStringLiteral("0_0_0");

// The head that three relation queries share: a relation row with the display name of one of its tables.
const QString RelationHead = QStringLiteral(
    "Select ltrim(rtrim(T2.table_auxi_name)) as table_auxi_name, ltrim(rtrim(T1.m_table_name)) as "
    "m_table_name, "
    "ltrim(rtrim(T1.s_table_name)) as s_table_name From tables_relation T1, table_description T2 ");

QString trimmedText(const platform::db::Recordset& rows, const char* field)
{
    return rows.text(QString::fromLatin1(field)).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The level of a node: the second "_" field of its key, 0 for the root.
int nodeLevel(const WizardTree& tree, int node)
{
    return tree.key(node).section(QLatin1Char('_'), 1, 1).toInt();
}

void addTableNodes(
    WizardTree& tree, const QList<TableTreeEntry>& entries, int level, int parent, const QString& path)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString childPath = path + QStringLiteral(":%1").arg(i + 1);
        const int node = tree.addNode(parent, QStringLiteral("SUB_%1_%2").arg(level).arg(childPath),
            entries[i].tableName, entries[i].displayName);
        addTableNodes(tree, entries[i].children, level + 1, node, childPath);
    }
}

QString fieldText(const WizardField& field)
{
    return field.tableDisplayName + QLatin1Char('.') + field.caption;
}

} // namespace

clsReportWizard::clsReportWizard()
    : reportId_(platform::outside::IdGeneratorObject().newId())
{
}

void clsReportWizard::setError(qint32 number, const QString& description)
{
    error_ = { number, description };
}

bool clsReportWizard::CheckConnection()
{
    if (!Connection)
        return false;
    QString prompt = QStringLiteral("到数据库的连接已经断开, 是否进行重新连接");
    while (!Connection->database().isOpen()) {
        if (!platform::ui::askYesNo(prompt, platform::ui::Icon::Question, QStringLiteral("连接数据库")))
            return false;
        Connection->database().open();
        prompt = QStringLiteral("无法连接到数据库, 请检查数据库服务器是否正在运行,\r\n"
                                "网络是否连接好,用户权限是否存在。按<是>继续连接\r\n按<否>取消生成数据报表");
    }
    return true;
}

std::unique_ptr<platform::db::Recordset> clsReportWizard::open(const QString& sql, const QVariantList& values)
{
    return platform::outside::sharedSqlAdapter()->open(sql, *Connection, values);
}

bool clsReportWizard::GetSourceInfo(const QString& table)
{
    error_ = {};
    if (!CheckConnection()) {
        setError(ConnectionUnavailable, QStringLiteral("与数据库的连接不可用"));
        return false;
    }
    if (table.trimmed().isEmpty()) {
        setError(InvalidTableName, QStringLiteral("无效的表名"));
        return false;
    }
    return GetRelationTables(table.trimmed());
}

bool clsReportWizard::GetRelationTables(const QString& table)
{
    tree_.clear();
    const auto relations = open(QStringLiteral("Select DISTINCT ltrim(rtrim(m_table_name)) as m_table_name, "
                                               "ltrim(rtrim(s_table_name)) as s_table_name From tables_relation "
                                               "Where ((m_table_name = ?) OR (s_table_name = ?))"),
        { table, table });
    bool isMaster = false;
    bool isSub = false;
    for (; !relations->eof(); relations->moveNext()) {
        if (sameName(trimmedText(*relations, "m_table_name"), table))
            isMaster = true;
        else
            isSub = true;
    }
    if (!isMaster && !isSub) {
        const auto described
            = open(QStringLiteral("Select ltrim(rtrim(table_auxi_name)) as table_auxi_name, "
                                  "ltrim(rtrim(table_name)) as table_name From table_description "
                                  "Where table_name = ?"),
                { table });
        if (!described->eof())
            tree_.append(
                { trimmedText(*described, "table_name"), trimmedText(*described, "table_auxi_name"), {} });
        return !tree_.isEmpty();
    }

    QList<TableTreeEntry> working;
    int depth = 0;
    if (isMaster) {
        const auto described = open(QStringLiteral("Select ltrim(rtrim(table_auxi_name)) as table_auxi_name "
                                                   "From table_description Where ltrim(rtrim(table_name)) = ?"),
            { table });
        if (!described->eof())
            working.append({ table, trimmedText(*described, "table_auxi_name"),
                GetSubTables(0, table, DepthLimit, depth) });
    }
    if (isSub && depth < DepthLimit) {
        if (!isMaster) {
            const auto own = open(RelationHead
                    + QStringLiteral("Where (ltrim(rtrim(T2.table_name)) = s_table_name) AND (s_table_name = ?)"),
                { table });
            working.clear();
            if (!own->eof())
                working.append(
                    { trimmedText(*own, "s_table_name"), trimmedText(*own, "table_auxi_name"), {} });
        }
        // Climb the single line of masters above the table.
        QString current = table;
        while (depth <= DepthLimit) {
            const auto masters = open(
                RelationHead + QStringLiteral("Where (ltrim(rtrim(T2.table_name)) = m_table_name) AND (s_table_name = ?)"),
                { current });
            if (masters->recordCount() != 1)
                break;
            current = trimmedText(*masters, "m_table_name");
            working = { { current, trimmedText(*masters, "table_auxi_name"), working } };
            ++depth;
        }
    }
    tree_ = working;
    return !tree_.isEmpty();
}

QList<TableTreeEntry> clsReportWizard::GetSubTables(int depth, const QString& master, int limit, int& deepest)
{
    QList<TableTreeEntry> subs;
    const auto rows = open(
        RelationHead + QStringLiteral("Where (ltrim(rtrim(T2.table_name)) = s_table_name) AND (m_table_name = ?)"),
        { master });
    const int level = depth + 1;
    for (; !rows->eof(); rows->moveNext()) {
        TableTreeEntry entry { trimmedText(*rows, "s_table_name"), trimmedText(*rows, "table_auxi_name"),
            {} };
        deepest = std::max(deepest, level);
        if (level < limit)
            entry.children = GetSubTables(level, entry.tableName, limit, deepest);
        subs.append(entry);
    }
    return subs;
}

void clsReportWizard::ListTableTree(WizardTree& tree) const
{
    tree.clear();
    if (tree_.isEmpty())
        return;
    const TableTreeEntry& top = tree_.first();
    const int root = tree.addNode(-1, RootKey, top.tableName, top.displayName);
    addTableNodes(tree, top.children, 1, root, QStringLiteral("0"));
}

bool clsReportWizard::IsAncestorNode(const WizardTree& tree, int ancestor, int node) const
{
    int current = node;
    for (int step = 0; step < 6; ++step) {
        if (current < 0 || tree.key(current) == RootKey)
            return false;
        current = tree.parent(current);
        if (current == ancestor)
            return true;
    }
    return false;
}

bool clsReportWizard::NodeInPath(const WizardTree& tree, int node, const WizardList& chosen) const
{
    const int level = nodeLevel(tree, node);
    if (chosen.count() == 0)
        return true;
    if (chosen.count() == 1) {
        const int only = chosen.itemData(0);
        const int onlyLevel = nodeLevel(tree, only);
        if (level < onlyLevel)
            return IsAncestorNode(tree, node, only);
        if (level == onlyLevel)
            return node == only;
        return IsAncestorNode(tree, only, node);
    }
    if (chosen.count() >= MaxTables)
        return false;
    int shallow = chosen.itemData(0);
    int deep = chosen.itemData(1);
    if (nodeLevel(tree, deep) < nodeLevel(tree, shallow))
        std::swap(shallow, deep);
    const int shallowLevel = nodeLevel(tree, shallow);
    const int deepLevel = nodeLevel(tree, deep);
    if (level == deepLevel)
        return node == deep;
    if (level == shallowLevel)
        return node == shallow;
    if (level < shallowLevel)
        return IsAncestorNode(tree, node, shallow);
    if (level > deepLevel)
        return IsAncestorNode(tree, deep, node);
    // Between the two: only a node on the chain joining them, never one on a side branch.
    return IsAncestorNode(tree, shallow, node) && IsAncestorNode(tree, node, deep);
}

QList<int> clsReportWizard::FindPath(const WizardTree& tree) const
{
    QList<int> bold;
    for (int node = 0; node < tree.nodeCount(); ++node) {
        if (tree.bold(node))
            bold.append(node);
    }
    if (bold.size() <= 1)
        return bold;
    int deepest = -1;
    int shallowest = -1;
    for (const int node : bold) {
        const int level = nodeLevel(tree, node);
        if (level >= 6)
            continue;
        if (deepest < 0 || level > nodeLevel(tree, deepest))
            deepest = node;
        if (shallowest < 0 || level < nodeLevel(tree, shallowest))
            shallowest = node;
    }
    if (deepest < 0)
        return {};
    QList<int> path { deepest };
    for (int node = deepest; node != shallowest;) {
        if (tree.key(node) == RootKey)
            return {};
        node = tree.parent(node);
        path.prepend(node);
    }
    return path;
}

void clsReportWizard::MarkUserCheckedTable(const WizardTree& tree)
{
    tables_.clear();
    const QList<int> path = FindPath(tree);
    for (const int node : path) {
        WizardTable table;
        table.nodeKey = tree.key(node);
        table.tableName = tree.tag(node);
        table.displayName = tree.text(node);
        table.used = tree.bold(node);
        table.fields = GetTableFields(table);
        tables_.append(table);
    }
}

QList<WizardField> clsReportWizard::GetTableFields(const WizardTable& table)
{
    QList<WizardField> fields;
    const auto rows = open(QStringLiteral("Select ltrim(rtrim(column_name)) as column_name, "
                                          "ltrim(rtrim(column_chn_name)) as column_chn_name "
                                          "From table_struct_description Where (table_name = ?) "
                                          "And (column_visible = 'T')"),
        { table.tableName });
    for (; !rows->eof(); rows->moveNext()) {
        WizardField field;
        field.tableName = table.tableName;
        field.tableDisplayName = table.displayName;
        field.fieldName = trimmedText(*rows, "column_name");
        field.caption = trimmedText(*rows, "column_chn_name");
        if (store::NamesAField(table.tableName, field.fieldName, field.caption, "GetTableFields"))
            fields.append(field);
    }
    return fields;
}

void clsReportWizard::ListCheckedTables(WizardList& list) const
{
    list.clear();
    for (qsizetype i = 0; i < tables_.size(); ++i) {
        if (tables_[i].used)
            list.addItem(tables_[i].displayName, int(i));
    }
}

void clsReportWizard::ListFieldsToListBox(int table, WizardList* unchecked, WizardList* checked) const
{
    if (table < 0 || table >= tables_.size() || !unchecked || !checked)
        return;
    unchecked->clear();
    checked->clear();
    const QList<WizardField>& fields = tables_[table].fields;
    for (qsizetype i = 0; i < fields.size(); ++i)
        (fields[i].checked ? checked : unchecked)->addItem(fields[i].caption, int(i));
}

void clsReportWizard::MoveListItem(WizardList& source, WizardList& destination, bool addMode) const
{
    const int base = addMode ? CheckedFieldCount() : 0;
    int moved = 0;
    for (int i = 0; i < source.count();) {
        if (!source.selected(i)) {
            ++i;
            continue;
        }
        destination.addItem(source.text(i), source.itemData(i));
        source.removeItem(i);
        ++moved;
        if (addMode && base + moved >= MaxFields)
            return;
    }
}

void clsReportWizard::MarkCheckFields(int table, const WizardList* checked)
{
    if (table < 0 || table >= tables_.size() || !checked)
        return;
    QList<WizardField>& fields = tables_[table].fields;
    for (WizardField& field : fields)
        field.checked = false;
    for (int i = 0; i < checked->count(); ++i) {
        const int field = checked->itemData(i);
        if (field >= 0 && field < fields.size())
            fields[field].checked = true;
    }
    CreateUserCheckedItem();
}

void clsReportWizard::CreateUserCheckedItem()
{
    items_.clear();
    for (const WizardTable& table : tables_) {
        if (!table.used)
            continue;
        for (const WizardField& field : table.fields) {
            if (field.checked)
                items_.append(field);
        }
    }
}

void clsReportWizard::ListGroupItem(int level, WizardList& ungrouped, WizardList& grouped) const
{
    ungrouped.clear();
    grouped.clear();
    for (qsizetype i = 0; i < items_.size(); ++i) {
        if (items_[i].groupLevel == level)
            grouped.addItem(fieldText(items_[i]), int(i));
        else if (items_[i].groupLevel == 0)
            ungrouped.addItem(fieldText(items_[i]), int(i));
    }
}

void clsReportWizard::MarkUserCheckedGroup(int level, const WizardList& grouped)
{
    if (level < 1 || level > clsDataReportGroup::Levels)
        return;
    groups_.RemoveGroup(level);
    for (WizardField& item : items_) {
        if (item.groupLevel >= level)
            item.groupLevel = 0;
    }
    for (int i = 0; i < grouped.count(); ++i) {
        const int index = grouped.itemData(i);
        if (!validItem(index))
            continue;
        WizardField& item = items_[index];
        if (groups_.AddField(level, item.fieldName, item.caption, item.tableName))
            item.groupLevel = level;
    }
}

int clsReportWizard::CheckGroup()
{
    bool used[clsDataReportGroup::Levels + 1] = {};
    for (const WizardField& item : items_) {
        if (item.groupLevel >= 1 && item.groupLevel <= clsDataReportGroup::Levels)
            used[item.groupLevel] = true;
    }
    int free = 1;
    while (free <= clsDataReportGroup::Levels && used[free])
        ++free;
    if (free > clsDataReportGroup::Levels)
        return clsDataReportGroup::Levels;
    for (WizardField& item : items_) {
        if (item.groupLevel > free)
            item.groupLevel = 0;
    }
    groups_.RemoveGroup(free);
    return free;
}

void clsReportWizard::ClearGroup()
{
    groups_.Clear();
    for (WizardField& item : items_)
        item.groupLevel = 0;
}

void clsReportWizard::ListOrderByItem(WizardList& unsorted, WizardList& sorted)
{
    unsorted.clear();
    sorted.clear();
    QList<int> sortFields;
    for (qsizetype i = 0; i < items_.size(); ++i) {
        WizardField& item = items_[i];
        if (item.groupLevel != 0) {
            item.inSort = false;
            item.descending = false;
            item.sortPosition = 0;
        } else if (item.inSort) {
            sortFields.append(int(i));
        } else {
            unsorted.addItem(fieldText(item), int(i));
        }
    }
    std::stable_sort(sortFields.begin(), sortFields.end(),
        [&](int a, int b) { return items_[a].sortPosition < items_[b].sortPosition; });
    for (const int i : sortFields)
        sorted.addItem(fieldText(items_[i]), i);
}

void clsReportWizard::MarkOrderByItem(const WizardList& sorted)
{
    for (WizardField& item : items_) {
        item.inSort = false;
        item.sortPosition = 0;
    }
    for (int k = 0; k < sorted.count(); ++k) {
        const int index = sorted.itemData(k);
        if (!validItem(index))
            continue;
        items_[index].inSort = true;
        items_[index].sortPosition = k;
    }
}

std::optional<bool> clsReportWizard::GetSortMethod(int item) const
{
    if (!validItem(item) || !items_[item].inSort)
        return std::nullopt;
    return items_[item].descending;
}

void clsReportWizard::SetSortMethod(int item, bool descending)
{
    if (validItem(item) && items_[item].inSort)
        items_[item].descending = descending;
}

int clsReportWizard::CheckedFieldCount() const
{
    int count = 0;
    for (const WizardTable& table : tables_) {
        if (!table.used)
            continue;
        count += int(std::count_if(table.fields.begin(), table.fields.end(),
            [](const WizardField& field) { return field.checked; }));
    }
    return count;
}

int clsReportWizard::CheckedGroupItemCount() const
{
    return int(std::count_if(
        items_.begin(), items_.end(), [](const WizardField& item) { return item.groupLevel > 0; }));
}

QString clsReportWizard::GetJoinCondition(const QStringList& chain)
{
    error_ = {};
    if (!CheckConnection()) {
        setError(ConnectionUnavailable, QStringLiteral("与数据库的连接不可用"));
        return QString();
    }
    if (chain.isEmpty() || chain.first().isEmpty()) {
        setError(InvalidTableName, QStringLiteral("无效的表名"));
        return QString();
    }
    QString condition;
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
        const QString& master = chain[i];
        const QString& sub = chain[i + 1];
        const auto columns
            = open(QStringLiteral("Select ltrim(rtrim(m_col_name)) as m_col_name, "
                                  "ltrim(rtrim(s_col_name)) as s_col_name From tables_relation "
                                  "Where (ltrim(rtrim(m_table_name)) = ?) And "
                                  "(ltrim(rtrim(s_table_name)) = ?) Order by relation_no"),
                { master, sub });
        for (; !columns->eof(); columns->moveNext()) {
            if (!condition.isEmpty())
                condition += QStringLiteral(" And ");
            condition += QStringLiteral(" (%1.%2 = %3.%4)")
                             .arg(master, trimmedText(*columns, "m_col_name"), sub,
                                 trimmedText(*columns, "s_col_name"));
        }
    }
    return condition;
}

} // namespace wizard
