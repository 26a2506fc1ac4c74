#include "platform/grid/print/HeaderFooter.h"

#include <gtest/gtest.h>

using namespace platform::grid;

TEST(HeaderFooter, CodesExpandIntoTheirParts)
{
    const QDateTime now(QDate(2024, 3, 9), QTime(14, 5));
    const struct {
        const char* text;
        HeaderFooterText expected;
    } cases[] = {
        { "", {} },
        { "档案目录", { {}, "档案目录", {} } },
        { "第&P页", { {}, "第3页", {} } },
        { "&L左边&C第&P页 共&N页&R右边", { "左边", "第3页 共7页", "右边" } },
        { "&R&D &T", { {}, {}, "2024-03-09 14:05" } },
        { "A&&B", { {}, "A&B", {} } },
        { "&\"宋体,粗体\"&12&B标题&B", { {}, "标题", {} } },
        { "&F&A表", { {}, "表", {} } },
        { "&l小写&r也行", { "小写", {}, "也行" } },
        { "结尾&", { {}, "结尾&", {} } },
    };
    for (const auto& c : cases) {
        const HeaderFooterText got = expandHeaderFooter(QString::fromUtf8(c.text), 3, 7, now);
        EXPECT_EQ(got, c.expected) << c.text << " -> [" << got.left.toStdString() << "|"
                                   << got.center.toStdString() << "|" << got.right.toStdString() << "]";
    }
}
