#pragma once

#include <QVector>

namespace platform::grid
{
class Sheet;
}

namespace designer
{

// The row heights and column widths of the shown report at its last load, save or save prompt, so that
// the prompt notices a size changed since. Column 1 is left out (a data report's marker column). The
// snapshot belongs to the report it was taken of: cleared when no report is shown, it sees no change.
class LayoutSnapshot
{
public:
    void SaveLayoutSizes(const platform::grid::Sheet& grid);
    void clear();
    // True when a row of the snapshot or a column from 2 on has another size now.
    bool IsLayoutChanged(const platform::grid::Sheet& grid) const;

private:
    bool taken_ = false;
    QVector<int> SavedRowHeights; // rows 1..n at index 0..n-1
    QVector<int> SavedColWidths; // columns 2..n at index 0..n-2
};

} // namespace designer
