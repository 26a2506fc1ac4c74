#include "DesignFixture.h"

#include "platform/outside/ErrorLogObject.h"
#include "store/CellContentStore.h"
#include "store/DefinitionReader.h"
#include "store/FieldNames.h"
#include "store/ReportDefinition.h"

#include <QFile>

using namespace storetest;
using platform::db::sqlText;
using platform::grid::Sheet;

namespace
{

const QString Id = QStringLiteral("20240301100000000007");

// Field cells between their stored database names and the Chinese names the grid shows.
class FieldCells : public DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        execute(
            QStringLiteral("insert into table_struct_description (table_name, table_chn_name, column_name, "
                           "column_chn_name) values ('wsda','文书档案','title','题名'), "
                           "('wsda','文书档案','amount','金额(元)'), ('wsjn','卷内文件','title','题名'), "
                           "('wsda','文书档案','nameless',NULL)"));
        auto& state = store::reportState();
        state.ReportId = Id;
        state.SqlSelect = QStringLiteral("wsda.*");
        state.TablesName = QStringLiteral("wsda");
        execute(QStringLiteral("insert into report_info (report_id, info_type, info_order, info_description) "
                               "values (%1,'SQL_SELECT',1,'wsda.*')")
                    .arg(sqlText(Id)));
    }

    // Stores the contents in column 1, one per row, reads them into a grid and writes that grid back.
    Sheet storeLoadAndSave(const QStringList& stored)
    {
        int row = 0;
        for (const QString& content : stored)
            execute(
                QStringLiteral("insert into report_data (report_id, row_no, col_no, data_type, "
                               "data_description1, data_description2) values (%1,%2,1,%3,%4,'')")
                    .arg(sqlText(Id), QString::number(++row), sqlText(content.mid(1, 1)), sqlText(content)));
        Sheet grid;
        store::LoadRptData(grid, *store::ReadReportDefinition(store::reportState().ReportId));
        execute(QStringLiteral("delete from report_data"));
        store::GetRptDataInfo(grid, 1, 1, row, 1);
        return grid;
    }

    QStringList storedContents()
    {
        QStringList contents;
        for (const QStringList& row : reportRows("report_data", "row_no,data_description1", Id))
            contents.append(row[1]);
        return contents;
    }
};

TEST_P(FieldCells, TranslatedBothWaysAndKeptWhenThereIsNoTranslation)
{
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        { "@B|wsda.title&F&", "@B|题名(文书档案)&F&" },
        { "@B|title", "@B|题名" }, // the report's main table
        { "@B|wsda.amount&2-3&B&", "@B|金额(元)(文书档案)&2-3&B&" },
        { "@B|amount", "@B|金额(元)" },
        { "@B|wsda.gone&F&", "@B|wsda.gone&F&" }, // not described: the stored name stays
        { "@B|wsda.nameless", "@B|wsda.nameless" }, // described without a Chinese name
        { "@B|", "@B|" },
        { "ABC公司", "ABC公司" }, // a plain text whose second character is B
        { "@A|B&C", "@A|B&C" },
    };
    QStringList stored;
    for (const auto& c : cases)
        stored.append(QString::fromUtf8(c.stored));
    const Sheet grid = storeLoadAndSave(stored);

    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(grid.entry(i + 1, 1), QString::fromUtf8(cases[i].shown)) << cases[i].stored;
    EXPECT_EQ(storedContents(), stored);
    EXPECT_EQ(reportRows("report_data", "data_type", Id).count(QStringList { "B" }), 8);
}

TEST_P(FieldCells, SeveralTablesKeepBareNamesAndTheTableListChoosesAmongEqualNames)
{
    auto& state = store::reportState();
    state.SqlSelect = QStringLiteral("wsda.*,wsjn.*");
    state.TablesName = QStringLiteral("wsjn");
    execute(QStringLiteral(
        "update table_struct_description set table_chn_name='文书档案' where table_name='wsjn'"));
    const Sheet grid = storeLoadAndSave({ QStringLiteral("@B|title"), QStringLiteral("@B|wsjn.title") });
    EXPECT_EQ(grid.entry(1, 1), QStringLiteral("@B|title"));
    EXPECT_EQ(grid.entry(2, 1), QStringLiteral("@B|题名(文书档案)"));
    EXPECT_EQ(storedContents(), (QStringList { "@B|title", "@B|wsjn.title" }));

    // Without a table list the first table described under that Chinese name answers.
    state.TablesName.clear();
    EXPECT_EQ(store::GetNameByChn(QStringLiteral("金额(元)")), QStringLiteral("amount"));
}

// A description row without a column name stands for no field, also when it comes first.
TEST_P(FieldCells, ACaptionWhoseFirstRowNamesNoColumnFindsTheRowThatDoes)
{
    execute(QStringLiteral("insert into table_struct_description (table_name, table_chn_name, column_name, "
                           "column_chn_name) values ('wsda','文书档案',NULL,'页数'), ('wsda','文书档案','',"
                           "'页数'), ('wsda','文书档案','page_no','页数')"));
    EXPECT_EQ(store::GetNameByChn(QStringLiteral("页数(文书档案)")), QStringLiteral("wsda.page_no"));
    EXPECT_EQ(store::GetNameByChn(QStringLiteral("页数")), QStringLiteral("page_no"));
}

TEST_P(FieldCells, FailingLookupsInsideASaveKeepTheNamesAndTheSave)
{
    execute(
        QStringLiteral("insert into report_data (report_id, row_no, col_no, data_type, data_description1) "
                       "values (%1,1,2,'B','@B|wsda.title')")
            .arg(sqlText(Id)));
    execute(QStringLiteral("insert into report_index values (%1,'r',2,'wsda',NULL)").arg(sqlText(Id)));
    execute(QStringLiteral("drop table table_struct_description"));
    Sheet grid;
    store::LoadRptData(grid, *store::ReadReportDefinition(store::reportState().ReportId));
    EXPECT_EQ(grid.entry(1, 2), QStringLiteral("@B|wsda.title"));

    auto& state = store::reportState();
    state.ReportType = store::StatisticsReport;
    ASSERT_TRUE(store::SaveStatReport(grid, 1, 1, 1, 2));
    EXPECT_EQ(storedContents(), (QStringList { "@B|wsda.title" }));
    // Failures outside a transaction are logged in the database, those inside it in the log file.
    EXPECT_EQ(rows(QStringLiteral("select distinct procedure_name from orv_error_log")),
        (QList<QStringList> { { "GetFieldChnName" } }));
    QFile log(platform::outside::ErrorLogObject::logFilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("GetNameByChn")));
}

STORE_TEST_SUITE(FieldCells);

} // namespace
