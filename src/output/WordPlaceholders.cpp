#include "output/WordPlaceholders.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/grid/NumberFormat.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SpecialFormulaObject.h"
#include "platform/outside/SqlAdapterObject.h"
#include "store/DescribedColumns.h"
#include "store/TextConvert.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

namespace output
{

namespace
{

const QString Source = QStringLiteral("Word报表");
const QString NoGroupValue = QStringLiteral("######BOF######");

[[noreturn]] void fail(const QString& description)
{
    throw platform::Error(platform::errors::InvalidArgument, Source, description);
}

// A date written with "-", "/" or "." between its parts, with or without a time.
std::optional<QDateTime> dateOf(const QString& value)
{
    return store::toDateTime(QString(value).replace(QLatin1Char('.'), QLatin1Char('-')));
}

bool isDateFormat(const QString& format)
{
    static const QRegularExpression dateLetters(QStringLiteral("[yYmMdD]"));
    return (format.contains(QLatin1Char('.')) || format.contains(QLatin1Char('-')))
        && format.contains(dateLetters);
}

// "202305" and "20230517" are dates written without separators.
QString withDateSeparators(const QString& value)
{
    if (value.contains(QLatin1Char('.')) || value.contains(QLatin1Char('-'))
        || (value.size() != 6 && value.size() != 8))
        return value;
    const QString full = value.size() == 6 ? value + QStringLiteral("01") : value;
    return full.left(4) + QLatin1Char('-') + full.mid(4, 2) + QLatin1Char('-') + full.right(2);
}

QString formatByPattern(const QString& value, const QString& format)
{
    try {
        double number = 0;
        if (platform::grid::parseNumberEntry(value, &number))
            return platform::grid::formatCellValue(
                number, format, platform::grid::numberWrittenAs(value, number));
        if (const auto beyond = platform::grid::formatDateBeyondYears(value, format))
            return *beyond;
        if (const auto date = dateOf(value))
            return platform::grid::formatDate(*date, format);
        return platform::grid::formatCellValue(value, format);
    } catch (const std::exception&) {
        return QStringLiteral("不能格式化格式：") + format;
    }
}

bool isQuoted(const QString& body)
{
    return body.startsWith(QLatin1Char('"')) && body.endsWith(QLatin1Char('"'));
}

// One term of an expression: its body, its special formula and its format.
struct Term {
    QString body;
    QString formula;
    bool special = false;
    QString format;
};

// The pieces of a term, split at every "@", except that a special formula's piece ("E/...") keeps
// the "@" inside its "#...#" marks, so that the record flag "#@flag#" stays within its formula. A "#"
// anywhere else (a quoted text, a format) marks nothing.
QStringList piecesOf(const QString& term)
{
    QStringList pieces(1);
    bool inMark = false;
    for (const QChar c : term) {
        const bool formula = pieces.last().startsWith(QLatin1String("E/"));
        if (c == QLatin1Char('@') && !(formula && inMark)) {
            pieces.append(QString());
            inMark = false;
            continue;
        }
        if (c == QLatin1Char('#') && formula)
            inMark = !inMark;
        pieces.last() += c;
    }
    return pieces;
}

Term parseTerm(const QString& text)
{
    Term term;
    if (!text.contains(QLatin1Char('@'))) {
        term.body = text;
        return term;
    }
    for (const QString& piece : piecesOf(text)) {
        if (piece.startsWith(QLatin1String("E/"))) {
            term.formula = piece.mid(2);
            term.special = true;
        } else if (piece.startsWith(QLatin1String("e/"))) {
            term.formula = piece.mid(2);
        } else if (piece.startsWith(QLatin1String("//"))) {
            term.format = piece.mid(2);
        } else if (piece.size() < 2 || piece.at(1) != QLatin1Char('/')) {
            term.body = piece;
            term.special = false;
        }
    }
    return term;
}

// The cut of a field reference "name&m-n&B": characters m to m + n - 1 from the front (B) or the
// back (F).
struct Cut {
    int m = 0;
    int n = 0;
    QChar side;
};

std::optional<Cut> cutOf(const QString& body)
{
    const QStringList parts = body.split(QLatin1Char('&'));
    if (parts.size() == 1)
        return std::nullopt;
    const QStringList range = parts.at(1).split(QLatin1Char('-'));
    bool mOk = false;
    bool nOk = false;
    Cut cut;
    if (range.size() == 2) {
        cut.m = range.at(0).trimmed().toInt(&mOk);
        cut.n = range.at(1).trimmed().toInt(&nOk);
    }
    const QString side = parts.size() > 2 ? parts.at(2).trimmed().toUpper() : QString();
    if (!mOk || !nOk || (side != QLatin1String("B") && side != QLatin1String("F")))
        fail(QStringLiteral("占位符“%1”的截取部分应写作 字段&起始-长度&B 或 字段&起始-长度&F").arg(body));
    cut.side = side.at(0);
    return cut;
}

// Puts the data record set back where it stood, also when it stood past its last record.
class PositionKeeper
{
public:
    explicit PositionKeeper(platform::db::Recordset& data)
        : data_(data)
        , atEnd_(data.eof())
        , position_(data.absolutePosition())
    {
    }
    ~PositionKeeper()
    {
        if (atEnd_) {
            data_.moveLast();
            data_.moveNext();
        } else {
            data_.setAbsolutePosition(position_);
        }
    }

private:
    platform::db::Recordset& data_;
    bool atEnd_;
    int position_;
};

QString formatted(const QString& value, const QString& format)
{
    return format.trimmed().isEmpty() ? value : FormatFieldValue(value, format);
}

} // namespace

Placeholder SplitPlaceholder(const QString& content, const QString& previousRowPart)
{
    const QStringList parts = content.split(QLatin1Char('|'));
    Placeholder placeholder;
    placeholder.expression = parts.at(0);
    placeholder.rowPart = parts.size() > 1 ? parts.at(1).trimmed() : previousRowPart;
    placeholder.formatPart = parts.size() > 2 ? parts.at(2) : QString();
    return placeholder;
}

int RowNumber(const QString& rowPart)
{
    bool isNumber = false;
    const int row = rowPart.toInt(&isNumber);
    return isNumber && row > 0 ? row : 0;
}

QString FormatFieldValue(const QString& value, const QString& format)
{
    if (!isDateFormat(format))
        return formatByPattern(value, format);
    if (const auto beyond = platform::grid::formatDateBeyondYears(value, format))
        return *beyond;
    if (const auto date = dateOf(withDateSeparators(value)))
        return platform::grid::formatDate(*date, format);
    // A database's date at infinity stays the word it is written as.
    const QString word = value.trimmed();
    const bool infinity = word.compare(QLatin1String("infinity"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("-infinity"), Qt::CaseInsensitive) == 0;
    return infinity ? word : QString();
}

QString CutValue(const QString& value, int m, int n, QChar side)
{
    qsizetype first = 0; // 1-based first character
    qsizetype last = 0;
    if (side == QLatin1Char('B')) {
        first = m;
        last = qsizetype(m) + n - 1;
    } else {
        last = value.size() - m + 1;
        first = last - n + 1;
    }
    first = std::max<qsizetype>(first, 1);
    last = std::min<qsizetype>(last, value.size());
    return last < first ? QString() : value.mid(first - 1, last - first + 1);
}

struct PlaceholderContext::Impl {
    std::shared_ptr<platform::db::Connection> connection;
    platform::db::Recordset& data;
    QStringList tableNames;
    QHash<QString, int> fieldIndexes;
    struct DescribedField {
        QString table;
        QString column;
        QString caption;
    };
    std::optional<std::vector<DescribedField>> described; // read at the first lookup
    struct GroupField {
        int column;
        QString last;
    };
    std::vector<GroupField> groupFields;
};

PlaceholderContext::PlaceholderContext(std::shared_ptr<platform::db::Connection> connection,
    platform::db::Recordset& data, QStringList tableNames)
    : d(new Impl { std::move(connection), data, std::move(tableNames), {}, {}, {} })
{
}

PlaceholderContext::~PlaceholderContext() = default;

int PlaceholderContext::GetFieldIndex(const QString& name)
{
    if (auto cached = d->fieldIndexes.constFind(name); cached != d->fieldIndexes.constEnd())
        return *cached;
    if (!d->described) {
        QStringList placeholders;
        QVariantList tables;
        for (const QString& table : d->tableNames) {
            placeholders.append(QStringLiteral("?"));
            tables.append(table.trimmed());
        }
        const auto rows = platform::outside::sharedSqlAdapter()->open(
            QStringLiteral("select * from table_struct_description where table_name in (%1)")
                .arg(placeholders.join(QLatin1Char(','))),
            *d->connection, tables);
        d->described.emplace();
        for (; !rows->eof(); rows->moveNext()) {
            Impl::DescribedField field { rows->text(QStringLiteral("table_name")).trimmed(),
                rows->text(QStringLiteral("column_name")).trimmed(),
                rows->text(QStringLiteral("column_chn_name")).trimmed() };
            if (store::NamesAField(field.table, field.column, field.caption, "GetFieldIndex"))
                d->described->push_back(std::move(field));
        }
    }
    QString table;
    QString column = name.trimmed();
    if (const qsizetype dot = name.indexOf(QLatin1Char('.')); dot >= 0) {
        table = name.left(dot).trimmed();
        column = name.mid(dot + 1).trimmed();
    }
    for (const Impl::DescribedField& described : *d->described) {
        if (described.caption != name && described.column.compare(column, Qt::CaseInsensitive) != 0)
            continue;
        const QString wantedTable = table.isEmpty() ? described.table : table;
        const auto& fields = d->data.fields();
        for (int i = 0; i < fields.size(); ++i) {
            // A column whose table the database does not tell (an expression, some drivers) is taken
            // by its name alone.
            if (fields[i].name.compare(described.column, Qt::CaseInsensitive) == 0
                && (fields[i].baseTable.isEmpty()
                    || fields[i].baseTable.compare(wantedTable, Qt::CaseInsensitive) == 0)) {
                d->fieldIndexes.insert(name, i);
                return i;
            }
        }
    }
    return -1;
}

void PlaceholderContext::addGroupField(int column)
{
    d->groupFields.push_back({ column, NoGroupValue });
}

bool PlaceholderContext::UpdatePrevValues()
{
    if (d->data.eof() || d->groupFields.empty())
        return false;
    const bool first = d->groupFields.front().last == NoGroupValue;
    bool changed = false;
    for (const auto& field : d->groupFields) {
        if (d->data.text(field.column) != field.last) {
            changed = true;
            break;
        }
    }
    if (first || changed) {
        for (auto& field : d->groupFields)
            field.last = d->data.text(field.column);
    }
    return changed && !first;
}

int PlaceholderContext::GetRecordFlag(int row, int recordsInCopy) const
{
    namespace flags = platform::outside::recordflags;
    int flag = flags::None;
    if (firstCopy && row == 1)
        flag = flags::FirstOfReport;
    if (d->data.eof() && row == recordsInCopy)
        return flags::LastOfReport;
    if (groupChanged && row == recordsInCopy)
        return flags::LastOfPage;
    if (groupPageCounter == 1 && row == 1)
        flag = flags::FirstOfPage;
    return flag;
}

QString PlaceholderContext::GetExternalValue(const QString& formula, int recordFlag) const
{
    platform::outside::SpecialFormulaObject evaluator;
    evaluator.setConnection(d->connection);
    evaluator.setDataRecordset(&d->data);
    evaluator.setFields(platform::db::currentFields(&d->data));
    evaluator.setFormula(formula);
    evaluator.setRecordFlag(recordFlag);
    QStringList groupColumns;
    for (const auto& field : d->groupFields)
        groupColumns.append(d->data.fields().at(field.column).name);
    evaluator.setGroupFields(groupColumns);
    evaluator.setTableNames(d->tableNames);
    return evaluator.result();
}

QString PlaceholderContext::fieldValue(
    const QString& body, const QString& rowPart, const CopyRecords& copy, bool* found)
{
    const QString name = body.section(QLatin1Char('&'), 0, 0);
    cutOf(body); // a malformed cut ends the run, whether or not the field exists
    const int column = GetFieldIndex(name);
    *found = column >= 0;
    if (column < 0)
        return QStringLiteral("找不到此字段:") + name;
    const int row = rowPart == QLatin1String("G") ? 1 : std::max(RowNumber(rowPart), 1);
    return row <= int(copy.values.size()) && column < copy.values[row - 1].size()
        ? copy.values[row - 1].at(column)
        : QString();
}

std::optional<QString> PlaceholderContext::EvalPlaceholder(
    const QString& expression, const QString& rowPart, bool rowValid, const CopyRecords& copy)
{
    if (!rowValid)
        return QString();
    QString output;
    QString previous;
    bool evaluated = false;
    for (const QString& text : expression.split(QLatin1Char('+'))) {
        const Term term = parseTerm(text);
        if (!term.body.isEmpty()
            && (term.body.startsWith(QLatin1Char('"')) || term.body.endsWith(QLatin1Char('"')))) {
            if (term.body.size() < 2 || !isQuoted(term.body))
                fail(QStringLiteral("占位符中的文字“%1”缺少引号").arg(term.body));
            previous = term.body.mid(1, term.body.size() - 2);
            output += previous;
            continue;
        }
        if (term.body.isEmpty() && term.special) {
            const int row = RowNumber(rowPart);
            if (row == 0 || row > int(copy.positions.size()))
                fail(QStringLiteral("特殊公式“%1”的行号不是数字").arg(term.formula));
            const int flag = GetRecordFlag(row, copy.recordsInCopy);
            QString value;
            {
                const PositionKeeper keeper(d->data);
                d->data.setAbsolutePosition(copy.positions[row - 1]);
                value = GetExternalValue(term.formula, flag);
            }
            previous = formatted(value, term.format);
            output = previous;
        } else if (term.body.isEmpty()) {
            previous = formatted(previous, term.format);
            output = previous;
        } else {
            bool found = false;
            QString value = fieldValue(term.body, rowPart, copy, &found);
            if (found) {
                value = formatted(value, term.format);
                if (const std::optional<Cut> cut = cutOf(term.body))
                    value = CutValue(value, cut->m, cut->n, cut->side);
            }
            previous = value;
            output += value;
        }
        evaluated = true;
    }
    if (!evaluated)
        return std::nullopt;
    return output;
}

} // namespace output
