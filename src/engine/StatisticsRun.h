#pragma once

#include "engine/EngineState.h"

#include <QImage>
#include <QVector>

// The working state of one statistics-report build. Whoever builds (the preview, the print window, the
// print-progress job) owns it and passes it to every step; the page starts and the page count stay
// valid for that owner until its next pagination. Sizes are twips.
namespace engine
{

class OutputForm;

struct StatisticsRun {
    QVector<ReportCellItem> StatCells; // the loaded cells of the report (StatCellCount is their number)

    // --- page metrics -----------------------------------------------------------------------------
    int StatPageHeight = 0; // the printer's page in the report's orientation
    int StatPageWidth = 0;
    int StatTopMargin = 0; // TOP_MARGE and BOTTOM_MARGE, in twips
    int StatBottomMargin = 0;
    double StatWidthFactor = 1.0; // under SELF_FIT the usable page width over the stored column widths

    // --- the sheet --------------------------------------------------------------------------------
    int StatColCount = 0; // highest column and row: as the stored sizes and cells give them, then grown
    int StatRowCount = 0; // by the margin, filler and closing rows and columns of the build

    // --- pages ------------------------------------------------------------------------------------
    QVector<int> PageStartArray; // entry N-1: the sheet row at which page N starts (entry 0 is row 1)
    int StatPageCount = 0;

    // --- pictures ---------------------------------------------------------------------------------
    int StatPictureCount = 0; // pictures placed by the build
    QVector<int> StatPictureIds; // entry i-1: grid object id of picture i, 0 when it placed nothing
    QVector<QImage> StatPictures; // entry i-1: picture i as read (null when unreadable); kept until
                                  // UnloadStatPictures
    OutputForm* Output = nullptr; // the window told of each build's pictures; none when it is not set
};

} // namespace engine
