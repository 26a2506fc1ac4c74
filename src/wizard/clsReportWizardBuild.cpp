#include "wizard/clsReportWizard.h"

#include "platform/Error.h"
#include "store/DesignGrid.h"
#include "store/ReportState.h"

#include <algorithm>

// The data report that the wizard's choices make: title row, group heads, caption row, detail row, group
// feet and the page-number row, with its SQL pieces, regions, page settings, formats and cells.
namespace wizard
{

namespace
{

const QString Source = QStringLiteral("clsReportWizard");
const QString Font = QStringLiteral("FONT");
const QString Alignment = QStringLiteral("ALIGNMENT");
const QString WrapText = QStringLiteral("WRAPTEXT");
const QString Merge = QStringLiteral("MERGE");
const QString ShrinkToFit = QStringLiteral("SHRINKTOFIT");
const QString RowHeight = QStringLiteral("ROWHEIGHT");
const QString CenteredBottom = QStringLiteral("@HALIGNMENT|2|3@VALIGNMENT|2|2");
const QString AllBorders = QStringLiteral("@WHICHBORDER|2|0@BORDERSTYLE|2|1@WHICHBORDER|2|1@BORDERSTYLE|2|1"
                                          "@WHICHBORDER|2|2@BORDERSTYLE|2|1@WHICHBORDER|2|3@BORDERSTYLE|2|1");
constexpr int BaseRow = 0;
constexpr int BaseCol = store::MarkerColumn; // the report starts in the column after the region markers
constexpr int ColWidthListLimit = 220;

// The first row of a region text "begin:end".
int firstRow(const QString& region)
{
    return region.section(QLatin1Char(':'), 0, 0).toInt();
}

// Row heights in twips: one and a half times the font size for the title row's 20-point text and for
// the 14-point bold group and column captions (whose line in the Song face is 295 twips, so the row leaves
// room above and below it), a quarter more than the size for the 12-point detail and the small page text.
constexpr int TitleRowHeight = 600;
constexpr int CaptionRowHeight = 420;
constexpr int PlainRowHeight = 300;

QString heightList(int fromRow, int toRow, int twips = PlainRowHeight)
{
    QString list;
    for (int row = fromRow; row <= toRow; ++row)
        list += QStringLiteral("@%1|2|%2").arg(row).arg(twips);
    return list;
}

QList<const WizardField*> detailFields(const QList<WizardField>& items)
{
    QList<const WizardField*> fields;
    for (const WizardField& item : items) {
        if (item.groupLevel == 0)
            fields.append(&item);
    }
    return fields;
}

} // namespace

clsReportWizard::Size clsReportWizard::CalcReportSize() const
{
    const int details = int(detailFields(items_).size());
    if (details == 0)
        throw platform::Error(NoDetailField, Source, QStringLiteral("数据报表不能没有内容"));
    Size size;
    size.rows = groups_.GroupRows() > 0 ? groups_.GroupRows() + 3 + BaseRow : BaseRow + 4;
    size.cols = BaseCol + std::max(details, groups_.GroupCols());
    const QString detail = groups_.DetailRowNO();
    size.detailRow = detail.isEmpty() ? 3 : firstRow(detail);
    return size;
}

QString clsReportWizard::fieldReference(const QString& table, const QString& field) const
{
    return tables_.size() > 1 ? table + QLatin1Char('.') + field : field;
}

clsReportWizard::Size clsReportWizard::MakeReportInfoValue(NewReportRows& rows)
{
    QStringList selected;
    QStringList chain;
    for (const WizardTable& table : tables_) {
        chain.append(table.tableName);
        if (table.used)
            selected.append(table.tableName + QStringLiteral(".*"));
    }
    if (selected.isEmpty())
        throw platform::Error(NoSelection, Source, QStringLiteral("没有生成选择内容"));
    rows.info += SplitFixedWidth(QStringLiteral("SQL_SELECT"), selected.join(QStringLiteral(", ")));
    // Every table of the chain is in the FROM list and joined to the next, the tables between two chosen
    // ones included.
    const QString join = chain.size() > 1 ? GetJoinCondition(chain) : QString();
    if (!join.isEmpty())
        rows.info += SplitFixedWidth(QStringLiteral("SQL_WHERE"), join);

    QList<const WizardField*> sortFields;
    for (const WizardField& item : items_) {
        if (item.inSort)
            sortFields.append(&item);
    }
    std::stable_sort(sortFields.begin(), sortFields.end(),
        [](const WizardField* a, const WizardField* b) { return a->sortPosition < b->sortPosition; });
    QStringList order;
    for (const WizardField* item : sortFields)
        order.append(item->tableName + QLatin1Char('.') + item->fieldName
            + (item->descending ? QStringLiteral(" DESC") : QString()));
    rows.info += SplitFixedWidth(QStringLiteral("SQL_ORDER"), order.join(QStringLiteral(", ")));

    const Size size = CalcReportSize();
    rows.AddInfoItem(QStringLiteral("TABLES_NAME"), chain.join(QLatin1Char(',')));
    const QString lastRow = QStringLiteral("%1:%1").arg(size.rows);
    if (groups_.Count() < 1) {
        rows.AddInfoItem(QStringLiteral("PAGE_HEAD"), QStringLiteral("1:2"));
        rows.AddInfoItem(QStringLiteral("DATA_DETAIL"), QStringLiteral("3:3"));
        rows.AddInfoItem(QStringLiteral("PAGE_TAIL"), lastRow);
    } else {
        rows.AddInfoItem(QStringLiteral("PAGE_HEAD"), QStringLiteral("1:1"));
        for (int level = 1; level <= groups_.Count(); ++level)
            rows.AddInfoItem(QStringLiteral("GROUP_HEAD"), groups_.GroupHeaderRowNO(level), level);
        for (int level = 1; level <= groups_.Count(); ++level)
            rows.AddInfoItem(QStringLiteral("GROUP_TAIL"), groups_.GroupFootRowNO(level), level);
        rows.AddInfoItem(QStringLiteral("DATA_DETAIL"), groups_.DetailRowNO());
        rows.AddInfoItem(QStringLiteral("PAGE_TAIL"), lastRow);
    }
    const std::pair<const char*, QString> settings[] = { { "PAGE_LANDSCAPE", QStringLiteral("F") },
        { "DATA_ROWS", QStringLiteral("10") }, { "PAGE_RECOUNT", QStringLiteral("T") },
        { "SELF_FIT", QStringLiteral("T") }, { "PAGE_SIZE", QStringLiteral("9") },
        { "LEFT_MARGE", QStringLiteral("0.7875") }, { "RIGHT_MARGE", QStringLiteral("0.39375") },
        { "TOP_MARGE", QStringLiteral("0.39375") }, { "BOTTOM_MARGE", QStringLiteral("0.39375") },
        { "ROW_COUNT", QString::number(size.rows) }, { "COL_COUNT", QString::number(size.cols) } };
    for (const auto& [type, value] : settings)
        rows.AddInfoItem(QString::fromLatin1(type), value);
    return size;
}

void clsReportWizard::MakeReportFormatValue(NewReportRows& rows, const Size& size) const
{
    const int R = size.rows;
    const int C = size.cols;
    const int d = size.detailRow;

    // Sizes: 16.5 cm shared by the content columns, rounded down to whole twips (16.5 x 567 = 9355.5).
    rows.AddFormatItem(1, 2, R, C, Font, QStringLiteral("@FONTITALIC|4|FALSE"));
    const int width = 18711 / (2 * (C - 1));
    QString widths;
    for (int col = 2; col <= C; ++col) {
        widths += QStringLiteral("@%1|2|%2").arg(col).arg(width);
        if (widths.size() > ColWidthListLimit) {
            rows.AddFormatItem(1, 0, R, 0, QStringLiteral("COLWIDTH"), widths);
            widths.clear();
        }
    }
    if (!widths.isEmpty())
        rows.AddFormatItem(1, 0, R, 0, QStringLiteral("COLWIDTH"), widths);
    rows.AddFormatItem(
        1, 2, d - 1, C, RowHeight, heightList(1, 1, TitleRowHeight) + heightList(2, d - 1, CaptionRowHeight));
    rows.AddFormatItem(d, 2, d, C, RowHeight, heightList(d, d));
    rows.AddFormatItem(d + 1, 2, R, C, RowHeight, heightList(d + 1, R));

    // The title row and the page-number row.
    for (const auto& [row, size] : { std::pair { 1, 20 }, std::pair { R, 9 } }) {
        rows.AddFormatItem(row, 2, row, C, Font,
            QStringLiteral("@FONTNAME|1|宋体@FONTSIZE|2|%1@FONTBOLD|4|%2@FONTITALIC|4|FALSE")
                .arg(size)
                .arg(row == 1 ? QStringLiteral("TRUE") : QStringLiteral("FALSE")));
        rows.AddFormatItem(row, 2, row, C, Alignment, CenteredBottom);
        rows.AddFormatItem(row, 2, row, C, WrapText, QStringLiteral("@WRAPTEXT|4|FALSE"));
        rows.AddFormatItem(row, 2, row, C, Merge, QStringLiteral("@MERGE|4|TRUE"));
        rows.AddFormatItem(row, 2, row, C, ShrinkToFit, QStringLiteral("@SHRINKTOFIT|4|TRUE"));
    }

    if (groups_.Count() > 0) {
        const int H = groups_.HeaderNO();
        rows.AddFormatItem(2, 2, H, C, Font, QStringLiteral("@FONTNAME|1|宋体"));
        rows.AddFormatItem(2, 2, H, C, Alignment, QStringLiteral("@HALIGNMENT|2|1@VALIGNMENT|2|2"));
        rows.AddFormatItem(2, 2, H, C, WrapText, QStringLiteral("@WRAPTEXT|4|FALSE"));
        rows.AddFormatItem(2, 2, H, C, Merge, QStringLiteral("@MERGE|4|FALSE"));
        rows.AddFormatItem(2, 2, H, C, ShrinkToFit, QStringLiteral("@SHRINKTOFIT|4|FALSE"));
        for (int level = 1; level <= groups_.Count(); ++level) {
            for (const GroupItemPlace& item : groups_.GroupItems(level)) {
                rows.AddFormatItem(item.row, item.col, item.row, item.col, Font,
                    QStringLiteral("@FONTSIZE|2|14@FONTBOLD|4|TRUE"));
                rows.AddFormatItem(
                    item.row, item.col + 1, item.row, item.col + 1, Font, QStringLiteral("@FONTSIZE|2|12"));
            }
        }
        for (int level = 1; level <= groups_.Count(); ++level) {
            const int foot = firstRow(groups_.GroupFootRowNO(level));
            rows.AddFormatItem(foot, 2, foot, C, Merge, QStringLiteral("@MERGE|4|TRUE"));
        }
    }

    rows.AddFormatItem(d, 2, d, C, Font, QStringLiteral("@FONTSIZE|2|12"));
    rows.AddFormatItem(d, 2, d, C, Alignment, QStringLiteral("@HALIGNMENT|2|2@VALIGNMENT|2|3"));
    rows.AddFormatItem(d, 2, d, C, QStringLiteral("BORDER"), AllBorders);
    rows.AddFormatItem(d, 2, d + 1, C, WrapText, QStringLiteral("@WRAPTEXT|4|TRUE"));
    rows.AddFormatItem(d - 1, 2, d - 1, C, Font, QStringLiteral("@FONTSIZE|2|14@FONTBOLD|4|TRUE"));
    rows.AddFormatItem(d - 1, 2, d - 1, C, Alignment, QStringLiteral("@HALIGNMENT|2|3@VALIGNMENT|2|3"));
    rows.AddFormatItem(d - 1, 2, d - 1, C, WrapText, QStringLiteral("@WRAPTEXT|4|TRUE"));
    rows.AddFormatItem(d - 1, 2, d - 1, C, QStringLiteral("BORDER"), AllBorders);
}

void clsReportWizard::MakeReportDataValue(NewReportRows& rows, const Size& size) const
{
    const QString text = QStringLiteral("A");
    const QString field = QStringLiteral("B");
    rows.AddDataItem(1, 2, text, QStringLiteral("@A|") + reportName);
    rows.AddDataItem(size.rows, 2, QStringLiteral("C"), QStringLiteral("@C|第%p页/共%P页"));
    for (int level = 1; level <= groups_.Count(); ++level) {
        for (const GroupItemPlace& item : groups_.GroupItems(level)) {
            rows.AddDataItem(item.row, item.col, text, QStringLiteral("@A|") + item.caption);
            rows.AddDataItem(item.row, item.col + 1, field,
                QStringLiteral("@B|") + fieldReference(item.tableName, item.fieldName));
        }
    }
    const QList<const WizardField*> details = detailFields(items_);
    for (qsizetype i = 0; i < details.size(); ++i)
        rows.AddDataItem(size.detailRow, int(i) + 2, field,
            QStringLiteral("@B|") + fieldReference(details[i]->tableName, details[i]->fieldName));
    for (qsizetype i = 0; i < details.size(); ++i)
        rows.AddDataItem(size.detailRow - 1, int(i) + 2, text, QStringLiteral("@A|") + details[i]->caption);
}

NewReportRows clsReportWizard::MakeReportRows()
{
    NewReportRows rows { reportId_, reportName, 1, GroupID, {}, {}, {} };
    const Size size = MakeReportInfoValue(rows);
    MakeReportFormatValue(rows, size);
    MakeReportDataValue(rows, size);
    return rows;
}

bool clsReportWizard::Save()
{
    if (!SaveNewReport(
            "clsReportWizard.Save", Connection.get(), [this] { return MakeReportRows(); }, failureText_))
        return false;
    store::reportState().ReportId = reportId_;
    return true;
}

} // namespace wizard
