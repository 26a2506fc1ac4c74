#include "StoreFixture.h"

#include "platform/Error.h"
#include "platform/outside/OutsideReportComponent.h"

using namespace storetest;
using platform::ui::Icon;

namespace
{

const QString ReportId = QStringLiteral("20240101090000000001");

// Records which road a print member took, and what the outside report component was given.
struct RoadSpy {
    QStringList roads;
    QStringList outsideValues;

    RoadSpy()
    {
        auto& seams = store::windowSeams();
        seams.RunReportPrinter
            = [this](const QString& note) { roads << QStringLiteral("report printer ") + note; };
        seams.ShowWordReport = [this](const QString& note) { roads << QStringLiteral("word ") + note; };
        seams.frmPrintMSG
            = [this] { roads << QStringLiteral("frmPrintMSG ") + store::reportState().ReportName; };
        seams.frmPrint = [this](store::PrintWindowUse use) {
            roads << (use == store::PrintWindowUse::ShowModal ? QStringLiteral("frmPrint")
                                                              : QStringLiteral("frmPrint silent"));
        };
        seams.frmPreview = [this] { roads << QStringLiteral("frmPreview"); };
        platform::outside::registerOutsideReportComponent(QString::fromUtf8(platform::outside::TolrepProgId),
            [this] { return std::make_unique<Component>(*this); });
    }
    ~RoadSpy()
    {
        platform::outside::registerOutsideReportComponent(
            QString::fromUtf8(platform::outside::TolrepProgId), {});
    }

    struct Component : platform::outside::OutsideReportComponent {
        explicit Component(RoadSpy& spy)
            : spy(spy)
        {
        }
        void setConnection(std::shared_ptr<platform::db::Connection> c) override
        {
            spy.outsideValues << (c ? "connection" : "none");
        }
        void setSelectWhere(const QString& v) override { spy.outsideValues << v; }
        void setSelectOrder(const QString& v) override { spy.outsideValues << v; }
        void setReportId(const QString& v) override { spy.outsideValues << v; }
        void work() override { spy.roads << QStringLiteral("outside component"); }
        RoadSpy& spy;
    };
};

class ReportRoutes : public StoreTest
{
protected:
    void addReport(const QString& name, const QString& note)
    {
        database->connection()->execute(
            QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id,note) "
                           "values(?,?,1,'wsda',?)"),
            { ReportId, name, note });
        report->setReportId(ReportId);
        report->setTABLENAME(QStringLiteral("wsda"));
        report->setSelectWhere(QStringLiteral("filing_year=2020"));
        report->setSelectOrder(QStringLiteral("folder_no,piece_no"));
    }
};

} // namespace

TEST_P(ReportRoutes, TemplateNoteChoosesTheRoad)
{
    struct Case {
        const char* name;
        const char* note;
        const char* printRoad;
        const char* previewRoad;
    };
    const Case cases[] = {
        { "目录", "c:\\tpl\\a.rpt", "report printer c:\\tpl\\a.rpt", "report printer c:\\tpl\\a.rpt" },
        { "目录", "A.RPT", "report printer A.RPT", "report printer A.RPT" },
        { "目录", "模板.doc", "word 模板.doc", "word 模板.doc" },
        { "目录", "模板.DOC", "word 模板.DOC", "word 模板.DOC" },
        { "全引目录2", "", "outside component", "outside component" },
        { "文书目录", "", "frmPrintMSG 文书目录", "frmPrint" },
        { "文书目录", "说明", "frmPrintMSG 文书目录", "frmPrint" },
    };
    for (const auto& c : cases) {
        execute(QStringLiteral("delete from report_index"));
        addReport(QString::fromUtf8(c.name), QString::fromUtf8(c.note));
        store::reportState().ReportGroupId = QStringLiteral("host group");
        {
            RoadSpy spy;
            report->PrintReport();
            EXPECT_EQ(spy.roads, QStringList { QString::fromUtf8(c.printRoad) }) << c.note;
            if (QString::fromUtf8(c.printRoad).startsWith("frmPrintMSG")) { // the index row read before it
                EXPECT_EQ(store::reportState().ReportGroupId, QStringLiteral("wsda"));
            }
        }
        {
            RoadSpy spy;
            report->PreviewPrint();
            EXPECT_EQ(spy.roads, QStringList { QString::fromUtf8(c.previewRoad) }) << c.note;
        }
        EXPECT_TRUE(ui.boxes().empty()) << c.note;
    }
}

TEST_P(ReportRoutes, OutsideComponentGetsTheStateValuesAndItsAbsenceIsTold)
{
    addReport(QStringLiteral("全引目录2"), QString());
    {
        RoadSpy spy;
        report->PreviewPrint();
        EXPECT_EQ(spy.outsideValues,
            (QStringList { "connection", "filing_year=2020", "wsda.folder_no,wsda.piece_no", ReportId }));
    }
    // Without the component print fails to the host, preview tells the user.
    EXPECT_THROW(report->PrintReport(), platform::Error);
    report->PreviewPrint();
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("提示信息"));
}

