#include "demo/DemoReports.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/outside/SqlAdapterObject.h"
#include "store/clsPropertyHandle.h"
#include "store/RegionTable.h"
#include "store/ReportKeywords.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QSet>

using orvtest::TestDatabase;
using platform::db::sqlText;

namespace
{

namespace kw = store::keywords;

class DemoReports : public orvtest::BackendTest
{
protected:
    DemoReports()
        : database(GetParam(), TestDatabase::Content::DemoArchive, 400)
    {
    }

    QList<QStringList> rows(const QString& sql) const { return database.rows(sql); }

    QString info(const QString& reportId, const QString& type) const
    {
        return database.scalar(
            QStringLiteral("select info_description from report_info where report_id=%1 and info_type=%2")
                .arg(sqlText(reportId), sqlText(type)));
    }

    // The number that an SQL statement of a statistics cell gives on the connected database.
    double statement(const QString& sql) const
    {
        const auto recordset = platform::outside::SqlAdapterObject().open(sql, *database.connection());
        return recordset->field(0).toDouble();
    }

    TestDatabase database;
};

const QStringList PageSettingKeys { kw::DataRows, kw::SelfFit, kw::PageRecount, kw::PageSize,
    kw::PageLandscape, kw::LeftMarge, kw::RightMarge, kw::TopMarge, kw::BottomMarge, kw::RowCount,
    kw::ColCount };

} // namespace

TEST_P(DemoReports, IndexRowsNameEveryReportOfTheGroup)
{
    EXPECT_EQ(rows("select report_id,report_name,report_type,report_group_id,note from report_index order by "
                   "report_id"),
        (QList<QStringList> { { demo::DataReportId, demo::DataReportName, "1", "wsda", "" },
            { demo::StatisticsReportId, demo::StatisticsReportName, "2", "wsda", "" },
            { demo::WordReportId, demo::WordReportName, "1", "wsda", demo::WordReportTemplate } }));
}

TEST_P(DemoReports, EveryPageSettingIsStoredOnceAndReadsAsAValue)
{
    for (const QString& id : { demo::DataReportId, demo::StatisticsReportId }) {
        for (const QString& key : PageSettingKeys) {
            EXPECT_EQ(database.scalar(QStringLiteral(
                          "select count(*) from report_info where report_id=%1 and info_type=%2")
                                          .arg(sqlText(id), sqlText(key))),
                QStringLiteral("1"))
                << key.toStdString();
        }
        bool ok = false;
        EXPECT_GT(info(id, kw::DataRows).toInt(&ok), 0);
        EXPECT_TRUE(ok);
        for (const QString& key : { kw::SelfFit, kw::PageRecount, kw::PageLandscape })
            EXPECT_TRUE(info(id, key) == kw::True || info(id, key) == kw::False);
        for (const QString& key : { kw::LeftMarge, kw::RightMarge, kw::TopMarge, kw::BottomMarge }) {
            info(id, key).toDouble(&ok);
            EXPECT_TRUE(ok) << key.toStdString();
        }
    }
}

TEST_P(DemoReports, DataReportRegionsTileTheSheetInOrder)
{
    store::RegionTable regions;
    for (const QStringList& row :
        rows(QStringLiteral("select info_type,info_description,info_order from report_info "
                            "where report_id=%1 and info_type in ('REPORT_HEAD','REPORT_TAIL',"
                            "'PAGE_HEAD','PAGE_TAIL','GROUP_HEAD','GROUP_TAIL','DATA_DETAIL')")
                 .arg(sqlText(demo::DataReportId))))
        regions.setFromStored(row[0], row[1], row[2].toInt());
    int nextRow = 1;
    for (int entry = 1; entry <= store::RegionEntryCount; ++entry) {
        if (!regions[entry].present)
            continue;
        EXPECT_EQ(regions[entry].beginRow, nextRow) << entry;
        EXPECT_GE(regions[entry].endRow, regions[entry].beginRow) << entry;
        nextRow = regions[entry].endRow + 1;
    }
    EXPECT_EQ(nextRow - 1, info(demo::DataReportId, kw::RowCount).toInt());
    EXPECT_TRUE(regions[store::RegionEntry::DataDetail].present);
    EXPECT_TRUE(regions[store::groupHeadEntry(2)].present);
    EXPECT_EQ(regions[store::groupHeadEntry(2)].present, regions[store::groupTailEntry(2)].present);
    EXPECT_FALSE(regions[store::groupHeadEntry(3)].present);
}

