#include "DemoReports.h"

#include "platform/db/Connection.h"
#include "store/clsPropertyHandle.h"
#include "store/ReportKeywords.h"

#include <optional>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace demo
{

namespace
{

namespace kw = store::keywords;
using store::clsPropertyHandle;
using store::PropertyDataType;

struct Rect {
    int firstRow;
    int firstCol;
    int lastRow;
    int lastCol;
};

struct FormatRow {
    QString type;
    std::optional<Rect> rect; // none for a column-width list
    QString description;
};

struct InfoRow {
    QString type;
    int order;
    QString description;
};

struct Cell {
    int row;
    int col;
    QString content; // a cell content text: "@", the kind letter, "|", the body
};

struct SampleReport {
    QString id;
    QString name;
    int type;
    std::vector<InfoRow> info;
    std::vector<FormatRow> formats;
    std::vector<Cell> cells;
    QString note {}; // the template a report on a word-processor document is filled into
};

QString item(const QString& name, PropertyDataType type, const QString& value)
{
    return clsPropertyHandle::GetPropertyString(name, type, value);
}

// A ROWHEIGHT or COLWIDTH list: one item per row or column, its number as the name.
QString sizeList(std::initializer_list<std::pair<int, int>> sizes)
{
    QString text;
    for (const auto& [number, twips] : sizes)
        text += item(QString::number(number), PropertyDataType::Integer, QString::number(twips));
    return text;
}

QString font(int points, bool bold)
{
    return item(kw::property::FontName, PropertyDataType::String, QStringLiteral("宋体"))
        + item(kw::property::FontSize, PropertyDataType::String, QString::number(points))
        + item(kw::property::FontBold, PropertyDataType::Boolean, bold ? "TRUE" : "FALSE")
        + item(kw::property::FontItalic, PropertyDataType::Boolean, "FALSE");
}

// Alignment codes of the grid: horizontal 2 left, 3 centre; vertical 2 centre.
QString alignment(int horizontal, int vertical)
{
    return item(kw::property::HAlignment, PropertyDataType::Integer, QString::number(horizontal))
        + item(kw::property::VAlignment, PropertyDataType::Integer, QString::number(vertical));
}

// Thin black lines on the four sides (top, left, bottom, right), which also draw the inner lines.
QString allBorders()
{
    QString text;
    for (int side = 0; side <= 3; ++side) {
        text += item(kw::property::WhichBorder, PropertyDataType::Integer, QString::number(side))
            + item(kw::property::BorderStyle, PropertyDataType::Integer, QStringLiteral("1"))
            + item(kw::property::BorderColor, PropertyDataType::Long, QStringLiteral("0"));
    }
    return text;
}

QString flag(const QString& name)
{
    return item(name, PropertyDataType::Boolean, QStringLiteral("TRUE"));
}

std::vector<InfoRow> pageSettings(int dataRows, int rowCount, int colCount)
{
    return {
        { kw::DataRows, 1, QString::number(dataRows) },
        { kw::SelfFit, 1, kw::True },
        { kw::PageRecount, 1, kw::True },
        { kw::PageSize, 1, QString::number(kw::defaults::PageSize) },
        { kw::PageLandscape, 1, kw::False },
        { kw::LeftMarge, 1, QStringLiteral("0.7875") },
        { kw::RightMarge, 1, QStringLiteral("0.39375") },
        { kw::TopMarge, 1, QStringLiteral("0.39375") },
        { kw::BottomMarge, 1, QStringLiteral("0.39375") },
        { kw::RowCount, 1, QString::number(rowCount) },
        { kw::ColCount, 1, QString::number(colCount) },
    };
}

// The document list. Column 1 of the design sheet marks the regions and holds nothing; columns 2 to
// 7 hold piece number, archive number, responsible, title, date and pages. Rows: 1 report head
// (title), 2 page head (column headings), 3 group head of the filing year, 4 group head of the
// retention period, 5 the detail band, 6 and 7 the group tails with the page totals, 8 the page tail
// with the page numbers, 9 the report tail.
// The group fields come from the group heads and sort before the report's own order, so the stored
// order holds only the piece number.
SampleReport dataReport()
{
    SampleReport report { DataReportId, DataReportName, 1, {}, {}, {} };
    report.info = {
        { kw::SqlSelect, 1, QStringLiteral("wsda.*") },
        { kw::SqlOrder, 1, QStringLiteral("wsda.archive_no") },
        { kw::TablesName, 1, QStringLiteral("wsda") },
        { kw::ReportHead, 1, QStringLiteral("1:1") },
        { kw::ReportTail, 1, QStringLiteral("9:9") },
        { kw::PageHead, 1, QStringLiteral("2:2") },
        { kw::PageTail, 1, QStringLiteral("8:8") },
        { kw::GroupHead, 1, QStringLiteral("3:3") },
        { kw::GroupTail, 1, QStringLiteral("7:7") },
        { kw::GroupHead, 2, QStringLiteral("4:4") },
        { kw::GroupTail, 2, QStringLiteral("6:6") },
        { kw::DataDetail, 1, QStringLiteral("5:5") },
    };
    for (InfoRow& row : pageSettings(20, 9, 7))
        report.info.push_back(row);

    report.formats = {
        // Wide enough for their texts at 10 points: "以上保管期限：" in the piece-number column, archive
        // numbers such as "J001-2006-D10-002-001", dates; the title column takes the rest of A4.
        { kw::ColWidth, std::nullopt,
            sizeList({ { 2, 1500 }, { 3, 2250 }, { 4, 1400 }, { 5, 2950 }, { 6, 1100 }, { 7, 600 } }) },
        // Rows above the detail band.
        { kw::RowHeight, Rect { 1, 0, 4, 0 }, sizeList({ { 1, 720 }, { 2, 420 }, { 3, 360 }, { 4, 360 } }) },
        { kw::Font, Rect { 1, 2, 1, 7 }, font(18, true) },
        { kw::Font, Rect { 2, 2, 2, 7 }, font(10, true) },
        { kw::Font, Rect { 3, 2, 4, 7 }, font(10, false) },
        { kw::Alignment, Rect { 1, 2, 2, 7 }, alignment(3, 2) },
        { kw::Border, Rect { 2, 2, 2, 7 }, allBorders() },
        { kw::Merge, Rect { 1, 2, 1, 7 }, flag(kw::property::Merge) },
        // The detail band.
        { kw::RowHeight, Rect { 5, 0, 5, 0 }, sizeList({ { 5, 360 } }) },
        { kw::Font, Rect { 5, 2, 5, 7 }, font(10, false) },
        { kw::Alignment, Rect { 5, 2, 5, 7 }, alignment(2, 2) },
        { kw::Border, Rect { 5, 2, 5, 7 }, allBorders() },
        { kw::InputFormat, Rect { 5, 6, 5, 6 },
            item(kw::property::InputFormat, PropertyDataType::String, "yyyy-mm-dd") },
        { kw::WrapText, Rect { 5, 5, 5, 5 }, flag(kw::property::WrapText) },
        // Rows below the detail band.
        { kw::RowHeight, Rect { 6, 0, 9, 0 }, sizeList({ { 6, 360 }, { 7, 360 }, { 8, 360 }, { 9, 360 } }) },
        { kw::Font, Rect { 6, 2, 9, 7 }, font(10, false) },
        { kw::Alignment, Rect { 8, 2, 9, 7 }, alignment(3, 2) },
        { kw::Merge, Rect { 8, 2, 8, 7 }, flag(kw::property::Merge) },
        { kw::Merge, Rect { 9, 2, 9, 7 }, flag(kw::property::Merge) },
    };

    report.cells = {
        { 1, 2, "@A|文书档案目录" },
        { 2, 2, "@A|件号" },
        { 2, 3, "@A|档号" },
        { 2, 4, "@A|责任者" },
        { 2, 5, "@A|题名" },
        { 2, 6, "@A|成文日期" },
        { 2, 7, "@A|页数" },
        { 3, 2, "@A|归档年度：" },
        { 3, 3, "@B|wsda.filing_year" },
        { 4, 2, "@A|保管期限：" },
        { 4, 3, "@B|wsda.retention" },
        { 5, 2, "@B|wsda.piece_no" },
        { 5, 3, "@B|wsda.archive_no" },
        { 5, 4, "@B|wsda.responsible" },
        { 5, 5, "@B|wsda.title" },
        { 5, 6, "@B|wsda.doc_date" },
        { 5, 7, "@B|wsda.page_no" },
        { 6, 2, "@A|以上保管期限：" },
        { 6, 3, "@B|wsda.retention" },
        { 7, 2, "@A|全部页数合计" },
        { 7, 7, "@R|G&" },
        { 8, 2, "@C|第%p页 共%P页" },
        { 9, 2, "@C|制表日期：%D" },
    };
    return report;
}

// Documents and pages per retention period: a title, the date of the count, headings, one row per
// retention period and a total row, each count an SQL statement.
SampleReport statisticsReport()
{
    SampleReport report { StatisticsReportId, StatisticsReportName, 2, pageSettings(10, 9, 3), {}, {} };
    report.formats = {
        { kw::ColWidth, std::nullopt, sizeList({ { 1, 2200 }, { 2, 2000 }, { 3, 2000 } }) },
        { kw::RowHeight, Rect { 1, 0, 9, 0 },
            sizeList({ { 1, 720 }, { 2, 400 }, { 3, 400 }, { 4, 400 }, { 5, 400 }, { 6, 400 }, { 7, 400 },
                { 8, 400 }, { 9, 400 } }) },
        { kw::Font, Rect { 1, 1, 1, 3 }, font(16, true) },
        { kw::Font, Rect { 2, 1, 9, 3 }, font(10, false) },
        { kw::Font, Rect { 3, 1, 3, 3 }, font(10, true) },
        { kw::Alignment, Rect { 1, 1, 9, 3 }, alignment(3, 2) },
        { kw::Border, Rect { 3, 1, 9, 3 }, allBorders() },
        { kw::Merge, Rect { 1, 1, 1, 3 }, flag(kw::property::Merge) },
        { kw::Merge, Rect { 2, 1, 2, 3 }, flag(kw::property::Merge) },
    };
    report.cells = {
        { 1, 1, "@A|文书档案统计表" },
        { 2, 1, "@C|统计日期：%d" },
        { 3, 1, "@A|保管期限" },
        { 3, 2, "@A|件数" },
        { 3, 3, "@A|页数" },
        { 9, 1, "@A|合计" },
        { 9, 2, "@G|select count(*) from wsda" },
        { 9, 3, "@G|select sum(page_no) from wsda" },
    };
    int row = 4;
    for (const QString retention : { "永久", "长期", "短期", "30年", "10年" }) {
        const QString condition
            = QStringLiteral(" from wsda where retention='") + retention + QLatin1Char('\'');
        report.cells.push_back({ row, 1, QStringLiteral("@A|") + retention });
        report.cells.push_back({ row, 2, QStringLiteral("@G|select count(*)") + condition });
        report.cells.push_back({ row, 3, QStringLiteral("@G|select sum(page_no)") + condition });
        ++row;
    }
    return report;
}

QVariant numberOrNull(int value)
{
    return value > 0 ? QVariant(value) : QVariant();
}

void insert(platform::db::Connection& connection, const SampleReport& report)
{
    connection.execute(QStringLiteral("insert into report_index (report_id, report_name, report_type, "
                                      "report_group_id, note) values (?, ?, ?, ?, ?)"),
        { report.id, report.name, report.type, SampleReportGroup,
            report.note.isEmpty() ? QVariant() : QVariant(report.note) });
    for (const InfoRow& row : report.info)
        connection.execute(QStringLiteral("insert into report_info (report_id, info_type, info_order, "
                                          "info_description) values (?, ?, ?, ?)"),
            { report.id, row.type, row.order, row.description });
    int formatOrder = 0;
    for (const FormatRow& row : report.formats) {
        const Rect rect = row.rect.value_or(Rect { 0, 0, 0, 0 });
        connection.execute(QStringLiteral("insert into report_format (report_id, format_order, begin_row_no, "
                                          "begin_col_no, end_row_no, end_col_no, format_type, "
                                          "format_description) values (?, ?, ?, ?, ?, ?, ?, ?)"),
            { report.id, ++formatOrder, numberOrNull(rect.firstRow), numberOrNull(rect.firstCol),
                numberOrNull(rect.lastRow), numberOrNull(rect.lastCol), row.type, row.description });
    }
    for (const Cell& cell : report.cells) {
        connection.execute(QStringLiteral("insert into report_data (report_id, row_no, col_no, data_type, "
                                          "data_description1, data_description2) values (?, ?, ?, ?, ?, ?)"),
            { report.id, cell.row, cell.col, cell.content.mid(1, 1), cell.content,
                QString(QLatin1String("")) });
    }
}

// The documents listed in a word-processor document: the template beside the component holds the
// placeholders, the report only its query, sorted by archive number as a catalogue lists them (the
// number begins with the year and the period, so each year's periods come together).
SampleReport wordReport()
{
    SampleReport report { WordReportId, WordReportName, 1, {}, {}, {}, WordReportTemplate };
    report.info = {
        { kw::SqlSelect, 1, QStringLiteral("wsda.*") },
        { kw::SqlOrder, 1, QStringLiteral("wsda.archive_no") },
        { kw::TablesName, 1, QStringLiteral("wsda") },
    };
    return report;
}

} // namespace

void insertSampleReports(platform::db::Connection& connection)
{
    insert(connection, dataReport());
    insert(connection, statisticsReport());
    insert(connection, wordReport());
}

} // namespace demo
