#include "demo/ArchiveRecords.h"
#include "demo/DemoDatabase.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

using namespace orvtest;

namespace
{

QStringList recordTexts(const demo::ArchiveRecord& r)
{
    return { r.recid, r.archiveNo, r.folderNo, QString::number(r.pieceNo), QString::number(r.yearFolderNo),
        QString::number(r.filingYear), r.retention, r.title, r.docDate.toString("yyyy-MM-dd"),
        QString::number(r.pageNo), r.manName, r.femailName, r.responsible, r.archiveFlag, r.note };
}

TEST(ArchiveRecords, SameSeedGivesTheSameArchive)
{
    const auto first = demo::generateArchiveRecords(400, 7);
    const auto again = demo::generateArchiveRecords(400, 7);
    const auto other = demo::generateArchiveRecords(400, 8);
    ASSERT_EQ(first.size(), 400);
    for (qsizetype i = 0; i < first.size(); ++i)
        EXPECT_EQ(recordTexts(first[i]), recordTexts(again[i]));
    EXPECT_NE(recordTexts(first[0]), recordTexts(other[0]));
}

TEST(ArchiveRecords, FoldersHoldConsecutivePiecesOfOneYearAndPeriod)
{
    const auto records = demo::generateArchiveRecords(3000, 1);
    ASSERT_EQ(records.size(), 3000);
    const QStringList oldPeriods { "永久", "长期", "短期" };
    const QStringList newPeriods { "永久", "30年", "10年" };
    QSet<QString> recids;
    QSet<int> years;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const demo::ArchiveRecord& r = records[i];
        recids.insert(r.recid);
        years.insert(r.filingYear);
        EXPECT_EQ(r.docDate.year(), r.filingYear);
        EXPECT_TRUE((r.filingYear < 2006 ? oldPeriods : newPeriods).contains(r.retention))
            << r.recid.toStdString();
        if (i == 0 || records[i - 1].folderNo != r.folderNo) {
            EXPECT_EQ(r.pieceNo, 1);
            continue;
        }
        const demo::ArchiveRecord& previous = records[i - 1];
        EXPECT_EQ(r.pieceNo, previous.pieceNo + 1);
        EXPECT_EQ(r.filingYear, previous.filingYear);
        EXPECT_EQ(r.retention, previous.retention);
        EXPECT_EQ(r.yearFolderNo, previous.yearFolderNo);
        EXPECT_EQ(r.archiveFlag, previous.archiveFlag);
    }
    EXPECT_EQ(recids.size(), records.size());
    EXPECT_EQ(years.size(), 10);
}

class DemoArchiveTest : public orvtest::BackendTest
{
protected:
    TestDatabase db { GetParam(), TestDatabase::Content::DemoArchive, 300 };
};

TEST_P(DemoArchiveTest, StoresEveryGeneratedRecordFieldByField)
{
    QList<QStringList> expected;
    for (const demo::ArchiveRecord& r : demo::generateArchiveRecords(300, 1))
        expected << recordTexts(r);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(
        db.rows("select recid, archive_no, folder_no, piece_no, year_folder_no, filing_year, retention, "
                "title, doc_date, page_no, man_name, femail_name, responsible, archive_flag, note from wsda"),
        expected);
    EXPECT_EQ(db.scalar("select count(*) from wsda where note is null"),
        db.scalar("select count(*) from wsda where note is null or note = ''"));
}

