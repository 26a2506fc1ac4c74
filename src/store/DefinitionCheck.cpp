#include "store/DefinitionCheck.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/FailureLog.h"
#include "store/PageSettings.h"
#include "store/PropertyItems.h"
#include "store/RegionTable.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
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
    void skip(const QString& what) { faults_.append({ what + QStringLiteral("，已略过！"), true }); }
    bool refused() const
    {
        return std::any_of(
            faults_.begin(), faults_.end(), [](const DefinitionFault& f) { return !f.skipped; });
    }
    const QList<DefinitionFault>& faults() const { return faults_; }

private:
    QList<DefinitionFault> faults_;
};

struct InfoRow {
    QString type; // upper case, trimmed
    int order = 0;
    QString value; // trimmed
};

// What a page-setting row must hold once converted; `value` is the stored text.
struct SettingRule {
    const QString& keyword;
    QString expected;
    std::function<bool(const ReportState&, const QString& value)> holds;
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
            [](const ReportState& s, const QString& v) {
                return v == k::DataRowsFix || v == k::DataRowsAuto || s.DataRows >= 1;
            } },
        { k::PageSize, QStringLiteral("应为正整数的纸张代码"),
            [](const ReportState& s, const QString&) { return s.PageSize >= 1; } },
        { k::LeftMarge, marginRange,
            [](const ReportState& s, const QString&) { return marginInRange(s.LeftMarge); } },
        { k::RightMarge, marginRange,
            [](const ReportState& s, const QString&) { return marginInRange(s.RightMarge); } },
        { k::TopMarge, marginRange,
            [](const ReportState& s, const QString&) { return marginInRange(s.TopMarge); } },
        { k::BottomMarge, marginRange,
            [](const ReportState& s, const QString&) { return marginInRange(s.BottomMarge); } },
        { k::RowCount, QStringLiteral("应为1到%1之间的整数").arg(LayoutLimit),
            [](const ReportState& s, const QString&) { return s.RowCount >= 1; } },
        // The page adds a margin column to the design columns.
        { k::ColCount, QStringLiteral("应为1到%1之间的整数").arg(LayoutLimit - 1),
            [](const ReportState& s, const QString&) {
                return s.ColCount >= 1 && s.ColCount < LayoutLimit;
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

// Every region keyword has an entry at level 1.
bool isRegionKeyword(const QString& type)
{
    return entryOfStored(type, 1).has_value();
}

QString regionName(const InfoRow& row)
{
    if (row.type == k::GroupHead || row.type == k::GroupTail)
        return QStringLiteral("%1（第%2级）").arg(row.type).arg(row.order);
    return row.type;
}

int storedReportType(FaultList& faults)
{
    const auto rows = openStoreSql(selectReportRows(QStringLiteral("report_index")));
    if (rows->eof())
        return NoReportType;
    const QString text = trimBlanks(rows->text(QStringLiteral("report_type")));
    const auto type = toLong(text);
    if (type && (*type == DataReport || *type == StatisticsReport))
        return *type;
    faults.refuse(
        QStringLiteral("报表类型（report_type）“%1”不正确，只能是1（数据报表）或2（统计报表）").arg(text));
    return NoReportType;
}

QList<InfoRow> storedInfoRows()
{
    const auto rows = openStoreSql(selectReportRows(QStringLiteral("report_info")));
    QList<InfoRow> info;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        info.append({ upperKeyword(rows->text(QStringLiteral("info_type"))),
            toLong(rows->text(QStringLiteral("info_order"))).value_or(0),
            trimBlanks(rows->text(QStringLiteral("info_description"))) });
    }
    return info;
}

// The page settings as the loader reads them, each row judged by its rule.
ReportState checkPageSettings(const QList<InfoRow>& info, FaultList& faults)
{
    ReportState settings;
    for (const InfoRow& row : info) {
        const SettingRule* rule = ruleOf(row.type);
        bool holds = true;
        try {
            ApplyPageSetting(settings, row.type, row.value);
            holds = !rule || rule->holds(settings, row.value);
        } catch (const std::exception&) {
            holds = false;
        }
        if (!holds && rule)
            faults.refuse(
                QStringLiteral("报表信息中 %1 的值“%2”无效（%3）").arg(row.type, row.value, rule->expected));
    }
    return settings;
}

// The regions of a data report; gives the detail band (absent when the report has none).
ReportRegion checkRegions(const QList<InfoRow>& info, int rowCount, FaultList& faults)
{
    ReportRegion detail;
    for (const InfoRow& row : info) {
        if (!isRegionKeyword(row.type))
            continue;
        const auto entry = entryOfStored(row.type, row.order);
        if (!entry) {
            faults.skip(QStringLiteral("报表信息中 %1 的级别“%2”不在1到%3之间")
                            .arg(row.type)
                            .arg(row.order)
                            .arg(MaxGroupLevel));
            continue;
        }
        const auto rows = parseRegionText(row.value);
        if (!rows || rows->beginRow < 1 || rows->endRow < rows->beginRow || rows->endRow > rowCount) {
            faults.refuse(QStringLiteral(
                "报表信息中 %1 的区域“%2”无效（应为“开始行:结束行”，1 ≤ 开始行 ≤ 结束行 ≤ %3）")
                              .arg(regionName(row), row.value)
                              .arg(rowCount));
            continue;
        }
        if (*entry == RegionEntry::DataDetail)
            detail = { true, rows->beginRow, rows->endRow };
    }
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
        const auto index = toLong(item.name);
        const auto twips = toDouble(item.value);
        if (!index || *index < 1 || !twips || *twips < 0 || *twips > LayoutLimit) {
            faults.refuse(
                QStringLiteral("报表格式第%1条（%2）中的“%3|%4”无效（应为行号或列号及0到%5之间的缇数）")
                    .arg(order)
                    .arg(kind, item.name, item.value)
                    .arg(LayoutLimit));
            continue;
        }
        if (*index > (columns ? bounds.cols : bounds.rows)) {
            faults.skip(QStringLiteral("报表格式第%1条（%2）中的第%3%4不在报表的%5行%6列之内")
                            .arg(order)
                            .arg(kind)
                            .arg(*index)
                            .arg(columns ? QStringLiteral("列") : QStringLiteral("行"))
                            .arg(bounds.rows)
                            .arg(bounds.cols));
            continue;
        }
        if (columns)
            sizes.columnWidths += qRound64(*twips);
        else if (detail.present && *index >= detail.beginRow && *index <= detail.endRow)
            sizes.detailHeight += qRound64(*twips);
    }
}

