#include "store/PageSettings.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <optional>

namespace store
{

namespace k = keywords;

namespace
{

// The engine's scaled units of a custom paper: centimetres × 560.
constexpr double ScaledUnitsPerCm = 560;

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

void ApplyPageSetting(ReportState& state, const QString& infoType, const QString& value)
{
    if (infoType == k::DataRows) {
        if (value == k::DataRowsFix)
            state.DataRows = k::DataRowsFixMode;
        else if (value == k::DataRowsAuto)
            state.DataRows = k::DataRowsAutoMode;
        else
            state.DataRows = shortSetting(infoType, value);
    } else if (infoType == k::SelfFit) {
        state.SelfFit = TFToBoolean(value);
    } else if (infoType == k::PageRecount) {
        state.PageRecount = TFToBoolean(value);
    } else if (infoType == k::PageLandscape) {
        state.PageLandscape = TFToBoolean(value);
    } else if (infoType == k::PageSize) {
        state.PageSize = shortSetting(infoType, value);
    } else if (infoType == k::LeftMarge) {
        state.LeftMarge = marginSetting(infoType, value, k::defaults::LeftMarge);
    } else if (infoType == k::RightMarge) {
        state.RightMarge = marginSetting(infoType, value, k::defaults::OtherMarge);
    } else if (infoType == k::TopMarge) {
        state.TopMarge = marginSetting(infoType, value, k::defaults::OtherMarge);
    } else if (infoType == k::BottomMarge) {
        state.BottomMarge = marginSetting(infoType, value, k::defaults::OtherMarge);
    } else if (infoType == k::RowCount) {
        state.RowCount = state.DesignRowCount = shortSetting(infoType, value);
    } else if (infoType == k::ColCount) {
        state.ColCount = state.DesignColCount = shortSetting(infoType, value);
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

void SetDefaultPageSettings()
{
    ReportState& state = reportState();
    state.DataRows = k::defaults::DataRows;
    state.SelfFit = k::defaults::SelfFit;
    state.PageRecount = k::defaults::PageRecount;
    state.PageSize = k::defaults::PageSize;
    state.LeftMarge = k::defaults::LeftMarge;
    state.RightMarge = state.TopMarge = state.BottomMarge = k::defaults::OtherMarge;
    state.PageLandscape = k::defaults::PageLandscape;
    state.ColCount = k::defaults::ColCount;
    state.RowCount = k::defaults::RowCount;
}

void ParsePageSettings(platform::db::Recordset& rows)
{
    ReportState& state = reportState();
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        // Stored keywords compare without regard to case, as the database compares them.
        ApplyPageSetting(state, upperKeyword(rows.text(QStringLiteral("info_type"))),
            trimBlanks(rows.text(QStringLiteral("info_description"))));
    }
}

void LoadPageSettings()
{
    const auto rows
        = openStoreSql(QStringLiteral("select * from report_info where report_id =") + reportIdLiteral()
            + QStringLiteral(
                " and info_type in ('DATA_ROWS','SELF_FIT','PAGE_RECOUNT','PAGE_SIZE','LEFT_MARGE',"
                "'RIGHT_MARGE','TOP_MARGE','BOTTOM_MARGE','ROW_COUNT','COL_COUNT','PAGE_LANDSCAPE')"));
    if (rows->recordCount() == 0)
        return;
    SetDefaultPageSettings();
    ParsePageSettings(*rows);
}

void UpdateReportInfo(const QString& infoType, const QString& infoDescription, int infoOrder)
{
    using platform::db::sqlText;
    const int updated = executeStoreSql(QStringLiteral("update report_info set info_description =")
        + sqlText(infoDescription) + QStringLiteral(",info_order =") + QString::number(infoOrder)
        + QStringLiteral(" where report_id =") + reportIdLiteral() + QStringLiteral(" and info_type =")
        + sqlText(infoType));
    if (updated > 0)
        return;
    executeStoreSql(
        QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description) values(")
        + reportIdLiteral() + QLatin1Char(',') + sqlText(infoType) + QLatin1Char(',')
        + QString::number(infoOrder) + QLatin1Char(',') + sqlText(infoDescription) + QLatin1Char(')'));
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
    using platform::db::sqlText;
    const QString note = DecimalText(widthCm) + QLatin1Char('|') + DecimalText(heightCm) + QLatin1Char('|')
        + DecimalText(widthCm * ScaledUnitsPerCm) + QLatin1Char('|')
        + DecimalText(heightCm * ScaledUnitsPerCm);
    const QString where = QStringLiteral(" where report_id =") + reportIdLiteral()
        + QStringLiteral(" and info_type =") + sqlText(k::PageSize);
    if (executeStoreSql(QStringLiteral("update report_info set note=") + sqlText(note) + where) > 0)
        return;
    executeStoreSql(
        QStringLiteral(
            "insert into report_info(report_id,info_type,info_order,info_description,note) values(")
        + reportIdLiteral() + QLatin1Char(',') + sqlText(k::PageSize) + QStringLiteral(",1,")
        + sqlText(QString::number(k::CustomPaperSize)) + QLatin1Char(',') + sqlText(note) + QLatin1Char(')'));
}

} // namespace store