TEST_P(DemoArchiveTest, DescribesTheArchiveAndHoldsTheLookups)
{
    EXPECT_EQ(db.rows("select table_name, table_auxi_name, table_chn_name from table_description"),
        (QList<QStringList> { { "wsaj", "文书案卷", "文书案卷" }, { "wsda", "文书档案", "文书档案" },
            { "wsfj", "文书附件", "文书附件" } }));
    EXPECT_EQ(
        db.rows(
            "select m_table_name, s_table_name, m_col_name, s_col_name, relation_no from tables_relation"),
        (QList<QStringList> { { "wsaj", "wsda", "folder_no", "folder_no", "1" },
            { "wsda", "wsfj", "recid", "doc_recid", "1" } }));
    EXPECT_EQ(db.scalar("select count(*) from table_struct_description where table_name = 'WSDA' "
                        "and column_visible = 't'"),
        "15");
    EXPECT_EQ(
        db.scalar("select column_chn_name from table_struct_description where column_name = 'piece_no'"),
        "件号");
    EXPECT_EQ(db.rows("select paper_size, paper_width, paper_height, paper_scalewidth, paper_scaleheight "
                      "from page_size where paper_name in ('A4', '自定义')"),
        (QList<QStringList> {
            { "256", "21", "29.7", "11760", "16632" }, { "9", "21", "29.7", "11760", "16632" } }));
    EXPECT_EQ(db.scalar("select s_format_string from report_cell_num_ftm where s_class = '文本'"), "\\@");
    QStringList retention;
    platform::db::Recordset rs;
    rs.open("select * from auxidict where serial_no ='05' order by item_note ", *db.connection());
    for (; !rs.eof(); rs.moveNext())
        retention << rs.text("item_name");
    EXPECT_EQ(retention, QStringList({ "永久", "长期", "短期", "30年", "10年" }));
}

TEST_P(DemoArchiveTest, VolumeRangesCanBeQueriedPerYearAndPeriod)
{
    int total = 0;
    for (const QStringList& year : db.rows("select distinct filing_year from wsda")) {
        for (const QString& period : demo::retentionNames()) {
            const QString count = db.scalar(QString("select count(*) from wsda where filing_year =%1 and "
                                                    "retention ='%2'")
                                                .arg(year[0], period));
            total += count.toInt();
        }
    }
    EXPECT_EQ(total, 300);
    EXPECT_EQ(db.scalar("select min(year_folder_no) as MinValue from wsda where filing_year =2003"), "1");
}

// Every document lies in its volume and the volumes sum their documents up; every attachment belongs
// to a document of the first, fifth, ninth... piece of a folder.
TEST_P(DemoArchiveTest, VolumesAndAttachmentsJoinTheirDocuments)
{
    EXPECT_EQ(
        db.scalar("select count(*) from wsaj"), db.scalar("select count(distinct folder_no) from wsda"));
    EXPECT_EQ(db.scalar("select count(*) from wsaj, wsda where wsaj.folder_no = wsda.folder_no"), "300");
    EXPECT_EQ(db.scalar("select count(*) from wsaj where page_count <> (select sum(page_no) from wsda "
                        "where wsda.folder_no = wsaj.folder_no) or piece_count <> (select count(*) from wsda "
                        "where wsda.folder_no = wsaj.folder_no)"),
        "0");
    EXPECT_EQ(db.scalar("select count(*) from wsfj"),
        db.scalar(
            "select sum(case when page_no % 2 = 0 then 2 else 1 end) from wsda where piece_no % 4 = 1"));
    EXPECT_EQ(db.scalar("select count(*) from wsda, wsfj where wsda.recid = wsfj.doc_recid"),
        db.scalar("select count(*) from wsfj"));
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoArchiveTest, testing::ValuesIn(allBackends()), BackendTestName());

TEST(DemoDatabaseFile, IsCreatedWholeOnceAndLeftAloneAfterwards)
{
    const QString file
        = QDir::temp().filePath(QString("orv-demo-%1.db").arg(QCoreApplication::applicationPid()));
    QFile::remove(file);
    QFile leftover(file + ".partial");
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("not a database");
    leftover.close();

    demo::ensureDemoDatabase(file);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(file + ".partial"));
    {
        const auto connection = platform::db::Connection::open(file);
        connection->execute("delete from wsda where piece_no > 1");
    }
    demo::ensureDemoDatabase(file);
    {
        const auto connection = platform::db::Connection::open(file);
        platform::db::Recordset rs;
        rs.open("select count(*) from wsda where piece_no > 1", *connection);
        EXPECT_EQ(rs.text(0), "0");
        rs.open("select count(*) from wsda", *connection);
        EXPECT_GT(rs.text(0).toInt(), 50);
    }
    QFile::remove(file);
}

} // namespace
