#pragma once

#include "wizard/clsDataReportGroup.h"
#include "wizard/modCreateReport.h"

#include <memory>
#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform::db
{
class Connection;
class Recordset;
} // namespace platform::db

namespace wizard
{

class WizardList;
class WizardTree;

// One field of a table as the wizard offers it, and (in the checked-item list) as the report uses it.
struct WizardField {
    QString tableName;
    QString tableDisplayName;
    bool checked = false;
    int groupLevel = 0; // 0 a detail field, 1 to 3 its group level
    bool inSort = false;
    bool descending = false;
    int sortPosition = 0; // 0-based place among the sort fields
    QString fieldName;
    QString caption;
};

// One table of the chosen chain, shallowest first.
struct WizardTable {
    QString nodeKey;
    bool used = false; // chosen by the user; false for a table that only lies between chosen ones
    QString tableName;
    QString displayName;
    QList<WizardField> fields;
};

// A table related to the source table, with its sub tables.
struct TableTreeEntry {
    QString tableName;
    QString displayName;
    QList<TableTreeEntry> children;
};

// The failure that GetSourceInfo or GetJoinCondition left, number 0 when none.
struct WizardError {
    qint32 number = 0;
    QString description;
};

// The model behind the new-report wizard: the tables related to the source table, the chosen chain of
// tables (at most three chosen, each the master or sub of the next), the checked fields, up to three
// group levels and the sort fields; and the data report built from them and saved in one transaction.
class clsReportWizard
{
public:
    static constexpr int MaxTables = 3;
    static constexpr int MaxFields = 40;
    static constexpr int MaxGroupFields = 10;
    static constexpr qint32 ConnectionUnavailable = qint32(0x80040BBD);
    static constexpr qint32 InvalidTableName = qint32(0x80040BBE);
    static constexpr qint32 NoSelection = qint32(0x80040BC2);
    static constexpr qint32 NoDetailField = qint32(0x80041900);

    clsReportWizard();

    std::shared_ptr<platform::db::Connection> Connection;
    QString reportName;
    QString GroupID;
    const QString& ReportId() const { return reportId_; }

    // Loads the tree of the tables related to `table`; false (see LastError) without a usable
    // connection, for an empty name or when nothing describes the table.
    bool GetSourceInfo(const QString& table);
    const WizardError& LastError() const { return error_; }
    const QList<TableTreeEntry>& TableTree() const { return tree_; }

    // Moves the selected entries to the end of `destination`; in add mode no further than MaxFields
    // checked fields.
    void MoveListItem(WizardList& source, WizardList& destination, bool addMode = false) const;

    void ListTableTree(WizardTree& tree) const;
    // True when `node` may join the chosen tables (item data = node numbers): it must lie on the one
    // chain of masters and subs through them, and fewer than three are chosen.
    bool NodeInPath(const WizardTree& tree, int node, const WizardList& chosen) const;
    // The nodes from the shallowest to the deepest bold node, every node between them included.
    QList<int> FindPath(const WizardTree& tree) const;
    // Rebuilds the table list from the path of the bold nodes (empty without one, so that nothing chosen
    // before stays behind).
    void MarkUserCheckedTable(const WizardTree& tree);

    void ListCheckedTables(WizardList& list) const;
    void ListFieldsToListBox(int table, WizardList* unchecked, WizardList* checked) const;
    void MarkCheckFields(int table, const WizardList* checked);
    void CreateUserCheckedItem();

    void ListGroupItem(int level, WizardList& ungrouped, WizardList& grouped) const;
    // Records the level's fields. The deeper levels are emptied, in the layout and in the checked items.
    void MarkUserCheckedGroup(int level, const WizardList& grouped);
    // The first level without fields (3 when all have some); deeper levels are emptied.
    int CheckGroup();
    void ClearGroup();

    // Lists the sort fields in their sort order, the others in checked order; grouped fields are left out
    // and lose their sort settings.
    void ListOrderByItem(WizardList& unsorted, WizardList& sorted);
    void MarkOrderByItem(const WizardList& sorted);
    // The item's direction (true descending) when it is a sort field.
    std::optional<bool> GetSortMethod(int item) const;
    void SetSortMethod(int item, bool descending);

    int CheckedFieldCount() const;
    int CheckedGroupItemCount() const;

    // The join of every consecutive master/sub pair of `chain`: " (M.a = S.b)" items joined by " And ";
    // "" when nothing joins (see LastError for a lost connection or an empty first name).
    QString GetJoinCondition(const QStringList& chain);

    const QList<WizardTable>& Tables() const { return tables_; }
    const QList<WizardField>& CheckedItems() const { return items_; }
    const clsDataReportGroup& Groups() const { return groups_; }

    // The rows of the new report; throws platform::Error without a used table ("没有生成选择内容") or
    // without a detail field ("数据报表不能没有内容").
    NewReportRows MakeReportRows();
    // Builds and writes the report in one transaction and makes it the state's ReportId; false (logged,
    // nothing written) on any failure, whose description FailureText() gives.
    bool Save();
    const QString& FailureText() const { return failureText_; }

private:
    struct Size {
        int rows = 0;
        int cols = 0;
        int detailRow = 0;
    };

    bool CheckConnection();
    void setError(qint32 number, const QString& description);
    std::unique_ptr<platform::db::Recordset> open(const QString& sql, const QVariantList& values = {});
    bool GetRelationTables(const QString& table);
    QList<TableTreeEntry> GetSubTables(int depth, const QString& master, int limit, int& deepest);
    QList<WizardField> GetTableFields(const WizardTable& table);
    bool IsAncestorNode(const WizardTree& tree, int ancestor, int node) const;
    bool validItem(int item) const { return item >= 0 && item < items_.size(); }

    Size CalcReportSize() const;
    QString fieldReference(const QString& table, const QString& field) const;
    Size MakeReportInfoValue(NewReportRows& rows); // the SQL pieces first, then the size
    void MakeReportFormatValue(NewReportRows& rows, const Size& size) const;
    void MakeReportDataValue(NewReportRows& rows, const Size& size) const;

    QString reportId_;
    QString failureText_;
    WizardError error_;
    QList<TableTreeEntry> tree_;
    QList<WizardTable> tables_;
    QList<WizardField> items_;
    clsDataReportGroup groups_;
};

} // namespace wizard
