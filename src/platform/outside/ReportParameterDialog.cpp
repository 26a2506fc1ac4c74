#include "platform/outside/ReportParameterDialog.h"

#include "platform/outside/ChoiceListDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace platform::outside
{

ReportParameterDialog::ReportParameterDialog(const QList<ReportParameter>& parameters, QWidget* parent)
    : QDialog(parent)
    , parameters_(parameters)
{
    setObjectName(QStringLiteral("ReportParameterDialog"));
    setWindowTitle(QStringLiteral("报表参数"));
    auto* form = new QFormLayout;
    for (const ReportParameter& parameter : parameters_) {
        auto* box = new QLineEdit(parameter.value, this);
        form->addRow(parameter.name + QStringLiteral("："), box);
        valueBoxes_.append(box);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(*this));
}

QList<ReportParameter> ReportParameterDialog::parameters() const
{
    QList<ReportParameter> result = parameters_;
    for (qsizetype i = 0; i < valueBoxes_.size(); ++i)
        result[i].value = valueBoxes_[i]->text();
    return result;
}

bool ReportParameterDialog::setValue(const QString& name, const QString& value)
{
    for (qsizetype i = 0; i < valueBoxes_.size(); ++i) {
        if (parameters_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            valueBoxes_[i]->setText(value);
            return true;
        }
    }
    return false;
}

} // namespace platform::outside
