#include "SheetImpl.h"

namespace platform::grid
{

namespace
{

[[noreturn]] void noSuchObject(const QString& what)
{
    throwSheetError(errors::InvalidArgument, what);
}

} // namespace

int Sheet::addPicture(const QImage& image, const CellRange& anchor, const QString& sourcePath)
{
    const CellRange a = d->withinSheet(anchor);
    const int id = d->objects.add({ 0, a, image, sourcePath });
    d->growTo(a.row2, a.col2);
    d->changed();
    return id;
}

void Sheet::restoreObject(const DrawingObject& object)
{
    const CellRange a = d->withinSheet(object.anchor);
    DrawingObject placed = object;
    placed.anchor = a;
    if (!d->objects.restore(placed))
        throwSheetError(
            errors::InvalidArgument, QStringLiteral("图形对象编号 %1 无效或已被占用").arg(object.id));
    d->growTo(a.row2, a.col2);
    d->changed();
}

int Sheet::firstObject() const
{
    if (auto id = d->objects.first())
        return *id;
    noSuchObject(QStringLiteral("工作表中没有图形对象"));
}

int Sheet::nextObject(int id) const
{
    if (auto next = d->objects.next(id))
        return *next;
    noSuchObject(QStringLiteral("图形对象 %1 之后没有其他对象").arg(id));
}

bool Sheet::hasObject(int id) const
{
    return d->objects.has(id);
}

const DrawingObject& Sheet::object(int id) const
{
    if (const DrawingObject* found = d->objects.find(id))
        return *found;
    noSuchObject(QStringLiteral("没有编号为 %1 的图形对象").arg(id));
}

QList<int> Sheet::objectIds() const
{
    return d->objects.ids();
}

CellRange Sheet::objectPosition(int id) const
{
    return object(id).anchor;
}

void Sheet::setObjectPosition(int id, const CellRange& anchor)
{
    const CellRange a = d->withinSheet(anchor);
    DrawingObject* found = d->objects.find(id);
    if (!found)
        noSuchObject(QStringLiteral("没有编号为 %1 的图形对象").arg(id));
    found->anchor = a;
    d->growTo(a.row2, a.col2);
    d->changed();
}

void Sheet::selectObject(int id)
{
    object(id);
    d->objects.select(id);
    d->changed();
}

void Sheet::addObjectToSelection(int id)
{
    object(id);
    d->objects.addToSelection(id);
    d->changed();
}

QList<int> Sheet::selectedObjects() const
{
    return d->objects.selected();
}

void Sheet::deleteSelectedObjects()
{
    d->objects.removeSelected();
    d->changed();
}

void Sheet::deleteObject(int id)
{
    object(id);
    d->objects.remove(id);
    d->changed();
}

} // namespace platform::grid
