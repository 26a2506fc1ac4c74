#include "platform/grid/Sheet.h"

#include <benchmark/benchmark.h>

using namespace platform::grid;

namespace
{

constexpr int kRows = 200000;
constexpr int kCols = 30;

// Every third column a text, the others numbers: a report's detail rows.
void fill(Sheet& sheet)
{
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            if (col % 3 == 0)
                sheet.setText(row, col, QStringLiteral("档案%1").arg(row % 997));
            else
                sheet.setNumber(row, col, row * 0.5 + col);
        }
    }
}

CellFormat tableFormat()
{
    CellFormat f;
    f.fontName = QStringLiteral("黑体");
    f.fontSize = 9;
    f.hAlign = HAlign::Center;
    const Border thin { BorderStyle::Thin, 0 };
    for (auto side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right,
             BorderSide::InnerVertical, BorderSide::InnerHorizontal })
        f.border(side) = thin;
    return f;
}

const Sheet& filledSheet()
{
    static const Sheet sheet = [] {
        Sheet s;
        fill(s);
        s.applyFormat(CellRange { 1, 1, kRows, kCols }, tableFormat());
        return s;
    }();
    return sheet;
}

void BM_Fill(benchmark::State& state)
{
    for (auto _ : state) {
        Sheet sheet;
        fill(sheet);
        benchmark::DoNotOptimize(sheet.lastDataRow());
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_Format(benchmark::State& state)
{
    Sheet sheet = filledSheet();
    for (auto _ : state)
        sheet.applyFormat(CellRange { 1, 1, kRows, kCols }, tableFormat());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_CopyAndPaste(benchmark::State& state)
{
    const Sheet& source = filledSheet();
    for (auto _ : state) {
        Sheet target;
        target.paste(source.copy(CellRange { 1, 1, kRows, kCols }), 1, 1);
        benchmark::DoNotOptimize(target.lastDataRow());
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_SheetCopy(benchmark::State& state)
{
    for (auto _ : state) {
        Sheet copy = filledSheet();
        benchmark::DoNotOptimize(copy.maxRow());
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_InsertRowsInTheMiddle(benchmark::State& state)
{
    Sheet sheet = filledSheet();
    for (auto _ : state)
        sheet.insertRows(kRows / 2, 10);
}

void BM_ReadTexts(benchmark::State& state)
{
    const Sheet& sheet = filledSheet();
    for (auto _ : state) {
        qsizetype length = 0;
        for (int row = 1; row <= kRows; ++row) {
            for (int col = 1; col <= kCols; ++col)
                length += sheet.text(row, col).size();
        }
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_SumFormulas(benchmark::State& state)
{
    Sheet sheet = filledSheet();
    for (auto _ : state) {
        sheet.setNumber(1, 1, state.iterations());
        for (int col = 1; col <= kCols; ++col)
            sheet.setFormula(kRows + 1, col,
                QStringLiteral("SUM(%1:%2)")
                    .arg(rangeText(CellRange::cell(1, col)), rangeText(CellRange::cell(kRows, col))));
        double total = 0;
        for (int col = 1; col <= kCols; ++col)
            total += std::get<double>(sheet.value(kRows + 1, col));
        benchmark::DoNotOptimize(total);
    }
}

} // namespace

BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Format)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyAndPaste)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertRowsInTheMiddle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SumFormulas)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
