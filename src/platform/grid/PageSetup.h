#pragma once

#include <QString>

namespace platform::grid
{

// How a sheet goes onto paper. Paper codes are the printer paper codes the reports store
// (9 A4, 8 A3, 11 A5, 1 Letter, 5 Legal, 256 custom); margins are inches.
struct PageSetup {
    int paperSize = 9;
    double customWidthCm = 0; // paper 256 only
    double customHeightCm = 0; // paper 256 only
    bool landscape = false;
    QString header;
    QString footer;
    double leftMargin = 0.75;
    double rightMargin = 0.75;
    double topMargin = 1.0;
    double bottomMargin = 1.0;
    double headerMargin = 0.5;
    double footerMargin = 0.5;
    int scalePercent = 100;
    // Above 0: a spreadsheet program shrinks the columns to fit this many pages across ("fit to
    // width") in place of the scale, the rows still going onto as many pages as they need. Files carry
    // it; the grid's own printer prints at the scale, since the reports' pages fit the paper by
    // themselves: the setting keeps them whole where another program measures the columns wider.
    int fitPagesWide = 0;
    bool centerHorizontally = false;
    bool centerVertically = false;
    bool printGridLines = false;
    bool printHeadings = false;
    bool blackAndWhite = false;
    bool leftToRight = false; // page order: across then down

    bool operator==(const PageSetup&) const = default;
};

} // namespace platform::grid
