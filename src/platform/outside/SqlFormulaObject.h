#pragma once

#include <memory>
#include <QString>

namespace platform::db
{
class Connection;
}

namespace platform::outside
{

// The named SQL formulas of statistics cells ("@H|" cells), stored in the host's database in the table
// sql_formula (name, description, sql_text): a formula is a statement whose first value is the cell's.
class SqlFormulaObject
{
public:
    void setConnection(std::shared_ptr<db::Connection> connection) { connection_ = std::move(connection); }
    // The formula's name.
    void setFormula(const QString& formula) { formula_ = formula; }

    // Runs the formula's statement through the SQL adapter and gives the first column of its first row as
    // text ("" without rows or for NULL). Throws platform::Error without a connection, for a name that no
    // formula has, and when the statement fails.
    QString result() const;

    // Picker: lists the stored formulas by name ("没有定义SQL公式。" when there are none), then gives the
    // chosen one's name and description ("" when none was chosen). A failing read throws platform::Error.
    QString chosenFormulaName();
    QString chosenFormulaDescription() const { return chosenDescription_; }

private:
    std::shared_ptr<db::Connection> connection_;
    QString formula_;
    QString chosenDescription_;
};

} // namespace platform::outside
