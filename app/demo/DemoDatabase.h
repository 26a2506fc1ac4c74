#pragma once

#include <QString>

namespace platform::db
{
class Connection;
}

namespace demo
{

// Creates the component's tables (report tables, log, work and metadata tables) in the connected
// database, as far as they are missing, and fills the lookup rows every archive database holds (paper
// sizes, number formats and retention periods) when there are none yet.
void createSchema(platform::db::Connection& connection);

// Creates the demo archive: the table wsda with `records` generated documents, its volumes (wsaj) and
// the attachments of some documents (wsfj); describes the three tables and their relations in the
// metadata tables and adds the sample reports, in one transaction. Needs createSchema first.
void createArchive(platform::db::Connection& connection, int records = 3000, unsigned seed = 1);

// Creates the SQLite file with schema and archive unless it exists. The file appears only when it is
// complete, so an interrupted creation is started again on the next call.
void ensureDemoDatabase(const QString& sqliteFile);

} // namespace demo