StoredSizes checkFormats(const DesignSheetBounds& bounds, const ReportRegion& detail, FaultList& faults)
{
    const auto rows = openStoreSql(selectReportRows(QStringLiteral("report_format")));
    StoredSizes sizes;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const int order = toLong(rows->text(QStringLiteral("format_order"))).value_or(0);
        const QString kind = trimBlanks(rows->text(QStringLiteral("format_type")));
        if (kind == k::RowHeight || kind == k::ColWidth) {
            checkSizeList(order, kind, trimBlanks(rows->text(QStringLiteral("format_description"))), bounds,
                detail, sizes, faults);
            continue;
        }
        const auto number = [&](const char* column) { return rows->value(QLatin1String(column)).toInt(); };
        const int beginRow = number("begin_row_no");
        const int beginCol = number("begin_col_no");
        const int endRow = number("end_row_no");
        const int endCol = number("end_col_no");
        if (!bounds.contains(beginRow, beginCol, endRow, endCol)) {
            faults.skip(QStringLiteral("报表格式第%1条（%2）的区域（%3,%4）-（%5,%6）不在报表的%7行%8列之内")
                            .arg(order)
                            .arg(kind)
                            .arg(beginRow)
                            .arg(beginCol)
                            .arg(endRow)
                            .arg(endCol)
                            .arg(bounds.rows)
                            .arg(bounds.cols));
        }
    }
    return sizes;
}

void checkCells(const DesignSheetBounds& bounds, FaultList& faults)
{
    const auto rows = openStoreSql(selectReportRows(QStringLiteral("report_data")));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const int row = rows->value(QStringLiteral("row_no")).toInt();
        const int col = rows->value(QStringLiteral("col_no")).toInt();
        if (!bounds.contains(row, col)) {
            faults.skip(QStringLiteral("报表数据中第%1行第%2列的单元格不在报表的%3行%4列之内")
                            .arg(row)
                            .arg(col)
                            .arg(bounds.rows)
                            .arg(bounds.cols));
        }
    }
}

// The page that the records per page make: it must stay within the layout's row numbers, and the records
// per page of FIX and AUTO and the fit to the paper divide by the detail band's height and by the width
// of the columns.
void checkPageLayout(
    const ReportState& settings, const ReportRegion& detail, const StoredSizes& sizes, FaultList& faults)
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

DesignSheetBounds loadedSheetBounds()
{
    const ReportState& state = reportState();
    return designSheetBounds(state.ReportType, state.RowCount, state.ColCount);
}

QList<DefinitionFault> CheckReportDefinition()
{
    FaultList faults;
    const int reportType = storedReportType(faults);
    if (faults.refused())
        return faults.faults();
    const QList<InfoRow> info = storedInfoRows();
    const ReportState settings = checkPageSettings(info, faults);
    if (faults.refused())
        return faults.faults();
    const bool dataReport = reportType == DataReport;
    const ReportRegion detail = dataReport ? checkRegions(info, settings.RowCount, faults) : ReportRegion {};
    const DesignSheetBounds bounds = designSheetBounds(reportType, settings.RowCount, settings.ColCount);
    const StoredSizes sizes = checkFormats(bounds, detail, faults);
    checkCells(bounds, faults);
    if (dataReport && !faults.refused())
        checkPageLayout(settings, detail, sizes, faults);
    return faults.faults();
}

bool AcceptReportDefinition()
{
    const QList<DefinitionFault> faults = CheckReportDefinition();
    for (const DefinitionFault& fault : faults) {
        if (fault.skipped) {
            platform::outside::reportFailure("CheckReportDefinition",
                platform::Error(
                    platform::errors::InvalidArgument, QStringLiteral("OrvReport"), fault.message));
        }
    }
    for (const DefinitionFault& fault : faults) {
        if (!fault.skipped) {
            NoticeUser(fault.message);
            return false;
        }
    }
    return true;
}

} // namespace store
