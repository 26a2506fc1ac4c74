#pragma once

#include <QString>

namespace store
{

// Pages built per batch by the print window, kept in the settings under "PrintSetup"/"mipages".
constexpr int DefaultPrintPages = 20;

// Stores the text as the pages per batch; a failure to write is ignored.
void SavePrintPages(const QString& pages);

// The stored pages per batch; DefaultPrintPages when nothing is stored, the text is no whole number of
// the 16-bit range, or it is below 1 (a batch must hold at least one page).
int GetPrintPages();

} // namespace store
