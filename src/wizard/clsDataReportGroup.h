#pragma once

#include <array>
#include <QList>
#include <QString>

namespace wizard
{

// One group field placed on the sheet: its caption cell at (row, col), its value cell right of it.
struct GroupItemPlace {
    QString tableName;
    QString fieldName;
    QString caption;
    int row = 0;
    int col = 0;
};

// The group levels (1 to 3) of a data report made by the wizard and the sheet rows they take: the head
// rows of each level with two caption/value pairs a row, the caption row above the detail row, the
// detail row and one foot row per level, the innermost foot first. Rows count from 1 plus BaseRow.
// Region texts are "begin:end".
class clsDataReportGroup
{
public:
    static constexpr int Levels = 3;

    // 0 without groups, else the rows above the caption row (the title row and every head row).
    int HeaderNO() const;
    QString TitleRowNO() const;
    QString DetailRowNO() const; // "" without groups
    QString GroupHeaderRowNO(int level) const; // the innermost level's head takes the caption row too
    QString GroupFootRowNO(int level) const;
    int GroupRows() const; // head rows, one foot row per level and the caption row; 0 without groups
    int GroupCols() const; // two columns per field of the widest level
    int Count() const; // levels in use, from level 1 up to the first empty one

    int ReportCols();
    void setReportCols(int cols);
    int ColMaxItem() const { return colMaxItem_; }
    void setColMaxItem(int items) { colMaxItem_ = items; }
    int BaseRow() const { return baseRow_; }
    void setBaseRow(int row);
    int BaseCol() const { return baseCol_; }
    void setBaseCol(int col);

    // Adds a field to a level; true when the level holds it afterwards (a field is held once), false when
    // refused: a level outside 1..3, or a lower level still empty.
    bool AddField(int level, const QString& fieldName, const QString& caption, const QString& tableName);
    void Clear();
    // Empties the level and every deeper one.
    void RemoveGroup(int level);
    // Where the level's fields go: ColMaxItem to a row (columns 2, 4, ...) from the level's first head row.
    QList<GroupItemPlace> GroupItems(int level) const;

private:
    struct Item {
        QString fieldName;
        QString caption;
        QString tableName;
    };
    struct Level {
        int rowCount = 0;
        int colCount = 0;
        QList<Item> items;
    };

    static QString regionText(int begin, int end);
    bool inUse(int level) const;
    int rowCount(int level) const;
    int rowsBefore(int level) const; // rows of the levels above it
    int firstHeadRow(int level) const;

    std::array<Level, Levels> levels_ {};
    int reportCols_ = 0;
    int colMaxItem_ = 2;
    int baseRow_ = 0;
    int baseCol_ = 0;
};

} // namespace wizard
