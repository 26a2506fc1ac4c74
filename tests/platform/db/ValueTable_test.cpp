#include "platform/db/ValueTable.h"

#include <gtest/gtest.h>
#include <QDate>

using platform::db::ValueTable;

// Every value comes back as it went in, of the same type; NULL of any type comes back as a null QVariant.
TEST(ValueTable, ValuesOfEveryTypeComeBackAsTheyWentIn)
{
    const QVariantList values { QVariant(qlonglong(-7)), QVariant(2.5), QVariant(QStringLiteral("关于档案")),
        QVariant(QString("")), QVariant(QDate(2003, 5, 17)), QVariant(QByteArray("ab")), QVariant(true),
        QVariant(42), QVariant(qlonglong(1) << 62) };
    ValueTable table(int(values.size()));
    table.resizeRows(1);
    for (int i = 0; i < values.size(); ++i)
        table.set(0, i, values[i]);
    for (const QVariant& value : values)
        table.append(value);
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < values.size(); ++i) {
            EXPECT_EQ(table.at(row, i), values[i]) << row << " " << i;
            EXPECT_EQ(table.at(row, i).typeId(), values[i].typeId()) << row << " " << i;
        }
    }
    EXPECT_EQ(table.row(1), values);
    table.set(0, 2, QVariant(QMetaType::fromType<QString>()));
    EXPECT_FALSE(table.at(0, 2).isValid());
}

TEST(ValueTable, AddedRowsHoldNullsAndRowsCanBeDropped)
{
    ValueTable table(2);
    table.appendInteger(1);
    table.appendText(QStringLiteral("a"));
    table.resizeRows(3);
    EXPECT_EQ(table.rows(), 3);
    EXPECT_FALSE(table.at(2, 1).isValid());
    table.resizeRows(1);
    EXPECT_EQ(table.row(0), (QVariantList { qlonglong(1), QStringLiteral("a") }));
}

// A text appended again from the row above, and values set over texts again and again (which
// compacts the texts no slot uses), keep every slot's own value.
TEST(ValueTable, SharedAndOverwrittenTextsKeepEverySlotsValue)
{
    ValueTable table(2);
    table.appendText(QStringLiteral("G1"));
    table.appendNull();
    for (int row = 1; row < 5; ++row) {
        ASSERT_TRUE(table.textAbove());
        table.appendAbove();
        EXPECT_FALSE(table.textAbove());
        table.appendInteger(row);
    }
    for (int round = 0; round < 5000; ++round)
        table.set(round % 5, 1, QStringLiteral("text %1").arg(round));
    table.set(0, 0, QStringLiteral("G0"));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(table.at(row, 0), row == 0 ? QStringLiteral("G0") : QStringLiteral("G1"));
        EXPECT_EQ(table.at(row, 1), QStringLiteral("text %1").arg(4995 + row));
    }
}

// A text is read where the table keeps it; a NULL, a number or a date gives none.
TEST(ValueTable, TextsAreReadInPlaceAndOnlyTexts)
{
    const QVariantList values { QVariant(QStringLiteral("关于档案")), QVariant(QString("")), QVariant(),
        QVariant(qlonglong(12)), QVariant(2.5), QVariant(QDate(2003, 5, 17)) };
    ValueTable table(int(values.size()));
    for (const QVariant& value : values)
        table.append(value);
    table.appendAbove(); // the text above, shared
    for (int i = 1; i < values.size(); ++i)
        table.append(values[i]);
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < values.size(); ++i) {
            const QString* text = table.textAt(row, i);
            EXPECT_EQ(text != nullptr, i < 2) << row << " " << i;
            if (text)
                EXPECT_EQ(*text, values[i].toString()) << row << " " << i;
        }
    }
}
