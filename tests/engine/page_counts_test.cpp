#include "EngineFixture.h"

#include "engine/DataRecords.h"
#include "engine/EngineState.h"
#include "engine/PageCounts.h"
#include "platform/db/Recordset.h"

#include <QSet>
#include <vector>

using namespace enginetest;

namespace
{

// The group heads of a list of the demo archive, outermost first.
const QStringList GroupFieldsByLevel = { "wsda.filing_year", "wsda.retention", "wsda.folder_no" };
constexpr int RecordsPerPage = 7;

struct CountCase {
    int levels;
    QString hostWhere;
    QString hostOrder;
};

// The engine's pages per group as a standard vector: Qt 6.4 compares two empty lists of numbers by
// handing memcmp a null pointer, which the undefined-behaviour checker rightly stops at.
std::vector<long long> groupPageCounts(const engine::DataReportRun& run)
{
    const QVector<long long>& counts = run.GroupPageCounts;
    return { counts.begin(), counts.end() };
}

std::string caseName(const CountCase& c)
{
    return std::to_string(c.levels) + (c.hostWhere.isEmpty() ? "" : " with filter")
        + (c.hostOrder.isEmpty() ? "" : " with order");
}

class PageCountTest : public EngineTest
{
protected:
    void SetUp() override { useDatabase(Content::DemoArchive); }

    // A list of wsda with `levels` group heads (rows 2 to 4), its detail band on row 5, and the other
    // group heads `extraHeads` (levels above `levels`, on the rows of the same plan) without their cells.
    void defineList(int levels, const QString& hostWhere, const QString& hostOrder, int extraHeads = 0)
    {
        store::ReportState& state = store::reportState();
        state.SelectWhere = hostWhere;
        state.SelectOrder = hostOrder;
        for (int level = 1; level <= levels; ++level)
            cell(level + 1, 3, QStringLiteral("@B|") + GroupFieldsByLevel[level - 1]);
        useDefinition([&](store::ReportDefinition& definition) {
            definition.sql.SqlSelect = QStringLiteral("wsda.*");
            definition.sql.TablesName = QStringLiteral("wsda");
            definition.sql.SqlWhere = QStringLiteral("wsda.filing_year>=2005");
            definition.sql.SqlOrder = QStringLiteral("wsda.piece_no");
            for (int level = 1; level <= levels + extraHeads; ++level)
                definition.regions[store::groupHeadEntry(level)] = { true, level + 1, level + 1 };
            definition.regions[store::RegionEntry::DataDetail] = { true, 5, 5 };
        });
        run.RecordsPerPage = RecordsPerPage;
    }

    // The records of each group as the data lists them: runs of equal group values.
    static QList<long long> groupRuns(platform::db::Recordset& data, int levels)
    {
        QList<long long> runs;
        QStringList previous;
        for (data.moveFirst(); !data.eof(); data.moveNext()) {
            QStringList values;
            for (int level = 0; level < levels; ++level)
                values.append(data.text(GroupFieldsByLevel[level].section(QLatin1Char('.'), 1)));
            if (runs.isEmpty() || values != previous)
                runs.append(0);
            ++runs.last();
            previous = values;
        }
        return runs;
    }

