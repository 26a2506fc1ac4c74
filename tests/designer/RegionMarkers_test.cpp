#include "DesignerFixture.h"

#include <QColor>

using namespace designertest;

namespace
{

class RegionMarkers : public DesignerTest
{
};

// The marker column as the clerk sees it, each of the eleven regions in its own colour with its label,
// written out as documented: colours as Windows colour values (red in the lowest byte), the page labels
// with two blanks.
TEST_F(RegionMarkers, EveryRegionsMarkerHasItsDocumentedColourAndLabel)
{
    const struct {
        const char* entry;
        const char* label;
        quint32 windowsColour;
    } markers[] = { { "RH", "报表头", 0xC0FFFF }, { "PH", "页  头", 0x00FFFF }, { "GH1", "分组头", 0xFFFF80 },
        { "GH2", "分组头", 0xC0C000 }, { "GH3", "分组头", 0xFF8080 }, { "DD", "细节区", 0xFF0000 },
        { "GT3", "分组尾", 0xFF8080 }, { "GT2", "分组尾", 0xC0C000 }, { "GT1", "分组尾", 0xFFFF80 },
        { "PT", "页  尾", 0x00FFFF }, { "RT", "报表尾", 0xC0FFFF } };
    QStringList regions;
    for (int i = 0; i < 11; ++i)
        regions.append(QStringLiteral("%1 %2:%3").arg(markers[i].entry).arg(2 * i + 1).arg(2 * i + 2));
    const platform::grid::Sheet grid = designGrid(store::DataReport, 23, 4, regions.join(", "));
    for (int i = 0; i < 11; ++i) {
        const quint32 bgr = markers[i].windowsColour;
        const QColor colour(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
        for (const int row : { 2 * i + 1, 2 * i + 2 }) {
            const platform::grid::CellFormat look = grid.format(row, 1);
            EXPECT_EQ(look.pattern, 1) << markers[i].entry;
            EXPECT_EQ(QColor(*look.patternBackground).name(), colour.name()) << markers[i].entry;
            EXPECT_EQ(QColor(*look.patternForeground).name(), colour.name()) << markers[i].entry;
            EXPECT_EQ(look.fontBold, true);
            EXPECT_EQ(look.fontSize, 9);
            EXPECT_EQ(look.hAlign, platform::grid::HAlign::Center);
            EXPECT_EQ(look.vAlign, platform::grid::VAlign::Center);
            EXPECT_FALSE(grid.mergedBlockAt(row, 1));
        }
        EXPECT_EQ(grid.entry(2 * i + 1, 1).toStdString(), markers[i].label) << markers[i].entry;
        EXPECT_EQ(grid.entry(2 * i + 2, 1), QString()) << markers[i].entry;
    }
    EXPECT_EQ(grid.entry(23, 1), QString());
    EXPECT_EQ(grid.format(23, 1), platform::grid::Sheet().format(23, 1));
}

} // namespace
