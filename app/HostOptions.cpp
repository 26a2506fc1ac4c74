#include "HostOptions.h"

#include <array>
#include <QCommandLineParser>
#include <utility>

namespace host
{

namespace
{

const std::array<std::pair<HostCommand, const char*>, 8> Commands { {
    { HostCommand::Design, "design" },
    { HostCommand::Preview, "preview" },
    { HostCommand::Print, "print" },
    { HostCommand::Blank, "blank" },
    { HostCommand::Web, "web" },
    { HostCommand::PageSetup, "page-setup" },
    { HostCommand::CopyGroup, "copy-group" },
    { HostCommand::DeleteGroup, "delete-group" },
} };

HostCommand commandNamed(const QString& name)
{
    for (const auto& [command, text] : Commands) {
        if (name == QLatin1String(text))
            return command;
    }
    throw UsageError(QStringLiteral("unknown command \"%1\"").arg(name));
}

// "a=b,c=d" -> [[a, b], [c, d]]
QVector<QStringList> tablePairs(const QString& text)
{
    QVector<QStringList> pairs;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList sides = item.split(QLatin1Char('='));
        if (sides.size() != 2 || sides[0].trimmed().isEmpty() || sides[1].trimmed().isEmpty())
            throw UsageError(QStringLiteral("--tables wants model=target pairs, not \"%1\"").arg(item));
        pairs.append({ sides[0].trimmed(), sides[1].trimmed() });
    }
    return pairs;
}

} // namespace

bool isGroupCommand(HostCommand command)
{
    return command == HostCommand::CopyGroup || command == HostCommand::DeleteGroup;
}

QString usageText()
{
    return QStringLiteral(
        "usage: orvreport COMMAND [options]\n"
        "commands: design, preview, print, blank, web, page-setup,\n"
        "          copy-group --model GROUP [--tables model=target,...], delete-group GROUP...\n"
        "options:  --db FILE|URL  --user ID[:NAME]  --table T  --group G  --report ID\n"
        "          --where CONDITION  --order LIST  --printer NAME  --type 1|2 (design)\n"
        "          --demo (with --db: create the demo archive there when missing, use its sample report)\n"
        "Without --db the demo archive is used (created on first use).\n");
}

HostOptions parseHostOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption db(QStringLiteral("db"), {}, QStringLiteral("db"));
    const QCommandLineOption user(QStringLiteral("user"), {}, QStringLiteral("user"));
    const QCommandLineOption table(QStringLiteral("table"), {}, QStringLiteral("table"));
    const QCommandLineOption group(QStringLiteral("group"), {}, QStringLiteral("group"));
    const QCommandLineOption report(QStringLiteral("report"), {}, QStringLiteral("report"));
    const QCommandLineOption where(QStringLiteral("where"), {}, QStringLiteral("where"));
    const QCommandLineOption order(QStringLiteral("order"), {}, QStringLiteral("order"));
    const QCommandLineOption printer(QStringLiteral("printer"), {}, QStringLiteral("printer"));
    const QCommandLineOption type(QStringLiteral("type"), {}, QStringLiteral("type"));
    const QCommandLineOption model(QStringLiteral("model"), {}, QStringLiteral("model"));
    const QCommandLineOption tables(QStringLiteral("tables"), {}, QStringLiteral("tables"));
    const QCommandLineOption demo(QStringLiteral("demo"));
    parser.addOptions({ db, user, table, group, report, where, order, printer, type, model, tables, demo });
    if (!parser.parse(QStringList { QStringLiteral("orvreport") } + arguments))
        throw UsageError(parser.errorText());

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        throw UsageError(QStringLiteral("no command given"));

    HostOptions options;
    options.command = commandNamed(positional.first());
    options.database = parser.value(db);
    options.demo = parser.isSet(demo);
    options.table = parser.value(table);
    options.group = parser.value(group);
    options.reportId = parser.value(report);
    options.reportGiven = parser.isSet(report);
    options.where = parser.value(where);
    options.order = parser.value(order);
    options.printer = parser.value(printer);

    const QString userText = parser.value(user);
    const qsizetype colon = userText.indexOf(QLatin1Char(':'));
    options.userId = colon < 0 ? userText : userText.left(colon);
    options.userName = colon < 0 ? userText : userText.mid(colon + 1);

    if (parser.isSet(type)) {
        bool isNumber = false;
        options.reportType = parser.value(type).toInt(&isNumber);
        if (!isNumber || (options.reportType != 1 && options.reportType != 2))
            throw UsageError(QStringLiteral("--type wants 1 (data report) or 2 (statistics report)"));
    }

    const QStringList rest = positional.mid(1);
    if (options.command == HostCommand::DeleteGroup) {
        if (rest.isEmpty())
            throw UsageError(QStringLiteral("delete-group wants the groups to delete"));
        options.groups = rest;
    } else if (!rest.isEmpty()) {
        throw UsageError(QStringLiteral("unexpected arguments: %1").arg(rest.join(QLatin1Char(' '))));
    }
    if ((parser.isSet(model) || parser.isSet(tables)) && options.command != HostCommand::CopyGroup)
        throw UsageError(QStringLiteral("--model and --tables belong to copy-group"));
    if (options.command == HostCommand::CopyGroup) {
        options.model = parser.value(model).trimmed();
        if (options.model.isEmpty())
            throw UsageError(QStringLiteral("copy-group wants --model"));
        options.tables = tablePairs(parser.value(tables));
    }
    return options;
}

} // namespace host
