#include "designer/frmReportDesigner.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/ScriptedUi.h"
#include "store/HelpPage.h"

#include <gtest/gtest.h>
#include <QFile>

// Every topic that a window of the component names ships as a page in Simplified Chinese beside the
// library, and the designer's help command opens its own.
TEST(HelpTopics, EveryWindowsTopicShips)
{
    const char* topics[] = { "报表设计器", "添加区域", "数据源设置", "设置单元格格式", "打印效果预览",
        "打印设置", "打开新建报表向导", "选择数据表", "选择字段", "选择分组字段", "选择排序字段",
        "完成新报表的创建" };
    for (const char* topic : topics) {
        QFile page(platform::ui::helpTopicPath(QString::fromUtf8(topic)));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
        const QString text = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("lang=\"zh-CN\"")));
        EXPECT_TRUE(text.contains(QStringLiteral("<h1>"))) << topic;
    }

    platform::ui::ScriptedUi ui;
    designer::frmReportDesigner window;
    window.mnuHelpTopic_Click();
    EXPECT_TRUE(ui.boxes().empty());
    ASSERT_EQ(ui.openedUrls().size(), 1);
    EXPECT_TRUE(ui.openedUrls()[0].toLocalFile().endsWith(QStringLiteral("help/报表设计器.htm")));

    // A topic whose page was removed names the page the component looks for.
    store::OpenHelpPage(QStringLiteral("已删除的主题"));
    ASSERT_EQ(ui.boxTexts().size(), 1);
    EXPECT_TRUE(ui.boxTexts()[0].contains(QStringLiteral("help/已删除的主题.htm 不存在")));
    EXPECT_TRUE(ui.boxTexts()[0].contains(QStringLiteral("请将 已删除的主题.htm 文件拷贝到 ")));
}
