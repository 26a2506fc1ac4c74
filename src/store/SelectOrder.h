#pragma once

#include <QString>

namespace store
{

// The host's sort list as the engine's data query needs it: with two or more items, every item that
// names no table ("folder_no", "piece_no desc") is qualified with `table` ("wsda.folder_no",
// "wsda.piece_no desc"); items that already hold "." stay as they are. A single item and an empty list
// are returned unchanged.
QString QualifySelectOrder(const QString& order, const QString& table);

} // namespace store
