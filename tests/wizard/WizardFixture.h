#pragma once

#include "store/StoreFixture.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/SharedObjects.h"
#include "platform/ui/Printers.h"
#include "wizard/clsReportWizard.h"
#include "wizard/WizardControls.h"

#include <initializer_list>
#include <ostream>
#include <QList>
#include <QStringList>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace wizardtest
{

// A list box without a widget.
class MemoryList : public wizard::WizardList
{
public:
    struct Entry {
        QString text;
        int data = 0;
        bool selected = false;
    };
    QList<Entry> entries;

    void clear() override { entries.clear(); }
    int count() const override { return int(entries.size()); }
    void addItem(const QString& text, int data) override { entries.append({ text, data, false }); }
    void removeItem(int index) override { entries.removeAt(index); }
    QString text(int index) const override { return entries[index].text; }
    int itemData(int index) const override { return entries[index].data; }
    bool selected(int index) const override { return entries[index].selected; }
    void setSelected(int index, bool selected) override { entries[index].selected = selected; }

    QStringList texts() const
    {
        QStringList all;
        for (const Entry& entry : entries)
            all.append(entry.text);
        return all;
    }
    void selectAll()
    {
        for (Entry& entry : entries)
            entry.selected = true;
    }
};

// A tree without a widget.
class MemoryTree : public wizard::WizardTree
{
public:
    struct Node {
        int parent = -1;
        QString key;
        QString tag;
        QString text;
        bool bold = false;
    };
    QList<Node> nodes;

    void clear() override { nodes.clear(); }
    int addNode(int parent, const QString& key, const QString& tag, const QString& text) override
    {
        nodes.append({ parent, key, tag, text, false });
        return int(nodes.size()) - 1;
    }
    int nodeCount() const override { return int(nodes.size()); }
    QString key(int node) const override { return nodes[node].key; }
    QString tag(int node) const override { return nodes[node].tag; }
    QString text(int node) const override { return nodes[node].text; }
    int parent(int node) const override { return nodes[node].parent; }
    bool bold(int node) const override { return nodes[node].bold; }
    void setBold(int node, bool bold) override { nodes[node].bold = bold; }

    int nodeOf(const QString& table) const
    {
        for (qsizetype i = 0; i < nodes.size(); ++i) {
            if (nodes[i].tag == table)
                return int(i);
        }
        return -1;
    }
};

// A group or sort choice: a checked field by table and name.
struct FieldChoice {
    QString table;
    QString field;
    bool descending = false;
};

// What a clerk chooses in the wizard, applied to the model in step order as the window does.
struct WizardChoices {
    QStringList tables; // the chosen tables (the tables between them join by themselves)
    QList<FieldChoice> fields; // checked fields in the order they are checked
    QList<QList<FieldChoice>> groups; // fields of levels 1, 2, 3
    QList<FieldChoice> sort;
};

// Each test has the demo archive (60 documents, their volumes and attachments), the report group wsda,
// the store's wizard hooks, and the engine ready to build on the PDF printer.
class WizardTest : public storetest::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        database.emplace(GetParam(), orvtest::TestDatabase::Content::DemoArchive, 60);
        report->setConnection(database->connection());
        platform::outside::releaseShared();
        platform::outside::sharedErrorLog()->setConnection(database->connection());
        platform::ui::setDefaultPrinterOrientation(platform::ui::PrinterOrientation::Portrait);
        platform::ui::setDefaultPrinterPaperCode(platform::ui::papercodes::A4);
    }

    void TearDown() override
    {
        platform::outside::releaseShared();
        StoreTest::TearDown();
    }

    // A model on the demo archive with the tree of `source` loaded and listed into `tree`.
    void load(wizard::clsReportWizard& wizard, const QString& source = QStringLiteral("wsda"))
    {
        wizard.Connection = database->connection();
        wizard.reportName = QStringLiteral("新报表");
        wizard.GroupID = QStringLiteral("wsda");
        ASSERT_TRUE(wizard.GetSourceInfo(source));
        wizard.ListTableTree(tree);
    }

    static int itemOf(const wizard::clsReportWizard& wizard, const FieldChoice& choice)
    {
        const auto& items = wizard.CheckedItems();
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i].tableName == choice.table && items[i].fieldName == choice.field)
                return int(i);
        }
        ADD_FAILURE() << "not checked: " << choice.field.toStdString();
        return -1;
    }

    void choose(wizard::clsReportWizard& wizard, const WizardChoices& choices)
    {
        for (const QString& table : choices.tables)
            tree.setBold(tree.nodeOf(table), true);
        wizard.MarkUserCheckedTable(tree);
        wizard.CreateUserCheckedItem();
        for (qsizetype t = 0; t < wizard.Tables().size(); ++t) {
            MemoryList checked;
            const auto& fields = wizard.Tables()[t].fields;
            for (const FieldChoice& choice : choices.fields) {
                for (qsizetype f = 0; f < fields.size(); ++f) {
                    if (fields[f].tableName == choice.table && fields[f].fieldName == choice.field)
                        checked.addItem(fields[f].caption, int(f));
                }
            }
            if (checked.count() > 0)
                wizard.MarkCheckFields(int(t), &checked);
        }
        for (qsizetype level = 0; level < choices.groups.size(); ++level) {
            MemoryList grouped;
            for (const FieldChoice& choice : choices.groups[level])
                grouped.addItem(choice.field, itemOf(wizard, choice));
            wizard.MarkUserCheckedGroup(int(level) + 1, grouped);
        }
        MemoryList sorted;
        for (const FieldChoice& choice : choices.sort)
            sorted.addItem(choice.field, itemOf(wizard, choice));
        wizard.MarkOrderByItem(sorted);
        for (const FieldChoice& choice : choices.sort)
            wizard.SetSortMethod(itemOf(wizard, choice), choice.descending);
    }

    // Makes and saves a report from `choices`; its id.
    QString saveReport(const WizardChoices& choices)
    {
        wizard::clsReportWizard wizard;
        load(wizard);
        choose(wizard, choices);
        EXPECT_TRUE(wizard.Save()) << wizard.FailureText().toStdString();
        return wizard.ReportId();
    }

    // The stored rows of one table of a report, the columns as text, sorted.
    QList<QStringList> reportRows(const QString& table, const QString& columns, const QString& reportId)
    {
        return rows(QStringLiteral("select %1 from %2 where report_id = %3")
                        .arg(columns, table, platform::db::sqlText(reportId)));
    }
    QList<QStringList> infoRows(const QString& id)
    {
        return reportRows(
            QStringLiteral("report_info"), QStringLiteral("info_type,info_order,info_description"), id);
    }
    QList<QStringList> dataRows(const QString& id)
    {
        return reportRows(
            QStringLiteral("report_data"), QStringLiteral("row_no,col_no,data_type,data_description1"), id);
    }
    QList<QStringList> formatRows(const QString& id)
    {
        return reportRows(QStringLiteral("report_format"),
            QStringLiteral("format_order,begin_row_no,begin_col_no,end_row_no,end_col_no,format_type,"
                           "format_description"),
            id);
    }
    // How many rows of the report the four tables hold together.
    int storedRowCount(const QString& id)
    {
        int count = 0;
        for (const char* table : { "report_index", "report_info", "report_format", "report_data" })
            count += int(reportRows(QString::fromLatin1(table), QStringLiteral("report_id"), id).size());
        return count;
    }

    // The page settings every wizard report stores, for ROW_COUNT and COL_COUNT.
    static QList<QStringList> pageSettingRows(int rows, int cols)
    {
        return { { "PAGE_LANDSCAPE", "1", "F" }, { "DATA_ROWS", "1", "10" }, { "PAGE_RECOUNT", "1", "T" },
            { "SELF_FIT", "1", "T" }, { "PAGE_SIZE", "1", "9" }, { "LEFT_MARGE", "1", "0.7875" },
            { "RIGHT_MARGE", "1", "0.39375" }, { "TOP_MARGE", "1", "0.39375" },
            { "BOTTOM_MARGE", "1", "0.39375" }, { "ROW_COUNT", "1", QString::number(rows) },
            { "COL_COUNT", "1", QString::number(cols) } };
    }

    MemoryTree tree;
};

} // namespace wizardtest

#define WIZARD_TEST_SUITE(suite)                                                                             \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Backends, suite, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName())
