#include "designer/DesignerState.h"

#include "platform/db/Recordset.h"
#include "store/RegionRows.h"
#include "store/ReportKeywords.h"
#include "store/SqlPieces.h"
#include "store/StoreSql.h"

namespace designer
{

void ClearReportGlobals()
{
    store::ClearRegions();
    store::ClearSqlInfo();
    store::ReportState& state = store::reportState();
    state.BottomMarge = 0;
    state.LeftMarge = 0;
    state.PageLandscape = false;
    state.DataRows = 0;
    state.ColCount = 0;
    state.PageSize = store::keywords::defaults::PageSize;
}

void ClearReportIdentity()
{
    store::ReportState& state = store::reportState();
    state.ReportId.clear();
    state.TABLENAME.clear();
    state.ReportGroupId.clear();
    state.ReportName.clear();
}

void LoadRegionTable()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id =")
        + store::reportIdLiteral()
        + QStringLiteral(" and info_type in ('REPORT_HEAD', 'REPORT_TAIL', 'PAGE_HEAD', 'PAGE_TAIL',"
                         "'GROUP_HEAD', 'GROUP_TAIL', 'DATA_DETAIL')"));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        store::ParseRegionInfo(rows->text(QStringLiteral("info_type")),
            rows->text(QStringLiteral("info_description")).trimmed(),
            rows->value(QStringLiteral("info_order")).toInt());
    }
}

DesignedReportState::DesignedReportState()
    : saved_(store::reportState())
{
}

void DesignedReportState::restore() const
{
    store::ReportState& state = store::reportState();
    state.ReportId = saved_.ReportId;
    state.ReportName = saved_.ReportName;
    state.ReportGroupId = saved_.ReportGroupId;
    state.ReportType = saved_.ReportType;
    state.SqlSelect = saved_.SqlSelect;
    state.SqlWhere = saved_.SqlWhere;
    state.SqlOrder = saved_.SqlOrder;
    state.TablesName = saved_.TablesName;
    state.DataRows = saved_.DataRows;
    state.SelfFit = saved_.SelfFit;
    state.PageRecount = saved_.PageRecount;
    state.PageSize = saved_.PageSize;
    state.PageLandscape = saved_.PageLandscape;
    state.LeftMarge = saved_.LeftMarge;
    state.RightMarge = saved_.RightMarge;
    state.TopMarge = saved_.TopMarge;
    state.BottomMarge = saved_.BottomMarge;
    state.RowCount = saved_.RowCount;
    state.ColCount = saved_.ColCount;
    state.DesignRowCount = saved_.DesignRowCount;
    state.DesignColCount = saved_.DesignColCount;
    state.RegionTable = saved_.RegionTable;
    // A refusal of the preview was told to the clerk in the designer; it is no failure of the design
    // session that the host reads afterwards.
    state.ErrorMessage = saved_.ErrorMessage;
}

} // namespace designer
