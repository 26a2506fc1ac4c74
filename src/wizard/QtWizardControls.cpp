#include "wizard/QtWizardControls.h"

#include <QListWidget>
#include <QTreeWidget>

namespace wizard
{

namespace
{

constexpr int KeyRole = Qt::UserRole;
constexpr int TagRole = Qt::UserRole + 1;

} // namespace

void ListWidgetControl::clear()
{
    list_->clear();
}

int ListWidgetControl::count() const
{
    return list_->count();
}

void ListWidgetControl::addItem(const QString& text, int data)
{
    auto* entry = new QListWidgetItem(text, list_);
    entry->setData(Qt::UserRole, data);
}

void ListWidgetControl::removeItem(int index)
{
    delete list_->takeItem(index);
}

QString ListWidgetControl::text(int index) const
{
    return list_->item(index)->text();
}

int ListWidgetControl::itemData(int index) const
{
    return list_->item(index)->data(Qt::UserRole).toInt();
}

bool ListWidgetControl::selected(int index) const
{
    return list_->item(index)->isSelected();
}

void ListWidgetControl::setSelected(int index, bool selected)
{
    list_->item(index)->setSelected(selected);
}

void TreeWidgetControl::clear()
{
    tree_->clear();
    nodes_.clear();
    parents_.clear();
}

int TreeWidgetControl::addNode(int parent, const QString& key, const QString& tag, const QString& text)
{
    auto* node = parent < 0 ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(nodes_.at(parent));
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    node->setData(0, TagRole, tag);
    node->setExpanded(true);
    nodes_.append(node);
    parents_.append(parent);
    return int(nodes_.size()) - 1;
}

int TreeWidgetControl::nodeCount() const
{
    return int(nodes_.size());
}

QString TreeWidgetControl::key(int node) const
{
    return nodes_.at(node)->data(0, KeyRole).toString();
}

QString TreeWidgetControl::tag(int node) const
{
    return nodes_.at(node)->data(0, TagRole).toString();
}

QString TreeWidgetControl::text(int node) const
{
    return nodes_.at(node)->text(0);
}

int TreeWidgetControl::parent(int node) const
{
    return parents_.at(node);
}

bool TreeWidgetControl::bold(int node) const
{
    return nodes_.at(node)->font(0).bold();
}

void TreeWidgetControl::setBold(int node, bool bold)
{
    QFont font = nodes_.at(node)->font(0);
    font.setBold(bold);
    nodes_.at(node)->setFont(0, font);
}

int TreeWidgetControl::nodeOf(const QTreeWidgetItem* item) const
{
    return int(nodes_.indexOf(const_cast<QTreeWidgetItem*>(item)));
}

} // namespace wizard
