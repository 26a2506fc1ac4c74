#include "StoreFixture.h"

#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"

using namespace storetest;
using platform::db::sqlText;

namespace
{

const QString FixedId = QStringLiteral("20030416164231127475");
const QString LayoutId = QStringLiteral("20030416142804906424");

const char* const WorkColumns = "folder_no,currentpos,bh1,man_name1,woman_name1,xb1,xb2,zc1,"
                                "bh2,man_name2,woman_name2,xb3,xb4,zc2";

class PairedList : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        execute(
            QStringLiteral("create table arch (recid varchar(20), folder_no varchar(20), piece_no integer, "
                           "man_name varchar(20), femail_name varchar(20), page_no integer)"));
        // Folder A holds 7 records (an odd count: its last record opens a row of its own), folder B 6,
        // and two records have no folder number. A record of another year stays out of the filter.
        int recid = 0;
        auto add = [&](const QString& folder, int piece, int year) {
            const QString folderLiteral = folder.isNull() ? QStringLiteral("NULL") : sqlText(folder);
            const QString man = (piece == 2 ? QStringLiteral("O'Neil") : QStringLiteral("m")) + folder
                + QString::number(piece);
            execute(QStringLiteral("insert into arch values(%1,%2,%3,%4,%5,%6)")
                        .arg(sqlText(QString::number(++recid)), folderLiteral, QString::number(piece + year),
                            sqlText(man), sqlText(QStringLiteral("f") + folder + QString::number(piece)),
                            QString::number(piece * 10)));
        };
        for (int piece = 7; piece >= 1; --piece)
            add(QStringLiteral("A"), piece, 0);
        for (int piece = 1; piece <= 6; ++piece)
            add(QStringLiteral("B"), piece, 0);
        add(QString(), 1, 0);
        add(QString(), 2, 0);
        add(QStringLiteral("A"), 50, 1000);
        setLayoutRows(QStringLiteral("3"));
        askForTheList();
    }

    // The host's properties for the paired list; a print leaves the layout's in the state.
    void askForTheList()
    {
        report->setReportId(FixedId);
        report->setTABLENAME(QStringLiteral("arch"));
        report->setSelectWhere(QStringLiteral("piece_no < 1000"));
        report->setSelectOrder(QStringLiteral("folder_no,piece_no"));
    }

    void setLayoutRows(const QString& dataRows)
    {
        execute(QStringLiteral("delete from report_info"));
        if (!dataRows.isNull())
            execute(QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description) "
                                   "values(%1,'DATA_ROWS',1,%2)")
                        .arg(sqlText(LayoutId), sqlText(dataRows)));
    }

    int workRowCount() { return scalar(QStringLiteral("select count(*) from hyjlml")).toInt(); }

    // Keeps the work rows and the state as the print window sees them.
    void spyOnPrintWindow()
    {
        store::windowSeams().frmPrint = [this](store::PrintWindowUse) {
            seenRows = rows(QStringLiteral("select %1 from hyjlml").arg(QLatin1String(WorkColumns)));
            seenBatches = rows(QStringLiteral("select distinct batchid from hyjlml"));
            seenRecids = scalar(QStringLiteral("select count(distinct recid) from hyjlml")).toInt();
            const auto& state = store::reportState();
            seenState = QStringList { state.ReportId, state.TABLENAME, state.SelectWhere, state.SelectOrder };
        };
    }

    QList<QStringList> seenRows;
    QList<QStringList> seenBatches;
    int seenRecids = 0;
    QStringList seenState;
};

QStringList row(const char* folder, int pos, int left, const char* right = nullptr)
{
    const QString f = QString::fromUtf8(folder);
    auto man = [&](int piece) {
        return (piece == 2 ? QStringLiteral("O'Neil") : QStringLiteral("m")) + f + QString::number(piece);
    };
    QStringList r { f, QString::number(pos), QString::number(left), man(left),
        QStringLiteral("f") + f + QString::number(left), QStringLiteral("男"), QStringLiteral("女"),
        QString::number(left * 10) };
    if (right) {
        const int piece = QString::fromUtf8(right).toInt();
        r << QString::number(piece) << man(piece) << QStringLiteral("f") + f + QString::number(piece)
          << QStringLiteral("男") << QStringLiteral("女") << QString::number(piece * 10);
    } else {
        r << QStringList(6, QString());
    }
    return r;
}

} // namespace

