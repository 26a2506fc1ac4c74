#include "wizard/clsDataReportGroup.h"

#include <algorithm>

namespace wizard
{

QString clsDataReportGroup::regionText(int begin, int end)
{
    return QStringLiteral("%1:%2").arg(begin).arg(end);
}

bool clsDataReportGroup::inUse(int level) const
{
    return level >= 1 && level <= Levels && !levels_[level - 1].items.isEmpty();
}

int clsDataReportGroup::rowCount(int level) const
{
    return levels_[level - 1].rowCount;
}

int clsDataReportGroup::rowsBefore(int level) const
{
    int rows = 0;
    for (int k = 1; k < level; ++k)
        rows += rowCount(k);
    return rows;
}

int clsDataReportGroup::firstHeadRow(int level) const
{
    return baseRow_ + rowsBefore(level) + 2;
}

int clsDataReportGroup::Count() const
{
    int count = 0;
    while (count < Levels && inUse(count + 1))
        ++count;
    return count;
}

int clsDataReportGroup::HeaderNO() const
{
    const int count = Count();
    return count == 0 ? 0 : 1 + rowsBefore(count + 1);
}

QString clsDataReportGroup::TitleRowNO() const
{
    const int row = baseRow_ + HeaderNO() + 1;
    return regionText(row, row);
}

QString clsDataReportGroup::DetailRowNO() const
{
    if (Count() == 0)
        return QString();
    const int row = baseRow_ + HeaderNO() + 2;
    return regionText(row, row);
}

QString clsDataReportGroup::GroupHeaderRowNO(int level) const
{
    const int count = Count();
    if (level < 1 || level > count)
        return QString();
    const int begin = firstHeadRow(level);
    const int end = begin + rowCount(level) - (level == count ? 0 : 1);
    return regionText(begin, end);
}

QString clsDataReportGroup::GroupFootRowNO(int level) const
{
    const int count = Count();
    if (level < 1 || level > count)
        return QString();
    const int row = baseRow_ + HeaderNO() + 2 + (count - level + 1);
    return regionText(row, row);
}

int clsDataReportGroup::GroupRows() const
{
    const int count = Count();
    return count == 0 ? 0 : rowsBefore(count + 1) + count + 1;
}

int clsDataReportGroup::GroupCols() const
{
    int widest = 0;
    for (int level = 1; level <= Count(); ++level)
        widest = std::max(widest, levels_[level - 1].colCount);
    return 2 * std::min(widest, colMaxItem_);
}

int clsDataReportGroup::ReportCols()
{
    reportCols_ = std::max(reportCols_, GroupCols());
    return reportCols_;
}

void clsDataReportGroup::setReportCols(int cols)
{
    reportCols_ = std::max(cols, GroupCols());
}

void clsDataReportGroup::setBaseRow(int row)
{
    if (row >= 0)
        baseRow_ = row;
}

void clsDataReportGroup::setBaseCol(int col)
{
    if (col >= 0)
        baseCol_ = col;
}

bool clsDataReportGroup::AddField(
    int level, const QString& fieldName, const QString& caption, const QString& tableName)
{
    if (level < 1 || level > Levels)
        return false;
    for (int k = 1; k < level; ++k) {
        if (!inUse(k))
            return false;
    }
    Level& slot = levels_[level - 1];
    for (const Item& item : slot.items) {
        if (item.tableName == tableName && item.fieldName == fieldName)
            return true;
    }
    slot.items.append({ fieldName, caption, tableName });
    const int items = int(slot.items.size());
    slot.colCount = std::min(items, colMaxItem_);
    // The smallest number of rows that holds the items, colMaxItem_ to a row.
    slot.rowCount = colMaxItem_ > 0 ? (items + colMaxItem_ - 1) / colMaxItem_ : items;
    return true;
}

void clsDataReportGroup::Clear()
{
    RemoveGroup(1);
}

void clsDataReportGroup::RemoveGroup(int level)
{
    if (level < 1 || level > Levels)
        return;
    for (int k = level; k <= Levels; ++k)
        levels_[k - 1] = Level {};
}

QList<GroupItemPlace> clsDataReportGroup::GroupItems(int level) const
{
    QList<GroupItemPlace> places;
    if (level < 1 || level > Count())
        return places;
    int row = firstHeadRow(level);
    int col = 2;
    for (const Item& item : levels_[level - 1].items) {
        places.append({ item.tableName, item.fieldName, item.caption, row, col });
        if (col >= 2 * std::max(colMaxItem_, 1)) {
            ++row;
            col = 2;
        } else {
            col += 2;
        }
    }
    return places;
}

} // namespace wizard
