#include "store/SelectOrder.h"

#include <gtest/gtest.h>

using store::QualifySelectOrder;

TEST(SelectOrder, ItemsWithoutTableAreQualifiedWhenTheListHasSeveral)
{
    struct Case {
        const char* order;
        const char* expected;
    };
    const Case cases[] = {
        { "a,b", "T.a,T.b" },
        { "a,x.b", "T.a,x.b" },
        { "x.a,y.b", "x.a,y.b" },
        { "a", "a" },
        { "", "" },
        { "folder_no, piece_no desc", "T.folder_no,T.piece_no desc" },
        { " x.a desc,b", " x.a desc,T.b" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(QualifySelectOrder(QString::fromUtf8(c.order), QStringLiteral("T")),
            QString::fromUtf8(c.expected))
            << c.order;
}
