#pragma once

#include "DrawingObject.h"
#include "StructuralShift.h"
#include <map>
#include <QList>

namespace platform::grid::internal
{

// The drawing objects of a sheet by id, and which of them are selected. Ids count up and are never
// given twice, so an id taken by a caller keeps naming the same object.
class ObjectList
{
public:
    int add(DrawingObject object); // takes the next id
    bool restore(const DrawingObject& object); // keeps the object's own id; false when it is taken

    bool has(int id) const { return objects_.count(id) != 0; }
    const DrawingObject* find(int id) const;
    DrawingObject* find(int id);
    QList<int> ids() const;
    std::optional<int> first() const;
    std::optional<int> next(int id) const;
    bool isEmpty() const { return objects_.empty(); }
    int lastRow() const;
    int lastCol() const;

    void select(int id);
    void addToSelection(int id);
    const QList<int>& selected() const { return selected_; }
    void removeSelected();
    void remove(int id);

    void apply(const ReferenceShift& shift);
    void cutTo(int maxRow, int maxCol);

private:
    std::map<int, DrawingObject> objects_;
    QList<int> selected_;
    int nextId_ = 1;
};

} // namespace platform::grid::internal
