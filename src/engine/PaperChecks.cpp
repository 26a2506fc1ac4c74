#include "engine/PaperChecks.h"

#include "engine/EngineState.h"
#include "engine/PaperSizes.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/GridTypes.h"
#include "store/ReportDefinition.h"
#include "store/UserNotice.h"

namespace engine
{

bool CheckReportDataExists(const store::ReportDefinition& definition)
{
    const struct {
        bool exist;
        QString missingText;
    } tables[] = {
        { definition.indexed, QStringLiteral("报表索引信息不存在,不能生成报表!") },
        { !definition.info.isEmpty(), QStringLiteral("报表信息表中数据不存在，不能生成报表！") },
        { !definition.cells.isEmpty(), QStringLiteral("报表数据表中数据 不存在，不能生成报表") },
    };
    for (const auto& table : tables) {
        if (!table.exist) {
            store::NoticeUser(table.missingText);
            return false;
        }
    }
    return true;
}

bool ColumnsExceedWidth(const store::ReportDefinition& definition, int width)
{
    const store::PageSettings& page = definition.page;
    const long long margins = roundInt32(page.LeftMarge * platform::grid::kTwipsPerInch)
        + roundInt32(page.RightMarge * platform::grid::kTwipsPerInch);
    return fitInt32(LoadColWidths(definition) + margins) > width;
}

QSize inReportOrientation(const store::PageSettings& page, QSize portrait)
{
    return page.PageLandscape ? portrait.transposed() : portrait;
}

bool ColumnsOverDesignPaper(const store::ReportDefinition& definition, int& width, int& height)
{
    int portraitWidth = 0;
    int portraitHeight = 0;
    const store::PageSettings& page = definition.page;
    LoadPaperScale(definition, page.PageSize, portraitWidth, portraitHeight);
    const QSize paper = inReportOrientation(page, QSize(portraitWidth, portraitHeight));
    width = paper.width();
    height = paper.height();
    if (!ColumnsExceedWidth(definition, width))
        return false;
    store::NoticeUser(QStringLiteral("报表列宽超过设计纸张大小，请到报表设计模块修改！"));
    return true;
}

bool ColumnsFitPrinterPaper(const store::ReportDefinition& definition, int& width, int& height)
{
    if (definition.page.SelfFit)
        return true;
    const QSize page = printerPageInReportOrientation(definition);
    width = page.width();
    height = page.height();
    if (!ColumnsExceedWidth(definition, width))
        return true;
    store::NoticeUser(QStringLiteral("报表列宽超过打印纸张大小！"));
    return false;
}

bool IsOverDesignPaper(DataReportRun& run)
{
    return ColumnsOverDesignPaper(run.definition(), run.DesignPaperWidth, run.DesignPaperHeight);
}

bool IsOverPrinterPaper(DataReportRun& run)
{
    return ColumnsFitPrinterPaper(run.definition(), run.PrinterPaperWidth, run.PrinterPaperHeight);
}

} // namespace engine
