#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <stdexcept>

namespace host
{

enum class HostCommand { Design, Preview, Print, Blank, Web, PageSetup, CopyGroup, DeleteGroup };

// What the command line asks the host program to do.
struct HostOptions {
    HostCommand command = HostCommand::Preview;
    QString database; // a SQLite file or a server URL; "" for the demo archive
    bool demo = false; // with --db: fill that database with the demo archive when it holds none
    QString userId;
    QString userName;
    QString table;
    QString group;
    QString reportId;
    bool reportGiven = false; // --report was given, also as "" (the designer then opens on no report)
    QString where;
    QString order;
    QString printer; // "" keeps the default printer
    int reportType = 1; // the kind of report the designer creates: 1 data report, 2 statistics report
    QString model; // copy-group: the model group
    QVector<QStringList> tables; // copy-group: rows of [model table, target table]
    QStringList groups; // delete-group: the groups whose reports go
};

// A command line that cannot be run; the text says why.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// Parses the arguments after the program name. Throws UsageError for an unknown command or option,
// a missing value, or arguments that the command does not take.
HostOptions parseHostOptions(const QStringList& arguments);

// copy-group and delete-group, which work on report groups rather than on one report.
bool isGroupCommand(HostCommand command);

QString usageText();

} // namespace host
