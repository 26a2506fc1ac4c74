#include "WizardFixture.h"

#include <QSet>

using namespace wizardtest;
using wizard::clsReportWizard;

namespace
{

class WizardSelection : public WizardTest
{
protected:
    // A side table under the volumes, beside the documents: wsaj -> wsda -> wsfj, wsaj -> wsjn.
    void addSideTable()
    {
        execute("insert into table_description (table_name, table_auxi_name, table_chn_name) "
                "values ('wsjn', '卷内备考', '卷内备考')");
        execute(
            "insert into tables_relation (m_table_name, s_table_name, m_col_name, s_col_name, relation_no) "
            "values ('wsaj', 'wsjn', 'folder_no', 'folder_no', 1)");
    }

    MemoryList chosen(std::initializer_list<const char*> tables)
    {
        MemoryList list;
        for (const char* table : tables)
            list.addItem(table, tree.nodeOf(table));
        return list;
    }
};
WIZARD_TEST_SUITE(WizardSelection);

TEST_P(WizardSelection, TheTreeHangsTheSourceTableBelowItsMastersWithItsSubs)
{
    addSideTable();
    clsReportWizard wizard;
    load(wizard);
    QStringList nodes;
    for (const MemoryTree::Node& node : tree.nodes)
        nodes.append(node.key + " " + node.tag + " " + node.text);
    // Of the masters only the line above the source table: wsjn, a sub of wsaj, is not offered.
    EXPECT_EQ(nodes,
        (QStringList { "0_0_0 wsaj 文书案卷", "SUB_1_0:1 wsda 文书档案", "SUB_2_0:1:1 wsfj 文书附件" }));

    clsReportWizard fromTop;
    load(fromTop, "wsaj");
    EXPECT_EQ(tree.nodes.size(), 4);
    EXPECT_EQ(tree.nodes[3].key, "SUB_1_0:2");
}

// The tree reaches five levels of subs below the source table, and climbs masters while it has gone
// no deeper than five levels (below or above); a table with more than one master relation row, two
// masters or one master joined on two columns, ends the climb, since no single line leads up from it.
TEST_P(WizardSelection, TheTreeStopsAtItsDepthLimitAndAtATableOfSeveralMasters)
{
    const struct {
        const char* what;
        QStringList relations; // "master>sub"
        const char* source;
        const char* expected; // the tables of the tree in node order
    } cases[] = {
        { "six masters climbed, the seventh not",
            { "a7>a6", "a6>a5", "a5>a4", "a4>a3", "a3>a2", "a2>a1", "a1>a0" }, "a0", "a6 a5 a4 a3 a2 a1 a0" },
        { "five levels of subs, the sixth not", { "b0>b1", "b1>b2", "b2>b3", "b3>b4", "b4>b5", "b5>b6" },
            "b0", "b0 b1 b2 b3 b4 b5" },
        { "subs four deep: two masters climbed",
            { "c0>c1", "c1>c2", "c2>c3", "c3>c4", "m1>c0", "m2>m1", "m3>m2" }, "c0", "m2 m1 c0 c1 c2 c3 c4" },
        { "subs five deep: no climb", { "d0>d1", "d1>d2", "d2>d3", "d3>d4", "d4>d5", "dm>d0" }, "d0",
            "d0 d1 d2 d3 d4 d5" },
        { "the source has two masters", { "e1>e0", "e2>e0", "e0>e3" }, "e0", "e0 e3" },
        { "its master has two masters", { "f1>f0", "f2>f1", "f3>f1" }, "f0", "f1 f0" },
        { "a master joined on two columns", { "g1>g0", "g1>g0", "g2>g1" }, "g0", "g0" },
    };
    for (const auto& c : cases) {
        QSet<QString> described;
        for (qsizetype i = 0; i < c.relations.size(); ++i) {
            const QString master = c.relations[i].section('>', 0, 0);
            const QString sub = c.relations[i].section('>', 1, 1);
            for (const QString& table : { master, sub }) {
                if (!described.contains(table))
                    execute(QStringLiteral("insert into table_description (table_name, table_auxi_name, "
                                           "table_chn_name) values ('%1', '%1表', '%1表')")
                                .arg(table));
                described.insert(table);
            }
            execute(QStringLiteral("insert into tables_relation (m_table_name, s_table_name, m_col_name, "
                                   "s_col_name, relation_no) values ('%1', '%2', 'id', 'id', %3)")
                        .arg(master, sub)
                        .arg(i + 1));
        }
        clsReportWizard wizard;
        load(wizard, c.source);
        QStringList tables;
        for (const MemoryTree::Node& node : tree.nodes)
            tables.append(node.tag);
        EXPECT_EQ(tables.join(' ').toStdString(), c.expected) << c.what;
    }
}

TEST_P(WizardSelection, SourceTablesWithoutRelationsOrDescription)
{
    execute("insert into table_description (table_name, table_auxi_name, table_chn_name) "
            "values ('lone', '孤表', '孤表')");
    clsReportWizard wizard;
    load(wizard, "lone");
    EXPECT_EQ(tree.nodes.size(), 1);
    EXPECT_EQ(tree.nodes[0].key, "0_0_0");

    EXPECT_FALSE(wizard.GetSourceInfo("nowhere"));
    EXPECT_FALSE(wizard.GetSourceInfo("  "));
    EXPECT_EQ(wizard.LastError().number, clsReportWizard::InvalidTableName);
    EXPECT_EQ(wizard.LastError().description, "无效的表名");
    clsReportWizard unconnected;
    EXPECT_FALSE(unconnected.GetSourceInfo("wsda"));
    EXPECT_EQ(unconnected.LastError().number, qint32(0x80040BBD));
    EXPECT_EQ(unconnected.LastError().description, "与数据库的连接不可用");
}

// A closed connection is opened again when the user agrees; refused, the tree is not loaded.
TEST_P(WizardSelection, AClosedConnectionAsksToReconnect)
{
    clsReportWizard wizard;
    wizard.Connection = database->connection();
    database->connection()->database().close();
    ui.queueAnswer(platform::ui::MsgBoxResult::No);
    EXPECT_FALSE(wizard.GetSourceInfo("wsda"));
    EXPECT_EQ(wizard.LastError().number, clsReportWizard::ConnectionUnavailable);
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].text, "到数据库的连接已经断开, 是否进行重新连接");
    EXPECT_EQ(ui.boxes()[0].title, "连接数据库");
    EXPECT_EQ(ui.boxes()[0].buttons, platform::ui::Buttons::YesNo);

    ui.queueAnswer(platform::ui::MsgBoxResult::Yes);
    EXPECT_TRUE(wizard.GetSourceInfo("wsda"));
    EXPECT_EQ(wizard.TableTree().first().tableName, "wsaj");
}

