#include "store/DefinitionCheck.h"

#include "platform/Error.h"
#include "platform/grid/GridTypes.h"
#include "platform/outside/FailureLog.h"
#include "store/CustomPaper.h"
#include "store/PageSettings.h"
#include "store/PropertyItems.h"
#include "store/RegionTable.h"
#include "store/ReportDefinition.h"
#include "store/SizeLists.h"
#include "store/TextConvert.h"
#include "store/UserNotice.h"

#include <algorithm>
#include <functional>

namespace store
{

namespace k = keywords;

namespace
{

// Row and column numbers and sizes in twips of the layout are 16-bit.
constexpr int LayoutLimit = 32767;
constexpr double TwipsPerInch = 1440.0;

class FaultList
{
public:
    void refuse(const QString& what) { faults_.append({ what + QStringLiteral("，不能生成报表！"), false }); }
    // Logged: the item is left out of the build, or kept there as `how` says.
    void skip(const QString& what) { keep(what, QStringLiteral("已略过")); }
    void keep(const QString& what, const QString& how)
    {
        faults_.append({ what + QStringLiteral("，") + how + QStringLiteral("！"), true });
    }
    bool refused() const
    {
        return std::any_of(
            faults_.begin(), faults_.end(), [](const DefinitionFault& f) { return !f.logged; });
    }
    const QList<DefinitionFault>& faults() const { return faults_; }

private:
    QList<DefinitionFault> faults_;
};

// What a page-setting row must hold once converted; `value` is the stored text.
struct SettingRule {
    const QString& keyword;
    QString expected;
    std::function<bool(const PageSettings&, const QString& value)> holds;
};

bool marginInRange(double inches)
{
    return inches >= 0 && inches * TwipsPerInch <= LayoutLimit;
}

const QList<SettingRule>& settingRules()
{
    static const QString marginRange
        = QStringLiteral("应为0到%1英寸之间的数").arg(LayoutLimit / TwipsPerInch, 0, 'f', 2);
    static const QList<SettingRule> rules {
        { k::DataRows, QStringLiteral("应为FIX、AUTO或正整数"),
            [](const PageSettings& s, const QString& v) {
                return v == k::DataRowsFix || v == k::DataRowsAuto || s.DataRows >= 1;
            } },
        { k::PageSize, QStringLiteral("应为正整数的纸张代码"),
            [](const PageSettings& s, const QString&) { return s.PageSize >= 1; } },
        { k::LeftMarge, marginRange,
            [](const PageSettings& s, const QString&) { return marginInRange(s.LeftMarge); } },
        { k::RightMarge, marginRange,
            [](const PageSettings& s, const QString&) { return marginInRange(s.RightMarge); } },
        { k::TopMarge, marginRange,
            [](const PageSettings& s, const QString&) { return marginInRange(s.TopMarge); } },
        { k::BottomMarge, marginRange,
            [](const PageSettings& s, const QString&) { return marginInRange(s.BottomMarge); } },
        { k::RowCount, QStringLiteral("应为1到%1之间的整数").arg(LayoutLimit),
            [](const PageSettings& s, const QString&) { return s.RowCount >= 1; } },
        // The page adds a margin column to the design columns, and a sheet holds kMaxSheetCols.
        { k::ColCount, QStringLiteral("应为1到%1之间的整数").arg(platform::grid::kMaxSheetCols - 1),
            [](const PageSettings& s, const QString&) {
                return s.ColCount >= 1 && s.ColCount < platform::grid::kMaxSheetCols;
            } },
    };
    return rules;
}

const SettingRule* ruleOf(const QString& keyword)
{
    for (const SettingRule& rule : settingRules()) {
        if (rule.keyword == keyword)
            return &rule;
    }
    return nullptr;
}

QString regionName(const StoredInfoRow& row)
{
    if (row.type == k::GroupHead || row.type == k::GroupTail)
        return QStringLiteral("%1（第%2级）").arg(row.type).arg(row.order);
    return row.type;
}

int storedReportType(const ReportDefinition& definition, FaultList& faults)
{
    if (!definition.indexed)
        return NoReportType;
    if (definition.type == DataReport || definition.type == StatisticsReport)
        return definition.type;
    faults.refuse(QStringLiteral("报表类型（report_type）“%1”不正确，只能是1（数据报表）或2（统计报表）")
                      .arg(definition.typeText));
    return NoReportType;
}

// The page settings as the loader reads them, each row judged by its rule.
PageSettings checkPageSettings(const QList<StoredInfoRow>& info, FaultList& faults)
{
    PageSettings settings;
    for (const StoredInfoRow& row : info) {
        const SettingRule* rule = ruleOf(row.type);
        const QString value = trimBlanks(row.description);
        bool holds = true;
        try {
            ApplyPageSetting(settings, row.type, value);
            holds = !rule || rule->holds(settings, value);
        } catch (const std::exception&) {
            holds = false;
        }
        if (!holds && rule)
            faults.refuse(
                QStringLiteral("报表信息中 %1 的值“%2”无效（%3）").arg(row.type, value, rule->expected));
    }
    return settings;
}

// A custom paper is laid out in scaled units of 16 bits.
void checkCustomPaper(const PageSettings& settings, const std::optional<QString>& note, FaultList& faults)
{
    if (settings.PageSize != keywords::CustomPaperSize || !note || note->isEmpty())
        return;
    const double largest = LayoutLimit / ScaledUnitsPerCm;
    const auto paper = parseCustomPaper(*note);
    if (paper && paper->widthCm <= largest && paper->heightCm <= largest)
        return;
    faults.refuse(
        QStringLiteral("报表信息中 %1 的自定义纸张大小“%2”无效（应为“宽|高”，宽和高为0到%3厘米之间的数）")
            .arg(k::PageSize, *note)
            .arg(largest, 0, 'f', 2));
}

// The entry a region row fills; a row whose level names none (a group level beyond 1 to 3, or no number)
// is left out, named by its stored level.
std::optional<RegionEntry> regionEntryOf(const StoredInfoRow& row, FaultList& faults)
{
    const auto entry = entryOfStored(row.type, row.order);
    if (!entry)
        faults.skip(QStringLiteral("报表信息中 %1 的级别“%2”不在1到%3之间")
                        .arg(row.type, row.orderText)
                        .arg(MaxGroupLevel));
    return entry;
}

// The regions of a data report; gives the detail band (absent when the report has none).
ReportRegion checkRegions(const QList<StoredInfoRow>& info, int rowCount, FaultList& faults)
{
    ReportRegion detail;
    for (const StoredInfoRow& row : info) {
        if (!isRegionKeyword(row.type))
            continue;
        const auto entry = regionEntryOf(row, faults);
        if (!entry)
            continue;
        const QString value = trimBlanks(row.description);
        const auto rows = parseRegionText(value);
        if (!rows || rows->beginRow < 1 || rows->endRow < rows->beginRow || rows->endRow > rowCount) {
            faults.refuse(QStringLiteral(
                "报表信息中 %1 的区域“%2”无效（应为“开始行:结束行”，1 ≤ 开始行 ≤ 结束行 ≤ %3）")
                              .arg(regionName(row), value)
                              .arg(rowCount));
            continue;
        }
        if (*entry == RegionEntry::DataDetail)
            detail = { true, rows->beginRow, rows->endRow };
    }
    if (!std::any_of(
            info.begin(), info.end(), [](const StoredInfoRow& row) { return row.type == k::DataDetail; }))
        faults.refuse(QStringLiteral("报表信息中没有明细区（%1）的行，记录无处可放").arg(k::DataDetail));
    return detail;
}

struct StoredSizes {
    long long columnWidths = 0;
    long long detailHeight = 0;
};

void checkSizeList(int order, const QString& kind, const QString& list, const DesignSheetBounds& bounds,
    const ReportRegion& detail, StoredSizes& sizes, FaultList& faults)
{
    const bool columns = kind == k::ColWidth;
    for (const PropertyItem& item : propertyItems(list)) {
        const auto size = sizeItemOf(item);
        if (!size || size->index < 1 || size->twips < 0 || size->twips > LayoutLimit) {
            faults.refuse(
                QStringLiteral("报表格式第%1条（%2）中的“%3|%4”无效（应为行号或列号及0到%5之间的缇数）")
                    .arg(order)
                    .arg(kind, item.name, item.value)
                    .arg(LayoutLimit));
            continue;
        }
        // A designer stores the sizes of its whole grid, beyond ROW_COUNT and COL_COUNT too, and the stored
        // reports were fitted to the paper with them: the build counts them, and so does this check.
        if (size->index > (columns ? bounds.cols : bounds.rows)) {
            faults.keep(QStringLiteral("报表格式第%1条（%2）中的第%3%4不在报表的%5行%6列之内")
                            .arg(order)
                            .arg(kind)
                            .arg(size->index)
                            .arg(columns ? QStringLiteral("列") : QStringLiteral("行"))
                            .arg(bounds.rows)
                            .arg(bounds.cols),
                columns ? QStringLiteral("仍计入报表的列宽合计") : QStringLiteral("仍计入报表的行高合计"));
        }
        if (columns)
            sizes.columnWidths += qRound64(size->twips);
        else if (detail.holds(size->index))
            sizes.detailHeight += qRound64(size->twips);
    }
}

StoredSizes checkFormats(const QList<StoredFormatRow>& formats, const DesignSheetBounds& bounds,
    const ReportRegion& detail, FaultList& faults)
{
    StoredSizes sizes;
    for (const StoredFormatRow& row : formats) {
        if (row.kind == k::RowHeight || row.kind == k::ColWidth) {
            checkSizeList(row.order, row.kind, row.description, bounds, detail, sizes, faults);
            continue;
        }
        if (!bounds.contains(row.beginRow, row.beginCol, row.endRow, row.endCol)) {
            faults.skip(QStringLiteral("报表格式第%1条（%2）的区域（%3,%4）-（%5,%6）不在报表的%7行%8列之内")
                            .arg(row.order)
                            .arg(row.kind)
                            .arg(row.beginRow)
                            .arg(row.beginCol)
                            .arg(row.endRow)
                            .arg(row.endCol)
                            .arg(bounds.rows)
                            .arg(bounds.cols));
        }
    }
    return sizes;
}

void checkCells(const QList<StoredCell>& cells, const DesignSheetBounds& bounds, FaultList& faults)
{
    for (const StoredCell& cell : cells) {
        if (!bounds.contains(cell.row, cell.col)) {
            faults.skip(QStringLiteral("报表数据中第%1行第%2列的单元格不在报表的%3行%4列之内")
                            .arg(cell.row)
                            .arg(cell.col)
                            .arg(bounds.rows)
                            .arg(bounds.cols));
        }
    }
}

// A column total adds up the values the detail band writes on each page: a band that holds no cell on the
// sheet writes none, and the total would have no row to add up.
void checkColumnTotals(const QList<StoredCell>& cells, const DesignSheetBounds& bounds,
    const ReportRegion& detail, FaultList& faults)
{
    const auto inDetail = [&](const StoredCell& cell) { return detail.holds(cell.row); };
    const auto onSheet = [&](const StoredCell& cell) { return bounds.contains(cell.row, cell.col); };
    if (std::any_of(cells.begin(), cells.end(),
            [&](const StoredCell& cell) { return onSheet(cell) && inDetail(cell); }))
        return;
    for (const StoredCell& cell : cells) {
        if (cell.letter == QLatin1String("R") && onSheet(cell) && !inDetail(cell)) {
            faults.refuse(
                QStringLiteral("报表数据中第%1行第%2列的列合计“%3”无法计算（明细区%4第%5到%6行中没有单元格）")
                    .arg(cell.row)
                    .arg(cell.col)
                    .arg(cell.content, k::DataDetail)
                    .arg(detail.beginRow)
                    .arg(detail.endRow));
            return;
        }
    }
}

// The page that the records per page make: it must stay within the layout's row numbers, and the records
// per page of FIX and AUTO and the fit to the paper divide by the detail band's height and by the width
// of the columns.
void checkPageLayout(
    const PageSettings& settings, const ReportRegion& detail, const StoredSizes& sizes, FaultList& faults)
{
    const int detailRows = detail.present ? detail.endRow - detail.beginRow + 1 : 1;
    if (settings.DataRows >= 1
        && (settings.DataRows - 1LL) * detailRows + settings.RowCount + 2 > LayoutLimit) {
        faults.refuse(QStringLiteral("报表信息中 %1 的值“%2”无效（每页的行数将超过%3）")
                          .arg(k::DataRows)
                          .arg(settings.DataRows)
                          .arg(LayoutLimit));
    }
    const bool countsRecords
        = settings.DataRows == k::DataRowsFixMode || settings.DataRows == k::DataRowsAutoMode;
    if (detail.present && sizes.detailHeight == 0 && (settings.SelfFit || countsRecords))
        faults.refuse(
            QStringLiteral("报表明细区（DATA_DETAIL）没有行高（ROWHEIGHT），无法计算每页记录数和缩放比例"));
    if (settings.SelfFit && sizes.columnWidths == 0)
        faults.refuse(QStringLiteral("报表没有列宽（COLWIDTH），无法按纸张大小缩放（SELF_FIT）"));
}

// The faults that let the build go on go to the error log under the check's name.
void writeToErrorLog(const QList<DefinitionFault>& faults)
{
    for (const DefinitionFault& fault : faults) {
        if (fault.logged) {
            platform::outside::reportFailure("CheckReportDefinition",
                platform::Error(
                    platform::errors::InvalidArgument, QStringLiteral("OrvReport"), fault.message));
        }
    }
}

} // namespace

bool DesignSheetBounds::contains(int beginRow, int beginCol, int endRow, int endCol) const
{
    return beginRow >= 1 && beginCol >= 1 && endRow >= beginRow && endCol >= beginCol && endRow <= rows
        && endCol <= cols;
}

DesignSheetBounds designSheetBounds(int reportType, int rowCount, int colCount)
{
    if (reportType == DataReport)
        return { rowCount, colCount };
    return { LayoutLimit, LayoutLimit };
}

DesignSheetBounds definitionSheetBounds(const ReportDefinition& definition)
{
    return designSheetBounds(definition.type, definition.page.RowCount, definition.page.ColCount);
}

QList<DefinitionFault> CheckReportDefinition(const ReportDefinition& definition)
{
    FaultList faults;
    const int reportType = storedReportType(definition, faults);
    if (faults.refused())
        return faults.faults();
    const PageSettings settings = checkPageSettings(definition.info, faults);
    checkCustomPaper(settings, definition.paperNote, faults);
    if (faults.refused())
        return faults.faults();
    const bool dataReport = reportType == DataReport;
    const ReportRegion detail
        = dataReport ? checkRegions(definition.info, settings.RowCount, faults) : ReportRegion {};
    const DesignSheetBounds bounds = designSheetBounds(reportType, settings.RowCount, settings.ColCount);
    const StoredSizes sizes = checkFormats(definition.formats, bounds, detail, faults);
    checkCells(definition.cells, bounds, faults);
    if (dataReport && !faults.refused()) {
        checkColumnTotals(definition.cells, bounds, detail, faults);
        checkPageLayout(settings, detail, sizes, faults);
    }
    return faults.faults();
}

void LogUnknownRegionLevels(const ReportDefinition& definition)
{
    FaultList faults;
    for (const StoredInfoRow& row : definition.info) {
        if (isRegionKeyword(row.type))
            regionEntryOf(row, faults);
    }
    writeToErrorLog(faults.faults());
}

bool AcceptReportDefinition(const ReportDefinition& definition)
{
    const QList<DefinitionFault> faults = CheckReportDefinition(definition);
    writeToErrorLog(faults);
    for (const DefinitionFault& fault : faults) {
        if (!fault.logged) {
            NoticeUser(fault.message);
            return false;
        }
    }
    return true;
}

} // namespace store
