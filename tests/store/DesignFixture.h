#pragma once

#include "StoreFixture.h"

#include "platform/db/SqlLiteral.h"
#include "platform/grid/Sheet.h"
#include "store/ReportLoader.h"
#include "store/ReportSaver.h"

#include <functional>

namespace storetest
{

// A store test that opens stored reports into design grids and saves grids back, the way the designer
// does: the report of the state's ReportId, the design block from the stored sheet size (a data report
// from column 2, as column 1 holds its region markers).
class DesignTest : public StoreTest
{
protected:
    void useDemoArchive()
    {
        database.emplace(GetParam(), orvtest::TestDatabase::Content::DemoArchive, 20);
        report->setConnection(database->connection());
    }

    platform::grid::Sheet open(const QString& reportId)
    {
        store::reportState().ReportId = reportId;
        platform::grid::Sheet grid;
        store::OpenReportInDesigner(grid);
        return grid;
    }

    int firstDesignCol() const { return store::reportState().ReportType == store::DataReport ? 2 : 1; }

    bool save(const platform::grid::Sheet& grid)
    {
        const auto& state = store::reportState();
        return state.ReportType == store::DataReport
            ? store::SaveDataReport(grid, 1, 2, state.RowCount, state.ColCount)
            : store::SaveStatReport(grid, 1, 1, state.RowCount, state.ColCount);
    }

    // What a designer sees of rows 1 to `rows` and columns firstCol to `cols`: every cell's content (the
    // expected one through `entry` when given) and look, the sizes and the merges.
    static void expectSameDesign(const platform::grid::Sheet& expected, const platform::grid::Sheet& actual,
        int rows, int firstCol, int cols, const std::function<QString(QString)>& entry = {})
    {
        for (int row = 1; row <= rows; ++row) {
            EXPECT_EQ(expected.rowHeight(row), actual.rowHeight(row)) << "row " << row;
            for (int col = firstCol; col <= cols; ++col) {
                const QString text = expected.entry(row, col);
                EXPECT_EQ(entry ? entry(text) : text, actual.entry(row, col)) << row << "," << col;
                EXPECT_TRUE(expected.format(row, col) == actual.format(row, col)) << row << "," << col;
            }
        }
        for (int col = firstCol; col <= cols; ++col)
            EXPECT_EQ(expected.colWidth(col), actual.colWidth(col)) << "column " << col;
        EXPECT_EQ(expected.mergedBlocks(), actual.mergedBlocks());
    }

    // One table's rows of a report, the given columns as text, sorted.
    QList<QStringList> reportRows(const QString& table, const QString& columns, const QString& reportId)
    {
        return rows(QStringLiteral("select %1 from %2 where report_id = %3")
                        .arg(columns, table, platform::db::sqlText(reportId)));
    }

    // All four tables of a report, each row with its table's name first.
    QList<QStringList> allRows(const QString& reportId, bool withFormatOrder = true)
    {
        QList<QStringList> all;
        const auto add = [&](const QString& table, const QString& columns) {
            for (QStringList row : reportRows(table, columns, reportId)) {
                row.prepend(table);
                all.append(row);
            }
        };
        add(QStringLiteral("report_index"), QStringLiteral("report_name,report_type,report_group_id,note"));
        add(QStringLiteral("report_info"), QStringLiteral("info_type,info_order,info_description,note"));
        add(QStringLiteral("report_format"),
            (withFormatOrder ? QStringLiteral("format_order,") : QString())
                + QStringLiteral("begin_row_no,begin_col_no,end_row_no,end_col_no,format_type,"
                                 "format_description,note"));
        add(QStringLiteral("report_data"),
            QStringLiteral("row_no,col_no,data_type,data_description1,data_description2,note"));
        return all;
    }
};

} // namespace storetest