    static long long pagesOf(long long records) { return (records + RecordsPerPage - 1) / RecordsPerPage; }
};

ENGINE_TEST_SUITE(PageCountTest);

TEST_P(PageCountTest, PageTotalsOfEachGroupFollowTheGroupsOfTheData)
{
    const QString filter = QStringLiteral("wsda.retention='永久' or wsda.retention='长期'");
    const QString order = QStringLiteral("wsda.filing_year desc,wsda.piece_no");
    QList<CountCase> cases;
    for (int levels = 0; levels <= 3; ++levels) {
        cases.append({ levels, QString(), QString() });
        cases.append({ levels, filter, QString() });
        cases.append({ levels, QString(), order });
        cases.append({ levels, filter, order });
    }
    for (const CountCase& c : cases) {
        SCOPED_TRACE(caseName(c));
        useDatabase(Content::DemoArchive);
        defineList(c.levels, c.hostWhere, c.hostOrder);

        engine::GetDataRecord(run);
        if (c.levels == 0)
            engine::GetRecordPageCount(run);
        else
            engine::GetRecordPageCountByGroup(run);

        const QString condition = c.hostWhere.isEmpty()
            ? QStringLiteral("filing_year>=2005")
            : QStringLiteral("filing_year>=2005 and (retention='永久' or retention='长期')");
        const long long records
            = scalar(QStringLiteral("select count(*) from wsda where ") + condition).toLongLong();
        ASSERT_GT(records, 0);
        EXPECT_EQ(run.DataRecordCount, records);
        EXPECT_EQ(run.ReportDataRs->recordCount(), records);

        if (c.levels == 0) {
            EXPECT_EQ(run.TotalPages, pagesOf(records));
            continue;
        }
        const QList<long long> runs = groupRuns(*run.ReportDataRs, c.levels);
        const QString groups = GroupFieldsByLevel.mid(0, c.levels).join(QLatin1Char(','));
        EXPECT_EQ(runs.size(),
            scalar(QStringLiteral("select count(*) from (select distinct %1 from wsda where %2) g")
                       .arg(groups, condition))
                .toInt());
        QList<long long> pages;
        long long total = 0;
        for (const long long run : runs) {
            pages.append(pagesOf(run));
            total += pages.last();
        }
        EXPECT_EQ(run.GroupCount, runs.size());
        EXPECT_EQ(run.GroupPageCounts, pages);
        EXPECT_EQ(run.TotalPages, total);
        EXPECT_GT(run.TotalPages, pagesOf(records)); // every group starts a page of its own
    }
    EXPECT_TRUE(loggedProcedures().isEmpty());
}

TEST_P(PageCountTest, AGroupValueMissingAsNullOrAsEmptyTextIsOneGroupAsThePagesBreak)
{
    // Else every later group's page total would be its neighbour's.
    const QString firstPieces = QStringLiteral(" where filing_year=(select min(filing_year) from wsda where "
                                               "filing_year>=2005) and piece_no<=%1");
    execute(QStringLiteral("update wsda set retention=''") + firstPieces.arg(4));
    execute(QStringLiteral("update wsda set retention=null") + firstPieces.arg(2));
    defineList(2, QString(), QString());
    engine::GetDataRecord(run);
    engine::GetRecordPageCountByGroup(run);

    const QList<long long> runs = groupRuns(*run.ReportDataRs, 2);
    ASSERT_EQ(runs.size() + 1, scalar("select count(*) from (select distinct filing_year, retention from wsda "
                                      "where filing_year>=2005) g").toInt());
    QList<long long> pages;
    for (const long long run : runs)
        pages.append(pagesOf(run));
    EXPECT_EQ(run.GroupPageCounts, pages);
}

TEST_P(PageCountTest, RecordsAndPagesWorkedOutByHand)
{
    const struct {
        QList<long long> groups;
        int perPage;
        long long records;
        std::vector<long long> pages;
        long long total;
    } cases[] = {
        { { 25 }, 10, 25, { 3 }, 3 },
        { { 10, 11, 4 }, 10, 25, { 1, 2, 1 }, 4 },
        { { 1, 7, 8 }, 7, 16, { 1, 1, 2 }, 4 },
        { {}, 10, 0, {}, 0 },
    };
    for (const auto& c : cases) {
        auto counts
            = platform::db::Recordset::fabricate({ platform::db::FieldInfo { "n", QMetaType::LongLong } });
        for (const long long n : c.groups) {
            counts->addNew();
            counts->setValue(0, n);
        }
        run.RecordsPerPage = c.perPage;
        engine::ComputeGroupPages(run, *counts);
        EXPECT_EQ(run.DataRecordCount, c.records);
        EXPECT_EQ(groupPageCounts(run), c.pages);
        EXPECT_EQ(size_t(run.GroupCount), c.pages.size());
        EXPECT_EQ(run.TotalPages, c.total);
    }
}

TEST_P(PageCountTest, TheHostsRecordSetIsCountedWithoutAQuery)
{
    auto host = std::make_shared<platform::db::Recordset>();
    host->open(
        QStringLiteral("select * from wsda where filing_year=2003 and piece_no<=2"), *database->connection());
    store::reportState().DataRecordSet = host;
    defineList(0, QStringLiteral("wsda.filing_year=2010"), QString());
    run.RecordsPerPage = 3;

    engine::GetDataRecord(run);
    engine::GetRecordPageCount(run);
    EXPECT_EQ(run.DataRecordCount, host->recordCount());
    EXPECT_EQ(run.TotalPages, (host->recordCount() + 2) / 3);
    EXPECT_TRUE(host->isOpen());
}

TEST_P(PageCountTest, NoRecordsPerPageIsLoggedAndCountsNoPage)
{
    defineList(1, QString(), QString());
    engine::GetDataRecord(run);
    run.RecordsPerPage = 0;
    engine::GetRecordPageCountByGroup(run);
    engine::GetRecordPageCount(run);
    EXPECT_EQ(run.TotalPages, 0);
    EXPECT_EQ(loggedProcedures(), (QStringList { "GetRecordPageCount", "GetRecordPageCountByGroup" }));
}

class PageCountLiterals : public PageCountTest
{
};

TEST_P(PageCountLiterals, ADistinctDataSourceCountsItsDistinctRowsPerGroup)
{
    // Group on the note, which is empty for most documents: the null group is matched with "is null", and
    // a value holding a quote and backslashes is written as a literal that reads back as the value, also
    // where the server reads a backslash as an escape.
    const QString note = QStringLiteral("王's C:\\temp\\new abc\\");
    database->connection()->execute(
        QStringLiteral("update wsda set note=? where piece_no=3 and filing_year=2005"), { note });
    cell(1, 9, QStringLiteral("@K|select distinct wsda.recid, wsda.folder_no from wsda"));
    cell(2, 3, QStringLiteral("@B|wsda.note"));
    defineList(0, QStringLiteral("wsda.retention='永久' or wsda.retention='长期'"), QString(), 1);

    engine::GetDataRecord(run);
    ASSERT_TRUE(run.DistinctSource);
    engine::GetSqlDataSourcePageCountByGroup(run);
    EXPECT_FALSE(loggedProcedures().contains(QStringLiteral("GetSqlDataSourcePageCountByGroup")));

    const QString condition = QStringLiteral("filing_year>=2005 and (retention='永久' or retention='长期')");
    QList<long long> folders;
    for (const QString& group : { QStringLiteral("note is null"), QStringLiteral("note='复印件'"),
             "note=" + database->connection()->literal(note) }) {
        folders.append(scalar(QStringLiteral("select count(distinct folder_no) from wsda where %1 and %2")
                                  .arg(condition, group))
                           .toLongLong());
    }
    ASSERT_GT(folders[0], 0);
    ASSERT_GT(folders[1], 0);
    ASSERT_GT(folders[2], 0);
    // Null sorts first on SQLite and last on PostgreSQL; '复印件' before '王''s ...' on both.
    const QList<long long> inOrder = GetParam() == orvtest::Backend::SQLite
        ? QList<long long> { folders[0], folders[1], folders[2] }
        : QList<long long> { folders[1], folders[2], folders[0] };
    QList<long long> pages;
    for (const long long n : inOrder)
        pages.append(pagesOf(n));
    EXPECT_EQ(run.GroupPageCounts, pages);
    EXPECT_EQ(run.DataRecordCount, folders[0] + folders[1] + folders[2]);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, PageCountLiterals, testing::ValuesIn(orvtest::literalBackends()), orvtest::BackendTestName());

} // namespace
