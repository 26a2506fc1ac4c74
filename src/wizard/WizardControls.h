#pragma once

#include <QString>

namespace wizard
{

// A list box as the wizard model sees it: entries with a text, a number (the model's index of the table
// or field shown) and a selection.
class WizardList
{
public:
    virtual ~WizardList() = default;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual void addItem(const QString& text, int data) = 0;
    virtual void removeItem(int index) = 0;
    virtual QString text(int index) const = 0;
    virtual int itemData(int index) const = 0;
    virtual bool selected(int index) const = 0;
    virtual void setSelected(int index, bool selected) = 0;

    int selectedCount() const
    {
        int selectedEntries = 0;
        for (int i = 0; i < count(); ++i)
            selectedEntries += selected(i) ? 1 : 0;
        return selectedEntries;
    }
};

// The table tree as the wizard model sees it: nodes numbered 0, 1, ... in the order they were added, each
// with its key ("0_0_0" for the root, "SUB_<level>_<path>" below it), its tag (the table name), its text
// (the table's display name), its parent and a bold mark for a chosen table.
class WizardTree
{
public:
    virtual ~WizardTree() = default;
    virtual void clear() = 0;
    // Adds a node under `parent` (-1 for the root), expanded; returns its number.
    virtual int addNode(int parent, const QString& key, const QString& tag, const QString& text) = 0;
    virtual int nodeCount() const = 0;
    virtual QString key(int node) const = 0;
    virtual QString tag(int node) const = 0;
    virtual QString text(int node) const = 0;
    virtual int parent(int node) const = 0; // -1 for the root
    virtual bool bold(int node) const = 0;
    virtual void setBold(int node, bool bold) = 0;
};

} // namespace wizard
