#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QListWidget;

namespace platform::outside
{

// A small dialog that lets the user pick one entry of a list (a report parameter, an SQL formula): a
// double click or OK takes the selected entry.
class ChoiceListDialog : public QDialog
{
    Q_OBJECT
public:
    ChoiceListDialog(const QString& title, const QStringList& entries, QWidget* parent = nullptr);

    // The selected entry's index in the list, -1 when none is selected.
    int chosenIndex() const;
    // Selects the entry of that text; false when the list has none.
    bool choose(const QString& entry);

private:
    QListWidget* list_;
};

// The buttons "确定(&O)" and "取消(&C)" of the component's small dialogs, accepting and rejecting `dialog`.
QDialogButtonBox* okCancelButtons(QDialog& dialog);

} // namespace platform::outside
