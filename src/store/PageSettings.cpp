#include "store/PageSettings.h"

#include "platform/Error.h"
#include "store/CustomPaper.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <algorithm>
#include <optional>

namespace store
{

namespace k = keywords;

namespace
{

[[noreturn]] void throwBadSetting(const QString& infoType, const QString& value)
{
    throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("LoadPageSettings"),
        QStringLiteral("页面设置 %1 的值“%2”无效。").arg(infoType, value));
}

int shortSetting(const QString& infoType, const QString& value)
{
    const std::optional<int> number = toShort(value);
    if (!number)
        throwBadSetting(infoType, value);
    return *number;
}

double marginSetting(const QString& infoType, const QString& value, double whenEmpty)
{
    if (value.isEmpty())
        return whenEmpty;
    const std::optional<double> number = toDouble(value);
    if (!number)
        throwBadSetting(infoType, value);
    return *number;
}

} // namespace

bool isPageSettingKeyword(const QString& infoType)
{
    for (const QString* keyword :
        { &k::DataRows, &k::SelfFit, &k::PageRecount, &k::PageSize, &k::PageLandscape, &k::LeftMarge,
            &k::RightMarge, &k::TopMarge, &k::BottomMarge, &k::RowCount, &k::ColCount }) {
        if (*keyword == infoType)
            return true;
    }
    return false;
}

void ApplyPageSetting(PageSettings& settings, const QString& infoType, const QString& value)
{
    if (infoType == k::DataRows) {
        if (value == k::DataRowsFix)
            settings.DataRows = k::DataRowsFixMode;
        else if (value == k::DataRowsAuto)
            settings.DataRows = k::DataRowsAutoMode;
        else
            settings.DataRows = shortSetting(infoType, value);
    } else if (infoType == k::SelfFit) {
        settings.SelfFit = TFToBoolean(value);
    } else if (infoType == k::PageRecount) {
        settings.PageRecount = TFToBoolean(value);
    } else if (infoType == k::PageLandscape) {
        settings.PageLandscape = TFToBoolean(value);
    } else if (infoType == k::PageSize) {
        settings.PageSize = shortSetting(infoType, value);
    } else if (infoType == k::LeftMarge) {
        settings.LeftMarge = marginSetting(infoType, value, k::defaults::LeftMarge);
    } else if (infoType == k::RightMarge) {
        settings.RightMarge = marginSetting(infoType, value, k::defaults::OtherMarge);
    } else if (infoType == k::TopMarge) {
        settings.TopMarge = marginSetting(infoType, value, k::defaults::OtherMarge);
    } else if (infoType == k::BottomMarge) {
        settings.BottomMarge = marginSetting(infoType, value, k::defaults::OtherMarge);
    } else if (infoType == k::RowCount) {
        settings.RowCount = shortSetting(infoType, value);
    } else if (infoType == k::ColCount) {
        settings.ColCount = shortSetting(infoType, value);
    }
}

bool TFToBoolean(const QString& text)
{
    return text == k::True;
}

QString BoolToTF(bool value)
{
    return value ? k::True : k::False;
}

QString DataRowsText(int dataRows)
{
    if (dataRows == k::DataRowsFixMode)
        return k::DataRowsFix;
    if (dataRows == k::DataRowsAutoMode)
        return k::DataRowsAuto;
    return QString::number(dataRows);
}

QString DecimalText(double inches)
{
    return QString::number(inches, 'g', 15);
}

void LoadPageSettings(const ReportDefinition& definition)
{
    const bool stored = std::any_of(definition.info.begin(), definition.info.end(),
        [](const StoredInfoRow& row) { return isPageSettingKeyword(row.type); });
    if (!stored)
        return;
    ReportState& state = reportState();
    static_cast<PageSettings&>(state) = definition.page;
    state.DesignRowCount = definition.page.RowCount;
    state.DesignColCount = definition.page.ColCount;
}

void UpdateReportInfo(const QString& infoType, const QString& infoDescription, int infoOrder)
{
    const QString& reportId = reportState().ReportId;
    const int updated = executeStoreSql(
        QStringLiteral("update report_info set info_description = ?, info_order = ? "
                       "where report_id = ? and info_type = ?"),
        { infoDescription, infoOrder, reportId, infoType });
    if (updated > 0)
        return;
    executeStoreSql(
        QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description) values(?,?,?,?)"),
        { reportId, infoType, infoOrder, infoDescription });
}

void SavePageInfo()
{
    const ReportState& state = reportState();
    const std::pair<const QString&, QString> rows[] = {
        { k::DataRows, DataRowsText(state.DataRows) },
        { k::SelfFit, BoolToTF(state.SelfFit) },
        { k::PageRecount, BoolToTF(state.PageRecount) },
        { k::PageSize, QString::number(state.PageSize) },
        { k::PageLandscape, BoolToTF(state.PageLandscape) },
        { k::LeftMarge, DecimalText(state.LeftMarge) },
        { k::RightMarge, DecimalText(state.RightMarge) },
        { k::TopMarge, DecimalText(state.TopMarge) },
        { k::BottomMarge, DecimalText(state.BottomMarge) },
        { k::RowCount, QString::number(state.RowCount) },
        { k::ColCount, QString::number(state.ColCount) },
    };
    for (const auto& [infoType, description] : rows)
        UpdateReportInfo(infoType, description, 1);
}

void SaveCustomPaperSize(double widthCm, double heightCm)
{
    const QString note = customPaperNote({ widthCm, heightCm });
    const QString& reportId = reportState().ReportId;
    if (executeStoreSql(QStringLiteral("update report_info set note = ? where report_id = ? and info_type = ?"),
            { note, reportId, k::PageSize })
        > 0)
        return;
    executeStoreSql(QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description,note) "
                                   "values(?,?,1,?,?)"),
        { reportId, k::PageSize, QString::number(k::CustomPaperSize), note });
}

} // namespace store
