#include "engine/PaperChecks.h"

#include "engine/EngineState.h"
#include "engine/PageMargins.h"
#include "engine/PaperSizes.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "store/ReportKeywords.h"
#include "store/ReportLoader.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"
#include "store/UserNotice.h"

namespace engine
{

namespace
{

double storedMarginTwips(const QString& infoType, const QString& text)
{
    if (store::trimBlanks(text).isEmpty())
        return infoType == store::keywords::LeftMarge ? DefaultLeftMarginTwips : DefaultRightMarginTwips;
    const auto inches = store::toDouble(text);
    if (!inches)
        throw platform::Error(platform::errors::TypeMismatch, QStringLiteral("OrvReport"),
            QStringLiteral("页边距无效：") + text);
    return *inches * 1440.0;
}

} // namespace

bool CheckReportDataExists()
{
    const struct {
        const char* table;
        QString missingText;
    } tables[] = {
        { "report_index", QStringLiteral("报表索引信息不存在,不能生成报表!") },
        { "report_info", QStringLiteral("报表信息表中数据不存在，不能生成报表！") },
        { "report_data", QStringLiteral("报表数据表中数据 不存在，不能生成报表") },
    };
    for (const auto& table : tables) {
        if (!store::ReportRowsExist(QString::fromLatin1(table.table))) {
            store::NoticeUser(table.missingText);
            return false;
        }
    }
    return true;
}

bool ColumnsExceedWidth(int width)
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id=")
        + store::reportIdLiteral()
        + QStringLiteral(" and (info_type ='LEFT_MARGE'  or info_type='RIGHT_MARGE')"));
    long long margins = DefaultLeftMarginTwips + DefaultRightMarginTwips;
    if (rows->recordCount() > 0) {
        margins = 0;
        for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
            const QString infoType = store::upperKeyword(rows->text(QStringLiteral("info_type")));
            margins = roundInt32(
                margins + storedMarginTwips(infoType, rows->text(QStringLiteral("info_description"))));
        }
    }
    return fitInt32(LoadColWidths() + margins) > width;
}

bool ColumnsOverDesignPaper(int& width, int& height)
{
    int portraitWidth = 0;
    int portraitHeight = 0;
    LoadPaperScale(LoadPageSize(), portraitWidth, portraitHeight);
    const bool landscape = store::reportState().PageLandscape;
    width = landscape ? portraitHeight : portraitWidth;
    height = landscape ? portraitWidth : portraitHeight;
    if (!ColumnsExceedWidth(width))
        return false;
    store::NoticeUser(QStringLiteral("报表列宽超过设计纸张大小，请到报表设计模块修改！"));
    return true;
}

bool ColumnsFitPrinterPaper(int& width, int& height)
{
    if (store::reportState().SelfFit)
        return true;
    const QSize page = printerPageInReportOrientation();
    width = page.width();
    height = page.height();
    if (!ColumnsExceedWidth(width))
        return true;
    store::NoticeUser(QStringLiteral("报表列宽超过打印纸张大小！"));
    return false;
}

bool IsOverDesignPaper()
{
    DataEngineState& engine = dataEngine();
    return ColumnsOverDesignPaper(engine.DesignPaperWidth, engine.DesignPaperHeight);
}

bool IsOverPrinterPaper()
{
    DataEngineState& engine = dataEngine();
    return ColumnsFitPrinterPaper(engine.PrinterPaperWidth, engine.PrinterPaperHeight);
}

} // namespace engine
