#pragma once

#include <QString>
#include <memory>

namespace platform::db {
class Connection;
}

namespace platform::outside {

// The named SQL formulas of statistics cells ("@H|" cells): an evaluator and a picker.
// No SQL formulas are defined in this component: result() is "" and the picker offers nothing.
class SqlFormulaObject {
public:
    void setConnection(std::shared_ptr<db::Connection> connection) { connection_ = std::move(connection); }
    void setFormula(const QString& formula) { formula_ = formula; }
    QString result() const;

    // Picker: shows the formulas, then gives the chosen one's name and description ("" when none).
    QString chosenFormulaName();
    QString chosenFormulaDescription() const { return chosenDescription_; }

private:
    std::shared_ptr<db::Connection> connection_;
    QString formula_;
    QString chosenDescription_;
};

} // namespace platform::outside
