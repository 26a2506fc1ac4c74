#include "platform/grid/io/SheetFile.h"
#include "platform/grid/Sheet.h"

#include <benchmark/benchmark.h>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace platform::grid;
using namespace platform::grid::io;

namespace
{

constexpr int kRows = 200000;
constexpr int kCols = 30;

// A large report: every third column a text, the others numbers in two number formats, a bordered
// body, a bold heading row merged in blocks of three columns.
const Sheet& reportSheet()
{
    static const Sheet sheet = [] {
        Sheet s;
        for (int row = 1; row <= kRows; ++row) {
            for (int col = 1; col <= kCols; ++col) {
                if (col % 3 == 0)
                    s.setText(row, col, QStringLiteral("档案%1").arg(row % 997));
                else
                    s.setNumber(row, col, row * 0.5 + col);
            }
        }
        CellFormat body;
        body.fontSize = 9;
        const Border thin { BorderStyle::Thin, 0 };
        for (auto side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right,
                 BorderSide::InnerVertical, BorderSide::InnerHorizontal })
            body.border(side) = thin;
        s.applyFormat(CellRange { 1, 1, kRows, kCols }, body);
        CellFormat amounts;
        amounts.numberFormat = QStringLiteral("#,##0.00");
        s.applyFormat(CellRange { 1, 1, kRows, 1 }, amounts);
        CellFormat heading;
        heading.fontBold = true;
        heading.hAlign = HAlign::Center;
        s.applyFormat(CellRange { 1, 1, 1, kCols }, heading);
        for (int col = 1; col + 2 <= kCols; col += 3)
            s.merge(CellRange { 1, col, 1, col + 2 });
        return s;
    }();
    return sheet;
}

void writeBenchmark(benchmark::State& state, FileType type, const char* name)
{
    const Sheet& sheet = reportSheet();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    for (auto _ : state)
        writeSheet(sheet, path, type);
    state.counters["cells/s"]
        = benchmark::Counter(double(kRows) * kCols, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(QFileInfo(path).size()) / (1 << 20);
}

void BM_WriteXls(benchmark::State& state)
{
    writeBenchmark(state, FileType::Xls, "report.xls");
}
void BM_WriteHtml(benchmark::State& state)
{
    writeBenchmark(state, FileType::Html, "report.htm");
}
void BM_WriteText(benchmark::State& state)
{
    writeBenchmark(state, FileType::Text, "report.txt");
}
void BM_WriteVts(benchmark::State& state)
{
    writeBenchmark(state, FileType::Vts, "report.vts");
}

void BM_ReadVts(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.vts"));
    writeSheet(reportSheet(), path, FileType::Vts);
    for (auto _ : state)
        benchmark::DoNotOptimize(readVts(path).lastDataRow());
    state.counters["cells/s"]
        = benchmark::Counter(double(kRows) * kCols, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_WriteXls)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteHtml)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteVts)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadVts)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
