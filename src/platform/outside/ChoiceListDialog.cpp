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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
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

} // namespace platform::outside
