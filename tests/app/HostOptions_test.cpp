#include "Arguments.h"
#include "HostOptions.h"

#include <gtest/gtest.h>

using namespace host;

TEST(HostOptions, EveryCommandIsKnownByItsName)
{
    const std::pair<const char*, HostCommand> cases[] = {
        { "design", HostCommand::Design },
        { "preview", HostCommand::Preview },
        { "print", HostCommand::Print },
        { "blank", HostCommand::Blank },
        { "web", HostCommand::Web },
        { "page-setup", HostCommand::PageSetup },
    };
    for (const auto& [name, command] : cases)
        EXPECT_EQ(parseHostOptions(arguments({ name })).command, command) << name;
}

TEST(HostOptions, PropertiesComeFromTheirOptions)
{
    const HostOptions options
        = parseHostOptions(arguments({ "preview", "--db", "postgresql://orv@localhost:5432/archive", "--user",
            "u001:张三", "--table", "wsda", "--group", "wsda_group", "--report", "20240101090000000001",
            "--where", "wsda.filing_year='2003' and retention='永久'", "--order", "folder_no,piece_no desc",
            "--printer", "PDF" }));
    EXPECT_EQ(options.command, HostCommand::Preview);
    EXPECT_EQ(options.database, QStringLiteral("postgresql://orv@localhost:5432/archive"));
    EXPECT_EQ(options.userId, QStringLiteral("u001"));
    EXPECT_EQ(options.userName, QStringLiteral("张三"));
    EXPECT_EQ(options.table, QStringLiteral("wsda"));
    EXPECT_EQ(options.group, QStringLiteral("wsda_group"));
    EXPECT_EQ(options.reportId, QStringLiteral("20240101090000000001"));
    EXPECT_EQ(options.where, QStringLiteral("wsda.filing_year='2003' and retention='永久'"));
    EXPECT_EQ(options.order, QStringLiteral("folder_no,piece_no desc"));
    EXPECT_EQ(options.printer, QStringLiteral("PDF"));
}

TEST(HostOptions, OmittedOptionsStayEmptyAndAUserWithoutIdIsBoth)
{
    const HostOptions plain = parseHostOptions(arguments({ "web" }));
    EXPECT_TRUE(plain.database.isEmpty());
    EXPECT_TRUE(plain.reportId.isEmpty());
    EXPECT_TRUE(plain.userId.isEmpty());
    EXPECT_EQ(plain.reportType, 1);

    const HostOptions named = parseHostOptions(arguments({ "print", "--user", "李四" }));
    EXPECT_EQ(named.userId, QStringLiteral("李四"));
    EXPECT_EQ(named.userName, QStringLiteral("李四"));
    EXPECT_EQ(parseHostOptions(arguments({ "design", "--type", "2" })).reportType, 2);
}

TEST(HostOptions, CopyGroupTakesTheModelAndTablePairs)
{
    const HostOptions options = parseHostOptions(
        arguments({ "copy-group", "--model", " wsda ", "--tables", "wsda=wsda2, jjda = jjda2" }));
    EXPECT_EQ(options.command, HostCommand::CopyGroup);
    EXPECT_EQ(options.model, QStringLiteral("wsda"));
    EXPECT_EQ(options.tables,
        (QVector<QStringList> { { QStringLiteral("wsda"), QStringLiteral("wsda2") },
            { QStringLiteral("jjda"), QStringLiteral("jjda2") } }));
    EXPECT_TRUE(parseHostOptions(arguments({ "copy-group", "--model", "wsda" })).tables.isEmpty());
}

TEST(HostOptions, DeleteGroupTakesEveryGroupNamed)
{
    const HostOptions options = parseHostOptions(arguments({ "delete-group", "wsda2", "jjda2" }));
    EXPECT_EQ(options.command, HostCommand::DeleteGroup);
    EXPECT_EQ(options.groups, (QStringList { QStringLiteral("wsda2"), QStringLiteral("jjda2") }));
}

TEST(HostOptions, CommandLinesThatCannotRunAreRefused)
{
    const std::vector<std::vector<const char*>> refused = {
        {},
        { "show" },
        { "preview", "--colour", "red" },
        { "preview", "--db" },
        { "preview", "extra" },
        { "delete-group" },
        { "copy-group" },
        { "copy-group", "--model", "  " },
        { "copy-group", "--model", "wsda", "--tables", "wsda" },
        { "copy-group", "--model", "wsda", "--tables", "wsda=,a=b" },
        { "copy-group", "--model", "wsda", "--tables", "a=b=c" },
        { "preview", "--model", "wsda" },
        { "design", "--type", "3" },
        { "design", "--type", "x" },
    };
    for (const auto& words : refused) {
        const QStringList list = arguments(words);
        EXPECT_THROW(parseHostOptions(list), UsageError) << list.join(QLatin1Char(' ')).toStdString();
    }
}
