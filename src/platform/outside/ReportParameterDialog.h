#pragma once

#include "platform/outside/StatExpressionObject.h"

#include <QDialog>
#include <QList>

class QLineEdit;

namespace platform::outside
{

// The small dialog "报表参数" that asks the values of a build: one box per parameter, filled with its
// current value.
class ReportParameterDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReportParameterDialog(const QList<ReportParameter>& parameters, QWidget* parent = nullptr);

    // The parameters with the values in the boxes.
    QList<ReportParameter> parameters() const;
    // Sets the box of a parameter (by name, any letter case); false when there is none.
    bool setValue(const QString& name, const QString& value);

private:
    QList<ReportParameter> parameters_;
    QList<QLineEdit*> valueBoxes_;
};

} // namespace platform::outside