// Chosen tables lie on one chain of masters and subs, at most three of them; a table on a side branch
// between two chosen ones would be dropped from the report, so it cannot be chosen.
TEST_P(WizardSelection, OnlyNodesOnTheChainThroughTheChosenTablesCanBeChosen)
{
    execute("insert into table_description (table_name, table_auxi_name, table_chn_name) "
            "values ('wsbz', '文件备注', '文件备注'), ('wsyj', '附件意见', '附件意见')");
    execute("insert into tables_relation (m_table_name, s_table_name, m_col_name, s_col_name, relation_no) "
            "values ('wsda', 'wsbz', 'recid', 'doc_recid', 1), ('wsbz', 'wsyj', 'recid', 'note_recid', 1)");
    clsReportWizard wizard;
    load(wizard);
    ASSERT_EQ(tree.nodes.size(), 5); // wsaj, wsda, wsfj, wsbz, wsyj
    const struct {
        std::initializer_list<const char*> chosen;
        const char* node;
        bool allowed;
    } cases[] = {
        { {}, "wsfj", true },
        { { "wsda" }, "wsaj", true },
        { { "wsda" }, "wsfj", true },
        { { "wsfj" }, "wsbz", false },
        { { "wsda" }, "wsda", true },
        { { "wsaj", "wsfj" }, "wsda", true },
        { { "wsaj", "wsyj" }, "wsbz", true },
        { { "wsaj", "wsyj" }, "wsfj", false },
        { { "wsda", "wsfj" }, "wsaj", true },
        { { "wsaj", "wsda" }, "wsyj", true },
        { { "wsaj", "wsfj" }, "wsyj", false },
        { { "wsaj", "wsda", "wsfj" }, "wsbz", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        EXPECT_EQ(wizard.NodeInPath(tree, tree.nodeOf(c.node), chosen(c.chosen)), c.allowed);
    }
}

TEST_P(WizardSelection, TheTableListIsTheChainBetweenTheChosenTables)
{
    clsReportWizard wizard;
    load(wizard);
    tree.setBold(tree.nodeOf("wsfj"), true);
    tree.setBold(tree.nodeOf("wsaj"), true);
    wizard.MarkUserCheckedTable(tree);
    QStringList tables;
    for (const wizard::WizardTable& table : wizard.Tables())
        tables.append(table.tableName + (table.used ? "*" : ""));
    EXPECT_EQ(tables, (QStringList { "wsaj*", "wsda", "wsfj*" }));
    MemoryList listed;
    wizard.ListCheckedTables(listed);
    EXPECT_EQ(listed.texts(), (QStringList { "文书案卷", "文书附件" }));
    MemoryList unchecked;
    MemoryList checked;
    wizard.ListFieldsToListBox(2, &unchecked, &checked);
    EXPECT_EQ(unchecked.texts(), (QStringList { "记录号", "文件记录号", "附件号", "附件题名", "页数" }));

    tree.setBold(tree.nodeOf("wsfj"), false);
    tree.setBold(tree.nodeOf("wsaj"), false);
    wizard.MarkUserCheckedTable(tree);
    EXPECT_TRUE(wizard.Tables().isEmpty()) << "nothing chosen before stays behind";
}

TEST_P(WizardSelection, JoinConditionsFollowTheRelationRowsInOrder)
{
    execute("insert into tables_relation (m_table_name, s_table_name, m_col_name, s_col_name, relation_no) "
            "values ('wsaj', 'wsda', 'filing_year', 'filing_year', 2)");
    clsReportWizard wizard;
    load(wizard);
    EXPECT_EQ(wizard.GetJoinCondition({ "wsaj", "wsda" }),
        " (wsaj.folder_no = wsda.folder_no) And  (wsaj.filing_year = wsda.filing_year)");
    EXPECT_EQ(wizard.GetJoinCondition({ "wsda", "wsaj" }), "") << "the master comes first";
    EXPECT_EQ(wizard.GetJoinCondition({ "" }), "");
    EXPECT_EQ(wizard.LastError().number, clsReportWizard::InvalidTableName);
}

// The group layout and the checked items stay in step: a level's change empties the deeper levels in
// both, and the sort step keeps the order and directions chosen before.
TEST_P(WizardSelection, GroupLevelsAndSortFieldsStayInStep)
{
    clsReportWizard wizard;
    load(wizard);
    const FieldChoice year { "wsda", "filing_year" };
    const FieldChoice period { "wsda", "retention" };
    const FieldChoice title { "wsda", "title" };
    const FieldChoice pages { "wsda", "page_no", true };
    choose(wizard, { { "wsda" }, { year, period, title, pages }, { { year }, { period } }, {} });
    EXPECT_EQ(wizard.Groups().Count(), 2);
    EXPECT_EQ(wizard.CheckedGroupItemCount(), 2);
    EXPECT_EQ(wizard.CheckGroup(), 3);

    MemoryList levelOne;
    levelOne.addItem("归档年度", itemOf(wizard, year));
    levelOne.addItem("保管期限", itemOf(wizard, title));
    wizard.MarkUserCheckedGroup(1, levelOne);
    EXPECT_EQ(wizard.Groups().Count(), 1);
    EXPECT_EQ(wizard.CheckedItems()[itemOf(wizard, period)].groupLevel, 0) << "level 2 emptied in both";
    MemoryList ungrouped;
    MemoryList grouped;
    wizard.ListGroupItem(2, ungrouped, grouped);
    EXPECT_EQ(ungrouped.texts(), (QStringList { "文书档案.保管期限", "文书档案.页数" }));
    EXPECT_EQ(wizard.CheckGroup(), 2);

    MemoryList unsorted;
    MemoryList sorted;
    wizard.ListOrderByItem(unsorted, sorted);
    EXPECT_EQ(unsorted.texts(), (QStringList { "文书档案.保管期限", "文书档案.页数" }));
    sorted.addItem("页数", itemOf(wizard, pages));
    sorted.addItem("保管期限", itemOf(wizard, period));
    wizard.MarkOrderByItem(sorted);
    wizard.SetSortMethod(itemOf(wizard, pages), true);
    EXPECT_EQ(wizard.GetSortMethod(itemOf(wizard, pages)), std::optional<bool>(true));
    EXPECT_EQ(wizard.GetSortMethod(itemOf(wizard, year)), std::nullopt);
    wizard.ListOrderByItem(unsorted, sorted);
    EXPECT_EQ(sorted.texts(), (QStringList { "文书档案.页数", "文书档案.保管期限" }));
    EXPECT_EQ(wizard.GetSortMethod(itemOf(wizard, pages)), std::optional<bool>(true));

    wizard.ClearGroup();
    EXPECT_EQ(wizard.Groups().Count(), 0);
    EXPECT_EQ(wizard.CheckedGroupItemCount(), 0);
}

} // namespace

