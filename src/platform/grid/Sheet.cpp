#include "SheetImpl.h"

#include "NumberFormat.h"

#include <algorithm>

namespace platform::grid
{

void throwSheetError(int number, const QString& description)
{
    throw Error(number, QStringLiteral("Sheet"), description);
}

Sheet::Sheet()
    : d(std::make_unique<Impl>())
{
}
Sheet::~Sheet() = default;
Sheet::Sheet(const Sheet& other)
    : d(std::make_unique<Impl>(*other.d))
{
}
Sheet& Sheet::operator=(const Sheet& other)
{
    if (this != &other)
        d = std::make_unique<Impl>(*other.d);
    return *this;
}
Sheet::Sheet(Sheet&&) noexcept = default;
Sheet& Sheet::operator=(Sheet&&) noexcept = default;

Sheet Sheet::copyTakingCells()
{
    internal::CellStore cells;
    std::swap(cells, d->cells);
    Sheet copy(*this);
    copy.d->cells = std::move(cells);
    d->valuesChanged();
    return copy;
}

// --- checks and growth ---------------------------------------------------------------------------

void Sheet::Impl::refuseCell(int row, int col)
{
    throwSheetError(
        errors::InvalidArgument, QStringLiteral("单元格 (%1, %2) 不在工作表范围内").arg(row).arg(col));
}

CellRange Sheet::Impl::withinSheet(const CellRange& range) const
{
    CellRange r = range.normalized();
    if (r.col2 == kWholeRowLastCol)
        r.col2 = std::max(r.col1, maxCol);
    if (r.row2 == kWholeColLastRow)
        r.row2 = std::max(r.row1, maxRow);
    checkCell(r.row1, r.col1);
    checkCell(r.row2, r.col2);
    return r;
}

void Sheet::Impl::growTo(int row, int col)
{
    maxRow = std::max(maxRow, row);
    maxCol = std::max(maxCol, col);
}

// --- size --------------------------------------------------------------------------------------

int Sheet::maxRow() const
{
    return d->maxRow;
}
int Sheet::maxCol() const
{
    return d->maxCol;
}

void Sheet::setMaxRow(int rows)
{
    Impl::checkCell(rows, 1);
    d->maxRow = rows;
    d->cells.cutTo(rows, kMaxSheetCols);
    d->merges.cutTo(rows, kMaxSheetCols);
    d->objects.cutTo(rows, kMaxSheetCols);
    d->rowHeights.cutAfter(rows);
    d->valuesChanged();
}

void Sheet::setMaxCol(int cols)
{
    Impl::checkCell(1, cols);
    d->maxCol = cols;
    d->cells.cutTo(kMaxSheetRows, cols);
    d->merges.cutTo(kMaxSheetRows, cols);
    d->objects.cutTo(kMaxSheetRows, cols);
    d->colWidths.cutAfter(cols);
    d->valuesChanged();
}

int Sheet::lastDataRow() const
{
    return d->cells.lastValueRow();
}
int Sheet::lastDataCol() const
{
    return d->cells.lastValueCol();
}

int Sheet::lastUsedRow() const
{
    return std::max({ d->cells.lastUsedRow(), d->merges.lastRow(), d->objects.lastRow() });
}

int Sheet::lastUsedCol() const
{
    return std::max({ d->cells.lastUsedCol(), d->merges.lastCol(), d->objects.lastCol() });
}

namespace
{

int sizeInRange(int twips)
{
    return std::clamp(twips, 0, kMaxSizeTwips);
}

} // namespace

int Sheet::rowHeight(int row) const
{
    Impl::checkCell(row, 1);
    return d->rowHeights.size(row);
}

void Sheet::setRowHeight(int row, int twips)
{
    setRowHeights(row, row, twips);
}

void Sheet::setRowHeights(int row1, int row2, int twips)
{
    const CellRange rows = CellRange { row1, 1, row2, 1 }.normalized();
    Impl::checkCell(rows.row1, 1);
    Impl::checkCell(rows.row2, 1);
    d->rowHeights.set(rows.row1, rows.row2, sizeInRange(twips));
    d->changed();
}

int Sheet::colWidth(int col) const
{
    Impl::checkCell(1, col);
    return d->colWidths.size(col);
}

void Sheet::setColWidth(int col, int twips)
{
    setColWidths(col, col, twips);
}

void Sheet::setColWidths(int col1, int col2, int twips)
{
    const CellRange cols = CellRange { 1, col1, 1, col2 }.normalized();
    Impl::checkCell(1, cols.col1);
    Impl::checkCell(1, cols.col2);
    d->colWidths.set(cols.col1, cols.col2, sizeInRange(twips));
    d->changed();
}

int Sheet::defaultRowHeight() const
{
    return d->rowHeights.defaultSize();
}
int Sheet::defaultColWidth() const
{
    return d->colWidths.defaultSize();
}

void Sheet::setDefaultRowHeight(int twips)
{
    d->rowHeights.setDefaultSize(sizeInRange(twips));
    d->changed();
}

void Sheet::setDefaultColWidth(int twips)
{
    d->colWidths.setDefaultSize(sizeInRange(twips));
    d->changed();
}

bool Sheet::isRowHeightSet(int row) const
{
    return d->rowHeights.isSet(row);
}
bool Sheet::isColWidthSet(int col) const
{
    return d->colWidths.isSet(col);
}

// --- cells ---------------------------------------------------------------------------------------

void Sheet::Impl::writeValue(int row, int col, const CellValue& value, NumberWritten written)
{
    if (std::holds_alternative<std::monostate>(value)) {
        if (internal::Cell* cell = cells.find(row, col)) {
            cell->clearValue();
            cells.tidy(row);
        }
        return;
    }
    growTo(row, col);
    if (const double* number = std::get_if<double>(&value))
        cells.at(row, col).setNumber(*number, written);
    else
        cells.at(row, col).setValue(value);
}

void Sheet::Impl::copyValue(int row, int col, const internal::Cell& from)
{
    growTo(row, col);
    cells.at(row, col).setValueOf(from);
}

void Sheet::Impl::writeFormula(int row, int col, const formula::Formula& formula)
{
    growTo(row, col);
    cells.at(row, col).setFormula(formula);
}

Sheet::Impl::ParsedEntry Sheet::Impl::parseEntry(const QString& entry)
{
    if (entry.isEmpty())
        return {};
    if (entry.startsWith(QLatin1Char('=')) && entry.size() > 1) {
        try {
            return { {}, formula::Formula::parse(entry.mid(1)), entry };
        } catch (const Error&) {
            return { entry, std::nullopt, entry };
        }
    }
    double number = 0;
    if (parseNumberEntry(entry, &number))
        return { number, std::nullopt, entry, numberWrittenAs(entry, number) };
    return { entry, std::nullopt, entry };
}

// A cell in the text format keeps what is typed into it, as "007" or "=A1", unread.
bool Sheet::Impl::takesTextOnly(int row, int col) const
{
    return styleAt(row, col).numberFormat->trimmed() == QLatin1String("@");
}

formula::Formula Sheet::Impl::parseFormula(const QString& text)
{
    return formula::Formula::parse(text.startsWith(QLatin1Char('=')) ? text.mid(1) : text);
}

void Sheet::Impl::writeEntry(int row, int col, const ParsedEntry& entry, int fromRow, int fromCol)
{
    if (!entry.typed.isEmpty() && takesTextOnly(row, col))
        writeValue(row, col, entry.typed);
    else if (!entry.formula)
        writeValue(row, col, entry.value, entry.written);
    else if (row == fromRow && col == fromCol)
        writeFormula(row, col, *entry.formula);
    else
        writeFormula(row, col, entry.formula->movedBy(row - fromRow, col - fromCol));
}

void Sheet::setEntry(int row, int col, const QString& entry)
{
    Impl::checkCell(row, col);
    d->writeEntry(row, col, Impl::parseEntry(entry), row, col);
    d->valuesChanged();
}

void Sheet::setText(int row, int col, const QString& text)
{
    if (text.isEmpty()) {
        setValue(row, col, CellValue {});
        return;
    }
    // Written for most cells of a report: straight into the cell, without a value made around the text.
    Impl::checkCell(row, col);
    d->growTo(row, col);
    d->cells.at(row, col).setText(text);
    d->valuesChanged();
}

void Sheet::setNumber(int row, int col, double value, NumberWritten written)
{
    Impl::checkCell(row, col);
    d->growTo(row, col);
    d->cells.at(row, col).setNumber(value, written);
    d->valuesChanged();
}

void Sheet::setFormula(int row, int col, const QString& formula)
{
    Impl::checkCell(row, col);
    d->writeFormula(row, col, Impl::parseFormula(formula));
    d->valuesChanged();
}

void Sheet::setValue(int row, int col, const CellValue& value)
{
    Impl::checkCell(row, col);
    d->writeValue(row, col, value);
    d->valuesChanged();
}

void Sheet::clearCell(int row, int col, ClearWhat what)
{
    clearRange(CellRange::cell(row, col), what);
}

bool Sheet::isEmpty(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    return !cell || !cell->hasValue();
}

bool Sheet::hasFormula(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    return cell && cell->formula();
}

CellValue Sheet::value(int row, int col) const
{
    Impl::checkCell(row, col);
    return d->valueAt(row, col);
}

std::optional<QStringView> Sheet::textView(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    return cell ? cell->textView() : std::nullopt;
}

QString Sheet::entry(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    if (!cell)
        return {};
    if (const auto* f = cell->formula())
        return QLatin1Char('=') + f->formula.text();
    const CellValue value = cell->value();
    if (const auto* number = std::get_if<double>(&value))
        return writtenText(*number, cell->numberWritten());
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* logical = std::get_if<bool>(&value))
        return *logical ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (const auto* error = std::get_if<CellError>(&value))
        return error->code;
    return {};
}

