#pragma once

#include <QString>

namespace platform::db
{

enum class Dialect;

// Where the statement that `sql` begins with ends: the index of the ";" that closes it, or the text's
// size when none does; -1 when anything but blanks and comments follows that ";", which a server would
// run as a further statement. Literals, quoted names and comments are read as the dialect's server reads
// them (on PostgreSQL also escape strings, bit strings, dollar quotes and nested comments, and plain
// literals with backslash escapes when `backslashEscapes`, as with standard_conforming_strings off), so
// that a ";" inside them closes nothing.
qsizetype statementEnd(const QString& sql, Dialect dialect, bool backslashEscapes = false);

// Length of the PostgreSQL dollar-quote tag ("$$" or "$body$") that starts at `at`, 0 when none does.
qsizetype dollarTagLength(const QString& text, qsizetype at);

} // namespace platform::db
