#pragma once

#include <memory>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform::db
{
class Connection;
class Recordset;
class Field;
} // namespace platform::db

namespace platform::outside
{

// Row-position flags of the record a special formula is evaluated on.
namespace recordflags
{
constexpr int None = 0;
constexpr int FirstOfReport = 1;
constexpr int LastOfReport = 2;
constexpr int FirstOfPage = 4;
constexpr int LastOfPage = 8;
} // namespace recordflags

// The special formulas of data cells ("@E|" cells and Word placeholders): an evaluator over the
// current record, and a picker for the data-source dialog. A formula is an SQL expression or statement
// in which "#field#" takes the current record's value of that field (by name, any letter case; "t.c"
// also finds the field c) and "#@flag#" the record flag (recordflags). Values enter as db::fillMarks puts
// them in: in code NULL as NULL, numbers as they are, texts and dates as literals; inside a literal as
// its text. An expression that does not begin with "select" runs as "select <expression>".
class SpecialFormulaObject
{
public:
    SpecialFormulaObject();
    ~SpecialFormulaObject();

    void setConnection(std::shared_ptr<db::Connection> connection) { connection_ = std::move(connection); }
    void setDataRecordset(const db::Recordset* recordset) { recordset_ = recordset; }
    void setFields(std::vector<db::Field> currentRecord);
    void setFormula(const QString& formula) { formula_ = formula; }
    void setTableNames(const QStringList& tableNames) { tableNames_ = tableNames; }
    void setGroupFields(const QStringList& groupFields) { groupFields_ = groupFields; }
    void setRecordFlag(int flag) { recordFlag_ = flag; }

    // The first value of the formula as text ("" without a row or for NULL). Throws platform::Error
    // without a connection, for a mark that names no field, and when the statement fails.
    QString result() const;

    // Picker: shows the formulas available for the tables set; chosenFormula() is "" when nothing was chosen.
    void showPicker();
    const QString& chosenFormula() const { return chosenFormula_; }

private:
    std::shared_ptr<db::Connection> connection_;
    const db::Recordset* recordset_ = nullptr;
    std::vector<db::Field> fields_;
    QString formula_;
    QStringList tableNames_;
    QStringList groupFields_;
    int recordFlag_ = recordflags::None;
    QString chosenFormula_;
};

} // namespace platform::outside
