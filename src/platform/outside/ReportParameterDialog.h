#pragma once

#include "platform/outside/StatExpressionObject.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class QListWidget;

namespace platform::outside
{

// The small dialog "报表参数" of the report parameters: in Values mode one box per parameter, filled with
// its current value, to give the values of a build; in ChooseOne mode a list to pick one parameter.
class ReportParameterDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Values, ChooseOne };

    explicit ReportParameterDialog(
        const QList<ReportParameter>& parameters, Mode mode = Mode::Values, QWidget* parent = nullptr);

    // Values mode: the parameters with the values in the boxes.
    QList<ReportParameter> parameters() const;
    // Sets the box of a parameter (by name, any letter case); false when there is none.
    bool setValue(const QString& name, const QString& value);
    // ChooseOne mode: the name of the selected parameter, "" when none is selected.
    QString chosenName() const;
    bool choose(const QString& name);

private:
    QList<ReportParameter> parameters_;
    QList<QLineEdit*> valueBoxes_;
    QListWidget* list_ = nullptr;
};

} // namespace platform::outside
