#include "wizard/clsDataReportGroup.h"

#include <gtest/gtest.h>
#include <QStringList>

using wizard::clsDataReportGroup;

namespace
{

struct Layout {
    QList<int> fieldsPerLevel;
    int headerNo;
    QString title;
    QString detail;
    QStringList heads;
    QStringList feet;
    int groupRows;
    int groupCols;
};

clsDataReportGroup withFields(const QList<int>& fieldsPerLevel)
{
    clsDataReportGroup groups;
    for (qsizetype level = 0; level < fieldsPerLevel.size(); ++level) {
        for (int i = 0; i < fieldsPerLevel[level]; ++i)
            groups.AddField(int(level) + 1, QStringLiteral("f%1_%2").arg(level + 1).arg(i),
                QStringLiteral("字段"), QStringLiteral("t"));
    }
    return groups;
}

// Rows per level: two fields fill a row, an exact multiple adds none.
TEST(clsDataReportGroup, RowsAndRegionsFollowTheFieldsOfEachLevel)
{
    const Layout layouts[] = {
        { {}, 0, "1:1", "", {}, {}, 0, 0 },
        { { 1 }, 2, "3:3", "4:4", { "2:3" }, { "5:5" }, 3, 2 },
        { { 2 }, 2, "3:3", "4:4", { "2:3" }, { "5:5" }, 3, 4 },
        { { 3 }, 3, "4:4", "5:5", { "2:4" }, { "6:6" }, 4, 4 },
        { { 4 }, 3, "4:4", "5:5", { "2:4" }, { "6:6" }, 4, 4 },
        { { 6 }, 4, "5:5", "6:6", { "2:5" }, { "7:7" }, 5, 4 },
        { { 1, 1 }, 3, "4:4", "5:5", { "2:2", "3:4" }, { "7:7", "6:6" }, 5, 2 },
        { { 2, 3, 1 }, 5, "6:6", "7:7", { "2:2", "3:4", "5:6" }, { "10:10", "9:9", "8:8" }, 8, 4 },
    };
    for (const Layout& expected : layouts) {
        QStringList levels;
        for (const int fields : expected.fieldsPerLevel)
            levels.append(QString::number(fields));
        SCOPED_TRACE(levels.join(' ').toStdString());
        const clsDataReportGroup groups = withFields(expected.fieldsPerLevel);
        EXPECT_EQ(groups.Count(), expected.fieldsPerLevel.size());
        EXPECT_EQ(groups.HeaderNO(), expected.headerNo);
        EXPECT_EQ(groups.TitleRowNO(), expected.title);
        EXPECT_EQ(groups.DetailRowNO(), expected.detail);
        QStringList heads;
        QStringList feet;
        for (int level = 1; level <= groups.Count(); ++level) {
            heads.append(groups.GroupHeaderRowNO(level));
            feet.append(groups.GroupFootRowNO(level));
        }
        EXPECT_EQ(heads, expected.heads);
        EXPECT_EQ(feet, expected.feet);
        EXPECT_EQ(groups.GroupHeaderRowNO(groups.Count() + 1), QString());
        EXPECT_EQ(groups.GroupRows(), expected.groupRows);
        EXPECT_EQ(groups.GroupCols(), expected.groupCols);
    }
}

TEST(clsDataReportGroup, ItemsTakeCaptionAndValueCellsTwoToARow)
{
    clsDataReportGroup groups = withFields({ 1, 3 });
    groups.setBaseRow(10);
    groups.setBaseRow(-1);
    QList<std::pair<int, int>> cells;
    for (const wizard::GroupItemPlace& item : groups.GroupItems(2))
        cells.append({ item.row, item.col });
    EXPECT_EQ(cells, (QList<std::pair<int, int>> { { 13, 2 }, { 13, 4 }, { 14, 2 } }));
    EXPECT_EQ(groups.GroupItems(3).size(), 0);
    EXPECT_EQ(groups.TitleRowNO(), "15:15");
}

TEST(clsDataReportGroup, LevelsFillFromTheTopAndEmptyDownwards)
{
    clsDataReportGroup groups;
    EXPECT_FALSE(groups.AddField(2, "a", "甲", "t")) << "level 1 is still empty";
    EXPECT_FALSE(groups.AddField(4, "a", "甲", "t"));
    EXPECT_EQ(groups.Count(), 0);
    EXPECT_TRUE(groups.AddField(1, "a", "甲", "t"));
    EXPECT_TRUE(groups.AddField(1, "a", "甲", "t"));
    EXPECT_EQ(groups.GroupItems(1).size(), 1) << "a field stands once in a level";
    EXPECT_TRUE(groups.AddField(2, "a", "甲", "t"));
    EXPECT_TRUE(groups.AddField(3, "b", "乙", "t"));
    EXPECT_EQ(groups.Count(), 3);

    groups.RemoveGroup(2);
    EXPECT_EQ(groups.Count(), 1);
    EXPECT_EQ(groups.GroupItems(2).size(), 0);
    groups.RemoveGroup(1);
    EXPECT_EQ(groups.Count(), 0);
    EXPECT_EQ(groups.HeaderNO(), 0);
    EXPECT_EQ(groups.DetailRowNO(), QString());

    groups.setReportCols(3);
    EXPECT_EQ(groups.ReportCols(), 3);
    groups.AddField(1, "a", "甲", "t");
    groups.AddField(1, "b", "乙", "t");
    EXPECT_EQ(groups.ReportCols(), 4) << "never narrower than the groups";
}

} // namespace
