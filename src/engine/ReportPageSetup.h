#pragma once

namespace platform::grid
{
struct PageSetup;
}
namespace store
{
struct ReportDefinition;
}

// Pieces of the page setup that every kind of built report prints with.
namespace engine
{

// The report's four stored margins (inches) as the page's margins.
void SetReportMargins(const store::ReportDefinition& definition, platform::grid::PageSetup& setup);

// Neither header nor footer, and no room kept for them: a built report carries its own.
void ClearHeaderAndFooter(platform::grid::PageSetup& setup);

} // namespace engine
