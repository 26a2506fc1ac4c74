#include "designer/frmNewReport.h"
#include "designer/frmRenameReport.h"
#include "designer/ReportNames.h"
#include "platform/ui/ModalDialog.h"
#include "store/StoreFixture.h"

#include <QLabel>
#include <QLineEdit>

using namespace designer;
using Refusal = platform::ui::Refusal<NameControl>;

namespace
{

const QString Current = QStringLiteral("20240301000000000001");
const QString Other = QStringLiteral("20240301000000000002");

// Group "G" holds the current report 月报 and the reports Annual (data) and 统计 (statistics) and one
// without a name; group "H" holds 其他. The current report has a row in each of the four tables.
class ReportNames : public storetest::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        addReport(Current, "'月报'", 1, "G");
        addReport(Other, "'Annual'", 1, "G");
        addReport("20240301000000000003", "'统计'", 2, "G");
        addReport("20240301000000000004", "null", 1, "G");
        addReport("20240301000000000005", "'其他'", 1, "H");
        for (const QString& id : { Current, Other }) {
            execute(QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description) "
                                   "values('%1','DATA_ROWS',1,'10')")
                        .arg(id));
            execute(
                QStringLiteral("insert into report_format(report_id,format_order,begin_row_no,begin_col_no,"
                               "end_row_no,end_col_no,format_type,format_description) "
                               "values('%1',1,1,1,1,1,'FONT','@FONTBOLD|4|TRUE')")
                    .arg(id));
            execute(
                QStringLiteral("insert into report_data(report_id,row_no,col_no,data_type,data_description1) "
                               "values('%1',1,2,'A','@A|标题')")
                    .arg(id));
        }
        store::ReportState& state = store::reportState();
        state.ReportId = Current;
        state.ReportGroupId = QStringLiteral("G");
        state.ReportType = store::DataReport;
        state.ReportName = QStringLiteral("月报");
    }

    void addReport(const QString& id, const char* name, int type, const char* group)
    {
        execute(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id) "
                               "values('%1',%2,%3,'%4')")
                    .arg(id, QString::fromUtf8(name))
                    .arg(type)
                    .arg(QString::fromLatin1(group)));
    }

    QList<QStringList> reportRows(const QString& id)
    {
        QList<QStringList> all;
        for (const char* table : { "report_index", "report_info", "report_format", "report_data" })
            all += rows(
                QStringLiteral("select * from %1 where report_id='%2'").arg(QLatin1String(table), id));
        return all;
    }
};

} // namespace