// A description row without a column name names no field: the wizard offers the others and logs it.
TEST_P(WizardSelection, DescriptionRowsWithoutAColumnNameAreLeftOutAndLogged)
{
    execute("insert into table_struct_description (table_name, table_chn_name, column_name, column_chn_name, "
            "column_visible) values ('wsfj', '文书附件', NULL, '无名一', 'T'), "
            "('wsfj', '文书附件', '', '无名二', 'T')");
    clsReportWizard wizard;
    load(wizard);
    tree.setBold(tree.nodeOf("wsfj"), true);
    wizard.MarkUserCheckedTable(tree);
    ASSERT_EQ(wizard.Tables().size(), 1);
    MemoryList unchecked;
    MemoryList checked;
    wizard.ListFieldsToListBox(0, &unchecked, &checked);
    EXPECT_EQ(unchecked.texts(), (QStringList { "记录号", "文件记录号", "附件号", "附件题名", "页数" }));
    EXPECT_EQ(rows("select procedure_name, description from orv_error_log"),
        (QList<QStringList> {
            { "GetTableFields", "表 wsfj 的字段说明“无名一”没有字段名（column_name），已略过。" },
            { "GetTableFields", "表 wsfj 的字段说明“无名二”没有字段名（column_name），已略过。" } }));
}
