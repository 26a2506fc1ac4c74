#include "ObjectList.h"

#include <algorithm>

namespace platform::grid::internal
{

int ObjectList::add(DrawingObject object)
{
    object.id = nextId_++;
    const int id = object.id;
    objects_.emplace(id, std::move(object));
    return id;
}

bool ObjectList::restore(const DrawingObject& object)
{
    if (object.id < 1 || has(object.id))
        return false;
    objects_.emplace(object.id, object);
    nextId_ = std::max(nextId_, object.id + 1);
    return true;
}

const DrawingObject* ObjectList::find(int id) const
{
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : &it->second;
}

DrawingObject* ObjectList::find(int id)
{
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : &it->second;
}

QList<int> ObjectList::ids() const
{
    QList<int> ids;
    for (const auto& entry : objects_)
        ids.append(entry.first);
    return ids;
}

std::optional<int> ObjectList::first() const
{
    if (objects_.empty())
        return std::nullopt;
    return objects_.begin()->first;
}

std::optional<int> ObjectList::next(int id) const
{
    auto it = objects_.upper_bound(id);
    if (it == objects_.end())
        return std::nullopt;
    return it->first;
}

int ObjectList::lastRow() const
{
    int last = 0;
    for (const auto& entry : objects_)
        last = std::max(last, entry.second.anchor.row2);
    return last;
}

int ObjectList::lastCol() const
{
    int last = 0;
    for (const auto& entry : objects_)
        last = std::max(last, entry.second.anchor.col2);
    return last;
}

void ObjectList::select(int id)
{
    selected_ = { id };
}

void ObjectList::addToSelection(int id)
{
    if (!selected_.contains(id))
        selected_.append(id);
}

void ObjectList::removeSelected()
{
    for (int id : selected_)
        objects_.erase(id);
    selected_.clear();
}

void ObjectList::remove(int id)
{
    objects_.erase(id);
    selected_.removeAll(id);
}

void ObjectList::apply(const ReferenceShift& shift)
{
    for (auto it = objects_.begin(); it != objects_.end();) {
        if (auto anchor = shiftedRectangle(it->second.anchor, shift)) {
            it->second.anchor = *anchor;
            ++it;
        } else {
            selected_.removeAll(it->first);
            it = objects_.erase(it);
        }
    }
}

void ObjectList::cutTo(int maxRow, int maxCol)
{
    for (auto it = objects_.begin(); it != objects_.end();) {
        CellRange& anchor = it->second.anchor;
        if (anchor.row1 > maxRow || anchor.col1 > maxCol) {
            selected_.removeAll(it->first);
            it = objects_.erase(it);
            continue;
        }
        anchor.row2 = std::min(anchor.row2, maxRow);
        anchor.col2 = std::min(anchor.col2, maxCol);
        ++it;
    }
}

} // namespace platform::grid::internal
