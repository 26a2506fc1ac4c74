#pragma once

// The shape of one output page of a data report: how many records a page holds and how many sheet rows
// and columns it takes, from the definition's page settings and regions. Sizes are twips.
namespace engine
{

// RecordsPerPage, and under "FIX" and "AUTO" FreeHeight: a number of rows per page is taken as stored;
// "FIX" and "AUTO" fit as many detail blocks as the designed paper leaves below the margins and the fixed
// rows. A failure of the computation (a detail band without stored heights, an overflow) is logged and
// leaves both as they were. Gives false, after telling the user (ErrorMessage in silent web mode), when a
// page would hold no record: such a report cannot be laid out.
bool GetDataCountInPage();

// PageSheetCols (ColCount + 1) and PageSheetRows: the template with its detail band once per record of
// the page, plus the top-margin and bottom-margin rows. Beyond 16 bits throws platform::Error.
void GetPageRowCount();

// Rows of one detail block, from the definition's detail band: at least 1.
int GetDetailRowCount();

} // namespace engine
