#pragma once

#include <memory>
#include <QString>

namespace platform::db
{
class Connection;
}

namespace wizard
{

struct NewReportRows;

// A new, empty statistics report: its index row, page settings, a 12 x 6 sheet whose first row is the
// merged title (20-point bold, 600 twips high) and whose other rows are 12-point, 300 twips high, and the
// title cell holding the report name. The id is fixed when the object is made.
class clsStatReport
{
public:
    clsStatReport();

    std::shared_ptr<platform::db::Connection> Connection;
    QString reportName;
    QString GroupID;
    double PageSize = 0; // kept for the host; the sheet is always written for paper code 9
    double LeftMarge = 0.7875;
    double TopMarge = 0.39375;
    double RightMarge = 0.39375;
    double BottomMarge = 0.39375;

    const QString& ReportId() const { return reportId_; }
    // Writes the report in one transaction; false (logged, nothing written) on any failure, whose
    // description FailureText() then gives.
    bool Save();
    const QString& FailureText() const { return failureText_; }

    // The rows that Save writes.
    NewReportRows Rows() const;

private:
    static constexpr int ColCount = 6;
    static constexpr int RowCount = 12;

    QString reportId_;
    QString failureText_;
};

} // namespace wizard
