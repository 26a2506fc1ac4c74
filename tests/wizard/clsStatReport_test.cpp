#include "WizardFixture.h"

#include "store/ReportLookups.h"
#include "wizard/clsStatReport.h"
#include "wizard/WizardSeams.h"

using namespace wizardtest;

namespace
{

class StatReport : public WizardTest
{
};
WIZARD_TEST_SUITE(StatReport);

TEST_P(StatReport, ANewDefinitionIsOneTitledTwelveBySixSheet)
{
    wizard::clsStatReport definition;
    definition.Connection = database->connection();
    definition.GroupID = "wsda";
    definition.reportName = "年度统计";
    definition.TopMarge = 1.25;
    ASSERT_TRUE(definition.Save()) << definition.FailureText().toStdString();
    const QString id = definition.ReportId();
    EXPECT_EQ(id.size(), 20);
    EXPECT_EQ(reportRows("report_index", "report_name,report_type,report_group_id", id),
        (QList<QStringList> { { "年度统计", "2", "wsda" } }));
    EXPECT_EQ(infoRows(id),
        (QList<QStringList> { { "BOTTOM_MARGE", "1", "0.39375" }, { "COL_COUNT", "1", "6" },
            { "DATA_ROWS", "1", "10" }, { "LEFT_MARGE", "1", "0.7875" }, { "PAGE_LANDSCAPE", "1", "F" },
            { "PAGE_RECOUNT", "1", "T" }, { "PAGE_SIZE", "1", "9" }, { "RIGHT_MARGE", "1", "0.39375" },
            { "ROW_COUNT", "1", "12" }, { "SELF_FIT", "1", "T" }, { "TOP_MARGE", "1", "1.25" } }));
    EXPECT_EQ(formatRows(id),
        (QList<QStringList> { { "1", "1", "1", "1", "6", "FONT",
                                  "@FONTNAME|1|宋体@FONTSIZE|2|20@FONTBOLD|4|TRUE@FONTITALIC|4|FALSE" },
            { "2", "2", "1", "12", "6", "FONT",
                "@FONTNAME|1|宋体@FONTSIZE|2|12@FONTBOLD|4|FALSE@FONTITALIC|4|FALSE" },
            { "3", "1", "1", "1", "6", "MERGE", "@MERGE|4|TRUE" },
            { "4", "1", "1", "1", "1", "ALIGNMENT", "@HALIGNMENT|2|3@VALIGNMENT|2|3" },
            { "5", "2", "1", "12", "6", "ALIGNMENT", "@HALIGNMENT|2|1@VALIGNMENT|2|2" },
            { "6", "0", "0", "0", "0", "ROWHEIGHT",
                "@1|2|600@2|2|300@3|2|300@4|2|300@5|2|300@6|2|300@7|2|300@8|2|300@9|2|300@10|2|300@11|2|300@"
                "12|2|300" },
            { "7", "0", "0", "0", "0", "COLWIDTH",
                "@1|2|1583@2|2|1583@3|2|1583@4|2|1583@5|2|1583@6|2|1583" } }));
    EXPECT_EQ(dataRows(id), (QList<QStringList> { { "1", "1", "A", "@A|年度统计" } }));
}

TEST_P(StatReport, TheStoreMakesItThroughItsHookAndNamesWithQuotesSave)
{
    wizard::installWizardSeams();
    store::reportState().ReportGroupId = "wsda";
    store::reportState().ReportName = "O'Brien 统计";
    ASSERT_TRUE(store::CreateStatReport());
    const QString first = store::reportState().ReportId;
    EXPECT_EQ(reportRows("report_index", "report_name", first), (QList<QStringList> { { "O'Brien 统计" } }));
    EXPECT_EQ(dataRows(first), (QList<QStringList> { { "1", "1", "A", "@A|O'Brien 统计" } }));
    ASSERT_TRUE(store::CreateStatReport());
    EXPECT_NE(store::reportState().ReportId, first) << "two definitions made back to back";
}

TEST_P(StatReport, AFailedSaveLeavesNothingAndTellsWhy)
{
    refuse("insert", "report_format", "NEW.format_order = 7");
    wizard::clsStatReport definition;
    definition.Connection = database->connection();
    EXPECT_FALSE(definition.Save());
    EXPECT_TRUE(definition.FailureText().contains("refused"));
    EXPECT_EQ(storedRowCount(definition.ReportId()), 0);

    wizard::clsStatReport unconnected;
    EXPECT_FALSE(unconnected.Save());
    EXPECT_FALSE(unconnected.FailureText().isEmpty());
}

} // namespace
