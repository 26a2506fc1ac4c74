#pragma once

#include "HostOptions.h"

#include <QTextStream>

namespace host
{

// Where the demo archive lives: $ORV_DEMO_DB, else "<user data folder>/OrvReport/demo.db".
QString defaultDemoDatabasePath();

// Fills in what the command line left open: a demo user; for the report commands on the demo archive
// its table and data report, and everywhere the report group named after the table.
HostOptions withDefaults(HostOptions options);

// Creates a CReportOrv through the library's entry points, as a host does, sets its properties from
// the options and calls the command's member, telling on `out` what it called and what came back.
// Returns the exit code: 0 when the member did its work, 1 when it failed: the group members answered
// false, a report member was refused (ErrorMessage set), the web export wrote no file, this build has
// no window for the command, a command on one report names none (--report "", or no --report on a
// database of the host's own), or the designer on a database of the host's own has neither --report nor
// --table nor --group, or is left without its table (a group named alone takes the one table that its
// stored reports are built on) or its group (a --report that is not stored names none).
// Throws platform::Error when the database cannot be opened (a SQLite file that does not exist included,
// unless --demo is to make it) or the printer is not installed.
int runHostCommand(const HostOptions& options, QTextStream& out);

} // namespace host