TEST_P(ReportNames, ChecksInOrderWithEachDialogsWording)
{
    const QString chinese25(25, QChar(u'档'));
    const struct {
        NameDialog dialog;
        QString name;
        std::optional<Refusal> fault;
    } cases[] = {
        { NameDialog::NewReport, "", Refusal { "请输入报表名！", NameControl::NameBox } },
        { NameDialog::Rename, "", Refusal { "请输入报表名！", NameControl::NameBox } },
        { NameDialog::NewReport, chinese25, std::nullopt },
        { NameDialog::NewReport, QString(50, QChar(u'x')), std::nullopt },
        { NameDialog::NewReport, chinese25 + "档",
            Refusal { "报表名过长,不可超出50个字符(一个汉字为两个字符)!", NameControl::NameBox } },
        { NameDialog::Rename, QString(51, QChar(u'x')),
            Refusal { "报表名过长,不可超出50个字符(一个汉字为两个字符）!", NameControl::NameBox } },
        // A quote is refused before any query; the refusals of CheckReportName leave the focus alone.
        { NameDialog::NewReport, "a'b", Refusal { "报表名不合法（含 '），请重新输入新报表名！" } },
        { NameDialog::Rename, "月报", Refusal { "报表名重名，请重新输入新报表名！" } },
        { NameDialog::NewReport, "月报", Refusal { "报表名重名，请重新输入新报表名！" } },
        // Other reports of the group, whatever the letter case; other groups do not count.
        { NameDialog::NewReport, "ANNUAL",
            Refusal { "名为'ANNUAL'的报表已经存在，请重新输入报表名", NameControl::NameBox } },
        { NameDialog::Rename, "annual",
            Refusal { "名为‘annual’的报表已经存在，请重新输入报表名！", NameControl::NameBox } },
        { NameDialog::Rename, "统计",
            Refusal { "名为‘统计’的报表已经存在，请重新输入报表名！", NameControl::NameBox } },
        { NameDialog::Rename, "其他", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidateReportName(c.dialog, c.name), c.fault) << c.name.toStdString();

    // Without a current report the open report's name is one of the group's like any other.
    store::reportState().ReportId.clear();
    EXPECT_EQ(ValidateReportName(NameDialog::NewReport, "月报"),
        (Refusal { "名为'月报'的报表已经存在，请重新输入报表名", NameControl::NameBox }));
}

TEST_P(ReportNames, OpenListHoldsTheGroupsNamedReportsOfTheType)
{
    EXPECT_EQ(ReportNamesOfGroup(), QStringList({ "月报", "Annual" }));
    store::reportState().ReportType = store::StatisticsReport;
    EXPECT_EQ(ReportNamesOfGroup(), QStringList({ "统计" }));
    store::reportState().ReportGroupId = QStringLiteral("G' or '1'='1");
    EXPECT_TRUE(ReportNamesOfGroup().isEmpty());
}

TEST_P(ReportNames, DeleteRemovesAllFourTablesOrNothing)
{
    const QList<QStringList> other = reportRows(Other);
    const QList<QStringList> current = reportRows(Current);
    ASSERT_EQ(current.size(), 4);

    refuse("delete", "report_data", "OLD.report_id is not null");
    EXPECT_FALSE(DeleteReport());
    EXPECT_EQ(ui.boxTexts(), QStringList({ "由于不可预知的原因,删除报表出错,请与程序供应商联系!" }));
    EXPECT_EQ(reportRows(Current), current);
    allow();

    EXPECT_TRUE(DeleteReport());
    EXPECT_TRUE(reportRows(Current).isEmpty());
    EXPECT_EQ(reportRows(Other), other);

    store::reportState().ReportId.clear();
    EXPECT_FALSE(DeleteReport());
    EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_P(ReportNames, RenameDialogWritesOrStaysOpen)
{
    const auto rename = [&](const QString& name) {
        frmRenameReport dialog;
        EXPECT_EQ(dialog.lblName->text(), "月报");
        ui.onDialog("frmRenameReport", [&](QDialog&) {
            dialog.txtName->setText("  " + name + " ");
            dialog.cmdOK_Click();
        });
        return platform::ui::showModal(dialog);
    };
    refuse("update", "report_index", "NEW.report_name = 'Refused'");
    EXPECT_EQ(rename("Refused"), QDialog::Rejected);
    EXPECT_EQ(ui.boxTexts(), QStringList({ "程序出错,请与程序供应商联系!" }));
    EXPECT_EQ(store::reportState().ReportName, "月报");
    EXPECT_EQ(
        scalar(QStringLiteral("select report_name from report_index where report_id='%1'").arg(Current)),
        "月报");

    EXPECT_EQ(rename("周报"), QDialog::Accepted);
    EXPECT_EQ(store::reportState().ReportName, "周报");
    EXPECT_EQ(
        scalar(QStringLiteral("select report_name from report_index where report_id='%1'").arg(Current)),
        "周报");
}

TEST_P(ReportNames, NewReportDialogIsCancelledUnlessANameWasAccepted)
{
    const auto show = [&](const std::function<void(frmNewReport&)>& drive) {
        frmNewReport dialog;
        ui.onDialog("frmNewReport", [&](QDialog&) { drive(dialog); });
        platform::ui::showModal(dialog);
        return std::make_pair(dialog.Cancelled, dialog.ReportName);
    };
    // Closed through its frame, after a refused name, or with Cancel: cancelled, no name.
    EXPECT_EQ(show([](frmNewReport& dialog) {
        dialog.txtReportName->setText("Annual");
        dialog.cmdOK_Click();
        dialog.reject();
    }),
        std::make_pair(true, QString()));
    EXPECT_EQ(ui.boxTexts(), QStringList({ "名为'Annual'的报表已经存在，请重新输入报表名" }));
    EXPECT_EQ(show([](frmNewReport& dialog) { dialog.cmdCancel_Click(); }), std::make_pair(true, QString()));
    EXPECT_EQ(show([](frmNewReport& dialog) {
        dialog.txtReportName->setText(" 季报 ");
        dialog.cmdOK_Click();
    }),
        std::make_pair(false, QString("季报")));
    EXPECT_EQ(store::reportState().ReportName, "月报");
}

INSTANTIATE_TEST_SUITE_P(
    Backends, ReportNames, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName {});
