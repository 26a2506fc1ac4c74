#include "wizard/clsStatReport.h"

#include "platform/db/ValueText.h"
#include "platform/outside/IdGeneratorObject.h"
#include "wizard/modCreateReport.h"

#include <cmath>

namespace wizard
{

clsStatReport::clsStatReport()
    : reportId_(platform::outside::IdGeneratorObject().newId())
{
}

NewReportRows clsStatReport::Rows() const
{
    NewReportRows rows { reportId_, reportName, 2, GroupID, {}, {}, {} };
    const std::pair<const char*, QString> settings[]
        = { { "PAGE_RECOUNT", QStringLiteral("T") }, { "PAGE_LANDSCAPE", QStringLiteral("F") },
              { "DATA_ROWS", QStringLiteral("10") }, { "SELF_FIT", QStringLiteral("T") },
              { "PAGE_SIZE", QStringLiteral("9") }, { "LEFT_MARGE", platform::db::numberText(LeftMarge) },
              { "RIGHT_MARGE", platform::db::numberText(RightMarge) },
              { "TOP_MARGE", platform::db::numberText(TopMarge) },
              { "BOTTOM_MARGE", platform::db::numberText(BottomMarge) },
              { "ROW_COUNT", QString::number(RowCount) }, { "COL_COUNT", QString::number(ColCount) } };
    for (const auto& [type, value] : settings)
        rows.AddInfoItem(QString::fromLatin1(type), value);

    const QString font = QStringLiteral("FONT");
    const QString alignment = QStringLiteral("ALIGNMENT");
    rows.AddFormatItem(1, 1, 1, ColCount, font,
        QStringLiteral("@FONTNAME|1|宋体@FONTSIZE|2|20@FONTBOLD|4|TRUE@FONTITALIC|4|FALSE"));
    rows.AddFormatItem(2, 1, RowCount, ColCount, font,
        QStringLiteral("@FONTNAME|1|宋体@FONTSIZE|2|12@FONTBOLD|4|FALSE@FONTITALIC|4|FALSE"));
    rows.AddFormatItem(1, 1, 1, ColCount, QStringLiteral("MERGE"), QStringLiteral("@MERGE|4|TRUE"));
    rows.AddFormatItem(1, 1, 1, 1, alignment, QStringLiteral("@HALIGNMENT|2|3@VALIGNMENT|2|3"));
    rows.AddFormatItem(2, 1, RowCount, ColCount, alignment, QStringLiteral("@HALIGNMENT|2|1@VALIGNMENT|2|2"));
    QString heights = QStringLiteral("@1|2|600");
    for (int row = 2; row <= RowCount; ++row)
        heights += QStringLiteral("@%1|2|300").arg(row);
    rows.AddFormatItem(0, 0, 0, 0, QStringLiteral("ROWHEIGHT"), heights);
    // 9500 twips shared by the columns, a half rounded to the even width.
    const long width = std::lrint(9500.0 / ColCount);
    QString widths;
    for (int col = 1; col <= ColCount; ++col)
        widths += QStringLiteral("@%1|2|%2").arg(col).arg(width);
    rows.AddFormatItem(0, 0, 0, 0, QStringLiteral("COLWIDTH"), widths);

    rows.AddDataItem(1, 1, QStringLiteral("A"), QStringLiteral("@A|") + reportName);
    return rows;
}

bool clsStatReport::Save()
{
    return SaveNewReport(
        "clsStatReport.Save", Connection.get(), [this] { return Rows(); }, failureText_);
}

} // namespace wizard
