#include "engine/CellValues.h"

#include "engine/CellQueries.h"
#include "engine/CellTextFit.h"
#include "engine/EngineState.h"
#include "engine/FieldMarks.h"
#include "engine/SystemVariables.h"
#include "engine/TextAnswer.h"
#include "platform/db/Recordset.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"
#include "platform/grid/DateTimeFormat.h"
#include "platform/grid/NumberFormat.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SpecialFormulaObject.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/TextConvert.h"

#include <cmath>
#include <optional>

namespace engine
{

namespace
{

const QString Source = QStringLiteral("SetCellDataValue");

// A whole number as a record gives it ("12", "-7", "0"): up to 15 digits, no leading zero. It reads
// back as it stands, so it needs no round trip through the number formats.
bool isPlainWholeNumber(const QString& text)
{
    const qsizetype first = !text.isEmpty() && text.front() == u'-' ? 1 : 0;
    const qsizetype digits = text.size() - first;
    if (digits < 1 || digits > 15 || (text.at(first) == u'0' && (digits > 1 || first == 1)))
        return false;
    for (qsizetype i = first; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return false;
    }
    return true;
}

// A numeric field value that WriteCellText would write as this number from its text (valueText): it
// goes into the cell without the round trip through text. A number rounded to 15 significant digits
// reads back from its text; a whole number beyond 15 digits may not, and is left to the text.
std::optional<double> directNumberOf(const QVariant& value)
{
    constexpr long long FifteenDigits = 999'999'999'999'999;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong: {
        const long long number = value.toLongLong();
        if (number < -FifteenDigits || number > FifteenDigits)
            return std::nullopt;
        return double(number);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = platform::db::roundedNumber(value.toDouble());
        if (!std::isfinite(number))
            return std::nullopt;
        return number == 0 ? 0.0 : number;
    }
    default:
        return std::nullopt;
    }
}

bool isDateFormat(const QString& numberFormat)
{
    thread_local TextAnswer<bool> dateFormat([](QStringView format) {
        const bool dateParts = format.contains(QLatin1String("dd")) || format.contains(QLatin1String("mm"))
            || format.contains(QLatin1String("yy"));
        return dateParts && !format.contains(QLatin1String("hh"));
    });
    return dateFormat(numberFormat);
}

bool isNumeric(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

// A number such as 1999, 200305 or 20030517 read as a date text.
QString dateOfNumber(const QString& value)
{
    if (value.size() < 6)
        return value.left(4) + QStringLiteral("-01-01");
    if (value.size() < 8)
        return value.left(4) + QLatin1Char('-') + value.mid(4, 2) + QStringLiteral("-01");
    return value.left(4) + QLatin1Char('-') + value.mid(4, 2) + QLatin1Char('-') + value.mid(6, 2);
}

// Under a date format a field value is written as a date, so that the format shows it. Only a year, a
// year and month or a whole date written as digits reads as a date; a value that is no date keeps its
// text (as text: a number would show as some day of 1900), since a date format laid over a row must not
// blank its other columns ("infinity" among them). A date that not every spreadsheet program numbers
// alike (before 1900-03-01, beyond 9999, before year 1 or in PostgreSQL's era: "4713-01-01 BC") is
// written as its text in the format, its sign or era kept, as a spreadsheet keeps a date it cannot number.
platform::grid::CellValue writeDate(platform::grid::Sheet& grid, const QString& value, const QString& format)
{
    const auto writeText = [&grid](const QString& text) {
        grid.setText(grid.activeRow(), grid.activeCol(), text);
        return platform::grid::CellValue(text);
    };
    const QString digits = value.trimmed();
    const bool dateDigits
        = isNumeric(digits) && (digits.size() == 4 || digits.size() == 6 || digits.size() == 8);
    const auto date = store::toDateTime(dateDigits ? dateOfNumber(digits) : value);
    if (!date || !date->isValid()) {
        if (value.isEmpty())
            return WriteCellText(grid, value);
        if (const auto beyond = platform::grid::formatDateBeyondYears(value, format))
            return writeText(*beyond);
        return writeText(value);
    }
    if (date->date() < platform::grid::FirstDayNumberedAlike || date->date().year() > 9999)
        return writeText(platform::grid::formatDate(*date, format));
    const double serial = platform::grid::serialOf(*date);
    grid.setNumber(grid.activeRow(), grid.activeCol(), serial);
    return serial;
}

QString withFieldOption(DataReportRun& run, const platform::grid::Sheet& grid, const QString& value,
    const ReportCellItem& cell, const CellContext& context)
{
    const QString& spec1 = cell.option1;
    const QString& spec2 = cell.option2;
    if (spec2.back().toUpper() == u'I')
        return spec2.toUpper() == QLatin1String("BI") ? spec1 + value : value + spec1;
    const qsizetype dash = spec1.indexOf(u'-');
    bool startOk = false;
    bool countOk = false;
    const int start = spec1.left(dash).trimmed().toInt(&startOk);
    const int count = spec1.mid(dash + 1).trimmed().toInt(&countOk);
    if (dash < 0 || !startOk || !countOk || start < 1 || count < 1)
        return value;
    if (spec2 == QLatin1String("F")) {
        // The characters before the start position, as many as there are up to `count`.
        const int first = std::max(1, start - count);
        return value.mid(first - 1, start - first);
    }
    if (spec2 == QLatin1String("B"))
        return value.mid(start - 1, count);
    const platform::grid::TextFont font
        = platform::grid::fontOf(grid.format(grid.activeRow(), grid.activeCol()));
    return WidthFittedPiece(run, value, start, count, font, run.AbsolutePage, context.recordPosition);
}

std::optional<platform::grid::CellValue> writeFieldValue(
    DataReportRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell, const CellContext& context)
{
    if (cell.fieldIndex < 0 || !context.record)
        return WriteCellText(grid, QString());
    const bool withOptions = !cell.option1.isEmpty() && !cell.option2.isEmpty();
    const QString& format = *grid.cellStyle(grid.activeRow(), grid.activeCol()).numberFormat;
    const bool asDate = isDateFormat(format);
    // A text field, most of a report's, is written from where the record set keeps it.
    const QString* text = withOptions || asDate ? nullptr : context.record->textValue(cell.fieldIndex);
    if (text)
        return WriteCellText(grid, *text);
    const QVariant field = context.record->value(cell.fieldIndex);
    if (field.isNull())
        return std::nullopt;
    if (!withOptions && !asDate) {
        if (const auto number = directNumberOf(field)) {
            grid.setNumber(
                grid.activeRow(), grid.activeCol(), *number, platform::grid::NumberWritten::AsDigits);
            return *number;
        }
    }
    QString value = platform::db::valueText(field);
    if (withOptions)
        value = withFieldOption(run, grid, value, cell, context);
    return asDate ? writeDate(grid, value, format) : WriteCellText(grid, value);
}

QString specialFormulaValue(const DataReportRun& run, const QString& formulaText, const CellContext& context)
{
    const store::ReportState& state = store::reportState();
    platform::outside::SpecialFormulaObject formula;
    formula.setConnection(state.Connection);
    formula.setDataRecordset(run.ReportDataRs.get());
    formula.setFields(platform::db::currentFields(context.record));
    formula.setFormula(formulaText);
    formula.setTableNames(run.definition().sql.TablesName.split(QLatin1Char(',')));
    formula.setGroupFields(run.GroupFields);
    formula.setRecordFlag(run.RowPositionFlag);
    return formula.result();
}

// The next row of the cell's own record set; at its end nothing is written.
void writeNextRow(const DataReportRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell)
{
    if (cell.fieldIndex < 1) {
        WriteCellText(grid, QString());
        return;
    }
    auto& recordsets = run.CellRecordsets;
    if (cell.fieldIndex > int(recordsets.size()) || !recordsets[cell.fieldIndex - 1])
        throw platform::Error(
            platform::errors::InvalidArgument, Source, QStringLiteral("子查询的记录集没有打开"));
    platform::db::Recordset& rows = *recordsets[cell.fieldIndex - 1];
    if (rows.eof())
        return;
    const platform::db::Field first = rows.field(0);
    if (!first.isNull())
        WriteCellText(grid, first.text());
    rows.moveNext();
}

bool isRatio(const QString& text)
{
    return text.contains(u'/');
}

QString statementValue(
    DataReportRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell, const CellContext& context)
{
    const bool ownConditions = cell.letter == QLatin1String("J");
    QString text = cell.text.trimmed();
    if (ownConditions && !text.isEmpty())
        text.replace(QStringLiteral("@Table@"), run.definition().groupId, Qt::CaseInsensitive);
    const auto withConditions = [&run, ownConditions](const QString& sql) {
        return ownConditions ? sql : WithReportConditions(run, sql);
    };
    if (isRatio(text))
        return SqlRatioText(
            text, [&](const QString& part) { return RecordFreeSqlValue(run, withConditions(part)); });
    if (IsRecordFreeStatement(cell))
        return RecordFreeSqlValue(run, withConditions(text));
    int row = grid.activeRow();
    return GetSQLValue(
        withConditions(ReplaceFieldMarks(run, grid, text, row, context.page, context.recordPosition)));
}

// A text of one counter alone ("%N" in a detail row) goes into its cell as the number its digits would
// be read as, without a text made and read back for every record.
platform::grid::CellValue writeSysVariables(
    const DataReportRun& run, platform::grid::Sheet& grid, const QString& text)
{
    constexpr long long WholeDigitsKept = 1'000'000'000'000'000;
    const auto count
        = text.size() == 2 && text.front() == u'%' ? SysVariableCount(run, text.back()) : std::nullopt;
    if (!count || *count <= -WholeDigitsKept || *count >= WholeDigitsKept)
        return WriteCellText(grid, ReplaceSysVariable(run, text));
    const double number = double(*count);
    grid.setNumber(grid.activeRow(), grid.activeCol(), number, platform::grid::NumberWritten::AsDigits);
    return number;
}

// Gives the value written into the active cell, when it is known without reading the cell back.
std::optional<platform::grid::CellValue> writeValue(
    DataReportRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell, const CellContext& context)
{
    // A cell is written for every record: its letter is read once, as a character.
    const char16_t letter = cell.letter.size() == 1 ? cell.letter.front().unicode() : u'\0';
    // A field cell, most of a report's, writes its record's value and never reads its own text.
    if (letter == u'B')
        return writeFieldValue(run, grid, cell, context);
    const QString text = cell.text.trimmed();
    switch (letter) {
    case u'A': {
        if (!text.contains(u'&'))
            return WriteCellText(grid, text);
        const store::ReportState& state = store::reportState();
        const auto expressions = platform::outside::sharedStatExpression();
        expressions->setConnection(state.Connection);
        expressions->setReportId(state.ReportId);
        return WriteCellText(grid, expressions->evaluate(text));
    }
    case u'C':
        return writeSysVariables(run, grid, text);
    case u'E':
        return WriteCellText(grid, specialFormulaValue(run, text, context));
    case u'F': {
        QString formula = text.startsWith(u'=') ? text.mid(1) : text;
        formula.replace(u'&', QString::number(grid.activeRow()));
        grid.setFormula(grid.activeRow(), grid.activeCol(), formula);
        return std::nullopt;
    }
    case u'I':
    case u'K':
        writeNextRow(run, grid, cell);
        return std::nullopt;
    case u'J':
    case u'L':
        return WriteCellText(grid, statementValue(run, grid, cell, context));
    default:
        return std::nullopt;
    }
}

QString cellPlace(const platform::grid::Sheet& grid, const ReportCellItem& cell)
{
    return QStringLiteral("第%1行第%2列 @%3|%4：")
        .arg(grid.activeRow())
        .arg(grid.activeCol())
        .arg(cell.letter, cell.text.trimmed());
}

} // namespace

bool IsRecordFreeStatement(const ReportCellItem& cell)
{
    const bool statement = cell.letter == QLatin1String("J") || cell.letter == QLatin1String("L");
    return statement && (isRatio(cell.text) || !cell.text.contains(u'#'));
}

platform::grid::CellValue WriteCellText(platform::grid::Sheet& grid, const QString& text)
{
    const int row = grid.activeRow();
    const int col = grid.activeCol();
    if (isPlainWholeNumber(text)) {
        const double number = double(text.toLongLong());
        grid.setNumber(row, col, number, platform::grid::NumberWritten::AsDigits);
        return number;
    }
    // A number cell holds a number to 15 significant digits: a text that is such a number as typed
    // ("1E-05") or as the database shows it ("0.00001", "100000000004295000000") loses nothing there,
    // and the cell keeps which of the two it was, so that it shows these characters; any other text
    // ("0012", "3.50", "12345678901234567") would lose some.
    double number = 0;
    if (platform::grid::parseNumberEntry(text, &number)) {
        const platform::grid::NumberWritten written = platform::grid::numberWrittenAs(text, number);
        if (written != platform::grid::NumberWritten::AsNumber) {
            grid.setNumber(row, col, number, written);
            return number;
        }
    }
    if (text.isEmpty()) {
        grid.clearCell(row, col, platform::grid::ClearWhat::Values);
        return std::monostate {};
    }
    grid.setText(row, col, text);
    return text;
}

void SetCellDataValue(
    DataReportRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell, const CellContext& context)
{
    std::optional<platform::grid::CellValue> written;
    const bool evaluated = platform::outside::runLogged("SetCellDataValue", [&] {
        try {
            written = writeValue(run, grid, cell, context);
        } catch (const platform::Error& error) {
            throw platform::Error(
                error.number(), error.source(), cellPlace(grid, cell) + error.description());
        }
    });
    if (!evaluated) {
        WriteCellText(grid, QString());
        return;
    }
    platform::outside::runLogged("SetCellDataValue", [&] { ShrinkToFit(grid, written); });
}

} // namespace engine
