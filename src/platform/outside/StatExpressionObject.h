#pragma once

#include <memory>
#include <QList>
#include <QString>

namespace platform::db
{
class Connection;
}

namespace platform::outside
{

// One parameter of a report: a named value that the report's texts and statements write "&name&".
struct ReportParameter {
    QString name;
    QString value; // the stored default until the user gives another for the build
};

// Whether initialise may ask the user for the parameters' values.
enum class ParameterPrompt {
    Never, // silent (web) builds: the stored defaults serve
    WhenWindowAvailable, // a desktop session, or a test that scripts the dialog
};

// The report parameters of cell texts and statements, stored in the host's database in the table
// report_parameter (report_id, name, default_value). A parameter is written "&name&" in a text; an "&"
// that opens no known parameter's name stays as it is, so texts holding "&" for other reasons are safe.
// The parameters of the report set are loaded on first use (with their defaults) and again by
// initialise, once per build, which may also ask the user for their values.
class StatExpressionObject
{
public:
    void setConnection(std::shared_ptr<db::Connection> connection);
    void setReportId(const QString& reportId);
    const QString& reportId() const { return reportId_; }

    // Loads the report's parameters with their defaults and, when allowed, a window can be shown and the
    // report has parameters, asks their values once through the dialog "报表参数" (Cancel keeps the
    // defaults). A failing load is logged and leaves the report without parameters.
    void initialise(ParameterPrompt prompt = ParameterPrompt::WhenWindowAvailable);

    // A display text: every "&name&" replaced by the parameter's value as it is.
    QString evaluate(const QString& text);
    // A statement: each "&name&" as db::fillMarks puts a value in, a value written as a number as a number
    // where the mark stands in code, and inside an author's literal as typed, so that no value can change
    // the statement.
    QString evaluateSql(const QString& sql);

    const QList<ReportParameter>& parameters();

    // Lets the user pick a parameter; chosenParameter() is its mark "&name&", "" when nothing was chosen.
    void showParameterDialog();
    const QString& chosenParameter() const { return chosenParameter_; }

private:
    void loadParameters();
    void ensureLoaded();

    std::shared_ptr<db::Connection> connection_;
    QString reportId_;
    QString chosenParameter_;
    QList<ReportParameter> parameters_;
    bool loaded_ = false;
};

} // namespace platform::outside
