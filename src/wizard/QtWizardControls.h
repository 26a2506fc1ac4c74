#pragma once

#include "wizard/WizardControls.h"

#include <QList>

class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace wizard
{

// The wizard model's view of a QListWidget: the number rides in the entry's user data.
class ListWidgetControl : public WizardList
{
public:
    explicit ListWidgetControl(QListWidget* list)
        : list_(list)
    {
    }
    void clear() override;
    int count() const override;
    void addItem(const QString& text, int data) override;
    void removeItem(int index) override;
    QString text(int index) const override;
    int itemData(int index) const override;
    bool selected(int index) const override;
    void setSelected(int index, bool selected) override;

private:
    QListWidget* list_;
};

// The wizard model's view of a QTreeWidget: nodes numbered in the order they were added; key and tag in
// the item's data, bold as the item's font.
class TreeWidgetControl : public WizardTree
{
public:
    explicit TreeWidgetControl(QTreeWidget* tree)
        : tree_(tree)
    {
    }
    void clear() override;
    int addNode(int parent, const QString& key, const QString& tag, const QString& text) override;
    int nodeCount() const override;
    QString key(int node) const override;
    QString tag(int node) const override;
    QString text(int node) const override;
    int parent(int node) const override;
    bool bold(int node) const override;
    void setBold(int node, bool bold) override;

    int nodeOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* item(int node) const { return nodes_.value(node); }

private:
    QTreeWidget* tree_;
    QList<QTreeWidgetItem*> nodes_;
    QList<int> parents_;
};

} // namespace wizard
