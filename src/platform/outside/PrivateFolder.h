#pragma once

#include <QString>

namespace platform::outside
{

// Makes `path` a folder that only the current user can enter (rights 0700), creating it when missing.
// A folder already there must be a real folder (no link) of this user; its rights are narrowed to 0700.
// Throws platform::Error otherwise, and when it cannot be made.
void makePrivateFolder(const QString& path);

} // namespace platform::outside