TEST_P(ReportRoutes, WindowFailureIsIgnored)
{
    addReport(QStringLiteral("文书目录"), QString());
    store::windowSeams().frmPrint
        = [](store::PrintWindowUse) { throw platform::Error(1, "frmPrint", "broken"); };
    store::windowSeams().frmPrintMSG = [] { throw platform::Error(1, "frmPrintMSG", "broken"); };
    EXPECT_NO_THROW(report->PreviewPrint());
    EXPECT_NO_THROW(report->PrintReport());
}

TEST_P(ReportRoutes, PrinterProbeTellsEachMemberItsMessage)
{
    const QString noPrinterPrint = QStringLiteral("没有安装打印机，不能打印报表！");
    const QString noPrinter = QStringLiteral("没有安装打印机,不能打印报表！");
    const QString faultyPrint = QStringLiteral("当前打印机安装有问题，无法打印！请检查打印机！");
    const QString faulty = QStringLiteral("当前打印机安装有问题，无法预览！请检查打印机！");
    using platform::ui::PrinterScript;
    const auto Print = &CReportOrv::PrintReport, Preview = &CReportOrv::PreviewPrint,
               Blank = &CReportOrv::PreviewBlankPage, Web = &CReportOrv::WebPrint;
    const PrinterScript none { {}, QString() };
    const PrinterScript fault482 { { "P" }, "P", 0, platform::errors::PrinterFault };
    const PrinterScript otherFault { { "P" }, "P", 0, 13 };
    const PrinterScript listFault { { "P" }, "P", 13, 0 };
    const struct {
        const char* label;
        PrinterScript script;
        void (CReportOrv::*member)();
        QString message; // "" : nothing told
        Icon icon;
    } cases[] = {
        { "print, none", none, Print, noPrinterPrint, Icon::None },
        { "preview, none", none, Preview, noPrinter, Icon::None },
        { "blank, none", none, Blank, noPrinter, Icon::None },
        { "web, none", none, Web, noPrinter, Icon::None },
        { "print, 482", fault482, Print, faultyPrint, Icon::Question },
        { "preview, 482", fault482, Preview, faulty, Icon::Question },
        { "blank, 482", fault482, Blank, faulty, Icon::Question },
        { "web, 482", fault482, Web, faulty, Icon::None },
        { "print, other", otherFault, Print, QString(), Icon::None },
        { "preview, other", otherFault, Preview, QString(), Icon::None },
        { "blank, other", otherFault, Blank, faulty, Icon::Question },
        { "web, other", otherFault, Web, QString(), Icon::None },
        { "print, list", listFault, Print, QString(), Icon::None },
        { "blank, list", listFault, Blank, noPrinter, Icon::None },
    };
    addReport(QStringLiteral("文书目录"), QString());
    for (const auto& c : cases) {
        platform::ui::ScriptedUi boxes;
        platform::ui::ScriptedPrinters scripted(c.script);
        RoadSpy spy;
        report->setErrorMessage(QString());
        (report.get()->*c.member)();
        EXPECT_TRUE(spy.roads.isEmpty()) << c.label;
        // The web build tells through ErrorMessage only, the others by a box.
        const bool web = c.member == Web;
        QStringList told, expected;
        for (const auto& box : boxes.boxes())
            told << box.title + '|' + box.text + '|' + QString::number(int(box.icon));
        if (!web && !c.message.isEmpty())
            expected << QStringLiteral("提示信息|") + c.message + '|' + QString::number(int(c.icon));
        EXPECT_EQ(told, expected) << c.label;
        if (web) {
            EXPECT_EQ(report->ErrorMessage(), c.message) << c.label;
        }
    }
}

TEST_P(ReportRoutes, WebPrintStartsCleanAndEndsTheSilentMode)
{
    addReport(QStringLiteral("文书目录"), QString());
    report->setErrorMessage(QStringLiteral("old message"));
    store::reportState().WebReportPath = QStringLiteral("/tmp/old.xls");
    bool silentWhileLoading = false;
    store::windowSeams().frmPrint = [&](store::PrintWindowUse use) {
        silentWhileLoading = use == store::PrintWindowUse::LoadSilently && store::reportState().WebPrintMode;
    };
    report->WebPrint();
    EXPECT_TRUE(silentWhileLoading);
    EXPECT_FALSE(store::reportState().WebPrintMode);
    EXPECT_EQ(report->ErrorMessage(), QString());
    EXPECT_EQ(report->GetWebReportPath(), QString());

    store::windowSeams().frmPrint
        = [](store::PrintWindowUse) { store::reportState().WebReportPath = QStringLiteral("/tmp/new.xls"); };
    report->WebPrint();
    EXPECT_EQ(report->GetWebReportPath(), QStringLiteral("/tmp/new.xls"));
}

STORE_TEST_SUITE(ReportRoutes);
