#include "platform/outside/StatExpressionObject.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/StatementMarks.h"
#include "platform/outside/ChoiceListDialog.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/ReportParameterDialog.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/ScriptedUi.h"

#include <algorithm>
#include <QRegularExpression>

namespace platform::outside
{

namespace
{

const QLatin1Char Mark('&');

const ReportParameter* find(const QList<ReportParameter>& parameters, const QString& name)
{
    const auto parameter = std::find_if(parameters.begin(), parameters.end(),
        [&](const ReportParameter& p) { return p.name.compare(name, Qt::CaseInsensitive) == 0; });
    return parameter == parameters.end() ? nullptr : &*parameter;
}

// Replaces every "&name&" of a known parameter by its value, from left to right. A value put in is never
// searched again.
QString replaceParameters(const QString& text, const QList<ReportParameter>& parameters)
{
    QString result;
    qsizetype from = 0;
    for (qsizetype open = text.indexOf(Mark); open >= 0; open = text.indexOf(Mark, from)) {
        const qsizetype close = text.indexOf(Mark, open + 1);
        if (close < 0)
            break;
        const ReportParameter* parameter = find(parameters, text.mid(open + 1, close - open - 1));
        result += QStringView(text).mid(from, open - from);
        if (!parameter) {
            // Not a parameter: keep the "&" and search again from the next one.
            result += Mark;
            from = open + 1;
            continue;
        }
        result += parameter->value;
        from = close + 1;
    }
    result += QStringView(text).mid(from);
    return result;
}

// A value that SQL reads as a number as it is written.
bool isNumber(const QString& value)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?$"));
    return number.match(value).hasMatch();
}

} // namespace

void StatExpressionObject::setConnection(std::shared_ptr<db::Connection> connection)
{
    if (connection != connection_)
        loaded_ = false;
    connection_ = std::move(connection);
}

void StatExpressionObject::setReportId(const QString& reportId)
{
    if (reportId != reportId_)
        loaded_ = false;
    reportId_ = reportId;
}

void StatExpressionObject::loadParameters()
{
    parameters_.clear();
    loaded_ = true;
    if (!connection_ || reportId_.isEmpty())
        return;
    runLogged("StatExpressionObject.initialise", [&] {
        const auto rows = sharedSqlAdapter()->open(
            QStringLiteral(
                "select name, default_value from report_parameter where report_id = ? order by name"),
            *connection_, { reportId_ });
        for (rows->moveFirst(); !rows->eof(); rows->moveNext())
            parameters_.append({ rows->text(0).trimmed(), rows->text(1) });
    });
}

void StatExpressionObject::ensureLoaded()
{
    if (!loaded_)
        loadParameters();
}

void StatExpressionObject::initialise(ParameterPrompt prompt)
{
    chosenParameter_.clear();
    loadParameters();
    const bool windowAvailable = ui::interactive() || ui::ScriptedUi::active();
    if (prompt == ParameterPrompt::Never || !windowAvailable || parameters_.isEmpty())
        return;
    ReportParameterDialog dialog(parameters_);
    if (ui::showModal(dialog) == QDialog::Accepted)
        parameters_ = dialog.parameters();
}

QString StatExpressionObject::evaluate(const QString& text)
{
    ensureLoaded();
    if (parameters_.isEmpty())
        return text;
    return replaceParameters(text, parameters_);
}

QString StatExpressionObject::evaluateSql(const QString& sql)
{
    ensureLoaded();
    if (parameters_.isEmpty())
        return sql;
    // Parameters are loaded through a connection only.
    return db::fillMarks(*connection_, sql, Mark, false,
        [&](const QString& name, bool inCode, QString&) -> std::optional<db::MarkValue> {
            const ReportParameter* parameter = find(parameters_, name);
            if (!parameter)
                return std::nullopt;
            const QString value = parameter->value.trimmed();
            if (inCode && isNumber(value))
                return db::MarkValue { db::MarkValue::Kind::Number, value };
            return db::MarkValue { db::MarkValue::Kind::Text, parameter->value };
        });
}

const QList<ReportParameter>& StatExpressionObject::parameters()
{
    ensureLoaded();
    return parameters_;
}

void StatExpressionObject::showParameterDialog()
{
    chosenParameter_.clear();
    ensureLoaded();
    if (parameters_.isEmpty()) {
        ui::msgBox(QStringLiteral("没有定义统计参数。"), ui::Buttons::Ok, ui::Icon::Information);
        return;
    }
    QStringList names;
    for (const ReportParameter& parameter : parameters_)
        names.append(parameter.name);
    ChoiceListDialog dialog(QStringLiteral("报表参数"), names);
    if (ui::showModal(dialog) == QDialog::Accepted && dialog.chosenIndex() >= 0)
        chosenParameter_ = Mark + names[dialog.chosenIndex()] + Mark;
}

} // namespace platform::outside
