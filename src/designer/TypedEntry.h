#pragma once

#include <QString>

namespace designer
{

// What a text typed into a design cell is stored as. A content text ("@" + kind letter + "|" + body)
// stays as typed; any other text becomes a fixed text ("@A|" + the text), since a cell without a kind
// would be kept in the report but never printed. An empty entry stays empty.
QString TypedEntry(const QString& typed);

} // namespace designer