TEST_P(PairedList, RecordsArePairedPerFolderAndTheRowsGoWhenTheWindowCloses)
{
    spyOnPrintWindow();
    report->PreviewPrint();

    QList<QStringList> expected {
        row("", 1, 1),
        row("", 2, 2), // records without a folder number form the folder ""
        row("A", 1, 1, "4"),
        row("A", 2, 2, "5"),
        row("A", 3, 3, "6"),
        row("A", 7, 7),
        row("B", 1, 1, "4"),
        row("B", 2, 2, "5"),
        row("B", 3, 3, "6"),
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(seenRows, expected);
    ASSERT_EQ(seenBatches.size(), 1);
    EXPECT_EQ(seenRecids, expected.size());
    const QString batch = seenBatches[0][0];
    EXPECT_EQ(seenState,
        (QStringList {
            LayoutId, "hyjlml", " batchid ='" + batch + "'", "hyjlml.folder_no asc ,hyjlml.bh1 asc  " }));

    EXPECT_EQ(workRowCount(), 0);
    EXPECT_EQ(report->ReportId(), FixedId);
    EXPECT_EQ(report->TABLENAME(), QStringLiteral("arch"));
    EXPECT_EQ(store::reportState().ReportId, LayoutId);
}

TEST_P(PairedList, WorkRowsAreDeletedOnEveryRoadAndAfterEveryFailure)
{
    execute(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id,note) "
                           "values(%1,'对照目录',1,'arch','c:\\t\\x.rpt')")
                .arg(sqlText(LayoutId)));
    int rowsSeenByReportPrinter = 0;
    store::windowSeams().RunReportPrinter = [&](const QString&) { rowsSeenByReportPrinter = workRowCount(); };
    report->PrintReport();
    EXPECT_EQ(rowsSeenByReportPrinter, 9);
    EXPECT_EQ(workRowCount(), 0);

    askForTheList();
    execute(QStringLiteral("delete from report_index"));
    store::windowSeams().frmPrintMSG = [] { throw platform::Error(1, "frmPrintMSG", "broken"); };
    report->PrintReport();
    EXPECT_EQ(workRowCount(), 0);

    // The fifth work row cannot be written: the rows written before it must go as well.
    refuse(QStringLiteral("insert"), QStringLiteral("hyjlml"),
        QStringLiteral("NEW.folder_no = 'B' and NEW.bh1 = 2"));
    askForTheList();
    EXPECT_THROW(report->PrintReport(), platform::Error);
    EXPECT_EQ(workRowCount(), 0);
    askForTheList();
    EXPECT_NO_THROW(report->PreviewPrint());
    EXPECT_EQ(workRowCount(), 0);
}

TEST_P(PairedList, LayoutWithoutPositiveRowsPerPageIsRefusedBeforeAnyRow)
{
    for (const QString& dataRows : { QString(), QStringLiteral("0"), QStringLiteral("FIX"),
             QStringLiteral("AUTO"), QStringLiteral("-3") }) {
        setLayoutRows(dataRows);
        platform::ui::ScriptedUi boxes;
        bool windowShown = false;
        store::windowSeams().frmPrint = [&](store::PrintWindowUse) { windowShown = true; };
        store::windowSeams().frmPrintMSG = [&] { windowShown = true; };
        report->PreviewPrint();
        report->PrintReport();
        EXPECT_FALSE(windowShown) << dataRows.toStdString();
        ASSERT_EQ(boxes.boxes().size(), 2u) << dataRows.toStdString();
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("提示信息"));
        EXPECT_EQ(store::reportState().ReportId, FixedId);
        EXPECT_EQ(store::reportState().TABLENAME, QStringLiteral("arch"));
        EXPECT_EQ(workRowCount(), 0);
    }
}

STORE_TEST_SUITE(PairedList);