QString Sheet::formula(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    const auto* f = cell ? cell->formula() : nullptr;
    return f ? f->formula.text() : QString();
}

NumberWritten Sheet::numberWritten(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    return cell ? cell->numberWritten() : NumberWritten::AsNumber;
}

QString Sheet::text(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    if (!cell || !cell->hasValue())
        return {};
    const CellValue value = cell->formula() ? d->valueAt(row, col) : cell->value();
    if (std::holds_alternative<std::monostate>(value))
        return {};
    return formatCellValue(value, *d->styleAt(row, col).numberFormat, cell->numberWritten());
}

QVector<QVector<CellValue>> Sheet::rangeToArray(const CellRange& range) const
{
    const CellRange r = d->withinSheet(range);
    QVector<QVector<CellValue>> rows;
    rows.reserve(r.rowCount());
    for (int row = r.row1; row <= r.row2; ++row) {
        QVector<CellValue> values;
        values.reserve(r.colCount());
        for (int col = r.col1; col <= r.col2; ++col)
            values.append(d->valueAt(row, col));
        rows.append(values);
    }
    return rows;
}

void Sheet::arrayToRange(int row, int col, const QVector<QVector<CellValue>>& values)
{
    qsizetype width = 0;
    for (const auto& rowValues : values)
        width = std::max(width, rowValues.size());
    Impl::checkCell(row, col);
    Impl::checkCell(
        row + int(std::max<qsizetype>(values.size(), 1)) - 1, col + int(std::max<qsizetype>(width, 1)) - 1);
    for (int i = 0; i < values.size(); ++i) {
        for (int j = 0; j < values[i].size(); ++j)
            d->writeValue(row + i, col + j, values[i][j]);
    }
    d->valuesChanged();
}

// --- page --------------------------------------------------------------------------------------

const PageSetup& Sheet::pageSetup() const
{
    return d->pageSetup;
}

void Sheet::setPageSetup(const PageSetup& setup)
{
    d->pageSetup = setup;
    d->changed();
}

QString Sheet::printArea() const
{
    return d->printArea;
}

void Sheet::setPrintArea(const QString& area)
{
    d->printArea = area;
    d->changed();
}

QString Sheet::printTitles() const
{
    return d->printTitles;
}

void Sheet::setPrintTitles(const QString& titles)
{
    d->printTitles = titles;
    d->changed();
}

QList<int> Sheet::rowPageBreaks() const
{
    return d->rowPageBreaks;
}

void Sheet::setRowPageBreaks(QList<int> rows)
{
    rows.removeIf([](int row) { return row < 1 || row > kMaxSheetRows; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    d->rowPageBreaks = std::move(rows);
    d->changed();
}

quint64 Sheet::revision() const
{
    return d->revision;
}

} // namespace platform::grid
