#pragma once

#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform::db
{
class Connection;
class Recordset;
} // namespace platform::db

// The placeholders of Word template reports: "<#" expression "|" row part "|" format part "#>",
// evaluated against the records of the copy of the template being filled.
namespace output
{

struct Placeholder {
    QString expression;
    QString rowPart;
    QString formatPart;
};

// Splits a placeholder's content at "|"; parts after the third are ignored. A placeholder without a row
// part takes `previousRowPart` (the row part of the placeholder before it in the same pass, "1" for the
// first).
Placeholder SplitPlaceholder(const QString& content, const QString& previousRowPart);

// A row part that is a record number of the copy (1, 2, ...); 0 for "G", "I" and anything else.
int RowNumber(const QString& rowPart);

// The records placed in the copy being filled: one text per column of the data, and each record's
// position in the data record set.
struct CopyRecords {
    std::vector<QStringList> values;
    std::vector<int> positions;
    int recordsInCopy = 0;
};

// A value formatted with a format text: numbers and texts as a spreadsheet formats them; a format
// holding "." or "-" together with date letters (y, m, d) is a date format, and a value of 6 or 8
// digits (year and month, or a whole date) is read as a date for it. A date format given a value that
// is no date gives "". A format that cannot be applied gives "不能格式化格式：" and the format.
QString FormatFieldValue(const QString& value, const QString& format);

// The characters a cut takes: side "B" the n characters from character m, side "F" the n characters
// that end m - 1 characters before the end (positions count from 1; a range reaching past either end
// takes what exists).
QString CutValue(const QString& value, int m, int n, QChar side);

// What a Word report run keeps for its placeholders: the data, the field lookups, the group fields and
// the inputs of the record flag.
class PlaceholderContext
{
public:
    PlaceholderContext(std::shared_ptr<platform::db::Connection> connection, platform::db::Recordset& data,
        QStringList tableNames);
    ~PlaceholderContext();

    // The column of the data that a field name (column, "table.column" or the column's Chinese name in
    // table_struct_description) stands for; -1 when none.
    int GetFieldIndex(const QString& name);

    // A group field ("G" row part) whose value change starts a new copy.
    void addGroupField(int column);
    // Compares the current record's group values with the last ones; true when one changed (and then
    // keeps the new ones). The first call only takes the values.
    bool UpdatePrevValues();

    // The record flag of row `row` of the copy (0, 1, 2, 4 or 8).
    int GetRecordFlag(int row, int recordsInCopy) const;

    // The text of a placeholder's expression for the copy, or std::nullopt when no term gave a value
    // (an expression of quoted literals only). An expression is terms split at every "+", a term pieces
    // split at every "@": a body (a quoted literal or a field with its cut), "//" a format, "E/" a special
    // formula. A special formula's SQL therefore holds no "+"; only within it does an "@" inside "#...#"
    // marks (the record flag "#@flag#") belong to the piece. `rowValid` false (a numeric row part beyond the
    // copy's records) gives "". Throws platform::Error for a malformed cut or literal and for a special
    // formula without a record number.
    std::optional<QString> EvalPlaceholder(
        const QString& expression, const QString& rowPart, bool rowValid, const CopyRecords& copy);

    bool firstCopy = true;
    bool groupChanged = false;
    int groupPageCounter = 0;

private:
    QString GetExternalValue(const QString& formula, int recordFlag) const;
    QString fieldValue(const QString& body, const QString& rowPart, const CopyRecords& copy, bool* found);

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace output
