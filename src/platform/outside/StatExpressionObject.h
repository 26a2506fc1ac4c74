#pragma once

#include <QString>
#include <memory>

namespace platform::db {
class Connection;
}

namespace platform::outside {

// Evaluates the "&" expressions of statistics cells and offers the statistics parameters.
// No statistics parameters are defined in this component, so an expression evaluates to its own
// text: a statement cell then runs as it was written instead of running an empty statement.
class StatExpressionObject {
public:
    void setConnection(std::shared_ptr<db::Connection> connection) { connection_ = std::move(connection); }
    void setReportId(const QString& reportId) { reportId_ = reportId; }
    const QString& reportId() const { return reportId_; }

    // Prepares the parameters of one statistics build.
    void initialise();
    QString evaluate(const QString& text) const;

    // Lets the user pick a statistics parameter; chosenParameter() is "" when nothing was chosen.
    void showParameterDialog();
    const QString& chosenParameter() const { return chosenParameter_; }

private:
    std::shared_ptr<db::Connection> connection_;
    QString reportId_;
    QString chosenParameter_;
};

} // namespace platform::outside
