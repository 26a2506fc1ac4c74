#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform::db {
class Connection;
class Recordset;
class Field;
} // namespace platform::db

namespace platform::outside {

// Row-position flags of the record a special formula is evaluated on.
namespace recordflags {
constexpr int None = 0;
constexpr int FirstOfReport = 1;
constexpr int LastOfReport = 2;
constexpr int FirstOfPage = 4;
constexpr int LastOfPage = 8;
} // namespace recordflags

// The special formulas of data cells ("@E|" cells and Word placeholders): an evaluator over the
// current record, and a picker for the data-source dialog. No special formulas are defined in this
// component: result() is "" and the picker offers nothing.
class SpecialFormulaObject {
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
