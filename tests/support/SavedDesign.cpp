#include "support/SavedDesign.h"

#include "store/ReportSaver.h"
#include "store/ReportState.h"

namespace orvtest
{

platform::grid::Sheet savedDesign(const QString& reportId, int variant)
{
    auto& state = store::reportState();
    state.ReportId = reportId;
    state.ReportName = QStringLiteral("并发保存");
    state.ReportType = store::DataReport;
    state.ReportGroupId = QStringLiteral("wsda");
    state.DataRows = 20;
    state.PageSize = 9; // A4
    state.RowCount = SavedDesignLastRow;
    state.ColCount = SavedDesignLastCol;
    state.RegionTable = store::RegionTable {};
    state.RegionTable[store::RegionEntry::PageHead] = { true, 1, 1 };
    state.RegionTable[store::RegionEntry::DataDetail] = { true, 2, 2 };
    state.RegionTable[store::RegionEntry::ReportTail] = { true, 3, 4 };

    const bool first = variant % 2 == 0;
    platform::grid::Sheet grid;
    grid.setText(1, 2, first ? QStringLiteral("@A|甲式标题") : QStringLiteral("@A|乙式标题"));
    grid.setText(2, 2, QStringLiteral("@B|wsda.title"));
    grid.setText(2, 3, QStringLiteral("@B|wsda.archive_no"));
    grid.setText(4, 3, QStringLiteral("@A|完"));
    grid.setRowHeight(1, first ? 500 : 700);
    grid.setColWidth(2, first ? 2000 : 3000);
    grid.setColWidth(3, first ? 1500 : 900);
    return grid;
}

bool saveDesign(const QString& reportId, int variant, QString* failure)
{
    const platform::grid::Sheet grid = savedDesign(reportId, variant);
    return store::SaveDataReport(grid, 1, 2, SavedDesignLastRow, SavedDesignLastCol, failure);
}

} // namespace orvtest
