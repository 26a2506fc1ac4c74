#pragma once

#include "designer/RegionMarkers.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/ScriptedUi.h"
#include "store/RegionTable.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>

namespace designertest
{

// Short names of the region entries 1 to 11, as the tests write region tables.
inline const QStringList EntryNames { "RH", "PH", "GH1", "GH2", "GH3", "DD", "GT3", "GT2", "GT1", "PT",
    "RT" };

// "PH 1:2, DD 3:3, PT 4:4": the present entries in table order.
inline QString regionsText(const store::RegionTable& regions)
{
    QStringList parts;
    for (int entry = 1; entry <= store::RegionEntryCount; ++entry) {
        const store::ReportRegion& region = regions[entry];
        if (region.present)
            parts.append(QStringLiteral("%1 %2:%3")
                             .arg(EntryNames[entry - 1])
                             .arg(region.beginRow)
                             .arg(region.endRow));
    }
    return parts.join(QStringLiteral(", "));
}

inline store::RegionTable regionsFrom(const QString& text)
{
    store::RegionTable regions;
    for (const QString& part : text.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QStringList nameAndRows = part.split(QLatin1Char(' '));
        const QStringList rows = nameAndRows[1].split(QLatin1Char(':'));
        regions[int(EntryNames.indexOf(nameAndRows[0])) + 1] = { true, rows[0].toInt(), rows[1].toInt() };
    }
    return regions;
}

// Each test starts from a fresh report state with scripted message boxes (unanswered questions get Yes).
class DesignerTest : public testing::Test
{
protected:
    void SetUp() override { store::reportState() = store::ReportState {}; }
    void TearDown() override { store::reportState() = store::ReportState {}; }

    // A design grid of `rows` × `cols` as the designer shows a report of that size.
    platform::grid::Sheet designGrid(int reportType, int rows, int cols, const QString& regions = {})
    {
        store::ReportState& state = store::reportState();
        state.ReportType = reportType;
        state.RegionTable = regionsFrom(regions);
        state.DesignRowCount = rows;
        state.DesignColCount = cols;
        platform::grid::Sheet grid;
        grid.setMaxRow(rows);
        grid.setMaxCol(cols);
        designer::PaintRegionMarkers(grid);
        return grid;
    }

    static QString regions() { return regionsText(store::reportState().RegionTable); }
    static int designRows() { return store::reportState().DesignRowCount; }
    static int designCols() { return store::reportState().DesignColCount; }

    platform::ui::ScriptedUi ui;
};

// Where the marker column of a data report disagrees with the region table ("" when it agrees): each
// region's rows in its colour, unmerged, its label in the first of them, every other row of column 1
// empty and unformatted.
inline QString markerColumnFault(const platform::grid::Sheet& grid)
{
    const store::RegionTable& regions = store::reportState().RegionTable;
    const platform::grid::CellFormat plain = platform::grid::Sheet().format(1, 1);
    for (int row = 1; row <= grid.maxRow(); ++row) {
        int owner = 0;
        for (int entry = 1; entry <= store::RegionEntryCount; ++entry) {
            if (regions[entry].present && regions[entry].beginRow <= row && row <= regions[entry].endRow)
                owner = entry;
        }
        const platform::grid::CellFormat look = grid.format(row, 1);
        const QString label
            = owner != 0 && row == regions[owner].beginRow ? designer::regionMarker(owner).label : QString();
        const bool painted = owner == 0 ? look == plain
                                        : look.pattern == 1
                && look.patternBackground == designer::regionMarkerFormat(owner).patternBackground;
        if (grid.entry(row, 1) != label || !painted || grid.mergedBlockAt(row, 1))
            return QStringLiteral("marker of row %1").arg(row);
    }
    return {};
}

inline void expectMarkersMatchRegions(const platform::grid::Sheet& grid)
{
    EXPECT_EQ(markerColumnFault(grid), QString());
}

} // namespace designertest
