#include "platform/outside/ReportParameterDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
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