TEST_P(DemoReports, FormatRowsAreNumberedAndTheirPropertyStringsReadBackWhole)
{
    for (const QString& id : { demo::DataReportId, demo::StatisticsReportId }) {
        const int rowCount = info(id, kw::RowCount).toInt();
        const int colCount = info(id, kw::ColCount).toInt();
        const int firstCol = id == demo::DataReportId ? 2 : 1;
        QList<int> orders;
        for (const QStringList& row : rows(QStringLiteral(
                 "select format_order,begin_row_no,begin_col_no,end_row_no,end_col_no,format_type,"
                 "format_description from report_format where report_id=%1")
                                               .arg(sqlText(id)))) {
            orders << row[0].toInt();
            const QString& type = row[5];
            const QString& description = row[6];
            QString rebuilt;
            QString name;
            int dataType = 0;
            QString value;
            for (int no = 1;
                 store::clsPropertyHandle::GetPropertyByNo(description, no, name, dataType, value); ++no)
                rebuilt += store::clsPropertyHandle::GetPropertyString(
                    name, store::PropertyDataType(dataType), value);
            EXPECT_EQ(rebuilt, description) << type.toStdString();
            EXPECT_FALSE(description.isEmpty());
            if (type == kw::ColWidth) {
                EXPECT_EQ(row.mid(1, 4), (QStringList { "", "", "", "" }));
                continue;
            }
            EXPECT_GE(row[1].toInt(), 1);
            EXPECT_LE(row[3].toInt(), rowCount);
            EXPECT_LE(row[1].toInt(), row[3].toInt());
            if (type == kw::RowHeight)
                continue;
            EXPECT_GE(row[2].toInt(), firstCol) << type.toStdString();
            EXPECT_LE(row[4].toInt(), colCount);
            EXPECT_LE(row[2].toInt(), row[4].toInt());
        }
        std::sort(orders.begin(), orders.end());
        for (int i = 0; i < orders.size(); ++i)
            EXPECT_EQ(orders[i], i + 1);
    }
}

TEST_P(DemoReports, CellsLieOnTheSheetAndNameExistingColumns)
{
    for (const QString& id : { demo::DataReportId, demo::StatisticsReportId }) {
        const int firstCol = id == demo::DataReportId ? 2 : 1;
        QSet<QPair<int, int>> seen;
        for (const QStringList& row :
            rows(QStringLiteral("select row_no,col_no,data_type,data_description1,"
                                "data_description2 from report_data where report_id=%1")
                     .arg(sqlText(id)))) {
            const int r = row[0].toInt();
            const int c = row[1].toInt();
            EXPECT_FALSE(seen.contains({ r, c })) << r << "," << c;
            seen.insert({ r, c });
            EXPECT_GE(c, firstCol);
            EXPECT_LE(r, info(id, kw::RowCount).toInt());
            EXPECT_LE(c, info(id, kw::ColCount).toInt());
            const QString& content = row[3];
            EXPECT_TRUE(content.startsWith(QLatin1Char('@')) && content.mid(2, 1) == QLatin1String("|"));
            EXPECT_EQ(row[2], content.mid(1, 1));
            EXPECT_EQ(row[4], QString());
            if (row[2] == QLatin1String("B")) {
                const QStringList field = content.mid(3).split(QLatin1Char('.'));
                ASSERT_EQ(field.size(), 2);
                EXPECT_EQ(
                    database.scalar(QStringLiteral("select count(*) from table_struct_description where "
                                                   "table_name=%1 and column_name=%2")
                                        .arg(sqlText(field[0]), sqlText(field[1]))),
                    QStringLiteral("1"))
                    << content.toStdString();
            }
        }
    }
}

TEST_P(DemoReports, StatisticsStatementsAddUpToTheirTotals)
{
    struct Column {
        double sumOfPeriods = 0;
        QString total;
    };
    Column documents;
    Column pages;
    for (const QStringList& row :
        rows(QStringLiteral("select row_no,col_no,data_description1 from report_data "
                            "where report_id=%1 and data_type='G'")
                 .arg(sqlText(demo::StatisticsReportId)))) {
        Column& column = row[1] == QLatin1String("2") ? documents : pages;
        const QString sql = row[2].mid(3);
        if (sql.contains(QLatin1String("where")))
            column.sumOfPeriods += statement(sql);
        else
            column.total = sql;
    }
    EXPECT_EQ(statement(documents.total), 400);
    EXPECT_EQ(documents.sumOfPeriods, 400);
    EXPECT_GT(pages.sumOfPeriods, 0);
    EXPECT_EQ(pages.sumOfPeriods, statement(pages.total));
}

INSTANTIATE_TEST_SUITE_P(
    Backends, DemoReports, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName());
