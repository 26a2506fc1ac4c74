#include "platform/outside/ChoiceListDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform::outside
{

ChoiceListDialog::ChoiceListDialog(const QString& title, const QStringList& entries, QWidget* parent)
    : QDialog(parent)
    , list_(new QListWidget(this))
{
    setObjectName(QStringLiteral("ChoiceListDialog"));
    setWindowTitle(title);
    list_->addItems(entries);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(okCancelButtons(*this));
}

int ChoiceListDialog::chosenIndex() const
{
    return list_->currentItem() ? list_->currentRow() : -1;
}

bool ChoiceListDialog::choose(const QString& entry)
{
    const auto found = list_->findItems(entry, Qt::MatchFixedString);
    if (found.isEmpty())
        return false;
    list_->setCurrentItem(found.first());
    return true;
}

QDialogButtonBox* okCancelButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消(&C)"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace platform::outside
