#include "platform/outside/IdGeneratorObject.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <unordered_set>

using platform::outside::IdGeneratorObject;

TEST(IdGeneratorObject, HundredThousandIdsAreUniqueDigitsOfTwentyCharacters)
{
    IdGeneratorObject generator;
    std::unordered_set<std::string> seen;
    const QString before = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
    for (int i = 0; i < 100000; ++i) {
        const QString id = generator.newId();
        ASSERT_EQ(id.size(), IdGeneratorObject::IdLength) << id.toStdString();
        for (const QChar c : id)
            ASSERT_TRUE(c.isDigit()) << id.toStdString();
        ASSERT_TRUE(seen.insert(id.toStdString()).second) << "repeated id " << id.toStdString();
        ASSERT_GE(id.left(14), before);
    }
    // The ids start with the local date and time.
    const QString id = IdGeneratorObject().newId();
    const QDateTime stamp = QDateTime::fromString(id.left(14), QStringLiteral("yyyyMMddhhmmss"));
    ASSERT_TRUE(stamp.isValid()) << id.toStdString();
    EXPECT_GE(id.left(14), before);
    EXPECT_LE(stamp, QDateTime::currentDateTime().addSecs(2));
}

TEST(IdGeneratorObject, SeparateGeneratorsNeverRepeatEachOther)
{
    IdGeneratorObject first;
    IdGeneratorObject second;
    std::unordered_set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(seen.insert(first.newId().toStdString()).second);
        ASSERT_TRUE(seen.insert(second.newId(QStringLiteral("ignored")).toStdString()).second);
    }
}
