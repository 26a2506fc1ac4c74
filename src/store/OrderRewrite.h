#pragma once

#include <QString>

namespace store
{

// Checks every item of a stored sort list ("table.column [direction]", numeric items wrapped as
// "Convert(float,table.column)") against the metadata. When all columns exist the order is left exactly
// as it was. When one is missing, the order becomes the remaining items, without their numeric wrappers,
// and the user is told once (through ErrorMessage alone in silent web mode). Items are whole: a missing
// "t.id" never removes part of "dt.id". A failure (an item that names no table) is logged and leaves the
// order unchanged.
void DealSQlOrder(QString& order);

} // namespace store
