#pragma once

#include "BiffWriter.h"
#include "platform/grid/GridTypes.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>

namespace platform::grid::io
{

// The pictures of a workbook in the spreadsheet's drawing records: every distinct image once, as PNG,
// in the workbook's picture store; on each worksheet, one picture shape per placement, stretched over
// its cells.
class XlsPictures
{
public:
    // A picture placed over cells of a worksheet, 0-based; `blip` is the store's number of its image.
    struct Placement {
        CellRange cells;
        quint32 blip = 0;
    };

    // The store's number (from 1) of the image, stored on its first use.
    quint32 blipOf(const QImage& image);

    // The drawing of one worksheet (MSODRAWING and OBJ records, which go after its cells); nothing
    // when it has no pictures. Worksheets are written in order, each once.
    void writeWorksheetDrawing(BiffWriter& out, const QList<Placement>& pictures);

    // The picture store and the drawings' bookkeeping for the globals (MSODRAWINGGROUP and its
    // CONTINUE records); nothing when no worksheet has pictures.
    void writeGroup(BiffWriter& out) const;

private:
    struct Drawing {
        quint32 id; // from 1
        quint32 firstShape; // the group shape's id; the pictures follow
        quint32 shapes; // the group shape and the pictures
    };

    // An image of the store: its PNG, the PNG's digest, and how many placements show it.
    struct Blip {
        QByteArray png;
        QByteArray digest;
        quint32 uses = 0;
    };

    QList<Blip> blips_; // the store's number is the place here plus 1
    QHash<qint64, quint32> blipOfImage_; // by the image's cache key, for the same image placed again
    QHash<QByteArray, quint32> blipOfDigest_; // by the PNG's digest, for equal images
    QList<Drawing> drawings_;
    quint32 nextCluster_ = 1; // shape ids come in clusters of 1024, one drawing's shapes together
};

} // namespace platform::grid::io
