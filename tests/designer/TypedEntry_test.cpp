#include "designer/TypedEntry.h"

#include <gtest/gtest.h>

namespace
{

TEST(TypedEntry, PlainTextsBecomeFixedTextsContentTextsStay)
{
    const std::pair<QString, QString> cases[] = {
        { "abc 测试", "@A|abc 测试" },
        { "2003", "@A|2003" },
        { "@A|归档年度", "@A|归档年度" },
        { "@B|档号", "@B|档号" },
        { "@C|第%p页", "@C|第%p页" },
        { "@Z|x", "@A|@Z|x" }, // no kind of that letter: printed as typed
        { "@A", "@A|@A" },
        { "", "" },
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(designer::TypedEntry(typed), stored) << typed.toStdString();
}

} // namespace
